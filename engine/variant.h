// Build-time choice between the two variants of the program.
//
// The full-screen build shows an 800x600 screen with the play field at
// x 220..580; the windowed build shows the play field alone, 360 wide, at
// x 0. Game code is written in full-screen coordinates and passes absolute x
// positions through screenX(); right-hand bounds that stand for the screen's
// right edge go through rightEdgeX(). Offsets from moving objects, vertical
// positions and park positions are the same in both builds.
#pragma once

#ifndef MD4_WINDOWED
#define MD4_WINDOWED 0
#endif

namespace variant {

constexpr bool windowed = MD4_WINDOWED != 0;

constexpr int screenWidth = windowed ? 360 : 800;
constexpr int screenHeight = 600;

// Values the engine's application globals take in this build.
constexpr int fullScreenValue = windowed ? 0 : 1;
constexpr int windowOptionBitsValue = windowed ? 3 : 0;

// Distance the windowed build moves every absolute x to the left.
constexpr int fieldShift = windowed ? 220 : 0;
// Distance it moves a bound that stands for the screen's right edge.
constexpr int rightEdgeShift = windowed ? 440 : 0;

}  // namespace variant

// An absolute x position given in full-screen coordinates, in this build.
constexpr int screenX(int fullScreenX) { return fullScreenX - variant::fieldShift; }
constexpr float screenX(float fullScreenX) { return fullScreenX - static_cast<float>(variant::fieldShift); }
// A right-hand cull bound (the screen's right edge, 800 or 880) in this build.
constexpr int rightEdgeX(int fullScreenBound) { return fullScreenBound - variant::rightEdgeShift; }
constexpr float rightEdgeX(float fullScreenBound) {
    return fullScreenBound - static_cast<float>(variant::rightEdgeShift);
}
