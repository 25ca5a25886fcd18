#ifndef VORN_SYSTEM_ALLEGROSTART_H
#define VORN_SYSTEM_ALLEGROSTART_H

#include <string>

// Starts the Allegro library for the game and the workshop alike. The X server now and then hangs
// up on a client at its very first request (seen under load with Xvfb): a start that fails that
// way is tried again a few times before giving up. "" once started, else why not, in words for a
// terminal (Allegro itself says nothing when it finds no display to open).
std::string startAllegro();

#endif
