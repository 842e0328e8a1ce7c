// Checks of a family's pool table against its record storage, shared by the
// tests of the kit's families and of the stages' own pools.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "assets/asset_list.h"
#include "game/shots/shot_records.h"

namespace testsupport {

// The row of the image list whose slot global this is, or nullptr.
inline const ImageAsset* imageAssetOf(const int32_t* global) {
    for (const ImageAsset& asset : imageAssets) {
        if (asset.global == global) return &asset;
    }
    return nullptr;
}
inline bool isAssetSlotGlobal(const int32_t* global) { return imageAssetOf(global) != nullptr; }

// The right and bottom ends of everything a draw style cuts from its image
// lie inside the image's size in the image list.
inline void expectCutsInsideImage(const ShotPoolDraw& draw) {
    const ImageAsset* image = imageAssetOf(draw.image);
    if (image == nullptr) return;
    int32_t right = draw.width, bottom = draw.height;
    switch (draw.style) {
    case DrawStyle::Plain:
        right = draw.left + draw.width;
        bottom = draw.top + draw.height;
        break;
    case DrawStyle::Animated:
    case DrawStyle::Chain:
        right = draw.frames * draw.width;
        break;
    case DrawStyle::Alternating:
        right = 200;
        bottom = 40;
        break;
    case DrawStyle::ActiveOnly:
    case DrawStyle::SweepLine:
        break;
    }
    EXPECT_LE(right, image->width) << image->file;
    EXPECT_LE(bottom, image->height) << image->file;
}

// Pools follow one another in the family's array without gaps or overlaps,
// fill it, and every row's draw uses images of the asset list and cuts
// inside them.
template <typename Record, std::size_t M, typename Row, std::size_t N>
void expectRowsFit(Record (&storage)[M], const Row (&rows)[N], Record* (*recordsOf)(int)) {
    Record* next = storage;
    for (std::size_t i = 0; i < N; ++i) {
        SCOPED_TRACE(testing::Message() << "stage " << rows[i].stage << " pool " << rows[i].ordinal);
        EXPECT_EQ(recordsOf(static_cast<int>(i)), next);
        next += rows[i].count;
        const ShotPoolDraw& draw = rows[i].draw;
        if (draw.image == nullptr) {
            // Only the enemy slots' shots (stage 0) have no pool draw.
            EXPECT_EQ(rows[i].stage, 0);
        } else {
            EXPECT_TRUE(isAssetSlotGlobal(draw.image));
            expectCutsInsideImage(draw);
        }
        EXPECT_EQ(draw.style == DrawStyle::SweepLine, draw.secondImage != nullptr);
        if (draw.secondImage != nullptr) {
            EXPECT_TRUE(isAssetSlotGlobal(draw.secondImage));
        }
    }
    EXPECT_EQ(next, storage + M);
    EXPECT_EQ(recordsOf(static_cast<int>(N)), nullptr);
}

}  // namespace testsupport
