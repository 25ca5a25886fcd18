#include <fstream>
#include <sstream>

#include "CheckFixture.h"

TEST_F(CheckTest, TheSmallDataSetIsClean) {
    check();
    EXPECT_EQ(report.getProblems().size(), 0u) << everything();
}

TEST_F(CheckTest, UnitFileSlipsNameTheirLineKeyAndTheNameMeant) {
    writeUnit(
        "Grub",
        "affiliation = enmy\nmaxHP = 010\nwalkspeed = fast\ndatafile = gfx/u.dat\n[AI]\n"
        "attackDistMx = 10\ncareAboutArena = True\nkbMag = 2\n[UnitProperties]\nDefense = Heavvy HitsPlayer\n"
        "[Animation]\nanimIdle = 0 -1 0 stand 0 walk\nanimRun = 0 -1\n[Bogus]\nx = 1\n"
        "[Look]\nshape = blobb\nbody = 300 0 0\nsize = 2 24\n");
    std::ifstream hero("data/unit/Hero"); // a second look for the datafile Grub's look paints
    writeUnit("Hero", std::string(std::istreambuf_iterator<char>(hero), {}) + "[Look]\nshape = hero\n");
    check();
    const Problem* side = find("\"enmy\" is no side");
    ASSERT_TRUE(side);
    EXPECT_EQ(side->severity, Severity::Error);
    EXPECT_EQ(side->place.line, 1);
    EXPECT_EQ(side->place.key, "affiliation");
    EXPECT_NE(side->fix.find("Did you mean \"enemy\"?"), std::string::npos);
    const Problem* octal = find("\"010\" is not a plain whole number");
    ASSERT_TRUE(octal);
    EXPECT_NE(octal->game.find("reads it as 8"), std::string::npos) << "Allegro reads a leading 0 as octal";
    EXPECT_TRUE(find("\"fast\" is not a number"));
    const Problem* key = find("the game never reads this key");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->place.section, "AI");
    EXPECT_EQ(key->place.line, 6);
    EXPECT_NE(key->fix.find("attackDistMax"), std::string::npos);
    EXPECT_EQ(problemsAt("data/unit/Grub", "kbMag").at(0)->fix, "move it into [damage]");
    EXPECT_TRUE(find("\"True\" is neither true nor false"));
    EXPECT_NE(find("\"Heavvy\" is no property")->fix.find("\"Heavy\""), std::string::npos);
    EXPECT_TRUE(find("\"HitsPlayer\" is a Hitbox property"));
    EXPECT_TRUE(find("the frame \"walk\" has no hold count"));
    EXPECT_TRUE(find("2 values: the three numbers and at least one frame are needed"));
    EXPECT_EQ(find("the game never reads this section")->place.section, "Bogus");
    EXPECT_EQ(find("\"enmy\"")->place.file, "data/unit/Grub");
    // The painter's keys, checked by their row of the format table.
    EXPECT_NE(find("\"blobb\" is not a shape the painter draws")->fix.find("\"blob\""), std::string::npos);
    EXPECT_TRUE(find("\"300 0 0\" is not 3 whole numbers from 0 to 255"));
    EXPECT_TRUE(find("\"2 24\" is not 2 whole numbers from 4 to 512"));
    EXPECT_EQ(find("the build paints gfx/u.dat from Grub's [Look], not from this one")->place.file,
              "data/unit/Hero");
}

