#include "ContentFixture.h"
#include "menus/StartGameConfig.h"

using Messages = std::vector<std::string>;

namespace {

// The start-game screen's lists, emptied before each test as the screen does before it reads.
class ListTest : public ContentTest {
  protected:
    StartGameConfig screen{nullptr, &loader};

    void SetUp() override {
        ContentTest::SetUp();
        StartGameConfig::campNames.clear();
        StartGameConfig::campDesc.clear();
        StartGameConfig::charNames.clear();
        StartGameConfig::charDesc.clear();
    }
    void TearDown() override { SetUp(); }
};

} // namespace

TEST_F(ContentTest, TheGeneralDatafileGivesTheCursorIconsAndRoundEndPictures) {
    writeGeneralData();
    ASSERT_EQ(loader.loadGeneralData(), 0);
    ASSERT_NE(loader.getMouseCursor(), nullptr);
    EXPECT_EQ(loader.getMouseCursor()->w, 5);
    ASSERT_EQ(loader.getGoodStatusPics()->size(), 4u);
    ASSERT_EQ(loader.getBadStatusPics()->size(), 4u);
    for (int i = 0; i < 4; i++) {
        ASSERT_NE((*loader.getGoodStatusPics())[i], nullptr);
        EXPECT_EQ((*loader.getGoodStatusPics())[i]->w, 10 + i);
        ASSERT_NE((*loader.getBadStatusPics())[i], nullptr);
        EXPECT_EQ((*loader.getBadStatusPics())[i]->w, 20 + i);
    }
    EXPECT_EQ(loader.getYouWinPic()->w, 30);
    EXPECT_EQ(loader.getYouLosePic()->w, 31);

    BITMAP* cursor = loader.getMouseCursor();
    ASSERT_EQ(loader.loadGeneralData(), 0);
    EXPECT_EQ(loader.getMouseCursor(), cursor) << "a second campaign reuses the loaded pictures";
    EXPECT_EQ(loader.getLoadedDatafileCount(), 1);
    EXPECT_TRUE(messages().empty());
}

TEST_F(ContentTest, AfterAChangeOfColourDepthThePicturesLoadAgainAtTheNewDepth) {
    writeGeneralData();
    set_color_conversion(COLORCONV_TOTAL);
    ASSERT_EQ(loader.loadGeneralData(), 0);
    BITMAP* deep = loader.getMouseCursor();
    set_color_depth(16);
    ASSERT_EQ(loader.loadGeneralData(), 0);
    BITMAP* shallow = loader.getMouseCursor();
    set_color_depth(32);
    ASSERT_EQ(loader.loadGeneralData(), 0);
    set_color_conversion(COLORCONV_NONE);
    EXPECT_EQ(bitmap_color_depth(deep), 32);
    EXPECT_EQ(bitmap_color_depth(shallow), 16);
    EXPECT_EQ(loader.getMouseCursor(), deep) << "back at 32 bits the first copy serves again";
    EXPECT_EQ(loader.getLoadedDatafileCount(), 2);
}

TEST_F(ContentTest, GeneralDataFailuresAreReported) {
    EXPECT_EQ(loader.loadGeneralData(), 1);
    dir.write("data/generalData.dat", "not a datafile");
    EXPECT_EQ(loader.loadGeneralData(), 1);
    EXPECT_EQ(loader.getMouseCursor(), nullptr);
    EXPECT_EQ(messages(), (Messages{"General datafile did not load. Now exiting.\n",
                                    "General datafile did not load. Now exiting.\n"}));
}

TEST_F(ContentTest, MissingGeneralPicturesAreNullAndNamedOnceEach) {
    ASSERT_TRUE(writeWav("noise.wav", 10));
    ASSERT_TRUE(makeDatafile("data/generalData.dat", {{"youWin"}, {"goodStatus1"}, {"badStatus3"}},
                             {{"cursor", "noise.wav", "DATA"}}));
    ASSERT_EQ(loader.loadGeneralData(), 0);
    EXPECT_EQ(loader.getMouseCursor(), nullptr) << "an object that is not a picture";
    EXPECT_NE(loader.getYouWinPic(), nullptr);
    EXPECT_EQ(loader.getYouLosePic(), nullptr);
    EXPECT_EQ(*loader.getGoodStatusPics(),
              (std::vector<BITMAP*>{nullptr, (*loader.getGoodStatusPics())[1], nullptr, nullptr}));
    EXPECT_NE((*loader.getGoodStatusPics())[1], nullptr);
    EXPECT_NE((*loader.getBadStatusPics())[3], nullptr);
    const char* path = "data/generalData.dat";
    Messages expected;
    for (const char* object : {"cursor", "goodStatus0", "badStatus0", "badStatus1", "goodStatus2",
                               "badStatus2", "goodStatus3", "youLose"})
        expected.push_back(std::string("Could not find picture ") + object + " in datafile " + path + ".\n");
    EXPECT_EQ(messages(), expected);
}

