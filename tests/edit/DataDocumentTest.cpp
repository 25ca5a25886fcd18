#include <cerrno>
#include <dirent.h>
#include <functional>
#include <gtest/gtest.h>

#include "check/CheckMemory.h"
#include "edit/DataDocument.h"
#include "edit/DocumentShelf.h"
#include "edit/SelectionList.h"
#include "edit/checkDocument.h"
#include "edit/newCampaign.h"
#include "edit/simulateRound.h"
#include "sim/Simulation.h"
#include "support/DataBuilder.h"
#include "support/TestEnv.h"
#include "support/TrialCampaign.h"
#include "system/Messages.h"
#include "system/configText.h"

namespace {

// Every text file of the shipped data set: campaigns, unit files (no extension) and the lists.
std::vector<std::string> shippedFiles() {
    std::vector<std::string> out = {"data/listOfCampaigns.txt", "data/listOfCharacters.txt"};
    for (std::string folder : {"data/campaigns/", "data/unit/"}) {
        DIR* d = opendir(folder.c_str());
        for (dirent* e; d && (e = readdir(d));)
            if (e->d_type == DT_REG && std::string(e->d_name).find('.') == std::string::npos)
                out.push_back(folder + e->d_name);
        if (d) closedir(d);
    }
    return out;
}

// Round r of the Trial campaign written as text, played by the scripted player for 150 steps.
uint64_t playTrial(const std::string& campaignText, int round) {
    TempDir dir;
    EXPECT_TRUE(writeTrialDataSet());
    dir.write("data/campaigns/Trial", campaignText);
    Simulation sim;
    srand(7);
    EXPECT_EQ(sim.loadCampaignRound("Trial", round, "tester"), 0);
    sim.setScripted(true);
    for (int i = 0; i < 50; i++)
        sim.runPass(3, false);
    return sim.stateHash();
}

} // namespace

TEST(DataDocumentTest, ShippedFilesSaveByteForByteAndEveryEditUndoes) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string& path : shippedFiles()) {
        std::string bytes;
        ASSERT_TRUE(readFileBytes(path.c_str(), &bytes)) << path;
        files.push_back({path, bytes});
    }
    ASSERT_GT(files.size(), 40u);
    // Line ends, a missing last one, a byte-order mark, bytes that are no text, a section twice.
    files.push_back(
        {"odd", "\xef\xbb\xbf# c\r\n[Campaign]\r\nTotalRounds=2 \r\n[Round0]\r\n\xff=1\r\n[Round1]\r\nx"});
    TempDir dir;
    for (auto& [path, bytes] : files) {
        DataDocument doc;
        doc.setText(bytes);
        ASSERT_EQ(doc.save("saved"), 0);
        EXPECT_EQ(dir.read("saved"), bytes) << path;
        doc.set("Campaign", "Music", "data/music/other.ogg");
        doc.set("Look", "shape", "ring");
        doc.addRound({{"ArenaPic", "data/gfx/x.dat arena"}});
        doc.duplicateRound(0);
        doc.moveRound(1, -1);
        doc.removeRound(doc.getRoundCount() - 1);
        doc.remove("", "maxHP");
        std::string edited = doc.getText();
        EXPECT_TRUE(doc.isModified());
        while (doc.undo()) {
        }
        EXPECT_EQ(doc.getText(), bytes) << path;
        while (doc.redo()) {
        }
        EXPECT_EQ(doc.getText(), edited) << path;
    }
}

