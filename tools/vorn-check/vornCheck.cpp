// vorn-check: reads a data set the way the game does and reports every problem, with the
// file, section, key and line, what the game will do and how to fix it. See --help.
#include <allegro.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "check/DataCheck.h"
#include "frame/dataLocation.h"
#include "system/Messages.h"

namespace {

void usage() {
    std::puts("usage: vorn-check [--json] [[--data] DIR]   (or --help, --version)\n"
              "  DIR     the data folder, or the folder that holds it; without one, the game's data:\n"
              "          data in the working folder, else $VORN_DATA, else the data installed beside it\n"
              "  --json  write the problems as JSON instead of text\n"
              "Exit status: 0 without errors (warnings allowed), 1 with errors, 2 when DIR is no data folder "
              "or none is found.");
}

bool isDir(const std::string& p) {
    struct stat st;
    return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isFile(const std::string& p) {
    struct stat st;
    return stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool looksLikeData(const std::string& dir) {
    return isFile(dir + "/listOfCampaigns.txt") || isFile(dir + "/listOfCharacters.txt") ||
           isDir(dir + "/unit") || isDir(dir + "/campaigns");
}

// A path under dir as the report writes it, so that it opens from where the checker was run.
std::string pathUnder(const std::string& dir, const std::string& name) {
    if (dir.empty() || dir == ".") return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

// Makes the folder that holds the data folder (under the name data) the working directory.
// A data folder with another name is reached through a link called data in a scratch folder,
// whose path is returned for removal ("" when none was made). shown receives the data folder
// as given, with a closing slash ("" for the working directory).
bool enterDataParent(const std::string& arg, std::string& scratch, std::string& shown) {
    std::string dir = arg;
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (!looksLikeData(dir) && looksLikeData(dir + "/data")) {
        shown = pathUnder(dir, "data/");
        return chdir(dir.c_str()) == 0;
    }
    if (!looksLikeData(dir)) return false;
    shown = pathUnder(dir, "");
    char full[PATH_MAX];
    if (!realpath(dir.c_str(), full)) return false;
    std::string abs = full;
    size_t slash = abs.rfind('/');
    if (abs.substr(slash + 1) == "data") return chdir(slash == 0 ? "/" : abs.substr(0, slash).c_str()) == 0;
    char tmpl[] = "/tmp/vorn-check-XXXXXX";
    if (!mkdtemp(tmpl)) return false;
    scratch = tmpl;
    return symlink(abs.c_str(), (scratch + "/data").c_str()) == 0 && chdir(scratch.c_str()) == 0;
}

} // namespace

int main(int argc, char** argv) {
    bool json = false;
    std::string dir;
    for (int i = 1; i < argc; i++) {
        if (!strcmp(argv[i], "--json")) {
            json = true;
        } else if (!strcmp(argv[i], "--version")) {
            std::printf("vorn-check " VORN_VERSION "\n");
            return 0;
        } else if (!strcmp(argv[i], "--data") && i + 1 < argc) {
            dir = argv[++i];
        } else if (!strcmp(argv[i], "--help") || !strcmp(argv[i], "-h")) {
            usage();
            return 0;
        } else if (argv[i][0] == '-') {
            std::fprintf(stderr, "vorn-check: unknown option %s\n", argv[i]);
            usage();
            return 2;
        } else {
            dir = argv[i];
        }
    }
    if (dir.empty()) {
        char executable[PATH_MAX] = {0};
        ssize_t n = readlink("/proc/self/exe", executable, sizeof executable - 1);
        DataLocation found = locateData("", getenv("VORN_DATA"), n > 0 ? executable : "");
        if (found.root.empty()) {
            std::fprintf(stderr, "vorn-check: no data to check: it looked in %s\n",
                         (found.error.empty() ? found.searched : found.error).c_str());
            return 2;
        }
        dir = found.root == "." ? "data" : pathUnder(found.root, "data");
    }
    std::string scratch, shown;
    if (!enterDataParent(dir, scratch, shown)) {
        std::fprintf(
            stderr, "vorn-check: %s is no data folder (it has no listOfCampaigns.txt, unit/ or campaigns/)\n",
            dir.c_str());
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "vorn-check: Allegro did not start\n");
        return 2;
    }
    set_color_depth(32);
    setMessagesSilent(true);
    Report report;
    {
        DataCheck check(report);
        check.run();
    }
    if (json)
        report.writeJson(std::cout, shown);
    else
        report.writeText(std::cout, shown);
    if (!scratch.empty()) {
        unlink((scratch + "/data").c_str());
        rmdir(scratch.c_str());
    }
    return report.getErrorCount() > 0 ? 1 : 0;
}
