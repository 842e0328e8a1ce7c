// The game's own built-in asset set: every image, sound and song the game
// loads, generated in memory and served as program resources by their file
// names ("IMAGE/COIN1.BMP", "SOUND/SHOT.WAV", "MIDI/QTX1.MID", ...). A file
// of the same name beside the program still takes precedence: the engine
// looks for files first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/resources.h"

// Installs the resource provider that answers every asset name of the game,
// with its state query, and starts making the set in the background. A name
// asked for before it is ready is made on the spot (or waited for, if it is
// being made). Calling it again only installs the provider again.
void installStandinAssets();
// Stops the background workers and waits for them (a program ending early
// does not want them to go on, nor to hear from them).
void stopStandinAssets();

// The provider itself (a plat::ResourceProvider): the whole file for an
// exact name of the set. The bytes stay valid for the rest of the run.
bool standinResource(const char* name, const uint8_t** data, size_t* size);
// Its state query (a plat::ResourceStateQuery): Ready once a file is made,
// Coming before.
plat::ResourceState standinResourceState(const char* name);

// The files of the set: the images in load order, then the sounds and songs.
int standinFileCount();
const char* standinFileName(int index);

// Makes one file from scratch, bypassing the store. false for a name that is
// not in the set.
bool makeStandinFile(const char* name, std::vector<uint8_t>& bytes);
