#include <cstring>
#include <gtest/gtest.h>

#include "content/formatTable.h"
#include "edit/AnimationPlayer.h"
#include "edit/animationLine.h"
#include "edit/checkDocument.h"
#include "edit/editorDialog.h"
#include "edit/unitFiles.h"
#include "edit/unitKeyGroups.h"
#include "support/TestEnv.h"
#include "support/TrialCampaign.h"

TEST(UnitTypeEditorTest, AnimationsPlayFrameByFrameAsTheGameDrawsThem) {
    const struct {
        const char* line;
        bool playable;
        const char* names; // the frames read, each followed by its hold
        const char* drawn; // the frame shown at each drawn frame from the start
    } cases[] = {
        {"999 -1 0 i0 1 i1 2", true, "i0 1 i1 2 ", "00111001110"},
        {"0 -1 0 a0 0 a1 1", true, "a0 0 a1 1 ", "0111111"},
        // Back from LOOPEND to LOOPSTART once, then the last frame, which the loop never reached.
        {"1 1 1 a 0 b 0 c 0", true, "a 0 b 0 c 0 ", "01122222"},
        {"999 5 9 a 0 b 0", true, "a 0 b 0 ", "011111"}, // a loop start past the end holds the last
        {"2 -1 0 x -3 \"y z\" 0", true, "x 0 y z 0 ", "010101111"},
        {"999 -1 0 lone", true, "", ""},
        {"999 -1", false, "", ""},
        {"999 -1 0 a 0 b 0 c 0 d 0 e 0 f 0 g 0", true, "a 0 b 0 c 0 d 0 e 0 f 0 ", "0123450"},
    };
    for (const auto& c : cases) {
        AnimationLine line = parseAnimationLine(c.line);
        EXPECT_EQ(line.playable, c.playable) << c.line;
        std::string names;
        std::vector<int> holds;
        for (const AnimationFrame& f : line.frames) {
            names += f.name + " " + std::to_string(f.hold) + " ";
            holds.push_back(f.hold);
        }
        EXPECT_EQ(names, c.names) << c.line;
        AnimationPlayer player;
        player.start(holds, line.repeat, line.loopEnd, line.loopStart);
        std::string drawn;
        for (size_t i = 0; i < strlen(c.drawn); i++, player.advance())
            drawn += std::to_string(player.getFrame());
        EXPECT_EQ(drawn, c.drawn) << c.line;
    }
    // A finished animation is shown again from its start a moment later.
    AnimationPlayer once;
    once.start({0, 0}, 0, -1, 0);
    for (int i = 0; i < 2; i++)
        once.advance();
    EXPECT_TRUE(once.isFinished());
    for (int i = 0; i < AnimationPlayer::restartAfter; i++)
        once.advance();
    EXPECT_FALSE(once.isFinished());
    EXPECT_EQ(once.getFrame(), 0);
}

TEST(UnitTypeEditorTest, EveryUnitKeyHasOneGroupAndNewNamesArePlainFileNames) {
    std::vector<UnitKeyGroup> groups = unitKeyGroups();
    std::string names;
    size_t rows = 0;
    for (const UnitKeyGroup& g : groups) {
        names += g.name + ",";
        rows += g.rows.size();
        for (const FormatKey* row : g.rows)
            EXPECT_EQ(g.section, row->section) << row->name;
    }
    EXPECT_EQ(names, "Global,AI,UnitProperties,Animation,Sound,damage,Added units,Look,");
    size_t unitRows = 0;
    for (const FormatKey& row : formatTable())
        unitRows += row.file == FileKind::Unit;
    EXPECT_EQ(rows, unitRows);
    std::string added;
    for (const UnitField& f : unitFields(groups[6], 2))
        added += f.key + ",";
    EXPECT_EQ(added, "addedUnits,addedUnit0,addedUnit1,");

    const std::vector<std::string> taken = {"Grub", "Warden"};
    for (const char* bad : {"", "Grub", ".hidden", "a/b", "two words", "tab\there", "grub.dat", "x.new"})
        EXPECT_NE(newUnitNameProblem(bad, taken), "") << bad;
    for (const char* good : {"grub", "Grub2", "Ice-Shard", "Über"})
        EXPECT_EQ(newUnitNameProblem(good, taken), "") << good;

    // A value too long for its field is kept whole unless the author changes what the field shows.
    EXPECT_TRUE(fieldKeepsValue("abc", "abcdef", 4));
    EXPECT_FALSE(fieldKeepsValue("abd", "abcdef", 4));
    EXPECT_FALSE(fieldKeepsValue("ab", "abc", 4));
}

TEST(UnitTypeEditorTest, AUnitFileIsCheckedAsItStandsInMemory) {
    TempDir dir;
    ASSERT_TRUE(writeTrialDataSet());
    EXPECT_EQ(unitFileNames("data/unit"), (std::vector<std::string>{"drifter", "tester"}));
    std::vector<std::string> lines = checkDocument(
        "unit/drifter", "datafile = drifter.dat\nmaxHP = 0\n[Animation]\nanimIdle = 0 -1 0 body 0 ghost 0\n");
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "line 2: warning: maxHP: 0 is below 1",
                         "line 4: error: [Animation] animIdle: the frame \"ghost\" is not a picture in "
                         "data/unit/drifter.dat",
                         "1 error, 1 warning with the types it adds"}));
    // A problem of the whole file names no line.
    lines = checkDocument("campaigns/Trial", "[Campaign]\nTotalRounds = 0\n");
    EXPECT_EQ(lines, (std::vector<std::string>{"error: [Campaign] Datafile: no campaign datafile is named",
                                               "1 error, 0 warnings with the lists and characters"}));
}
