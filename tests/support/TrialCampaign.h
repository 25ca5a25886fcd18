#ifndef VORN_TESTS_SUPPORT_TRIALCAMPAIGN_H
#define VORN_TESTS_SUPPORT_TRIALCAMPAIGN_H

// A small playable data set written into the working directory: the shared
// pictures, the selection lists, the settings (640 x 480 windowed at 32 bits, so screenshots
// keep exact colours), the player's character "tester", the enemy "drifter" and the campaign
// "Trial" of two rounds. The colours of its pictures are what the end-to-end tests look for.
//
// The tester stands in the centre with 30 of 90 HP; walking into a wall costs 10 HP a step, so
// holding a direction key loses the round in about two seconds. The drifter targets nobody and
// walks straight up into the top wall, where the same 10 HP a step end it: round 1 is won after
// about 4.5 s of play (it starts 145 pixels from the wall at 2 pixels a step), round 2 after
// about 1.5 s.
// True when every file was written.
bool writeTrialDataSet();

#endif
