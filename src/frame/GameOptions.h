#ifndef VORN_FRAME_GAMEOPTIONS_H
#define VORN_FRAME_GAMEOPTIONS_H

#include <string>

// What the game's command line asks for. Without options the game starts as it always has.
struct GameOptions {
    enum Outcome {
        PLAY,    // start the game
        SAID,    // --help or --version: the text is printed, the game ends with status 0
        MISTAKEN // an option the game does not know: usage on stderr, status 2
    };

    // The window mode of this run only, overriding the settings without changing them.
    enum Window { WINDOW_AS_SET, WINDOWED, FULLSCREEN };

    Outcome outcome = PLAY;
    std::string text;    // what to print for SAID and MISTAKEN
    std::string dataDir; // --data: the data folder, or the folder that holds it
    Window window = WINDOW_AS_SET;
    // --play: the one round to play, without the menus; the game ends with that round. Empty plays
    // the game as always. The round counts from 0, as [Round0] in the campaign file; an empty
    // character is the first of the character list.
    std::string playCampaign;
    int playRound = 0;
    std::string playCharacter;

    static GameOptions parse(int argc, char** argv);
};

#endif
