#include "ContentFixture.h"
#include "units/SpriteCache.h"

using Messages = std::vector<std::string>;

TEST_F(ContentTest, AUnitFileWithOnlyADatafileAndOneFrameTakesEveryDefault) {
    writeSimpleUnit("grunt");
    loader.addUnit("grunt");
    UnitTemplate* t = unitType("grunt");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->unitName, "grunt");
    EXPECT_EQ(t->affiliation, AFF_PLAYER);
    EXPECT_FALSE(t->isThePC);
    EXPECT_EQ(t->maxHP, 1000);
    EXPECT_EQ(t->walkspeed, ftofix(5.0));
    EXPECT_EQ(t->timeToLive, -20);
    ASSERT_EQ(t->vecPics[ANIM_IDLE].size(), 1u);
    EXPECT_EQ(t->vecPics[ANIM_IDLE][0]->w, 8);
    EXPECT_EQ(t->animFrameTimes[ANIM_IDLE], std::vector<int>{1});
    // Every key of the behaviour section is assigned, so a missing one is 0, not the settings' own default.
    EXPECT_EQ(t->unitInput->attackDistMax, 0);
    EXPECT_EQ(t->unitInput->attackAngleSpread, ftofix(256.0));
    EXPECT_EQ(t->unitInput->homeAngleCorrection, ftofix(15.0));
    EXPECT_EQ(t->unitInput->homeTimeInbetweenCorrection, 3);
    EXPECT_EQ(t->unitInput->targetAffiliation, 1);
    for (SAMPLE* s : t->sounds)
        EXPECT_EQ(s, nullptr);
    EXPECT_TRUE(messages().empty());
}

TEST_F(ContentTest, EveryKeyOfAUnitFileReachesItsField) {
    ASSERT_TRUE(writeWav("data/sound/hit.wav", 100));
    ASSERT_TRUE(writeWav("data/sound/boom.wav", 50, true));
    writeSimpleUnit("knight", "affiliation = enemy\n"
                              "isThePC = true\n"
                              "maxHP = 250\n"
                              "timeToLive = 40\n"
                              "walkspeed = 2.5\n"
                              "juiceForPlayer = 3\n"
                              "alignStyle = 2\n"
                              "alignDist = 12.5\n"
                              "alignAngleMin = -32\n"
                              "alignAngleMax = 32\n"
                              "[AI]\n"
                              "targetAffiliation = neutral\n"
                              "targetPriorityHP = -4\n"
                              "switchTarget = 3\n"
                              "homeTimeInbetweenCorrection = 7\n"
                              "homeAngleCorrection = 4.5\n"
                              "attackPeriodIndex = 9\n"
                              "attackDistMin = 10\n"
                              "attackDistMax = 80\n"
                              "attackAngleSpread = 16\n"
                              "careAboutArena = true\n"
                              "[Sound]\n"
                              "Hit = data/sound/hit.wav\n"
                              "Att3 = data/sound/boom.wav\n"
                              "Dead = data/sound/missing.wav\n"
                              "Att1 = data/unit/knight\n"
                              "[damage]\n"
                              "kbDir = 64\n"
                              "kbMag = 7.5\n"
                              "kbDuration = 5\n"
                              "damageDealt = 30\n"
                              "goodStatus = 1 2\n"
                              "badStatus = 5 6 7 8 9 10\n");
    loader.addUnit("knight");
    UnitTemplate* t = unitType("knight");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->affiliation, AFF_ENEMY);
    EXPECT_TRUE(t->isThePC);
    EXPECT_EQ(t->maxHP, 250);
    EXPECT_EQ(t->timeToLive, 40);
    EXPECT_EQ(t->walkspeed, ftofix(2.5));
    EXPECT_EQ(t->juiceForPlayer, 3);
    EXPECT_EQ(t->alignStyle, 2);
    EXPECT_EQ(t->alignDist, ftofix(12.5));
    EXPECT_EQ(t->alignAngleMin, itofix(-32));
    EXPECT_EQ(t->alignAngleMax, itofix(32));
    UnitInput* ai = t->unitInput;
    EXPECT_EQ(ai->targetAffiliation, AFF_NEUTRAL);
    EXPECT_EQ(ai->targetPriorityHP, -4);
    EXPECT_EQ(ai->switchTarget, 3);
    EXPECT_EQ(ai->homeTimeInbetweenCorrection, 7);
    EXPECT_EQ(ai->homeAngleCorrection, ftofix(4.5));
    EXPECT_EQ(ai->attackPeriodIndex, 9);
    EXPECT_EQ(ai->attackDistMin, itofix(10));
    EXPECT_EQ(ai->attackDistMax, itofix(80));
    EXPECT_EQ(ai->attackAngleSpread, itofix(16));
    EXPECT_TRUE(ai->careAboutArena);
    ASSERT_NE(t->sounds[SOUND_HIT], nullptr);
    EXPECT_EQ(t->sounds[SOUND_HIT]->len, 100u);
    EXPECT_EQ(t->sounds[SOUND_HIT]->stereo, 0);
    ASSERT_NE(t->sounds[SOUND_ATT3], nullptr);
    EXPECT_NE(t->sounds[SOUND_ATT3]->stereo, 0);
    EXPECT_EQ(t->sounds[SOUND_DEAD], nullptr) << "a missing sound file leaves its slot empty";
    EXPECT_EQ(t->sounds[SOUND_ATT1], nullptr) << "a file that is no sound leaves its slot empty";
    EXPECT_EQ(t->sounds[SOUND_ATT2], nullptr);
    EXPECT_EQ(t->kbDir, itofix(64));
    EXPECT_EQ(t->kbMag, ftofix(7.5));
    EXPECT_EQ(t->kbDuration, 5);
    EXPECT_EQ(t->damageDealt, 30);
    EXPECT_EQ(t->goodStatus, (std::vector<int>{1, 2, 0, 0}));
    EXPECT_EQ(t->badStatus, (std::vector<int>{5, 6, 7, 8}));
    EXPECT_TRUE(messages().empty()) << "sound failures are silent";
}