TEST(DataDocumentTest, EditsKeepTheLayoutAndNumberTheRounds) {
    DataDocument doc;
    doc.setText("# head\r\n[Campaign]\r\nTotalRounds = 3\r\n\r\n[Round0]\r\nname = A\r\n\r\n# about B\r\n"
                "[Round1]\r\nname  =  B   \r\nname = shadowed\r\n\r\n[Round2]\r\nname = C");
    EXPECT_EQ(doc.get("round1", "NAME"), "B");
    doc.set("Round1", "name", "Bee");
    doc.set("Round1", "Spawns", "0");
    EXPECT_EQ(doc.lineOf("Round1", "Spawns"), 12);
    doc.moveRound(1, -1);
    doc.duplicateRound(2);
    doc.removeRound(1);
    EXPECT_EQ(doc.getText(), "# head\r\n[Campaign]\r\nTotalRounds = 3\r\n\r\n# about B\r\n[Round0]\r\n"
                             "name  =  Bee   \r\nname = shadowed\r\nSpawns = 0\r\n\r\n"
                             "[Round1]\r\nname = C\r\n\r\n[Round2]\r\nname = C");
    // A new round loads with the last round's arena, but shows no title naming that round.
    doc.set("Round2", "ArenaPic", "data/gfx/c.dat arena title");
    EXPECT_EQ(doc.getNewRoundKeys(),
              (DataDocument::KeyValues{
                  {"name", "New round"}, {"ArenaPic", "data/gfx/c.dat arena"}, {"Spawns", "0"}}));
}

TEST(DataDocumentTest, UnsavedTextsAreKeptBesideTheirFilesUntilSavedAndOfferedBack) {
    TempDir dir;
    const std::string text = "[Campaign]\nTotalRounds = 0\n", copy = "data/campaigns/.Trial.recovery";
    dir.write("data/campaigns/Trial", text);
    std::string edited;
    {
        DocumentShelf shelf;
        DataDocument& doc = shelf.open("campaigns/Trial");
        doc.set("Campaign", "Title", "Night");
        edited = doc.getText();
        EXPECT_EQ(dir.read(copy), edited);
        doc.undo();
        EXPECT_FALSE(dir.exists(copy)) << "nothing unsaved after the undo";
        doc.redo();
        EXPECT_EQ(dir.read(copy), edited);
    } // the session ends unsaved
    EXPECT_EQ(DocumentShelf::findRecoveryCopies(), std::vector<std::string>{"campaigns/Trial"});
    DocumentShelf shelf;
    ASSERT_TRUE(shelf.restoreRecoveryCopy("campaigns/Trial"));
    DataDocument& doc = shelf.open("campaigns/Trial");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.getText(), edited);
    EXPECT_EQ(dir.read("data/campaigns/Trial"), text);
    EXPECT_TRUE(shelf.saveAll().empty());
    EXPECT_EQ(dir.read("data/campaigns/Trial"), edited);
    EXPECT_FALSE(dir.exists(copy)) << "saved";
    doc.set("Campaign", "Title", "Day");
    shelf.discardRecoveryCopies(); // Quit, losing the change
    EXPECT_TRUE(DocumentShelf::findRecoveryCopies().empty());

    // A file far beyond any real one is said to be and left alone: never read, checked or saved over.
    std::string huge(DataDocument::MOST_BYTES + 1, '#');
    dir.write("data/campaigns/Huge", huge);
    clearShownMessages();
    DataDocument& big = shelf.open("campaigns/Huge");
    EXPECT_EQ(big.getLoadError(), EFBIG);
    ASSERT_EQ(getShownMessages().size(), 1u);
    EXPECT_NE(getShownMessages()[0].find("larger than 64 kB"), std::string::npos) << getShownMessages()[0];
    EXPECT_EQ(checkDocument("campaigns/Huge", shelf).size(), 1u);
    big.set("Campaign", "TotalRounds", "1");
    EXPECT_EQ(shelf.saveAll().size(), 1u);
    EXPECT_EQ(dir.read("data/campaigns/Huge"), huge);
}

