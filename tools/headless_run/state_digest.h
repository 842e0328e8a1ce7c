// A digest of the game's state in named parts, so that a recorded run can
// say where a later one first went another way: each part a hash of the
// bytes of one group of the game's globals.
//
//   state    the game state, the stage clock and the stage's flags
//   score    score, high score, high-score table, lives, power-ups
//   random   the random generator
//   player   the ship, its power state, wreck, pods and power-up item
//   weapons  the player's shots, missiles, fan pieces, laser and counters
//   slots    enemy slots, turning enemies, mid-bosses and their arms, puffs, coins
//   pools    every enemy shot pool's records and counters
//   bosses   the three bosses, the spare ones, their timelines, blasts, smoke and sparks
//   scene    background tiles, the stage-1 picture, the ending's streaks
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

struct DigestPart {
    const char* name;
    uint32_t hash;
};
constexpr int DigestPartCount = 9;
using StateDigest = std::array<DigestPart, DigestPartCount>;

StateDigest stateDigest();

// One line "frame N digest NAME HASH NAME HASH ..." (hashes in hex).
void printStateDigest(FILE* out, int32_t frame, const StateDigest& digest);
