// Checks the shipped data set as the game will read it: every name a text file uses must
// resolve, every datafile object must be a picture, every sound and music file must decode.
// Reads data/ of the repository (the build makes its binary part) without the game's loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <allegro.h>
#include <cmath>
#include <dirent.h>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>
#include <vorbis/vorbisfile.h>

namespace {

std::vector<std::string> filesIn(const std::string& dir) {
    std::vector<std::string> out;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.' && e->d_type != DT_DIR) out.push_back(e->d_name);
        closedir(d);
    }
    return out;
}

std::vector<std::string> argv(const char* section, const char* key) {
    int n = 0;
    char** v = get_config_argv(section, key, &n);
    return std::vector<std::string>(v, v + n);
}

// Each datafile is loaded once and released when the test program ends (before Allegro is).
struct DatafileCache {
    std::map<std::string, DATAFILE*> loaded;
    ~DatafileCache() {
        for (auto& entry : loaded)
            if (entry.second) unload_datafile(entry.second);
    }
};

DATAFILE* datafile(const std::string& path) {
    static DatafileCache cache;
    auto it = cache.loaded.find(path);
    if (it != cache.loaded.end()) return it->second;
    return cache.loaded[path] = load_datafile(path.c_str());
}

// A picture object with that name, or a failure that says which one is missing.
::testing::AssertionResult hasPicture(const std::string& path, const std::string& object) {
    DATAFILE* d = datafile(path);
    if (!d) return ::testing::AssertionFailure() << path << " does not load";
    DATAFILE* o = find_datafile_object(d, object.c_str());
    if (!o) return ::testing::AssertionFailure() << path << " has no object " << object;
    if (o->type != DAT_BITMAP || !o->dat)
        return ::testing::AssertionFailure() << object << " in " << path << " is not a picture";
    return ::testing::AssertionSuccess();
}

struct Ogg {
    bool ok = false;
    int channels = 0;
    long rate = 0;
    std::vector<short> pcm;
};

Ogg decodeOgg(const std::string& path) {
    Ogg out;
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) return out;
    vorbis_info* info = ov_info(&vf, -1);
    out.channels = info->channels, out.rate = info->rate;
    char buf[4096];
    int section = 0;
    long got;
    while ((got = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &section)) > 0)
        out.pcm.insert(out.pcm.end(), reinterpret_cast<short*>(buf), reinterpret_cast<short*>(buf + got));
    out.ok = got == 0 && !out.pcm.empty();
    ov_clear(&vf);
    return out;
}

const std::set<std::string> PROPERTY_NAMES = {"HitsOpponentWhenStunned",
                                              "HitsAllyWhenStunned",
                                              "GoesThroughOpponent",
                                              "GoesThroughAlly",
                                              "HitsPlayer",
                                              "HitsEnemy",
                                              "HitsPlayerProjectile",
                                              "HitsEnemyProjectile",
                                              "HitsNeutral",
                                              "DiesWhenHitsWall",
                                              "DiesWhenPlayerHits",
                                              "DiesWhenPlayerProjectileHits",
                                              "HitsIndestructible",
                                              "DiesWhenEnemyHits",
                                              "DiesWhenEnemyProjectileHits",
                                              "DiesWhenNeutralHits",
                                              "DealsNoKnockback",
                                              "Indestructible",
                                              "Bouncy",
                                              "Heavy",
                                              "NoDamage",
                                              "NoKnockBack",
                                              "IgnoreWallKnockBack",
                                              "ResistGoodAilments",
                                              "ResistBadAilments",
                                              "ImmuneGoodAilments",
                                              "ImmuneBadAilments",
                                              "InvincibleWhenHit",
                                              "ChainAttack1",
                                              "ChainAttack2",
                                              "ChainAttack4",
                                              "ClearStunFor3rdAttack",
                                              "IgnoreHealthFor1stAttack"};
