// The resets that put the shared play state back to a known start.
#pragma once

// A new run: the background columns, the stage-1 base picture, the player's
// position, score, lives and power state. Draws no random numbers.
void resetScrollAndPlayer();
// Everything that belongs to one stage: seeds the random generator from the
// clock, then clears the player's weapons and effects, the enemies and their
// shots, the spark pools and the per-stage flags and counters. Keeps score,
// lives, ship type, position and the background columns.
void resetPlayState();
// Every boss and every shot pool of the three stages free and parked, the
// pattern counters at 0 and the bosses at their starting hit points.
void resetObjectPools();
