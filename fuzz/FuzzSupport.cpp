#include "FuzzSupport.h"

#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "content/Loader.h"
#include "content/Round.h"
#include "system/InputObj.h"
#include "system/Messages.h"
#include "system/MusicSound.h"
#include "units/UnitList.h"

namespace {

// The build folder, whose data/ the build filled; VORN_ROOT overrides it.
std::string sourceRoot() {
    const char* root = getenv("VORN_ROOT");
    return root ? root : VORN_DATA_ROOT;
}

void linkShared(const std::string& target, const std::string& name) {
    if (symlink(target.c_str(), name.c_str()) != 0 && errno != EEXIST) perror(name.c_str());
}

// data/unit holds links to every shipped unit file and to the unit pictures, so added units
// and datafiles named by a fuzzed file resolve; the fuzzed files themselves are real files.
void makeWorkingData(const std::string& root) {
    mkdir("data", 0755);
    mkdir("data/unit", 0755);
    mkdir("data/campaigns", 0755);
    for (const char* shared : {"gfx", "sound", "music", "generalData.dat"})
        linkShared(root + "/data/" + shared, std::string("data/") + shared);
    linkShared(root + "/data/unit/gfx", "data/unit/gfx");
    if (DIR* units = opendir((root + "/data/unit").c_str())) {
        while (dirent* entry = readdir(units)) {
            std::string name = entry->d_name;
            if (name[0] != '.' && name != "gfx") linkShared(root + "/data/unit/" + name, "data/unit/" + name);
        }
        closedir(units);
    }
}

std::string workingFolder;

void removeWorkingFolder() {
    if (!workingFolder.empty() && chdir("/") == 0) system(("rm -rf '" + workingFolder + "'").c_str());
}

} // namespace

void startFuzzing() {
    static bool started = false;
    if (started) return;
    started = true;
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "Allegro did not start\n");
        exit(1);
    }
    set_color_depth(32);
    set_color_conversion(COLORCONV_NONE);
    setMessagesSilent(true);
    std::string root = sourceRoot();
    char pattern[] = "/tmp/vorn-fuzz-XXXXXX";
    if (!mkdtemp(pattern) || chdir(pattern) != 0) {
        fprintf(stderr, "no working folder\n");
        exit(1);
    }
    workingFolder = pattern;
    atexit(removeWorkingFolder);
    makeWorkingData(root);
}

void writeFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return;
    if (size > 0) fwrite(data, 1, size, file);
    fclose(file);
}

void forgetMessages() {
    // VORN_FUZZ_VERBOSE=1 prints what the player would have been told, for reading a finding.
    if (getenv("VORN_FUZZ_VERBOSE"))
        for (const std::string& text : getShownMessages())
            fprintf(stderr, "message: %s\n", text.c_str());
    clearShownMessages();
}

void playRound(Loader* loader, Round* round, int steps) {
    srand(1); // one input, one game
    UnitList list;
    list.setupRound(round);
    InputObj input;
    MusicSound sound; // no sound installed: effects are asked for and not played
    int w = fixtoi(round->getArenaSizeX()), h = fixtoi(round->getArenaSizeY());
    BITMAP* arena = create_bitmap(w < 1 ? 1 : w > 1024 ? 1024 : w, h < 1 ? 1 : h > 1024 ? 1024 : h);
    for (int step = 0; step < steps; step++) {
        list.simulationStep(loader, round, PlayerCommand::fromInput(input));
        if (BITMAP* pic = round->getArenaPic())
            stretch_blit(pic, arena, 0, 0, pic->w, pic->h, 0, 0, arena->w, arena->h);
        list.drawUnits(arena, &sound, false);
    }
    if (getenv("VORN_FUZZ_VERBOSE"))
        fprintf(stderr, "played %d steps, %d units at the end\n", steps, (int)list.getUnits()->size());
    destroy_bitmap(arena);
    list.clear();
}