const std::set<std::string> SIDES = {"player", "enemy", "neutral", "playerProjectile", "enemyProjectile"};
const char* ANIMS[9] = {"animIdle", "animRun",  "animAttack1", "animAttack2", "animAttack4",
                        "animDead", "animStun", "animTaunt",   "animAim"};

// What the unit files say, gathered once for the cross-checks.
struct UnitFacts {
    std::set<std::string> names;
    std::map<std::string, std::vector<std::string>> added; // type -> the types it adds
    std::map<std::string, std::string> affiliation;
    std::set<std::string> properties;
    std::set<std::string> sounds;
};

const UnitFacts& units() {
    static UnitFacts f;
    if (!f.names.empty()) return f;
    for (const std::string& name : filesIn("data/unit")) {
        set_config_file(("data/unit/" + name).c_str());
        f.names.insert(name);
        f.affiliation[name] = get_config_string(nullptr, "affiliation", "player");
        for (const char* key : {"Player", "Hitbox", "Status", "Defense"})
            for (const std::string& p : argv("UnitProperties", key))
                f.properties.insert(p);
        for (const char* key : {"Hit", "Dead", "Att1", "Att2", "Att3"})
            if (const char* s = get_config_string("Sound", key, nullptr)) f.sounds.insert(s);
        int count = get_config_int(nullptr, "addedUnits", 0);
        for (int i = 0; i < count; i++) {
            std::vector<std::string> v = argv(nullptr, ("addedUnit" + std::to_string(i)).c_str());
            if (!v.empty()) f.added[name].push_back(v[0]);
        }
    }
    return f;
}

} // namespace

TEST(DataSetUnits, EveryUnitFileIsWellFormedAndItsFramesExist) {
    ASSERT_GE(units().names.size(), 20u) << "run the build first: it makes data/";
    for (const std::string& name : units().names) {
        SCOPED_TRACE(name);
        set_config_file(("data/unit/" + name).c_str());
        EXPECT_EQ(SIDES.count(get_config_string(nullptr, "affiliation", "player")), 1u);
        const char* dat = get_config_string(nullptr, "datafile", nullptr);
        ASSERT_NE(dat, nullptr);
        std::string path = std::string("data/unit/") + dat;
        int frames = 0;
        for (int a = 0; a < 9; a++) {
            int n = 0;
            char** v = get_config_argv("Animation", ANIMS[a], &n);
            if (n == 0) continue;
            EXPECT_LE(n, 16) << ANIMS[a] << ": the game reads 16 values at most";
            EXPECT_TRUE(n >= 5 && n % 2 == 1) << ANIMS[a] << ": three numbers, then name and hold pairs";
            for (int i = 3; i + 1 < n; i += 2, frames++) {
                EXPECT_TRUE(hasPicture(path, v[i]));
                EXPECT_GE(atoi(v[i + 1]), 0) << v[i];
            }
        }
        EXPECT_GT(frames, 0) << "a unit without frames is not valid";
        int added = get_config_int(nullptr, "addedUnits", 0);
        for (int i = 0; i < added; i++) {
            std::vector<std::string> v = argv(nullptr, ("addedUnit" + std::to_string(i)).c_str());
            ASSERT_EQ(v.size(), 15u) << "addedUnit" << i << " would be skipped";
            EXPECT_EQ(units().names.count(v[0]), 1u) << v[0];
            int attack = atoi(v[6].c_str());
            EXPECT_TRUE(attack == 1 || attack == 2 || attack == 4 || attack == 8) << "addedUnit" << i;
            EXPECT_TRUE(v[13] == "true" || v[13] == "false") << "addedUnit" << i;
        }
        std::string target = get_config_string("AI", "targetAffiliation", "player");
        EXPECT_EQ(SIDES.count(target), 1u) << "targetAffiliation " << target;
    }
}

TEST(DataSetUnits, PropertyNamesAreAllKnownAndTogetherUseEveryOne) {
    // A misspelt name is ignored without a word by the game, so it is caught here.
    for (const std::string& p : units().properties)
        EXPECT_EQ(PROPERTY_NAMES.count(p), 1u) << "unknown property " << p;
    for (const std::string& p : PROPERTY_NAMES)
        EXPECT_EQ(units().properties.count(p), 1u) << "no unit uses " << p;
}