TEST_F(ContentTest, UnknownTextsLeaveTheAffiliationZeroAndTheTargetAtItsDefault) {
    writeSimpleUnit("odd", "affiliation = Enemy\n[AI]\ntargetAffiliation = nobody\n");
    loader.addUnit("odd");
    ASSERT_NE(unitType("odd"), nullptr);
    EXPECT_EQ(unitType("odd")->affiliation, 0) << "texts are compared case-sensitively";
    EXPECT_EQ(unitType("odd")->unitInput->targetAffiliation, 1);
}

TEST_F(ContentTest, AnimationListsGiveLoopsAndPairedFramesWithHoldCountsNeverNegative) {
    ASSERT_TRUE(makeDatafile("data/unit/anim.dat", {{"run1", 4},
                                                    {"run2", 5},
                                                    {"stand1", 6},
                                                    {"stand2", 7},
                                                    {"f1"},
                                                    {"f2"},
                                                    {"f3"},
                                                    {"f4"},
                                                    {"f5"},
                                                    {"f6"},
                                                    {"f7"}}));
    writeUnit("anim", "datafile = anim.dat\n"
                      "[Animation]\n"
                      "animRun = 2 -1 0 run1 3 run2 -4\n"
                      "animIdle = 0 -1 0 stand1 2 stand2\n"
                      "animStun = 5 6 7\n"
                      "animAim = 1 2 3 f1 0 f2 0 f3 0 f4 0 f5 0 f6 0 f7 0\n"
                      "animTaunt = 1 3 -1 STAND2 0\n");
    loader.addUnit("anim");
    UnitTemplate* t = unitType("anim");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->animRepeat[ANIM_RUN], 2);
    EXPECT_EQ(t->animLoopEnd[ANIM_RUN], -1);
    EXPECT_EQ(t->animLoopStart[ANIM_RUN], 0);
    ASSERT_EQ(t->vecPics[ANIM_RUN].size(), 2u);
    EXPECT_EQ(t->vecPics[ANIM_RUN][0]->w, 4);
    EXPECT_EQ(t->vecPics[ANIM_RUN][1]->w, 5);
    EXPECT_EQ(t->animFrameTimes[ANIM_RUN], (std::vector<int>{3, 0}));

    ASSERT_EQ(t->vecPics[ANIM_IDLE].size(), 1u) << "a last unpaired name is ignored";
    EXPECT_EQ(t->vecPics[ANIM_IDLE][0]->w, 6);

    EXPECT_EQ(t->animRepeat[ANIM_STUN], 0) << "three numbers alone set nothing";
    EXPECT_EQ(t->animLoopEnd[ANIM_STUN], -1);
    EXPECT_EQ(t->animLoopStart[ANIM_STUN], 0);
    EXPECT_TRUE(t->vecPics[ANIM_STUN].empty());

    EXPECT_EQ(t->vecPics[ANIM_AIM].size(), 6u) << "17 values: only 16 are seen, six frames";
    EXPECT_EQ(t->animFrameTimes[ANIM_AIM].size(), 6u);

    EXPECT_EQ(t->animRepeat[ANIM_TAUNT], 1);
    EXPECT_EQ(t->animLoopEnd[ANIM_TAUNT], 3);
    EXPECT_EQ(t->animLoopStart[ANIM_TAUNT], -1);
    ASSERT_EQ(t->vecPics[ANIM_TAUNT].size(), 1u) << "frame names match whatever their case";
    EXPECT_EQ(t->vecPics[ANIM_TAUNT][0]->w, 7);
    EXPECT_TRUE(t->vecPics[ANIM_DEAD].empty());
    EXPECT_TRUE(messages().empty());
}