TEST(DataDocumentTest, AnEditedCampaignPlaysAsTheSameFileEditedByHand) {
    std::string original =
        "[Campaign]\nDatafile = data/trial.dat\nTotalRounds = 2\nUnitsToAppear = drifter\n\n"
        "[Round0]\nArenaSize = 400 300\nArenaPic = data/trialRounds.dat arena1 title1\n"
        "Spawns = 1\nSpawn0 = drifter 1 10 0 0 0 0 100 290\n\n"
        "[Round1]\nArenaPic = data/trialRounds.dat arena2 title2\n"
        "Spawns = 1\nSpawn0 = drifter 1 10 0 0 0 0 300 60\n";
    std::string byHand = "[Campaign]\nDatafile = data/trial.dat\nTotalRounds = 2\nUnitsToAppear = drifter\n\n"
                         "[Round0]\nArenaPic = data/trialRounds.dat arena2 title2\nSpawns = 2\n"
                         "Spawn0 = drifter 1 10 0 0 0 0 200 60\nSpawn1 = drifter 1 10 0 0 0 0 90 90\n\n"
                         "[Round1]\nArenaSize = 400 300\nArenaPic = data/trialRounds.dat arena1 title1\n"
                         "Spawns = 1\nSpawn0 = drifter 1 10 0 0 0 0 100 290\nArenaWall = Bounce\n";
    DataDocument doc;
    doc.setText(original);
    doc.moveRound(1, -1);
    doc.set("Round0", "Spawns", "2");
    doc.set("Round0", "Spawn0", "drifter 1 10 0 0 0 0 200 60");
    doc.set("Round0", "Spawn1", "drifter 1 10 0 0 0 0 90 90");
    doc.set("Round1", "ArenaWall", "Bounce");
    for (int round = 0; round < 2; round++)
        EXPECT_EQ(playTrial(doc.getText(), round), playTrial(byHand, round)) << round;
    EXPECT_NE(playTrial(original, 0), playTrial(byHand, 0));

    // Simulating plays the text as it stands, with both players, and writes nothing.
    TempDir dir;
    ASSERT_TRUE(writeTrialDataSet());
    std::string onDisk;
    ASSERT_TRUE(readFileBytes("data/campaigns/Trial", &onDisk));
    std::vector<std::string> runs = simulateRound("Trial", byHand, 1, 1);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[1].rfind("seed 1000, scripted: won after ", 0), 0u) << runs[1];
    EXPECT_EQ(runs[2].rfind("seed 1000, sloppy: ", 0), 0u) << runs[2];
    EXPECT_EQ(simulateRound("Trial", "[Campaign]\nTotalRounds = 1\n", 0, 1)
                  .back()
                  .rfind("the round does not load", 0),
              0u);
    std::string after;
    ASSERT_TRUE(readFileBytes("data/campaigns/Trial", &after));
    EXPECT_EQ(after, onDisk);
}

