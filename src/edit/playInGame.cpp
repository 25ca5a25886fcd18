#include "edit/playInGame.h"

#include <allegro.h>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "system/quitRequest.h"
#include "system/textFormat.h"

namespace {

bool isProgram(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Time a stopped game has to end by itself before it is killed, in msec: under the 3 s after
// which the workshop's own quit request ends the workshop.
const int stopGraceMs = 2000;
const int lookEveryMs = 50;

void readAvailable(int fd, std::string& into) {
    char chunk[512];
    for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;)
        into.append(chunk, n);
}

// The game's line about the round, or else its last line, which says why it ended.
std::string lastLine(const std::string& said, bool roundLine) {
    std::string found;
    size_t start = 0;
    while (start < said.size()) {
        size_t end = said.find('\n', start);
        std::string line = said.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && (!roundLine || line.compare(0, 6, "round ") == 0)) found = line;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return found;
}

} // namespace

std::string findGameProgram(const std::string& self) {
    std::string folder = self.substr(0, self.rfind('/') == std::string::npos ? 0 : self.rfind('/'));
    if (!folder.empty()) {
        for (const std::string& near : {folder + "/vorn", folder + "/../vorn"})
            if (isProgram(near)) return near;
    }
    const char* path = getenv("PATH");
    std::string rest = path ? path : "";
    while (!rest.empty()) {
        size_t colon = rest.find(':');
        std::string dir = rest.substr(0, colon);
        rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
        if (!dir.empty() && isProgram(dir + "/vorn")) return dir + "/vorn";
    }
    return "";
}

std::string playInGame(const std::string& game, const ScratchFiles& unsaved, const std::string& campaign,
                       int round, const std::string& character) {
    if (game.empty()) return "The game (vorn) was found neither beside vorn-edit nor on PATH.";
    std::string out;
    bool ran = inScratchData(unsaved, [&] {
        // Replays of a scratch data set would be kept in the real one's folder, through its link.
        unlink("data/replays");
        mkdir("data/replays", 0777);
        char here[PATH_MAX];
        int channel[2];
        if (!getcwd(here, sizeof here) || pipe(channel) != 0) {
            out = "The game could not be started: " + std::string(strerror(errno)) + ".";
            return;
        }
        std::string data = std::string(here) + "/data", number = std::to_string(round);
        pid_t pid = fork();
        if (pid == 0) {
            // Only calls that are safe between fork and exec: the workshop runs threads.
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            dup2(channel[1], 1);
            dup2(channel[1], 2);
            close(channel[0]);
            close(channel[1]);
            execl(game.c_str(), "vorn", "--data", data.c_str(), "--windowed", "--play", campaign.c_str(),
                  "--round", number.c_str(), "--character", character.c_str(), (char*)nullptr);
            _exit(127);
        }
        close(channel[1]);
        if (pid < 0) {
            close(channel[0]);
            out = "The game could not be started: " + std::string(strerror(errno)) + ".";
            return;
        }
        fcntl(channel[0], F_SETFL, O_NONBLOCK);
        std::string said;
        int status = 0, stoppingMs = -1;
        for (;;) {
            readAvailable(channel[0], said);
            pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid || (done < 0 && errno != EINTR)) break;
            if (quitRequested() && stoppingMs < 0) {
                kill(pid, SIGTERM);
                stoppingMs = 0;
            } else if (stoppingMs >= 0 && (stoppingMs += lookEveryMs) >= stopGraceMs) {
                kill(pid, SIGKILL);
            }
            rest(lookEveryMs);
        }
        readAvailable(channel[0], said);
        close(channel[0]);
        std::string line = lastLine(said, true);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && !line.empty())
            out = line;
        else if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
            out = textf("The game did not play round %d of %s: %s", round, campaign.c_str(),
                        lastLine(said, false).c_str());
        else if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
            out = "The game " + game + " could not be started.";
        else if (WIFSIGNALED(status))
            out = textf("The game stopped on signal %d during round %d.", WTERMSIG(status), round);
        else
            out = textf("The game ended with status %d: %s", WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                        lastLine(said, false).c_str());
    });
    if (!ran) out = "The round could not be played: no scratch folder.";
    return out;
}
