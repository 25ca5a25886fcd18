// Whole numbers beyond a million either way are pinned where unit and campaign files are read,
// so a hand-written 99999999999 cannot overflow the sums of a round; a spawn line or an added
// unit makes at most 500 units, and says so.
#include "ContentFixture.h"

TEST_F(ContentTest, HugeAndNegativeWholeNumbersArePinnedToAMillion) {
    writeSimpleUnit("Ogre", "maxHP = 99999999999\ntimeToLive = -0x7fffffff\naddedUnits = 1\n"
                            "addedUnit0 = Ogre 1 0 5000 0 0 1 -99999999999 0 0 0 0 0 false 99999999999\n"
                            "[damage]\ndamageDealt = -2147483648\nkbDuration = 1e9\n"
                            "goodStatus = 99999999999 -99999999999 12 0\n");
    loader.addUnit("Ogre");
    UnitTemplate* t = unitType("Ogre");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->maxHP, 1000000);
    EXPECT_EQ(t->timeToLive, -1000000);
    EXPECT_EQ(t->damageDealt, -1000000);
    EXPECT_EQ(t->kbDuration, 1); // read as a whole number, as before: "1e9" is 1
    EXPECT_EQ(t->goodStatus, (std::vector<int>{1000000, -1000000, 12, 0}));
    ASSERT_EQ(t->addedUnits.size(), 1u);
    EXPECT_EQ(t->addedUnits[0]->amount, 500);
    EXPECT_EQ(t->addedUnits[0]->attack1Delay, -1000000);
    EXPECT_EQ(t->addedUnits[0]->hpCost, 1000000);
    EXPECT_EQ(messages(),
              std::vector<std::string>{"Unit Ogre: addedUnit0 adds 5000 units; only 500 are made.\n"});
}
