// Lays a broken-data case (tests/broken-data/NAME) over the data set in FOLDER, which
// makeTestCampaign wrote: makeBrokenCase CASEFOLDER FOLDER.
#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits.h>
#include <stdlib.h>
#include <string>
#include <unistd.h>

#include "support/BrokenCase.h"

int runCommand(const std::string& command) {
    int status = system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int main(int argc, char** argv) {
    char caseFolder[PATH_MAX];
    if (argc != 3 || !realpath(argv[1], caseFolder)) {
        fprintf(stderr, "usage: %s CASEFOLDER FOLDER\n", argv[0]);
        return 2;
    }
    if (chdir(argv[2]) != 0 || install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "cannot work in %s\n", argv[2]);
        return 1;
    }
    set_color_depth(32);
    std::string error;
    if (!applyBrokenCase(caseFolder, &error)) {
        fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
END_OF_MAIN()