TEST_F(CheckTest, UnitsThatDoNotLoadAreErrorsWithTheGamesOwnMessages) {
    writeUnit("Grub", "affiliation = enemy\ndatafile = gfx/u.dat\n[Animation]\nanimIdle = 0 -1 0 crawl 0\n");
    writeUnit("Bolt", "affiliation = playerProjectile\ndatafile = gfx/none.dat\naddedUnits = 1\n"
                      "addedUnit0 = Rot 1 0 1 0 0 1 5 0 0 0 0 0 true 3\n");
    writeUnit("Rot", "affiliation = enemy\ndatafile = gfx/rot.dat\n");
    dir.write("data/unit/gfx/rot.dat", "slh.ALL.");
    ASSERT_EQ(runCommand("dat -c1 data/unit/gfx/u.dat >/dev/null"), 0); // compressed object by object
    check();
    const Problem* frame = find("the frame \"crawl\" is not a picture");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->severity, Severity::Error);
    EXPECT_EQ(frame->place.key, "animIdle");
    EXPECT_TRUE(find("no animation has a frame that loads"));
    EXPECT_TRUE(find("the datafile data/unit/gfx/none.dat does not exist"));
    EXPECT_TRUE(find("the datafile data/unit/gfx/rot.dat is damaged"));
    EXPECT_TRUE(find("the added type \"Bolt\" does not load"));
    // Every message the real loader showed is explained by a problem above.
    for (const Problem& p : report.getProblems())
        EXPECT_EQ(p.what.find("the game shows a message"), std::string::npos) << everything();
}

TEST_F(CheckTest, AddedUnitEntriesOfWrongLengthMixedAttacksAndUnreadIndexes) {
    writeUnit("Hero", "affiliation = player\nisThePC = true\ndatafile = gfx/u.dat\naddedUnits = 2\n"
                      "addedUnit0 = Bolt 10 0 1 0 0 1 5 0 0 0 0 0 true 3\n"
                      "addedUnit1 = Bolt 10 0 5000000 0 0 3 5 0 0 0 0 0 false 3\n"
                      "addedUnit2 = Bolt 10 0 1 0 0 1 5 0 0 0 0 0 true\n"
                      "[Animation]\nanimIdle = 0 -1 0 stand 2\n");
    check();
    EXPECT_TRUE(find("attack 3 is not one of 1, 2, 4 or 8"));
    EXPECT_TRUE(find("attack 1 mixes entries with attack values 1 and 3"));
    EXPECT_TRUE(find("onClick differs from the first entry of attack 1"));
    // Numbers beyond a million are quoted as the game pins them, not as they overflow.
    EXPECT_NE(find("an amount of 5000000")->game.find("adds 1000000 units"), std::string::npos);
    const Problem* unread = find("addedUnits is 2, so this entry is never read");
    ASSERT_TRUE(unread);
    EXPECT_EQ(unread->place.key, "addedUnit2");
    EXPECT_EQ(unread->place.line, 7);

    writeUnit("Hero",
              "affiliation = player\nisThePC = true\ndatafile = gfx/u.dat\naddedUnits = 1\n"
              "addedUnit0 = Bolt 10 0 1 0 0 1 5 0 0 0 0 0 true\n[Animation]\nanimIdle = 0 -1 0 stand 2\n");
    Report again;
    DataCheck(again).run();
    bool skipped = false;
    for (const Problem& p : again.getProblems())
        skipped = skipped || p.what == "14 values; an added-unit entry has exactly 15";
    EXPECT_TRUE(skipped);
}

TEST_F(CheckTest, SpawnLinesAndRoundsThatDoNotPlayAsWritten) {
    writeUnit("Crystal",
              "affiliation = neutral\ndatafile = gfx/u.dat\n[Animation]\nanimIdle = 0 -1 0 stand 0\n");
    dir.write("data/campaigns/Camp",
              campaign("Spawns = 5\nSpawn0 = Crystal 1 9 1 0 0 0\nSpawn1 = Grub 1 4 1 0 0 0 10 10\n"
                       "Spawn2 = Grub 3000000000 14 1 0 0 7\nSpawn3 = Grub 1 10 3 0 -1 0 500 20\n"
                       "Spawn4 = Grub 1 2 1 0 0\nSpawn5 = Grub 1 2 1 0 0 0\nArenaWall = stop\n"
                       "Music = data/sound/camp.ogg\n"));
    check();
    const Problem* unlisted = find("\"Crystal\" is not in the campaign's UnitsToAppear");
    ASSERT_TRUE(unlisted);
    EXPECT_EQ(unlisted->severity, Severity::Error);
    EXPECT_EQ(unlisted->place.section, "Round1");
    EXPECT_EQ(unlisted->place.key, "Spawn0");
    EXPECT_TRUE(find("a position is given, but the side is 4, not 10"));
    EXPECT_TRUE(find("side 14 is no placement"));
    EXPECT_TRUE(find("variant 7 is not 0 to 4"));
    EXPECT_NE(find("an amount of 3000000000")->game.find("asks for 1000000 units"), std::string::npos);
    EXPECT_TRUE(find("the position (500, 20) is outside the 200 x 150 arena"));
    EXPECT_EQ(find("the round cannot be won")->severity, Severity::Error);
    EXPECT_TRUE(find("6 values; a spawn line has 7"));
    EXPECT_EQ(find("Spawns is 5, so this line is never read")->place.key, "Spawn5");
    EXPECT_NE(find("\"stop\" is no wall mode")->fix.find("Did you mean \"Stop\"?"), std::string::npos);
    EXPECT_EQ(problemsAt("data/campaigns/Camp", "Music").at(0)->fix, "move it into [Campaign]");
}

