// What the stage benchmarks share: the real game brought into a stage by
// the headless run, every shot pool of a stage armed by its own routines,
// and a stage frame timed beside a bare clear and present.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>

// Every picture of the set made and decoded (with the index of its opaque
// runs), as the program does while it waits for frames: timed frames then
// do only a frame's work.
void makeEveryPictureReady();
// Enter on frame 10, F1 on frame 70: stage 1 runs from frame 71, with every
// picture ready. False when the run did not get there.
bool reachStage1();
// From stage 1 into stage 2 or 3 as a boss's defeat leaves it: the play
// state and the pools reset, the state switched (no wipe).
void enterStage(int32_t state);

// Every record of every pool of the stage's bosses armed by the pool's own
// routines (the volley, segmented and fan pools record by record, as their
// timers would), the boss's line volleys, sweeps and salvos by their
// spawners, stage 1's ring spirals and stage 3's missile streams too.
void armEveryPoolOf(int stage);

// Times `frames` calls of the frame (each after `before`, untimed) and as
// many bare clears and presents, and sets the benchmark's counters: median
// and 99th percentile of each in µs, and the allocations of the timed frames.
void timeStageFrames(benchmark::State& state, void (*frame)(), void (*before)(), std::size_t frames);
