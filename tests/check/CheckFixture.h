#ifndef VORN_TESTS_CHECK_CHECKFIXTURE_H
#define VORN_TESTS_CHECK_CHECKFIXTURE_H

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "check/DataCheck.h"
#include "support/DataBuilder.h"
#include "support/SoundFiles.h"
#include "support/TestEnv.h"
#include "system/Messages.h"

// A small data set that passes the check cleanly, in a temporary folder: one campaign of two
// rounds, one character with an attack, one enemy. Tests break one thing and read the report.
class CheckTest : public ::testing::Test {
  protected:
    TempDir dir;
    Report report;

    void SetUp() override {
        clearShownMessages();
        std::vector<PictureSpec> general = {{"cursor"}, {"youWin"}, {"youLose"}};
        for (int i = 0; i < 4; i++) {
            general.push_back({"goodStatus" + std::to_string(i)});
            general.push_back({"badStatus" + std::to_string(i)});
        }
        ASSERT_TRUE(makeDatafile("data/generalData.dat", general));
        ASSERT_TRUE(makeDatafile("data/unit/gfx/u.dat", {{"stand"}, {"walk"}}));
        ASSERT_TRUE(makeDatafile("data/gfx/camp.dat",
                                 {{"splashScreen"}, {"victoryScreen"}, {"arena", 64, 48}, {"title"}}));
        ASSERT_TRUE(writeWav("data/sound/hit.wav", 200));
        ASSERT_TRUE(writeSineOgg("data/sound/camp.ogg", 22050, 1, 0.2, 440));
        dir.write("data/listOfCampaigns.txt", "Camp\nA test campaign.\n[End]\n");
        dir.write("data/listOfCharacters.txt", "Hero\nA test hero.\n[End]\n");
        writeUnit("Hero",
                  "affiliation = player\nisThePC = true\nmaxHP = 300\ndatafile = gfx/u.dat\naddedUnits = 1\n"
                  "addedUnit0 = Bolt 10 0 1 0 0 1 5 0 0 0 0 0 true 3\n"
                  "[Animation]\nanimIdle = 0 -1 0 stand 2\nanimRun = 999 -1 0 stand 1 walk 1\n"
                  "[Sound]\nHit = data/sound/hit.wav\n");
        writeUnit("Bolt", "affiliation = playerProjectile\ntimeToLive = 20\ndatafile = gfx/u.dat\n"
                          "[Animation]\nanimIdle = 0 -1 0 stand 0\n[damage]\ndamageDealt = 5\n");
        writeUnit("Grub", "affiliation = enemy\nmaxHP = 20\ndatafile = gfx/u.dat\n[AI]\nattackDistMax = 10\n"
                          "[Animation]\nanimIdle = 0 -1 0 stand 0\n");
        dir.write("data/campaigns/Camp", campaign());
    }

    static std::string
    campaign(const std::string& round1Spawns = "Spawns = 1\nSpawn0 = Grub 2 1 1 10 0 0\n") {
        return "[Campaign]\nDatafile = data/gfx/camp.dat\nTotalRounds = 2\nUnitsToAppear = Grub\n"
               "Music = data/sound/camp.ogg\n"
               "[Round0]\nname = One\nArenaSize = 200 150\nArenaPic = data/gfx/camp.dat arena title\n"
               "Spawns = 2\nSpawn0 = Grub 1 2 1 0 0 0\nSpawn1 = Grub 1 10 1 30 0 1 50 40\n"
               "[Round1]\nname = Two\nArenaPic = data/gfx/camp.dat arena\n" +
               round1Spawns;
    }

    void writeUnit(const std::string& name, const std::string& body) const {
        dir.write("data/unit/" + name, body);
    }

    void check() {
        DataCheck c(report);
        c.run();
    }

    // The problems reported for a file (and key, when given), as one line each, for messages.
    std::vector<const Problem*> problemsAt(const std::string& file, const std::string& key = "") const {
        std::vector<const Problem*> out;
        for (const Problem& p : report.getProblems())
            if (p.place.file == file && (key.empty() || p.place.key == key)) out.push_back(&p);
        return out;
    }

    // The one problem whose text contains words, or a failure listing what was reported.
    const Problem* find(const std::string& words) const {
        for (const Problem& p : report.getProblems())
            if ((p.what + " " + p.game).find(words) != std::string::npos) return &p;
        ADD_FAILURE() << "no problem mentions \"" << words << "\"; reported:\n" << everything();
        return nullptr;
    }

    std::string everything() const {
        std::ostringstream out;
        report.writeText(out);
        return out.str();
    }
};

#endif
