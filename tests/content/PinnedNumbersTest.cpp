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

// Reals must be finite and fit a fixed: NaN as fixed is undefined, and a unit walking at infinite
// speed leaves the arena. A refused value is named in a message and the default kept.
TEST_F(ContentTest, RealNumbersThatAreNotFiniteOrBeyondFixedAreRefusedAndTheDefaultKept) {
    writeSimpleUnit(
        "Imp", "walkspeed = nan\naddedUnits = 1\naddedUnit0 = Imp -INF 0x1p3 1 0 0 1 0 0 0 0 0 0 false 0\n"
               "[AI]\nattackDistMax = 32767\nattackAngleSpread = -32768\n");
    loader.addUnit("Imp");
    UnitTemplate* t = unitType("Imp");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->walkspeed, itofix(5));
    EXPECT_EQ(t->unitInput->attackDistMax, itofix(32767));
    EXPECT_EQ(t->unitInput->attackAngleSpread, itofix(256));
    EXPECT_EQ(t->addedUnits[0]->spawnDist, 0);
    EXPECT_EQ(t->addedUnits[0]->spawnAngle, itofix(8)); // a hexadecimal real, as C reads it
    const std::string range = " is not a usable number (it must be a finite number from -32767 to 32767); ";
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "data/unit/Imp: walkspeed: \"nan\"" + range + "5 is used instead.\n",
                  "data/unit/Imp: [AI] attackAngleSpread: \"-32768\"" + range + "256 is used instead.\n",
                  "data/unit/Imp: addedUnit0 value 2: \"-INF\"" + range + "0 is used instead.\n"}));
}
