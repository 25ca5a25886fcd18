#ifndef VORN_BATTLE_BATTLE_H
#define VORN_BATTLE_BATTLE_H

#include <allegro.h>
#include <string>

#include "battle/Replay.h"
#include "content/Campaign.h"

class GameSettings;
class InputObj;
class Loader;
class MusicSound;
class Round;
class UnitList;

// Outcome of the round being played (Battle::roundState); single bits.
enum {
    ROUND_IN_PLAY = 0,
    ROUND_WON = 1,
    ROUND_LOST = 2,
    ROUND_RESTARTED = 4,
    ROUND_LEFT = 8,        // the Menu key: the campaign ends at once
    CAMPAIGN_COMPLETE = 16 // no round left
};

// How a replay played back on screen ended.
enum class WatchResult {
    SAME,        // every frame played and the state hash equals the recorded one
    DIFFERENT,   // every frame played, but the game went otherwise than recorded
    LEFT,        // the player left before its end
    NOT_PLAYABLE // its round did not load or its data has changed since; a message said why
};

// How a round played on its own ended (Battle::playOneRound).
struct PlayedRound {
    // ROUND_WON, ROUND_LOST or ROUND_LEFT; ROUND_IN_PLAY when it was not played (a message said why).
    int state = ROUND_IN_PLAY;
    long steps = 0;    // of the last try, restarts not counted; 30 ms each
    int juiceLeft = 0; // the player's juice at the end, in percent of the meter (0 when lost)
};

// Plays one campaign from its opening picture to its end: the rounds in order, each in a
// fixed-step loop (one simulation step per 30 ms tick, one drawn frame per pass), with pause,
// restart, leaving, replay of lost rounds and the campaign score. One Battle serves the run.
class Battle {
  public:
    // Installs the frame clock.
    Battle();
    ~Battle();
    Battle(const Battle&) = delete;
    Battle& operator=(const Battle&) = delete;

    void setGameSettings(GameSettings* g) { gameSettings = g; }
    void setMusicSound(MusicSound* m) { musicSound = m; }
    void setInputObj(InputObj* i) { inputObj = i; }
    // Always 0: the mode loop goes back to the menus.
    int battleLoop(std::string campName, std::string charName, Loader* l);

    // Plays round number of campName alone, straight from its title, as if the player had reached
    // it: a restart plays it again, and it ends when it is won, lost or left (no closing picture).
    PlayedRound playOneRound(const std::string& campName, const std::string& chosenChar, int number,
                             Loader* l);

    // Round flow.
    // Plays the current round once: load, title, frame loop until it is over, then the next round.
    void playRound(Loader* l);
    void getNextRound();
    // True when the round is over; roundState then says how.
    bool isRoundOver(Loader* l);
    // Makes the round's arena bitmap and the zoom. Non-zero when the bitmap could not be made.
    int setUpArena();
    // Runs one simulation step per pending tick, none while paused; returns the steps run.
    int runPendingSteps(Loader* l);
    // An empty hook the battle calls at the end of every round played; kept for callers.
    void recordStats() {}

    // Replays. Every round played is recorded from its first step; the record is complete when
    // playRound returns. Recording can be turned off (tests of long rounds).
    void setRecording(bool on) { recording = on; }
    const Replay& getReplay() const { return replay; }
    // Plays a replay back on screen as it was played: the Pause key pauses, F runs four times as
    // fast, the Menu key or Esc leaves. file names it in a refusal.
    WatchResult watchReplay(const Replay& replay, Loader* l, const std::string& file = "");
    // Kept replays go to this folder; empty keeps none.
    void setReplayFolder(const std::string& folder) { replayFolder = folder; }

    // Screens.
    void drawArena(BITMAP* target);
    void drawToScreen(BITMAP* cursor, bool wait);
    void drawHUD(Loader* l);
    void showCampaignIntro(BITMAP* picture);
    // Shows picture over the arena for up to frames drawn frames; the first minFrames + 1 cannot be
    // skipped.
    // cursor is kept for callers: the intro draws no mouse pointer.
    void showRoundIntro(int frames, int minFrames, BITMAP* picture, BITMAP* cursor, bool withUnits);

    int getRoundNumber() const { return roundNumber; }
    int getRoundState() const { return roundState; }
    int getTotalScore() const { return totalScore; }
    bool getPaused() const { return paused; }
    // The game pauses through the Pause key and when the window loses the focus; tests set it
    // directly.
    void setPaused(bool p) { paused = p; }
    fixed getScale() const { return scale; }
    int getArenaLeft() const { return arenaLeft; }
    int getArenaTop() const { return arenaTop; }
    BITMAP* getArena() const { return arena; }
    BITMAP* getBuffer() const { return buffer; }
    UnitList* getUnitList() const { return unitList; }
    Round* getRound() const { return round; }
    Campaign& getCampaign() { return campaign; }

    // Frames shown by the last intro screen (0 when it had no picture).
    int getIntroFramesShown() const { return introFramesShown; }
    // The screen-size frame of a battle; battleLoop makes it, tests may make it to draw into.
    bool makeBuffer();

  private:
    // Loads the current round and plays it until it is over; false, the round left, when it could
    // not be played (a message said why).
    bool runRound(Loader* l);
    // The player's juice now, in percent of the meter; 0 without a player.
    int playerJuicePercent();
    // The end of a battle: the music fades, the buffer goes, the mouse pointer comes back.
    void endBattle();
    void drawFrame(Loader* l);
    // Seeds rand() for the round about to be played and starts its record.
    void startReplay(Loader* l);
    // The state hash and how the round ended, then the record is kept.
    void finishReplay(int state);
    void keepReplay();
    // A folder that cannot hold replays is said before the battle begins, not between its rounds,
    // and the battle is played all the same.
    void checkReplayFolder();
    // Says why a round was not kept (a ReplayShelf::KeepResult), once a run for each kind.
    static void sayOnce(int kept, const std::string& message);
    // The campaign's data, the character and the screen buffer for a battle; false after a
    // message when one of them failed.
    bool prepareCampaign(Loader* l);
    // Loads the replay's round as the battle played it, its arena made; false after a message.
    bool prepareReplayRound(const Replay& replay, Loader* l, const std::string& file);
    // Runs frames of the replay from *next while the budget of ticks lasts, drawing each.
    void watchFrames(const Replay& replay, size_t* next, int* budget, Loader* l);
    // Keeps the screen as it is until a key or button is let go, or Esc is held.
    void holdLastFrame();
    void copyArenaToBuffer();
    void drawCentred(BITMAP* picture);

    std::string charName;
    int roundNumber;
    UnitList* unitList; // owned
    BITMAP* buffer;     // screen-size frame, lives for one battleLoop call
    MusicSound* musicSound = nullptr;
    InputObj* inputObj = nullptr;
    GameSettings* gameSettings = nullptr; // kept, not read during play
    Round* round;                         // owned, refilled for every round played
    int arenaLeft, arenaTop;
    fixed scale;
    fixed angle;        // rotation of the arena on screen; always 0
    BITMAP* arena;      // owned, arena size times canvas, remade every round
    fixed canvas;       // arena bitmap pixels per arena pixel: 1, or scale for an arena shown small
    int arenaWidth;     // in arena pixels
    BITMAP* statusIcon; // owned scratch bitmap of one HUD icon
    bool paused;
    int roundState;
    Campaign campaign;
    int totalScore;
    int introFramesShown;
    long roundSteps = 0; // simulation steps of the round being played
    bool recording = true;
    Replay replay;
    std::vector<uint64_t> playedCheckpoints; // of the replay being watched
    std::string replayFolder;
};

#endif