TEST_F(ContentTest, UnloadingReleasesEveryDatafileAndUnitType) {
    writeGeneralData();
    writeSimpleUnit("grunt");
    ASSERT_EQ(loader.loadGeneralData(), 0);
    loader.addUnit("grunt");
    EXPECT_EQ(loader.getLoadedDatafileCount(), 2);
    loader.unloadAll();
    EXPECT_EQ(loader.getLoadedDatafileCount(), 0);
    EXPECT_EQ(loader.getMouseCursor(), nullptr);
    EXPECT_EQ((*loader.getBadStatusPics())[2], nullptr);
    EXPECT_TRUE(loader.getUnitTemplates()->empty()) << "their frames went with the datafiles";
    EXPECT_EQ(loader.dontExist("grunt"), nullptr);
    loader.addUnit("grunt");
    ASSERT_NE(unitType("grunt"), nullptr) << "a type can be loaded afresh afterwards";
    EXPECT_EQ(unitType("grunt")->vecPics[ANIM_IDLE][0]->w, 8);
} // the sanitizer build reports anything the loader's destructor leaves behind

TEST_F(ListTest, RecordsAreANameDescriptionLinesAndAnEndLine) {
    dir.write("data/listOfCampaigns.txt", "Forest\nA walk in the woods.\nBring an axe.\n[End]\n"
                                          "Desert\nHot.\nsand, and more [End] after\n"
                                          "\nNameless.\n[End]\n"
                                          "Unfinished\nno end line\n");
    dir.write("data/listOfCharacters.txt", "knight\r\nHeavy armour.\r\n[End]\r\n");
    EXPECT_EQ(loader.loadCharAndCamp(&screen), 0);
    EXPECT_EQ(StartGameConfig::campNames, (std::vector<std::string>{"Forest", "Desert", ""}));
    EXPECT_EQ(StartGameConfig::campDesc,
              (std::vector<std::string>{"A walk in the woods.\nBring an axe.\n", "Hot.\n", "Nameless.\n"}));
    EXPECT_EQ(StartGameConfig::charNames, std::vector<std::string>{"knight"});
    EXPECT_EQ(StartGameConfig::charDesc, std::vector<std::string>{"Heavy armour.\r\n"});
    EXPECT_TRUE(messages().empty());
}

TEST_F(ListTest, ANameLongerThan255CharactersSpillsIntoTheDescription) {
    std::string name(255, 'n');
    dir.write("data/listOfCharacters.txt", name + "tail\nmore\n[End]\n");
    dir.write("data/listOfCampaigns.txt", "");
    loader.loadCharAndCamp(&screen);
    EXPECT_EQ(StartGameConfig::charNames, std::vector<std::string>{name});
    EXPECT_EQ(StartGameConfig::charDesc, std::vector<std::string>{"tail\nmore\n"});
    EXPECT_TRUE(StartGameConfig::campNames.empty());
}

TEST_F(ListTest, AListFileThatCannotBeOpenedIsAnEmptyList) {
    dir.write("data/listOfCharacters.txt", "rogue\nQuick.\n[End]\n");
    EXPECT_EQ(loader.loadCharAndCamp(&screen), 0);
    EXPECT_TRUE(StartGameConfig::campNames.empty());
    EXPECT_EQ(StartGameConfig::charNames, std::vector<std::string>{"rogue"});
    runCommand("rm data/listOfCharacters.txt && mkdir data/listOfCampaigns.txt");
    EXPECT_EQ(loader.loadCharAndCamp(&screen), 0);
    EXPECT_EQ(StartGameConfig::charNames.size(), 1u);
    EXPECT_TRUE(messages().empty());
}
