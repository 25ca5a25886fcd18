// The campaign and round checks, in the order the battle loads a campaign and plays its rounds.
#include <allegro.h>
#include <cstdlib>

#include "check/DataCheck.h"
#include "check/checkText.h"
#include "content/UnitCreate.h"
#include "content/fileFormat.h"
#include "content/keyValues.h"
#include "content/loadMessages.h"
#include "system/fileAccess.h"

namespace {

const std::vector<std::string> campaignKeys = formatKeyNames(FileKind::Campaign, "Campaign");
const std::vector<std::string> roundKeys = formatKeyNames(FileKind::Campaign, "Round");
// Most units one spawn line makes; more stall the game.
const int maxSpawnAmount = maxUnitsPerOrder;
const int sideCount = 11;
const int variantCount = 5;

bool canHardlyDie(const UnitFacts& u) {
    const int contactDeaths = DIES_WHEN_PLAYER_HITS | DIES_WHEN_PLAYER_PROJECTILE_HITS |
                              DIES_WHEN_ENEMY_HITS | DIES_WHEN_ENEMY_PROJECTILE_HITS |
                              DIES_WHEN_NEUTRAL_HITS | DIES_WHEN_HITS_WALL;
    return (u.defense & (INDESTRUCTIBLE | NO_DAMAGE)) && u.timeToLive <= -10 && !(u.hitbox & contactDeaths);
}

} // namespace

void DataCheck::checkCampaign(const std::string& name, const Place& from) {
    ConfigFile f;
    std::string path = "data/campaigns/" + name;
    if (name.empty() || !f.load(path)) {
        Problem& p =
            report.error(from, "the campaign \"" + name + "\" has no file " + path,
                         "shows \"" + quoted(campaignNotLoadedMessage("")) + "\" and \"" +
                             quoted(loadCampaignFailedMessage()) + "\" when it is chosen",
                         nameFix(from, "create " + path + " or correct the name in the list (case matters)"));
        p.gameMessages = {campaignNotLoadedMessage(""), loadCampaignFailedMessage()};
        return;
    }
    checkLayout(f);
    int rounds = f.getInt("Campaign", "TotalRounds", 0);
    for (const auto& s : f.getSections()) {
        int index = 0;
        bool isRound = isNumberedKey(s.first, "Round", &index);
        if (sameName(s.first, "Campaign") || (isRound && index < rounds)) continue;
        report.warning(
            {path, s.first, "", s.second},
            isRound ? textf("TotalRounds is %d, so this round is never played", rounds)
                    : "the game never reads this section",
            "ignores every key in it",
            isRound
                ? textf("raise TotalRounds to %d, or number the rounds from Round0 without gaps", index + 1)
                : "a campaign file has the section Campaign and Round0, Round1, ...");
    }
    // A round key under [Campaign] most likely lost the header of the first round.
    const SectionKeys fileKeys = {{"Campaign", campaignKeys}, {"Round0", roundKeys}};
    checkUnknownKeys(f, "", {}, "", fileKeys);
    checkUnknownKeys(f, "Campaign", fileKeys[0].second, "", fileKeys);

    bool hasDatafile = f.has("Campaign", "Datafile");
    std::string datPath = f.getString("Campaign", "Datafile", "");
    DATAFILE* dat = hasDatafile ? datafiles.load(datPath) : nullptr;
    if (!dat) {
        std::string message = campaignNotLoadedMessage(datPath);
        std::string what = "no campaign datafile is named";
        if (hasDatafile) what = "the datafile " + datPath + " " + DatafileCache::whyNotLoaded(datPath);
        Problem& p =
            report.error(placeOf(f, "Campaign", "Datafile"), what,
                         "shows \"" + quoted(message) + "\" and \"" + quoted(loadCampaignFailedMessage()) +
                             "\"; the campaign cannot be played",
                         hasDatafile ? "build the datafile or correct its path (from the game's folder)"
                                     : "add Datafile = data/gfx/<campaign>.dat to [Campaign]");
        p.gameMessages = {message, loadCampaignFailedMessage()};
        return;
    }
    for (const char* object : {"splashScreen", "victoryScreen"})
        if (!DatafileCache::findPicture(dat, object)) {
            std::string message = missingPictureMessage(object, datPath);
            Problem& p = report.error(placeOf(f, "Campaign", "Datafile"),
                                      textf("the picture \"%s\" is missing from %s", object, datPath.c_str()),
                                      "shows \"" + quoted(message) + "\" and shows nothing in its place",
                                      textf("add a picture object named %s", object));
            p.gameMessages = {message};
        }
    checkKeyValues(f, FileKind::Campaign, "Campaign", "Campaign");
    if (rounds <= 0)
        report.error(placeOf(f, "Campaign", "TotalRounds"), "the campaign has no rounds",
                     "shows the opening and the victory picture and ends at once",
                     "set TotalRounds to the number of Round sections");
    if (!f.has("Campaign", "Music")) {
        report.warning({path, "Campaign", "Music", 0}, "no music is named", "plays the campaign in silence",
                       "add Music = data/music/<name>.ogg");
    } else {
        std::string music = f.getString("Campaign", "Music", "");
        std::string reason = whyUnreadable(music);
        if (!reason.empty() || !musicDecodes(music))
            report.warning(placeOf(f, "Campaign", "Music"),
                           "the music " + music + " " +
                               (reason.empty() ? "does not decode as Ogg Vorbis" : reason),
                           "plays the campaign in silence, without a message",
                           "give the path of an Ogg Vorbis file from the game's folder");
    }
    std::vector<std::string> listed;
    checkCampaignUnitsList(f, listed);
    std::set<std::string> loaded = loadedWith(listed);
    int width = 0, height = 0;
    bool hasTitle = false;
    for (int r = 0; r < rounds; r++)
        checkRound(f, r, loaded, listed, width, height, hasTitle);
}

