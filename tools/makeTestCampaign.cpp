// Writes the small playable data set of the end-to-end tests (support/TrialCampaign.h) into the
// folder given as the only argument.
#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "support/TrialCampaign.h"

int runCommand(const std::string& command) {
    int status = system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    mkdir(argv[1], 0755);
    if (chdir(argv[1]) != 0 || install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "cannot work in %s\n", argv[1]);
        return 1;
    }
    set_color_depth(32);
    mkdir("data", 0755);
    if (!writeTrialDataSet()) {
        fprintf(stderr, "the test campaign could not be written\n");
        return 1;
    }
    return 0;
}
END_OF_MAIN()