TEST_F(ContentTest, AMissingOrNonPictureFrameIsSkippedWithOneMessageEach) {
    ASSERT_TRUE(writeWav("noise.wav", 10));
    ASSERT_TRUE(makeDatafile("data/unit/gap.dat", {{"run1"}},
                             {{"blob", "noise.wav", "DATA"}, {"hurt", "noise.wav", "SAMP"}}));
    writeUnit("gap", "datafile = gap.dat\n[Animation]\nanimRun = 0 -1 0 ghost 1 blob 2 hurt 3 run1 4\n");
    loader.addUnit("gap");
    UnitTemplate* t = unitType("gap");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->vecPics[ANIM_RUN].size(), 1u);
    EXPECT_EQ(t->animFrameTimes[ANIM_RUN], std::vector<int>{4});
    EXPECT_EQ(messages(), (Messages{"could not find ghost frame for gap, skipping it.\n",
                                    "could not find blob frame for gap, skipping it.\n",
                                    "could not find hurt frame for gap, skipping it.\n"}));
}

TEST_F(ContentTest, PropertyNamesSetTheirOwnBitWhicheverKeyListsThem) {
    writeSimpleUnit("props", "[UnitProperties]\n"
                             "Hitbox = HitsEnemy HitsEnemy Bouncy\n"
                             "Defense = HitsPlayer NoKnockBack\n"
                             "Player = ChainAttack4 hitsenemy Nonsense\n"
                             "Status = ImmuneBadAilments DealsNoKnockback IgnoreHealthFor1stAttack\n");
    loader.addUnit("props");
    UnitTemplate* t = unitType("props");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->unitPropertyHitbox, HITS_ENEMY | HITS_PLAYER | DEALS_NO_KNOCKBACK);
    EXPECT_EQ(t->unitPropertyDefense, BOUNCY | NO_KNOCKBACK);
    EXPECT_EQ(t->unitPropertyPlayer, CHAIN_ATTACK4 | IGNORE_HEALTH_FOR_1ST_ATTACK);
    EXPECT_EQ(t->unitPropertyStatus, IMMUNE_BAD_AILMENTS);
    EXPECT_TRUE(messages().empty());
}

TEST_F(ContentTest, AddedUnitListsNeedExactlyFifteenValuesAndLoadTheirTypeAtOnce) {
    writeSimpleUnit("bolt");
    writeSimpleUnit("mage", "addedUnits = 3\n"
                            "addedUnit0 = bolt 10 0 1 0 0 1 5 0 0 2 0 0 true\n"
                            "addedUnit1 = bolt 12.5 -16 3 32 4 2 5 6 7 8 9 13 true 15\n"
                            "addedUnit2 = bolt 1 1 1 1 1 1 1 1 1 1 1 1 false 1 99\n"
                            "addedUnit3 = bolt 1 1 1 1 1 1 1 1 1 1 1 1 false 1\n");
    loader.addUnit("mage");
    UnitTemplate* t = unitType("mage");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->addedUnits.size(), 1u) << "14 and 16 values are skipped; only addedUnits entries are read";
    AddUnitTemplate* a = t->addedUnits[0];
    EXPECT_EQ(a->unitName, "bolt");
    EXPECT_EQ(a->spawnDist, ftofix(12.5));
    EXPECT_EQ(a->spawnAngle, itofix(-16));
    EXPECT_EQ(a->amount, 3);
    EXPECT_EQ(a->angleSpread, itofix(32));
    EXPECT_EQ(a->angleRandom, itofix(4));
    EXPECT_EQ(a->attack, 2);
    EXPECT_EQ(a->attack1Delay, 5);
    EXPECT_EQ(a->attack2Delay, 6);
    EXPECT_EQ(a->attack4Delay, 7);
    EXPECT_EQ(a->moveLock, 8);
    EXPECT_EQ(a->dashTime, 9);
    EXPECT_EQ(a->appearDelay, 13);
    EXPECT_TRUE(a->onClick);
    EXPECT_EQ(a->hpCost, 15);
    // The added type is complete before the type that adds it.
    std::vector<UnitTemplate*>* all = loader.getUnitTemplates();
    ASSERT_EQ(all->size(), 2u);
    EXPECT_EQ((*all)[0]->unitName, "bolt");
    EXPECT_EQ((*all)[1]->unitName, "mage");
}