void DataCheck::checkCampaignUnitsList(const ConfigFile& f, std::vector<std::string>& listed) {
    int total = 0;
    listed = f.getList("Campaign", "UnitsToAppear", &total);
    Place at = placeOf(f, "Campaign", "UnitsToAppear");
    if (total > maxListValues)
        report.warning(at, textf("%d types listed; the game reads %d", total, maxListValues),
                       "loads only the first 16; spawn lines naming the others create nothing",
                       "list at most 16 types; types that others add need not be listed");
    for (size_t i = 0; i < listed.size(); i++) {
        for (size_t j = 0; j < i; j++)
            if (listed[j] == listed[i])
                report.warning(at, "\"" + listed[i] + "\" is listed twice", "loads it once",
                               "remove the second one");
        checkUnit(listed[i], at);
    }
}

void DataCheck::checkRound(const ConfigFile& f, int index, const std::set<std::string>& loaded,
                           const std::vector<std::string>& listed, int& width, int& height, bool& hasTitle) {
    std::string section = "Round" + std::to_string(index);
    std::vector<std::string> known = roundKeys;
    for (const ConfigEntry* e : f.entriesOf(section)) {
        int i = 0;
        if (isNumberedKey(e->key, "Spawn", &i)) known.push_back(e->key);
    }
    checkUnknownKeys(f, section, known, "", {{"Campaign", campaignKeys}});
    checkArenaSize(f, section, width, height);
    int total = 0;
    std::vector<std::string> pic = f.getList(section, "ArenaPic", &total);
    if (total < 2) {
        bool noSection = f.entriesOf(section).empty();
        Problem& p = report.error(
            noSection ? Place{f.getPath(), section, "", 0} : placeOf(f, section, "ArenaPic"),
            noSection ? "the round has no section" : "ArenaPic needs a datafile and an arena picture",
            "shows \"" + arenaTooFewMessage() +
                "\" and plays the round with what "
                "the previous one left, without its spawn lines or the player",
            "write ArenaPic = data/gfx/<round>.dat arena title");
        p.gameMessages = {arenaTooFewMessage()};
        return;
    }
    if (width <= 0 || height <= 0) {
        std::string message = arenaNotMadeMessage(0, 0);
        Problem& p = report.error(
            {f.getPath(), section, "ArenaSize", 0}, "no arena size, here or in an earlier round",
            "shows \"" + quoted(message) + "\"", "add ArenaSize = <width> <height> to this round");
        p.gameMessages = {message};
    }
    Place picAt = placeOf(f, section, "ArenaPic");
    if (total > 3)
        report.warning(picAt,
                       textf("%d values; ArenaPic has a datafile, an arena and a title picture", total),
                       "ignores the values after the third", "remove the extra values");
    DATAFILE* dat = datafiles.load(pic[0]);
    if (!dat) {
        std::string message = roundNotLoadedMessage(pic[0]);
        std::string what = "the datafile " + pic[0] + " " + DatafileCache::whyNotLoaded(pic[0]);
        Problem& p = report.error(
            picAt, what, "shows \"" + quoted(message) + "\" and plays the round without its spawn lines",
            "build the datafile or correct its path (from the game's folder)");
        p.gameMessages = {message};
        return;
    }
    for (size_t i = 1; i < pic.size() && i < 3; i++)
        if (!DatafileCache::findPicture(dat, pic[i])) {
            std::string message = missingPictureMessage(pic[i], pic[0]);
            Problem& p = report.error(picAt, "the picture \"" + pic[i] + "\" is missing from " + pic[0],
                                      "shows \"" + quoted(message) + "\"",
                                      "correct the object name or add the picture to the datafile");
            p.gameMessages = {message};
        }
    if (pic.size() >= 3)
        hasTitle = true;
    else if (!hasTitle)
        report.warning(picAt, "no title picture, here or in an earlier round",
                       "starts the round without a title", "add a third value naming the title picture");
    checkKeyValues(f, FileKind::Campaign, "Round", section);
    checkWallMode(f, section, index);
    int spawns = f.getInt(section, "Spawns", 0);
    for (const ConfigEntry* e : f.entriesOf(section)) {
        int i = 0;
        if (isNumberedKey(e->key, "Spawn", &i) && i >= spawns && f.find(section, e->key) == e)
            report.warning({f.getPath(), section, e->key, e->line},
                           textf("Spawns is %d, so this line is never read", spawns),
                           "reads Spawn0 to Spawn" + std::to_string(spawns - 1) + " only",
                           textf("raise Spawns to %d, or number the lines from Spawn0 without gaps", i + 1));
    }
    int enemyOrders = 0;
    bool stuckEnemy = false;
    for (int i = 0; i < spawns; i++)
        checkSpawnLine(f, section, i, width, height, loaded, listed, enemyOrders, stuckEnemy);
    if (enemyOrders == 0 && !stuckEnemy)
        report.error(
            {f.getPath(), section, "Spawns", f.lineOf(section, "Spawns")},
            "no enemy ever appears in this round",
            "counts the round as won the moment it begins (a round is won when no enemy is left or to come)",
            "add a spawn line for a type with affiliation = enemy that the campaign lists");
}

