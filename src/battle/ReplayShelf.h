#ifndef VORN_BATTLE_REPLAYSHELF_H
#define VORN_BATTLE_REPLAYSHELF_H

#include <string>
#include <vector>

#include "battle/replayFile.h"

// The kept replays, in one folder (data/replays): the last RECENT_KEPT rounds played, and the best
// won round of each campaign round and character, which is never pruned. Only files of the replay
// extension there count; a file of it that cannot be read is passed over, never written over.
class ReplayShelf {
  public:
    enum KeepResult { KEPT = 0, NOT_SAVABLE, FOLDER_UNUSABLE, WRITE_FAILED, BEST_NOT_KEPT };
    static constexpr int RECENT_KEPT = 10;
    static const char* const EXTENSION;

    struct Entry {
        ReplaySummary summary;
        bool best = false;
        std::string path;
    };

    explicit ReplayShelf(const std::string& folder) : folder(folder) {}

    // Saves the round among the recent ones under a name of its own and lets go of the oldest
    // beyond the bound; a won round also becomes its best when it scores higher (or as high in
    // fewer steps) than the one kept. A failure says why in *message, to be shown once; whatever
    // was kept before stays.
    KeepResult keep(const Replay& replay, std::string* message);
    // Newest first.
    std::vector<Entry> list() const;
    // Makes the folder when it is missing; false, with why in *message, when it cannot hold replays.
    bool makeFolder(std::string* message) const;

  private:
    std::string freeRecentPath(const std::string& date) const;
    void pruneRecent(const std::string& justKept) const;
    bool keepBest(const Replay& replay, std::string* message) const;
    std::vector<std::string> fileNames() const;

    std::string folder;
};

#endif