TEST_F(CheckTest, RoundsWithoutEnemiesAreWonAtOnce) {
    dir.write("data/campaigns/Camp", campaign("Spawns = 0\n"));
    check();
    const Problem* p = find("no enemy ever appears in this round");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->place.section, "Round1");
    EXPECT_EQ(report.getErrorCount(), 1) << everything();
}

TEST_F(CheckTest, CampaignFilesRoundsAndListsThatTheGameRefuses) {
    dir.write("data/campaigns/Camp",
              "[Campaign]\nDatafile = data/gfx/camp.dat\nTotalRounds = 3\nMusic = data/none.ogg\n"
              "UnitsToAppear = Grub Grub\n[Round0]\nArenaPic = data/gfx/camp.dat arena\n"
              "ArenaSize = 0 100\nSpawns = 1\nSpawn0 = Grub 1 2 1 0 0 0\n"
              "[Round1]\nArenaPic = data/gfx/camp.dat floor title\nArenaSize = 100 100\n"
              "Spawns = 1\nSpawn0 = Grub 1 2 1 0 0 0\n[Round4]\nname = never\n");
    dir.write("data/listOfCharacters.txt", "Hero\nA test hero.\n[End]\nGrub\nno end line\n");
    dir.write("data/unit/Orphan", "datafile = gfx/u.dat\n");
    check();
    EXPECT_TRUE(find("the music data/none.ogg does not exist"));
    EXPECT_TRUE(find("\"Grub\" is listed twice"));
    EXPECT_TRUE(find("\"0 100\" is not a usable size"));
    EXPECT_TRUE(find("no arena size, here or in an earlier round"));
    EXPECT_TRUE(find("no title picture, here or in an earlier round"));
    EXPECT_TRUE(find("the picture \"floor\" is missing from data/gfx/camp.dat"));
    EXPECT_EQ(find("the round has no section")->place.section, "Round2");
    EXPECT_EQ(find("TotalRounds is 3, so this round is never played")->place.section, "Round4");
    EXPECT_EQ(find("the entry \"Grub\" has no closing [End] line")->place.line, 4);
    EXPECT_EQ(find("no campaign, character or added unit uses this unit file")->place.file,
              "data/unit/Orphan");
    for (const Problem& p : report.getProblems())
        EXPECT_EQ(p.what.find("the game shows a message"), std::string::npos) << everything();
}

TEST_F(CheckTest, CharactersMustBeThePlayersOwnUnits) {
    dir.write("data/listOfCharacters.txt", "Hero\nx\n[End]\nGrub\ny\n[End]\nNobody\nz\n[End]\n");
    check();
    EXPECT_TRUE(find("the character \"Grub\" is not a player's unit"));
    EXPECT_TRUE(find("the character \"Grub\" is not on the player's side"));
    const Problem* missing = find("unit type \"Nobody\" has no unit file");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->place.file, "data/listOfCharacters.txt");
    EXPECT_EQ(missing->place.line, 7);
}