void DataCheck::checkSpawnLine(const ConfigFile& f, const std::string& section, int index, int width,
                               int height, const std::set<std::string>& loaded,
                               const std::vector<std::string>& listed, int& enemyOrders, bool& stuckEnemy) {
    std::string key = "Spawn" + std::to_string(index);
    int total = 0;
    std::vector<std::string> v = f.getList(section, key, &total);
    Place at = placeOf(f, section, key);
    if (total == 0) {
        report.warning({f.getPath(), section, key, f.lineOf(section, "Spawns")},
                       textf("Spawns says there are more lines, but there is no %s", key.c_str()),
                       "skips it without a message", "add the line or lower Spawns");
        return;
    }
    if (total != spawnValues && total != spawnValuesWithPosition) {
        report.warning(at, textf("%d values; a spawn line has 7, or 9 with a position", total),
                       "skips the line without a message: its units never appear",
                       "write: type amount side condition delay threshold variant [x y]");
        return;
    }
    for (int k = 1; k < total; k++)
        if (!isWholeNumber(v[k]))
            report.warning(at, textf("value %d, \"%s\", is not a whole number", k + 1, v[k].c_str()),
                           textf("reads it as %d", listWhole(v[k])), "write a whole number");
    int amount = listWhole(v[1]), side = listWhole(v[2]), condition = listWhole(v[3]);
    int threshold = listWhole(v[5]), variant = listWhole(v[6]);
    if (total == spawnValuesWithPosition && side != SIDE_AT_POSITION) {
        report.warning(at, textf("a position is given, but the side is %d, not 10", side),
                       "skips the line without a message: its units never appear",
                       "set the side (value 3) to 10, or drop the position");
        return;
    }
    const std::string& type = v[0];
    const UnitFacts& facts = checkUnit(type, at);
    bool isListed = false;
    for (const std::string& l : listed)
        isListed = isListed || l == type;
    bool forSomeCharacter = false;
    for (const std::string& c : characters)
        forSomeCharacter = forSomeCharacter || loadedWith({c}).count(type);
    if (!loaded.count(type)) {
        if (forSomeCharacter)
            report.warning(
                at, "\"" + type + "\" is not in the campaign's UnitsToAppear",
                "loads it only when a character that uses it is chosen; otherwise the line creates nothing",
                "add " + type + " to UnitsToAppear in [Campaign]");
        else
            report.error(at, "\"" + type + "\" is not in the campaign's UnitsToAppear",
                         "never loads the type: the line creates nothing, without a message",
                         "add " + type + " to UnitsToAppear in [Campaign]" + didYouMean(type, listed));
        return;
    }
    if (!isListed)
        report.warning(at, "\"" + type + "\" is not in the campaign's UnitsToAppear",
                       "loads it only because a listed type adds it; the line breaks if that type changes",
                       "add " + type + " to UnitsToAppear in [Campaign]");
    if (!facts.valid) {
        report.error(at, "the type \"" + type + "\" does not load", "creates nothing for this line",
                     "mend the problems reported for data/unit/" + type);
        return;
    }
    if (amount <= 0)
        report.warning(at, textf("an amount of %d", amount), "creates no unit",
                       "write how many units to create");
    if (amount > maxSpawnAmount) {
        std::string message = tooManySpawnedMessage(section, key, amount);
        Problem& p = report.error(at, "an amount of " + v[1], "shows \"" + quoted(message) + "\"",
                                  "spread the units over several lines with delays");
        p.gameMessages = {message};
    }
    if (side < 1 || side > sideCount)
        report.warning(
            at, textf("side %d is no placement", side),
            "puts the units on the arena's top-left corner (0, 0), facing up",
            "write 1 to 8 for the edges clockwise from the top-left corner, 9 the centre, 10 a given "
            "position, 11 anywhere");
    if (side == SIDE_AT_POSITION && total == spawnValues)
        report.warning(at, "side 10 places at a given position, but none is given",
                       "puts the units on the arena's top-left corner (0, 0)",
                       "add x and y as values 8 and 9");
    if (total == spawnValuesWithPosition) {
        int x = listWhole(v[7]), y = listWhole(v[8]);
        if (width > 0 && height > 0 && (x < 0 || y < 0 || x > width || y > height))
            report.warning(
                at, textf("the position (%d, %d) is outside the %d x %d arena", x, y, width, height),
                "puts the units outside the walls, which push them in and cost them 10 hit points a step",
                "give a position inside the arena");
    }
    if (condition & ~3)
        report.warning(at, textf("condition %d has bits other than 1 and 2", condition),
                       "reads only bit 1 (wait for the delay) and bit 2 (wait until few enemies are left)",
                       "write 0, 1, 2 or 3");
    if (variant < 0 || variant >= variantCount)
        report.warning(at, textf("variant %d is not 0 to 4", variant), "makes the units as variant 0",
                       "write 0 for the type as it is, 1 to 4 for the variants");
    bool neverFires = (condition & 2) && threshold < 0;
    if (neverFires)
        report.warning(at, textf("the order waits until at most %d enemies are present", threshold),
                       "never fires: there cannot be fewer than 0 enemies",
                       "write a threshold of 0 or more, or drop bit 2 from the condition");
    if (facts.affiliation != AFF_ENEMY || amount <= 0) return;
    if (neverFires) {
        stuckEnemy = true;
        report.error(at, "the round cannot be won",
                     "counts this pending enemy order as an enemy still to come, forever",
                     "make the order able to fire");
        return;
    }
    enemyOrders++;
    if (canHardlyDie(facts))
        report.warning(
            at, "\"" + type + "\" can hardly die: it takes no damage, has no life span and no contact death",
            "wins the round only once every such enemy is gone; walls are its only harm",
            "give it hit points it can lose, a timeToLive, or a DiesWhen... property");
}