TEST_F(ContentTest, ATypeThatAddsItselfOrIsRequestedTwiceLoadsOnce) {
    writeSimpleUnit("splitter", "addedUnits = 1\naddedUnit0 = splitter 5 0 2 64 0 8 0 0 0 0 0 0 false 0\n");
    loader.addUnit("splitter");
    EXPECT_EQ(loader.addUnit("splitter"), 2);
    std::string whyNot; // requested as the character too: found, but no player's unit
    EXPECT_EQ(loader.addPC("splitter", &whyNot), 1);
    EXPECT_EQ(whyNot, "data/unit/splitter is not a player's unit (it lacks isThePC = true)");
    ASSERT_EQ(loader.getUnitTemplates()->size(), 1u);
    UnitTemplate* t = unitType("splitter");
    ASSERT_EQ(t->addedUnits.size(), 1u);
    EXPECT_EQ(t->addedUnits[0]->unitName, "splitter");
    EXPECT_EQ(unitType("splitter"), t);
    EXPECT_EQ(loader.getLoadedDatafileCount(), 1);
}

TEST_F(ContentTest, ALongChainOfAddedTypesKeepsReadingEachFileAfterItsAddedType) {
    // link0 adds link1 ... link7 adds nothing more; every link also adds "spark" afterwards.
    writeSimpleUnit("spark");
    const int links = 8;
    for (int i = 0; i < links; i++) {
        std::string next = i + 1 < links ? "link" + std::to_string(i + 1) : "spark";
        writeSimpleUnit("link" + std::to_string(i), "addedUnits = 2\naddedUnit0 = " + next +
                                                        " 1 0 1 0 0 1 0 0 0 0 0 0 false 0\n"
                                                        "addedUnit1 = spark 1 0 1 0 0 2 0 0 0 0 0 0 false 0\n"
                                                        "maxHP = " +
                                                        std::to_string(100 + i) + "\n");
    }
    loader.addUnit("link0");
    for (int i = 0; i < links; i++) {
        UnitTemplate* t = unitType("link" + std::to_string(i));
        ASSERT_NE(t, nullptr) << i;
        EXPECT_EQ(t->maxHP, 100 + i);
        ASSERT_EQ(t->addedUnits.size(), 2u) << "link" << i;
        EXPECT_EQ(t->addedUnits[1]->unitName, "spark");
    }
}

TEST_F(ContentTest, TypesSharingADatafileShareOneCopy) {
    ASSERT_TRUE(makeDatafile("data/unit/shared.dat", {{"stand"}}));
    writeUnit("a", "datafile = shared.dat\n[Animation]\nanimIdle = 0 -1 0 stand 0\n");
    writeUnit("b", "datafile = shared.dat\n[Animation]\nanimRun = 0 -1 0 stand 0\n");
    loader.addUnit("a");
    loader.addUnit("b");
    EXPECT_EQ(loader.getLoadedDatafileCount(), 1);
    EXPECT_EQ(unitType("a")->vecPics[ANIM_IDLE][0], unitType("b")->vecPics[ANIM_RUN][0]);
}

