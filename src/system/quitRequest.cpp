#include "system/quitRequest.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <unistd.h>

#include <allegro.h>

namespace {

std::atomic<int> quitSignal{0};
std::atomic<bool> waitingForKey{false};

const int watchedSignals[] = {SIGINT, SIGTERM, SIGHUP};
const int graceMs = 3000; // time the game has to end by itself once asked, in msec
const int watchMs = 100;  // period of the watch, in msec
std::atomic<int> msSinceSignal{0};

static_assert(std::atomic<int>::is_always_lock_free, "the handler stores to it");

void onQuitSignal(int signal) {
    quitSignal.store(signal);
}

// The message window is a child process (xmessage) that Allegro waits for.
void closeMessageWindows() {
    DIR* proc = opendir("/proc");
    if (!proc) return;
    std::string self = std::to_string(getpid());
    while (dirent* entry = readdir(proc)) {
        pid_t pid = (pid_t)atoi(entry->d_name);
        if (pid <= 0) continue;
        std::string statPath = std::string("/proc/") + entry->d_name + "/stat";
        FILE* f = fopen(statPath.c_str(), "r");
        if (!f) continue;
        char line[512] = "";
        size_t n = fread(line, 1, sizeof line - 1, f);
        fclose(f);
        line[n] = '\0';
        // "pid (name) state ppid ...": the name may hold blanks, so read from its closing bracket.
        const char* close = strrchr(line, ')');
        const char* open = strchr(line, '(');
        if (!open || !close) continue;
        std::string name(open + 1, close);
        char state = 0;
        int parent = 0;
        if (sscanf(close + 1, " %c %d", &state, &parent) == 2 && std::to_string(parent) == self &&
            name == "xmessage")
            kill(pid, SIGTERM);
    }
    closedir(proc);
}

// Allegro's timer thread runs this while the main thread may be blocked: in the wait for a
// message window, or in a loop of Allegro's own.
void watchSignals() {
    int signal = quitSignal.load();
    if (signal == 0) return;
    closeMessageWindows();
    if (waitingForKey.load()) simulate_keypress((KEY_ESC << 8) | 27);
    if (msSinceSignal.fetch_add(watchMs) + watchMs < graceMs) return;
    fprintf(stderr, "VORN did not end by itself after signal %d; ending it now.\n", signal);
    _exit(128 + signal);
}

} // namespace

void installQuitSignals() {
    install_int_ex(watchSignals, MSEC_TO_TIMER(watchMs));
    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the message window's wait goes on until the watcher closes it
    for (int s : watchedSignals)
        sigaction(s, &action, nullptr);
}

bool quitRequested() {
    return quitSignal.load() != 0;
}
int quitStatus() {
    return quitRequested() ? 128 + quitSignal.load() : 0;
}
void setWaitingForKey(bool waiting) {
    waitingForKey.store(waiting);
}
