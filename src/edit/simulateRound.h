#ifndef VORN_EDIT_SIMULATEROUND_H
#define VORN_EDIT_SIMULATEROUND_H

#include <string>
#include <vector>

// Steps the editor gives a simulated round before calling it a time-out: three minutes of play.
const long simulatedStepsMost = 6000;

// Plays round of the campaign, its file holding text (nothing is written), headless as the battle
// plays it, with the first character of the list: for each of seeds seeds, once with the
// scripted player and once with the sloppy one. One line a run ("seed 1000, scripted: won after
// 41 s, juice left 62 %"), or the reason the round did not load.
std::vector<std::string> simulateRound(const std::string& campaign, const std::string& text, int round,
                                       int seeds = 3);

#endif
