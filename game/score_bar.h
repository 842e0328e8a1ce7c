// The score bar at the top of the play field, the continue prompt when the
// lives run out, and the pause and continue check that opens a stage frame.
#pragma once

// Lives a continue gives.
constexpr int ContinueLives = 111;

// Draws the first `digits` characters of `text` that are digits in the large
// 20x25 digit cells of "IMAGE/SUJI09_2.BMP", one cell apart, from (x, y);
// other characters leave their cell empty.
void drawBigDigits(const char* text, int digits, int x, int y);

// Score, high score, lives and the lives icon (every stage frame, after the
// laser).
void drawScoreBar();
// When the lives have run out: shows the continue picture and stops the stage.
void enterContinuePrompt();
// The first step of a stage frame after its first: true when the frame must
// end here (paused; a Y at the continue prompt resumes from the next frame).
bool runPauseCheck();