// The sprite cache forgets the pictures of frames that are retired or released.
TEST_F(ContentTest, AfterAChangeOfColourDepthUnitTypesLoadAgainWithFramesOfTheNewDepth) {
    writeSimpleUnit("grunt");
    loader.addUnit("grunt");
    UnitTemplate* deep = unitType("grunt");
    loader.addUnit("grunt");
    EXPECT_EQ(unitType("grunt"), deep) << "same depth: the type is not loaded again";
    BITMAP* arena = create_bitmap(20, 20);
    SpriteCache& cache = SpriteCache::drawing();
    auto drawTwice = [&] { // the second draw keeps the picture
        for (int i = 0; i < 2; i++)
            cache.draw(arena, deep->vecPics[ANIM_IDLE][0], 10, 10, 0, itofix(1));
    };
    drawTwice();
    EXPECT_GT(cache.getCount(), 0u);
    set_color_depth(16);
    loader.addUnit("grunt");
    UnitTemplate* shallow = unitType("grunt");
    set_color_depth(32);
    EXPECT_EQ(cache.getCount(), 0u);
    ASSERT_NE(shallow, nullptr);
    EXPECT_NE(shallow, deep);
    EXPECT_EQ(bitmap_color_depth(shallow->vecPics[ANIM_IDLE][0]), 16);
    EXPECT_EQ(bitmap_color_depth(deep->vecPics[ANIM_IDLE][0]), 32) << "the earlier type stays intact";
    EXPECT_EQ(loader.getUnitTemplates()->size(), 1u);
    drawTwice();
    EXPECT_GT(cache.getCount(), 0u);
    loader.unloadAll();
    EXPECT_EQ(cache.getCount(), 0u);
    destroy_bitmap(arena);
}

TEST_F(ContentTest, UnitFailuresAreReportedOnceAndTheTypeStaysRecorded) {
    writeUnit("nodat", "maxHP = 5\n");
    writeUnit("lost", "datafile = lost.dat\n");
    ASSERT_TRUE(makeDatafile("data/unit/blank.dat", {{"stand"}}));
    writeUnit("blank", "datafile = blank.dat\n[Animation]\nanimIdle = 0 -1 0 nothing 1\n");
    writeSimpleUnit("parent", "addedUnits = 1\naddedUnit0 = lost 1 0 1 0 0 1 0 0 0 0 0 0 false 0\n");
    writeUnit("hollow", "datafile = gfx/\n");
    dir.write("data/unit/gfx/hollow.dat", "");
    writeUnit("broken", "datafile = broken.dat\n");
    dir.write("data/unit/broken.dat", "slh.ALL.");

    loader.addUnit("ghost"); // no unit file at all
    loader.addUnit("nodat");
    loader.addUnit("lost");
    loader.addUnit("blank");
    loader.addUnit("parent");
    loader.addUnit("ghost");
    loader.addUnit("hollow");
    loader.addUnit("broken");
    loader.addUnit("");
    EXPECT_EQ(messages(),
              (Messages{
                  "Could not find data/unit/ghost, cannot load Unit.",
                  "Unit ghost is not valid. \n",
                  "data/unit/nodat names no datafile, cannot load Unit.",
                  "Unit nodat is not valid. \n",
                  "Could not find data/unit/lost.dat, cannot load Unit.",
                  "Unit lost is not valid. \n",
                  "could not find nothing frame for blank, skipping it.\n",
                  "no animations found for unit blank in file data/unit/blank.dat; cannot load unit. \n",
                  "Unit blank is not valid. \n",
                  "data/unit/gfx/ is a folder, not a file, cannot load Unit.",
                  "Unit hollow is not valid. \n",
                  "data/unit/broken.dat is damaged, cannot load Unit.",
                  "Unit broken is not valid. \n",
                  "data/unit/ is a folder, not a file, cannot load Unit.",
                  "Unit  is not valid. \n",
              }));
    EXPECT_NE(loader.dontExist("ghost"), nullptr);
    EXPECT_EQ(unitType("ghost"), nullptr);
    EXPECT_EQ(unitType("lost"), nullptr);
    ASSERT_NE(unitType("parent"), nullptr);
    EXPECT_EQ(unitType("parent")->addedUnits.size(), 1u) << "the entry stays though its type failed";
}

TEST_F(ContentTest, GetArgvCopiesTheTokensOfTheCurrentFile) {
    dir.write("list.cfg", "top = a b  c\n[S]\nk = 1 2 # comment\n");
    set_config_file("list.cfg");
    std::vector<std::string> out{"old"};
    std::string section = "S", key = "k", top = "top", none = "none";
    int count = -1;
    loader.get_argv(&out, nullptr, &top, &count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(out, (std::vector<std::string>{"a", "b", "c"}));
    loader.get_argv(&out, &section, &key, &count);
    EXPECT_EQ(out, (std::vector<std::string>{"1", "2"}));
    loader.get_argv(&out, &section, &none, &count);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(out.empty());
}
