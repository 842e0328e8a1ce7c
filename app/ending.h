// The ending (state 4): five scenes on a clock after the stage-3 boss, with
// the ending music, the high-score table and the credit lines, then back to
// the opening screen. Its frame routine, runEndingSequence, is declared with
// the other state handlers in app/state_handlers.h.
#pragma once

#include <cstdint>

// The clock value from which on the ending returns to the opening screen.
constexpr float endingEndClock = 1101.0f;

// The high-score table as last shown: seven rows, largest first.
constexpr int HighScoreRows = 7;
extern int32_t highScoreTable[HighScoreRows];

// Refills the table with its defaults, writes the high score over the first
// row that it or the score reaches, and draws the panel with the rows.
void drawHighScores();
// One line in the 12-pixel Gothic face, white on navy, opaque.
void drawCreditLine(int x, int y, const char* text);