TEST(DataDocumentTest, TypedValuesAreCheckedByTheirRowOnTheLineTheyWillBeSavedOn) {
    DataDocument doc;
    doc.setText("[Campaign]\nTotalRounds = 2\n\n[Round0]\nArenaKB = 0.5\n\n[Round1]\nname = B\n");
    const struct {
        const char *section, *key, *value, *problem; // "" for none
    } cases[] = {
        {"Round0", "ArenaKB", "0.7", ""},
        {"Round0", "ArenaKB", "", ""}, // left out: the game's default
        {"Round0", "ArenaKB", "1.5", "line 5: warning: [Round0] ArenaKB: 1.5 is above 0.99"},
        {"Round0", "ArenaKB", "fast", "line 5: warning: [Round0] ArenaKB: \"fast\" is not a number"},
        {"Round1", "ArenaWall", "Bounse", "line 9: warning: [Round1] ArenaWall: \"Bounse\" is no wall mode"},
        {"Round1", "ArenaSize", "480",
         "line 9: warning: [Round1] ArenaSize: 1 values; the arena size is "
         "width and height"},
        {"Campaign", "TotalRounds", "two",
         "line 2: warning: [Campaign] TotalRounds: \"two\" is not a plain whole number"},
        {"Campaign", "Title", "The Long Night", ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> found = checkTypedValue("campaigns/Trial", doc, c.section, c.key, c.value);
        EXPECT_EQ(found.empty() ? "" : found[0], c.problem) << c.key << " = " << c.value;
    }
    // A unit file's keys, global and in a section, by the unit table's rows.
    DataDocument unit;
    unit.setText("maxHP = 100\n\n[AI]\ntargetAffiliation = enemy\n");
    EXPECT_EQ(checkTypedValue("unit/Grub", unit, "", "maxHP", "lots")[0],
              "line 1: warning: maxHP: \"lots\" is not a plain whole number");
    EXPECT_EQ(checkTypedValue("unit/Grub", unit, "AI", "careAboutArena", "maybe")[0],
              "line 5: warning: [AI] careAboutArena: \"maybe\" is neither true nor false");
}

TEST(DataDocumentTest, TheCheckKeepingWhatItReadFindsWhatAFreshCheckFinds) {
    TempDir dir;
    ASSERT_TRUE(writeTrialDataSet());
    std::string text;
    ASSERT_TRUE(readFileBytes("data/campaigns/Trial", &text));
    DataDocument doc;
    doc.setText(text);
    CheckMemory memory;
    auto sameAsFresh = [&](const char* what) {
        std::vector<std::string> fresh = checkDocument("campaigns/Trial", doc.getText());
        EXPECT_EQ(checkDocument("campaigns/Trial", doc.getText(), &memory), fresh) << what;
        return fresh.size();
    };
    size_t clean = sameAsFresh("as written");
    doc.set("Round0", "ArenaKB", "1.5");
    doc.set("Round1", "ArenaPic", "data/trialRounds.dat arena9 title2");
    EXPECT_EQ(sameAsFresh("a value beyond its limits and a missing picture"), clean + 2);
    doc.set("Campaign", "UnitsToAppear", "tester");
    doc.set("Round0", "Spawn0", "nobody 1 10 0 0 0 0 100 290");
    sameAsFresh("spawn lines of types not listed");
    // A datafile read by an earlier check that is gone, then back in another form.
    ASSERT_EQ(rename("data/trialRounds.dat", "data/kept.dat"), 0);
    sameAsFresh("the rounds' datafile gone");
    ASSERT_TRUE(makeDatafile("data/trialRounds.dat", {{"arena9", 40, 30, 0x306030}}));
    sameAsFresh("the rounds' datafile made again");
    // The editor plays no music: it looks for the file and never reads it.
    dir.write("data/music/trial.ogg", "no Ogg Vorbis");
    doc.set("Campaign", "Music", "data/music/trial.ogg");
    for (const std::string& line : checkDocument("campaigns/Trial", doc.getText(), &memory))
        EXPECT_EQ(line.find("music"), std::string::npos) << line;
}

TEST(DataDocumentTest, SelectionListsReadAsTheGameReadsThemAndEditWholeEntries) {
    for (const char* path : {"data/listOfCampaigns.txt", "data/listOfCharacters.txt"}) {
        std::string bytes;
        ASSERT_TRUE(readFileBytes(path, &bytes)) << path;
        DataDocument doc;
        doc.setText(bytes);
        SelectionList list(doc);
        std::vector<SelectionEntry> game = readSelectionList(path), read = list.getEntries();
        ASSERT_EQ(read.size(), game.size()) << path;
        for (size_t i = 0; i < game.size(); i++)
            EXPECT_EQ(read[i].name + "|" + read[i].description, game[i].name + "|" + game[i].description);
        list.moveEntry(0, 1);
        list.setDescriptionLines(1, {"changed"});
        list.removeEntry(2);
        while (doc.undo()) {
        }
        EXPECT_EQ(doc.getText(), bytes) << path;
    }
    // Line ends kept, no line end after the last line, and an entry without [End], which stays last.
    const std::string crlf = "A\r\na1\r\n[End]\r\nB\r\n[End]\r\nloose", bare = "A\n[End]";
    const struct {
        std::string before;
        std::function<void(SelectionList&)> edit;
        std::string after;
    } cases[] = {
        {crlf, [](SelectionList& l) { l.moveEntry(0, 1); }, "B\r\n[End]\r\nA\r\na1\r\n[End]\r\nloose"},
        {crlf, [](SelectionList& l) { l.moveEntry(1, -1); }, "B\r\n[End]\r\nA\r\na1\r\n[End]\r\nloose"},
        {crlf, [](SelectionList& l) { l.moveEntry(1, 1); }, crlf},
        {crlf,
         [](SelectionList& l) {
             l.addEntry(2, "C", {"c1", "c2"});
         },
         "A\r\na1\r\n[End]\r\nB\r\n[End]\r\nC\r\nc1\r\nc2\r\n[End]\r\nloose"},
        {crlf, [](SelectionList& l) { l.addEntry(0, "C", {}); }, "C\r\n[End]\r\n" + crlf},
        {crlf, [](SelectionList& l) { l.removeEntry(0); }, "B\r\n[End]\r\nloose"},
        {crlf, [](SelectionList& l) { l.setName(1, "Bee"); }, "A\r\na1\r\n[End]\r\nBee\r\n[End]\r\nloose"},
        {crlf, [](SelectionList& l) { l.setDescriptionLines(0, {}); }, "A\r\n[End]\r\nB\r\n[End]\r\nloose"},
        {crlf,
         [](SelectionList& l) {
             l.setDescriptionLines(1, {"b1", ""});
         },
         "A\r\na1\r\n[End]\r\nB\r\nb1\r\n\r\n[End]\r\nloose"},
        {bare, [](SelectionList& l) { l.addEntry(1, "C", {"c"}); }, "A\n[End]\nC\nc\n[End]"},
        {"", [](SelectionList& l) { l.addEntry(0, "C", {}); }, "C\n[End]\n"},
    };
    for (auto& c : cases) {
        DataDocument doc;
        doc.setText(c.before);
        SelectionList list(doc);
        c.edit(list);
        EXPECT_EQ(doc.getText(), c.after);
        doc.undo();
        EXPECT_EQ(doc.getText(), c.before);
    }
}

TEST(DataDocumentTest, ANewCampaignIsMadeListedAndUnmadeAsOne) {
    TempDir dir;
    dir.write("data/listOfCampaigns.txt", "Old\nthe old one\n[End]\n");
    dir.write("data/campaigns/Stray", "[Campaign]\n");
    DocumentShelf shelf;
    for (const char* name :
         {"", "a/b", "a\\b", ".hidden", " Pad", "Pad ", "Tab\tbed", "x[End]", "old", "stray"})
        EXPECT_NE(newCampaignNameProblem(shelf, name), "") << name;
    EXPECT_EQ(newCampaignNameProblem(shelf, "Quarry two"), "");
    makeCampaign(shelf, "Quarry", "data/gfx/x.dat");
    EXPECT_NE(newCampaignNameProblem(shelf, "quarry"), "");
    DataDocument& quarry = shelf.open("campaigns/Quarry");
    EXPECT_EQ(quarry.getText(), "[Campaign]\nDatafile = data/gfx/x.dat\nTotalRounds = 0\n");
    EXPECT_EQ(shelf.open(campaignListPath).getText(), "Old\nthe old one\n[End]\nQuarry\n[End]\n");
    // Checked as listed, though neither it nor the list is saved yet.
    std::vector<std::string> problems = checkDocument("campaigns/Quarry", shelf);
    EXPECT_NE(problems.front().find("Datafile: the datafile data/gfx/x.dat"), std::string::npos)
        << problems.front();
    EXPECT_FALSE(remakeCampaign(shelf, "Quarry"));
    ASSERT_TRUE(unmakeCampaign(shelf, "Quarry"));
    EXPECT_FALSE(shelf.isModified());
    ASSERT_TRUE(remakeCampaign(shelf, "Quarry"));
    // Once the new campaign has edits of its own, Undo takes those back first.
    quarry.addRound({{"name", "First"}});
    EXPECT_FALSE(unmakeCampaign(shelf, "Quarry"));
    EXPECT_EQ(quarry.getRoundCount(), 1);
    EXPECT_TRUE(shelf.saveAll().empty());
    EXPECT_EQ(dir.read("data/listOfCampaigns.txt"), "Old\nthe old one\n[End]\nQuarry\n[End]\n");
    EXPECT_EQ(dir.read("data/campaigns/Quarry"), quarry.getText());
}