TEST_F(CheckTest, SoundsThatDoNotDecodeAreWarnings) {
    dir.write("data/sound/broken.ogg", "OggS but not really");
    writeUnit(
        "Grub",
        "affiliation = enemy\ndatafile = gfx/u.dat\n[AI]\nattackDistMax = 10\n[Animation]\n"
        "animIdle = 0 -1 0 stand 0\n[Sound]\nHit = data/sound/broken.ogg\nDead = data/sound/gone.wav\n");
    check();
    EXPECT_EQ(find("does not decode")->place.key, "Hit");
    EXPECT_EQ(find("does not exist")->place.key, "Dead");
    EXPECT_EQ(report.getErrorCount(), 0);
}

TEST_F(CheckTest, JsonOutputCarriesEveryField) {
    writeUnit("Grub", "affiliation = enmy\ndatafile = gfx/u.dat\n[Animation]\nanimIdle = 0 -1 0 stand 0\n");
    check();
    std::ostringstream out;
    report.writeJson(out, "/tmp/set/");
    std::string json = out.str();
    EXPECT_NE(json.find("\"errors\": " + std::to_string(report.getErrorCount())), std::string::npos);
    EXPECT_NE(json.find("{\"severity\": \"error\", \"file\": \"/tmp/set/unit/Grub\", \"section\": \"\", "
                        "\"key\": \"affiliation\", \"line\": 1, \"problem\": \"\\\"enmy\\\" is no side\""),
              std::string::npos)
        << json;
}

// Each refused real is an error carrying the game's own message, so no message goes unexplained.
TEST_F(CheckTest, RealNumbersTheGameRefusesAreErrorsWithItsMessages) {
    writeUnit("Hero",
              "affiliation = player\nisThePC = true\nwalkspeed = -nan\ndatafile = gfx/u.dat\naddedUnits = 1\n"
              "addedUnit0 = Bolt inf 0 1 0 0 1 5 0 0 0 0 0 true 3\n[Animation]\nanimIdle = 0 -1 0 stand 2\n");
    dir.write("data/campaigns/Camp", campaign("ArenaKB = 1e300\nSpawns = 1\nSpawn0 = Grub 2 1 1 10 0 0\n"));
    check();
    EXPECT_EQ(find("\"-nan\" is not a usable number")->place.line, 3);
    EXPECT_EQ(find("\"inf\" is not a usable number")->place.key, "addedUnit0");
    EXPECT_EQ(find("\"1e300\" is not a usable number")->place.section, "Round1");
    EXPECT_EQ(report.getErrorCount(), 3) << everything();
}

// The checker reads names from the text the game reads: a Latin-1 byte is '?' for both.
TEST_F(CheckTest, NamesInOtherEncodingsReadAsTheGameReadsThemAndJsonStaysUtf8) {
    dir.write("data/campaigns/Camp", "\xef\xbb\xbf" + campaign("Spawns = 1\nSpawn0 = Grub 2 1 1 10 0 0\n"
                                                               "# \xff\xed\xff\x9d\x9d\nHint = Gr\xfc\n"));
    dir.write("data/listOfCharacters.txt", "Hero\nA test hero.\n[End]\nGr\xfc"
                                           "b\n\n[End]\n");
    writeUnit("Gr\xfc"
              "b",
              "datafile = gfx/u.dat\n");
    check();
    EXPECT_EQ(find("unit type \"Gr?b\" has no unit file")->place.line, 4);
    EXPECT_EQ(find("the file name is not UTF-8 text")->place.file, "data/unit/Gr\xfc"
                                                                   "b");
    EXPECT_EQ(report.getErrorCount(), 1) << everything();
    EXPECT_EQ(report.getWarningCount(), 3) << everything(); // the two lines, the file; not the comment
    std::ostringstream json;
    report.writeJson(json);
    EXPECT_EQ(json.str().find('\xfc'), std::string::npos);
    EXPECT_NE(json.str().find("data/unit/Gr\\ufffdb"), std::string::npos);
}
