#include "battle/ReplayShelf.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>

#include "system/fileAccess.h"

const char* const ReplayShelf::EXTENSION = ".vornreplay";

namespace {

const std::string RECENT = "recent-", BEST = "best-";
const int MAX_COUNTER = 999; // recent replays begun in the same second

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool failWith(std::string* message, const std::string& text) {
    if (message) *message = text;
    return false;
}

// The part of a best replay's file name a person reads: the campaign, round and character with
// every character but letters, digits, '-', '_' and '.' made '_', and at most 60 bytes of it.
std::string readableKey(const Replay& r) {
    std::string key = r.campaign + "-" + "r" + std::to_string(r.round) + "-" + r.character;
    for (char& c : key)
        if (!isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.') c = '_';
    return key.substr(0, 60);
}

// FNV-1a, 64 bits, of the campaign, round and character: the readable part alone can be the same
// for two of them.
uint64_t keyDigest(const Replay& r) {
    uint64_t h = 1469598103934665603ull;
    for (char c : r.campaign + '\0' + std::to_string(r.round) + '\0' + r.character)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

bool sameRound(const Replay& a, const Replay& b) {
    return a.campaign == b.campaign && a.round == b.round && a.character == b.character;
}

} // namespace

ReplayShelf::KeepResult ReplayShelf::keep(const Replay& replay, std::string* message) {
    std::string why = whyNotSavable(replay);
    if (!why.empty()) {
        failWith(message, "The replay of the round cannot be kept: " + why + ".");
        return NOT_SAVABLE;
    }
    if (!makeFolder(message)) return FOLDER_UNUSABLE;
    std::string path = freeRecentPath(replay.date);
    if (path.empty()) {
        failWith(message, "The replay of the round cannot be kept: the folder " + folder +
                              " holds too many replays of the same second.");
        return WRITE_FAILED;
    }
    if (!writeReplay(replay, path, message)) return WRITE_FAILED;
    pruneRecent(path);
    if (replay.result == ReplayResult::WON && !keepBest(replay, message)) return BEST_NOT_KEPT;
    return KEPT;
}

bool ReplayShelf::makeFolder(std::string* message) const {
    int error = makeFolders(folder); // each folder on the way, so a missing data/ is made too
    return error == 0 ||
           failWith(message, "The replays cannot be kept in the folder " + folder + ": " +
                                 (error == ENOTDIR ? "it is not a folder" : plainReason(error)) + ".");
}

std::string ReplayShelf::freeRecentPath(const std::string& date) const {
    std::string stamp;
    for (char c : date)
        if (isdigit(static_cast<unsigned char>(c))) stamp += c;
    stamp.insert(std::min<size_t>(8, stamp.size()), "-");
    struct stat st;
    for (int counter = 1; counter <= MAX_COUNTER; counter++) {
        char number[8];
        snprintf(number, sizeof number, "-%03d", counter);
        std::string path = folder + "/" + RECENT + stamp + number + EXTENSION;
        // lstat: a link, even one leading nowhere, is a name taken.
        if (lstat(path.c_str(), &st) != 0 && errno == ENOENT) return path;
    }
    return "";
}

std::vector<std::string> ReplayShelf::fileNames() const {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name[0] != '.' && endsWith(name, EXTENSION)) names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The names of recent replays begin with their date and counter, so they sort oldest first. The
// one just kept stays even when a clock set back made it sort among the oldest.
void ReplayShelf::pruneRecent(const std::string& justKept) const {
    std::vector<std::string> recent;
    for (const std::string& name : fileNames())
        if (startsWith(name, RECENT) && folder + "/" + name != justKept) recent.push_back(name);
    for (size_t i = 0; i + RECENT_KEPT <= recent.size(); i++)
        remove((folder + "/" + recent[i]).c_str());
}

bool ReplayShelf::keepBest(const Replay& replay, std::string* message) const {
    char digest[17];
    snprintf(digest, sizeof digest, "%016" PRIx64, keyDigest(replay));
    std::string path = folder + "/" + BEST + readableKey(replay) + "-" + digest + EXTENSION;
    const std::string notBest = "The round's replay is kept among the recent ones, not as the best: ";
    ReplaySummary old;
    std::string why;
    struct stat st;
    if (lstat(path.c_str(), &st) == 0) {
        // One that cannot be read may be of a newer game, and is the player's to remove.
        if (!readReplayHeader(path, old, &why)) return failWith(message, notBest + why + ".");
        if (!sameRound(old.replay, replay))
            return failWith(message, notBest + path + " holds the best of another round.");
        long steps = replay.countSteps();
        if (replay.score < old.replay.score || (replay.score == old.replay.score && steps >= old.steps))
            return true;
    }
    return writeReplay(replay, path, &why) || failWith(message, notBest + why);
}

std::vector<ReplayShelf::Entry> ReplayShelf::list() const {
    std::vector<Entry> entries;
    for (const std::string& name : fileNames()) {
        Entry entry;
        entry.path = folder + "/" + name;
        entry.best = startsWith(name, BEST);
        if (readReplayHeader(entry.path, entry.summary, nullptr)) entries.push_back(entry);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.summary.replay.date != b.summary.replay.date ? a.summary.replay.date > b.summary.replay.date
                                                              : a.path > b.path;
    });
    return entries;
}