TEST(DataSetSounds, EverySoundFileLoadsAndBothFormatsAreUsed) {
    int wav = 0, ogg = 0;
    for (const std::string& path : units().sounds) {
        SCOPED_TRACE(path);
        if (path.size() > 4 && path.substr(path.size() - 4) == ".ogg") {
            Ogg o = decodeOgg(path);
            EXPECT_TRUE(o.ok);
            EXPECT_EQ(load_sample(path.c_str()), nullptr) << "an Ogg file must take the second loading route";
            ogg++;
        } else {
            SAMPLE* s = load_sample(path.c_str());
            ASSERT_NE(s, nullptr);
            EXPECT_GT(s->len, 100u);
            destroy_sample(s);
            wav++;
        }
    }
    EXPECT_GT(wav, 0);
    EXPECT_GT(ogg, 0);
}

TEST(DataSetGeneral, GeneralDatafileHoldsEveryPictureTheBattleUses) {
    for (const char* o : {"cursor", "goodStatus0", "goodStatus1", "goodStatus2", "goodStatus3", "badStatus0",
                          "badStatus1", "badStatus2", "badStatus3", "youWin", "youLose"})
        EXPECT_TRUE(hasPicture("data/generalData.dat", o));
}

TEST(DataSetLists, EveryListedCampaignAndCharacterExists) {
    for (const char* list : {"data/listOfCampaigns.txt", "data/listOfCharacters.txt"}) {
        std::ifstream in(list);
        ASSERT_TRUE(in) << list;
        std::string line;
        bool wantName = true;
        int records = 0;
        while (std::getline(in, line)) {
            EXPECT_LT(line.size(), 255u) << "longer lines are split by the reader";
            if (wantName) {
                std::string dir = std::string(list).find("Campaign") != std::string::npos ? "data/campaigns/"
                                                                                          : "data/unit/";
                EXPECT_TRUE(std::ifstream(dir + line).good()) << line;
                if (dir == "data/unit/") {
                    set_config_file((dir + line).c_str());
                    EXPECT_STREQ(get_config_string(nullptr, "isThePC", "false"), "true") << line;
                }
                wantName = false;
            } else if (line.find("[End]") != std::string::npos) {
                wantName = true, records++;
            }
        }
        EXPECT_TRUE(wantName) << list << ": the last record has no [End] line";
        EXPECT_GE(records, 3) << list;
    }
}