void DataCheck::checkArenaSize(const ConfigFile& f, const std::string& section, int& width, int& height) {
    int total = 0;
    std::vector<std::string> size = f.getList(section, "ArenaSize", &total);
    if (total == 1 || total > 2)
        report.warning(placeOf(f, section, "ArenaSize"),
                       textf("%d values; the arena size is width and height", total),
                       total == 1 ? "ignores the line and keeps the previous size" : "uses the first two",
                       "write two whole numbers of pixels: ArenaSize = 480 360");
    if (total >= 2) {
        int w = 0, h = 0;
        if (readArenaSide(size[0], &w) && readArenaSide(size[1], &h)) {
            width = w, height = h;
        } else {
            std::string message = unusableArenaSizeMessage(size[0], size[1]);
            Problem& p = report.error(placeOf(f, section, "ArenaSize"),
                                      "\"" + size[0] + " " + size[1] + "\" is not a usable size",
                                      "shows \"" + quoted(message) + "\"",
                                      textf("write two whole numbers from 1 to %d", largestFixedInt));
            p.gameMessages = {message};
        }
    }
}

void DataCheck::checkWallMode(const ConfigFile& f, const std::string& section, int index) {
    if (!f.has(section, "ArenaWall")) return;
    std::string wall = f.getString(section, "ArenaWall", "Stop");
    std::vector<std::string> modes(wallModes, wallModes + WALL_MODE_COUNT);
    bool ok = false;
    for (const std::string& m : modes)
        ok = ok || wall == m;
    if (!ok)
        report.warning(placeOf(f, section, "ArenaWall"), "\"" + wall + "\" is no wall mode",
                       index == 0 ? "keeps the walls the game starts with (Stop)"
                                  : "keeps the previous round's walls",
                       "write " + listWords(modes) + " (case matters)." + didYouMean(wall, modes));
}