TEST(DataSetCampaigns, EveryRoundResolvesAndEverySpawnedTypeIsLoaded) {
    std::set<std::string> walls, conditions;
    std::set<int> sides;
    std::vector<float> damping;
    for (const std::string& name : filesIn("data/campaigns")) {
        SCOPED_TRACE(name);
        set_config_file(("data/campaigns/" + name).c_str());
        std::string dat = get_config_string("Campaign", "Datafile", "");
        EXPECT_TRUE(hasPicture(dat, "splashScreen"));
        EXPECT_TRUE(hasPicture(dat, "victoryScreen"));
        std::vector<std::string> listed = argv("Campaign", "UnitsToAppear");
        EXPECT_LE(listed.size(), 16u) << "only 16 types are loaded";
        // A type is loaded when it is listed or added by a loaded type.
        std::set<std::string> loaded;
        std::vector<std::string> todo(listed.begin(), listed.end());
        while (!todo.empty()) {
            std::string t = todo.back();
            todo.pop_back();
            if (!loaded.insert(t).second) continue;
            EXPECT_EQ(units().names.count(t), 1u) << "no unit file " << t;
            auto it = units().added.find(t);
            if (it != units().added.end()) todo.insert(todo.end(), it->second.begin(), it->second.end());
        }
        int rounds = get_config_int("Campaign", "TotalRounds", 0);
        EXPECT_GT(rounds, 0);
        bool sized = false;
        for (int r = 0; r < rounds; r++) {
            std::string sec = "Round" + std::to_string(r);
            SCOPED_TRACE(sec);
            sized = sized || argv(sec.c_str(), "ArenaSize").size() >= 2;
            EXPECT_TRUE(sized) << "the first round must give an arena size";
            std::vector<std::string> pic = argv(sec.c_str(), "ArenaPic");
            ASSERT_GE(pic.size(), 2u);
            EXPECT_TRUE(hasPicture(pic[0], pic[1]));
            if (pic.size() >= 3) {
                EXPECT_TRUE(hasPicture(pic[0], pic[2]));
            }
            std::string wall = get_config_string(sec.c_str(), "ArenaWall", "Stop");
            EXPECT_TRUE(wall == "Stop" || wall == "Ignore" || wall == "Bounce" || wall == "Push") << wall;
            walls.insert(wall);
            damping.push_back(get_config_float(sec.c_str(), "ArenaKB", 0.5f));
            int spawns = get_config_int(sec.c_str(), "Spawns", 0), enemies = 0;
            for (int i = 0; i < spawns; i++) {
                std::vector<std::string> v = argv(sec.c_str(), ("Spawn" + std::to_string(i)).c_str());
                int side = v.size() >= 3 ? atoi(v[2].c_str()) : 0;
                ASSERT_TRUE(v.size() == 7 || (v.size() == 9 && side == 10))
                    << "Spawn" << i << " would be skipped";
                EXPECT_EQ(loaded.count(v[0]), 1u) << v[0] << " is spawned but never loaded";
                EXPECT_EQ(std::find(listed.begin(), listed.end(), v[0]) != listed.end(), true)
                    << v[0] << " is not listed";
                int variant = atoi(v[6].c_str());
                EXPECT_TRUE(variant >= 0 && variant <= 4);
                EXPECT_GE(atoi(v[1].c_str()), 1);
                sides.insert(side);
                conditions.insert(v[3]);
                if (units().affiliation.at(v[0]) == "enemy") enemies++;
            }
            EXPECT_GT(enemies, 0) << "a round without enemies is won at once";
        }
    }
    EXPECT_EQ(walls.size(), 4u) << "every wall mode is used somewhere";
    for (int s = 1; s <= 11; s++)
        EXPECT_EQ(sides.count(s), 1u) << "spawn side " << s << " is never used";
    EXPECT_TRUE(conditions.count("1") && conditions.count("2")) << "both spawn conditions";
    EXPECT_LT(*std::min_element(damping.begin(), damping.end()), 0.3f) << "a sticky arena";
    EXPECT_GT(*std::max_element(damping.begin(), damping.end()), 0.85f) << "a slippery arena";
}

TEST(DataSetMusic, EachCampaignLoopsBetweenHalfAMinuteAndAMinuteAndAHalfWithoutASeam) {
    for (const std::string& name : filesIn("data/campaigns")) {
        SCOPED_TRACE(name);
        set_config_file(("data/campaigns/" + name).c_str());
        Ogg o = decodeOgg(get_config_string("Campaign", "Music", ""));
        ASSERT_TRUE(o.ok);
        double seconds = double(o.pcm.size()) / o.channels / o.rate;
        EXPECT_GE(seconds, 30.0);
        EXPECT_LE(seconds, 90.0);
        // The jump from the last sample frame back to the first is no bigger than the usual
        // step between neighbouring frames: the loop has no click.
        size_t n = o.pcm.size() / o.channels;
        double mean = 0;
        for (size_t i = 1; i < n; i++)
            mean += std::fabs(double(o.pcm[i * o.channels]) - o.pcm[(i - 1) * o.channels]) / n;
        double seam = std::fabs(double(o.pcm[0]) - o.pcm[(n - 1) * o.channels]);
        EXPECT_LE(seam, 8 * mean + 200) << "mean step " << mean;
        EXPECT_GT(mean, 20.0) << "the music is not silent";
    }
}
