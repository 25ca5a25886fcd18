#include "content/Loader.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "content/fileFormat.h"
#include "content/keyValues.h"
#include "content/loadMessages.h"
#include "content/selectionList.h"
#include "content/unitProperties.h"
#include "menus/StartGameConfig.h"
#include "system/Messages.h"
#include "system/configText.h"
#include "system/fileAccess.h"
#include "system/oggsnd.h"
#include "units/SpriteCache.h"

namespace {

const FormatKey& unitKey(const char* section, const char* name) {
    return formatKey(FileKind::Unit, section, name);
}

const FormatKey& unitKey(const char* name) {
    return formatKey(FileKind::Unit, "", name);
}

const FormatKey& campaignKey(const char* name) {
    return formatKey(FileKind::Campaign, "Campaign", name);
}

const FormatKey& roundKey(const char* name) {
    return formatKey(FileKind::Campaign, "Round", name);
}

std::vector<std::string> pinnedList(const std::vector<std::string>& values) {
    std::vector<std::string> out;
    for (const std::string& v : values)
        out.push_back(std::to_string(listWhole(v)));
    return out;
}

// A whole number of pixels as fixed; values beyond what fixed holds are pinned to its range.
fixed pixelsToFixed(const std::string& value) {
    long n = strtol(value.c_str(), nullptr, 10);
    if (n > largestFixedInt) n = largestFixedInt;
    if (n < -largestFixedInt - 1) n = -largestFixedInt - 1;
    return itofix((int)n);
}

std::string unitFilePath(const std::string& name) {
    return "data/unit/" + name;
}

} // namespace

Loader::Loader()
    : campaignDatafile(nullptr), roundDatafile(nullptr), goodStatusPics(4, nullptr),
      badStatusPics(4, nullptr), generalDatafile(nullptr), mouseCursor(nullptr), youWinPic(nullptr),
      youLosePic(nullptr), configArgv(nullptr), unitDepth(0) {}

Loader::~Loader() {
    unloadAll();
}

// ---- Unit types ----

int Loader::addUnit(const std::string& name) {
    // Frames convert to the screen's depth as they load; after the player switched depth in the
    // menus, frames of the earlier depth cannot be drawn on the new screen.
    if (unitDepth != 0 && unitDepth != get_color_depth()) retireUnitTypes();
    unitDepth = get_color_depth();
    if (dontExist(name)) return 2;
    unitNames.push_back(new std::string(name));
    setUpUnitTemplate(name);
    return 0;
}

int Loader::addPC(const std::string& name, std::string* whyNot) {
    std::string path = unitFilePath(name);
    std::string why = whyUnreadable(path);
    if (!why.empty())
        why = "its unit file " + path + " " + why;
    else {
        addUnit(name);
        std::string typeName = name;
        UnitTemplate* t = getUnitTemplate(typeName);
        if (!t)
            why = "its unit file " + path + " did not load";
        else if (!t->isThePC)
            why = path + " is not a player's unit (it lacks isThePC = true)";
        else if (t->affiliation != AFF_PLAYER)
            why = path + " is not on the player's side (it lacks affiliation = player)";
    }
    if (why.empty()) return 0;
    if (whyNot)
        *whyNot = why;
    else
        showMessage("The character %s cannot be played: %s. Leaving the campaign.\n", name.c_str(),
                    why.c_str());
    return 1;
}

std::string* Loader::dontExist(const std::string& name) {
    for (std::string* known : unitNames)
        if (*known == name) return known;
    return nullptr;
}

UnitTemplate* Loader::getUnitTemplate(std::string& name) {
    for (UnitTemplate* t : unitTemplates)
        if (t->unitName == name) return t;
    return nullptr;
}

void Loader::addTemplate(UnitTemplate* t) {
    unitNames.push_back(new std::string(t->unitName));
    unitTemplates.push_back(t);
}

void Loader::get_argv(std::vector<std::string>* out, std::string* section, std::string* key, int* count) {
    int argc = 0;
    configArgv = get_config_argv(section ? section->c_str() : nullptr, key->c_str(), &argc);
    if (!configArgv) argc = 0;
    if (argc > maxListValues) argc = maxListValues;
    *count = argc;
    out->clear();
    for (int i = 0; i < argc; i++)
        out->push_back(configArgv[i]);
}

int Loader::setUpUnitTemplate(const std::string& name) {
    std::vector<AddUnitTemplate*> added;
    useConfigText(unitFilePath(name).c_str());
    UnitTemplate* t = new UnitTemplate();
    t->unitName = name;
    t->affiliation = affiliationFromText(readText(unitKey("affiliation")));
    t->isThePC = readTrue(unitKey("isThePC"));
    loadUnitProperties(t);
    t->maxHP = readWhole(unitKey("maxHP"));
    t->timeToLive = readWhole(unitKey("timeToLive"));
    const std::string file = unitFilePath(name);
    t->walkspeed = readFixed(file, unitKey("walkspeed"));
    t->juiceForPlayer = readWhole(unitKey("juiceForPlayer"));
    t->alignStyle = readWhole(unitKey("alignStyle"));
    t->alignDist = readFixed(file, unitKey("alignDist"));
    t->alignAngleMin = readFixed(file, unitKey("alignAngleMin"));
    t->alignAngleMax = readFixed(file, unitKey("alignAngleMax"));
    loadAISettings(t);
    bool valid = loadAnimation(t, name);
    loadSounds(t);
    loadDamage(t);
    loadAddedUnits(name, &added);
    t->addedUnits = added;
    if (valid) {
        unitTemplates.push_back(t);
    } else {
        showMessage("%s", unitNotValidMessage(name).c_str());
        delete t;
    }
    return 0;
}

void Loader::loadAISettings(UnitTemplate* t) {
    UnitInput* ai = t->unitInput;
    const std::string file = unitFilePath(t->unitName);
    int target = affiliationFromText(readText(unitKey("AI", "targetAffiliation")));
    if (target) ai->targetAffiliation = target;
    ai->targetPriorityHP = readWhole(unitKey("AI", "targetPriorityHP"));
    ai->switchTarget = readWhole(unitKey("AI", "switchTarget"));
    ai->homeTimeInbetweenCorrection = readWhole(unitKey("AI", "homeTimeInbetweenCorrection"));
    ai->homeAngleCorrection = readFixed(file, unitKey("AI", "homeAngleCorrection"));
    ai->attackPeriodIndex = readWhole(unitKey("AI", "attackPeriodIndex"));
    ai->attackDistMin = readFixed(file, unitKey("AI", "attackDistMin"));
    ai->attackDistMax = readFixed(file, unitKey("AI", "attackDistMax"));
    ai->attackAngleSpread = readFixed(file, unitKey("AI", "attackAngleSpread"));
    ai->careAboutArena = readTrue(unitKey("AI", "careAboutArena"));
}

void Loader::loadSounds(UnitTemplate* t) {
    if (soundsSkipped) return;
    for (int slot = 0; slot < SOUND_COUNT; slot++) {
        const char* path = get_config_string("Sound", unitKey("Sound", soundKeys[slot]).name, nullptr);
        if (!path) continue;
        std::string file = path; // the loaders below may read configuration of their own
        SAMPLE* sample = mayOpenByPath(file) ? load_sample(file.c_str()) : nullptr;
        if (!sample) sample = oggsnd_load_ogg(file.c_str());
        t->sounds[slot] = sample;
    }
}

void Loader::loadDamage(UnitTemplate* t) {
    const std::string file = unitFilePath(t->unitName);
    t->kbDir = readFixed(file, unitKey("damage", "kbDir"));
    t->kbMag = readFixed(file, unitKey("damage", "kbMag"));
    t->kbDuration = readWhole(unitKey("damage", "kbDuration"));
    t->damageDealt = readWhole(unitKey("damage", "damageDealt"));
    std::string section = "damage", good = unitKey("damage", "goodStatus").name,
                bad = unitKey("damage", "badStatus").name;
    std::vector<std::string> values;
    int count = 0;
    get_argv(&values, &section, &good, &count);
    t->setStatus(pinnedList(values), 0);
    get_argv(&values, &section, &bad, &count);
    t->setStatus(pinnedList(values), 1);
}

void Loader::loadAddedUnits(const std::string& name, std::vector<AddUnitTemplate*>* added) {
    int total = readWhole(unitKey("addedUnits"));
    for (int i = 0; i < total; i++) {
        std::string key = unitKey("addedUnit").name + std::to_string(i);
        std::vector<std::string> v;
        int count = 0;
        get_argv(&v, nullptr, &key, &count);
        if (count != addedUnitValues) continue;
        int amount = listWhole(v[3]);
        if (amount > maxUnitsPerOrder) {
            showMessage("%s", tooManyAddedMessage(name, key, amount).c_str());
            v[3] = std::to_string(maxUnitsPerOrder);
        }
        const std::string file = unitFilePath(name);
        fixed distance = listFixed(file, key, 1, v[1]), angle = listFixed(file, key, 2, v[2]);
        fixed spread = listFixed(file, key, 4, v[4]), random = listFixed(file, key, 5, v[5]);
        AddUnitTemplate* a =
            new AddUnitTemplate(&v[0], distance, angle, listWhole(v[3]), spread, random, listWhole(v[6]),
                                listWhole(v[7]), listWhole(v[8]), listWhole(v[9]), listWhole(v[10]),
                                listWhole(v[11]), listWhole(v[12]), v[13] == "true", listWhole(v[14]));
        added->push_back(a);
        // Allegro keeps only a few pushed configurations, so a deep chain of added types would
        // lose this file; opening it again afterwards works at any depth.
        if (addUnit(a->unitName) == 0) useConfigText(unitFilePath(name).c_str());
    }
}

bool Loader::loadAnimation(UnitTemplate* t, const std::string& name) {
    set_color_conversion(COLORCONV_TOTAL);
    const char* file = get_config_string(nullptr, unitKey("datafile").name, nullptr);
    std::string path = unitFilePath(file ? file : "");
    DATAFILE* dat = file ? datafiles->load(path) : nullptr;
    if (!dat) {
        // The unit file itself first: one that cannot be read names no datafile either.
        std::string unitFile = unitFilePath(name), reason = whyUnreadable(unitFile);
        std::string what = !reason.empty() ? describeUnusableFile(unitFile, reason)
                           : !file         ? unitFile + " names no datafile"
                                           : describeUnusableFile(path, DatafileCache::whyNotLoaded(path));
        showMessage("%s", unitNotLoadedMessage(what).c_str());
        return false;
    }
    unitDatafiles.push_back(dat);
    bool found = false;
    for (int anim = 0; anim < ANIM_COUNT; anim++)
        loadAnimationFrames(t, anim, dat, &found);
    if (!found) showMessage("%s", noAnimationsMessage(name, path).c_str());
    return found;
}

void Loader::loadAnimationFrames(UnitTemplate* t, int anim, DATAFILE* dat, bool* found) {
    std::string section = "Animation", key = animationKeys[anim];
    std::vector<std::string> v;
    int count = 0;
    get_argv(&v, &section, &key, &count);
    if (count < 4) return;
    t->animRepeat[anim] = listWhole(v[0]);
    t->animLoopEnd[anim] = listWhole(v[1]);
    t->animLoopStart[anim] = listWhole(v[2]);
    for (int i = 3; i + 1 < count; i += 2) {
        BITMAP* pic = DatafileCache::findPicture(dat, v[i]);
        if (!pic) {
            showMessage("%s", missingFrameMessage(v[i], t->unitName).c_str());
            continue;
        }
        int hold = listWhole(v[i + 1]);
        t->vecPics[anim].push_back(pic);
        t->animFrameTimes[anim].push_back(hold < 0 ? 0 : hold);
        *found = true;
    }
}

void Loader::loadUnitProperties(UnitTemplate* t) {
    std::string section = "UnitProperties";
    for (const char* k : propertyKeys) {
        std::string key = k;
        std::vector<std::string> names;
        int count = 0;
        get_argv(&names, &section, &key, &count);
        for (const std::string& name : names)
            setUnitProperty(t, name);
    }
}

// ---- Campaigns and rounds ----

BITMAP* Loader::getPicture(DATAFILE* dat, const std::string& object, const std::string& path) {
    BITMAP* pic = DatafileCache::findPicture(dat, object);
    if (!pic) showMessage("%s", missingPictureMessage(object, path).c_str());
    return pic;
}

void Loader::setCampaignConfig(Campaign& campaign) {
    useConfigText(("data/campaigns/" + *campaign.getName()).c_str());
}

int Loader::loadCampaign(Campaign& campaign) {
    setCampaignConfig(campaign);
    const char* file = get_config_string("Campaign", campaignKey("Datafile").name, nullptr);
    campaignDatafileName = file ? file : "";
    if (file) campaignDatafile = datafiles->load(campaignDatafileName);
    if (!file || !campaignDatafile) {
        showMessage("%s", campaignNotLoadedMessage(campaignDatafileName).c_str());
        return 1;
    }
    campaign.setBeginPic(getPicture(campaignDatafile, "splashScreen", campaignDatafileName));
    campaign.setEndPic(getPicture(campaignDatafile, "victoryScreen", campaignDatafileName));
    campaign.setTotalRounds(readWhole(campaignKey("TotalRounds")));
    std::string music = readText(campaignKey("Music"));
    campaign.setMusic(&music);
    return 0;
}

int Loader::loadAllUnitsFromCampaign(Campaign& campaign) {
    setCampaignConfig(campaign);
    std::string section = "Campaign", key = campaignKey("UnitsToAppear").name;
    std::vector<std::string> names;
    int count = 0;
    get_argv(&names, &section, &key, &count);
    for (const std::string& name : names)
        addUnit(name); // loading a unit opens its own file; names were copied first
    return 0;
}

void Loader::readArenaSize(std::string section, Round* round) {
    std::string key = roundKey("ArenaSize").name;
    std::vector<std::string> v;
    int count = 0;
    get_argv(&v, &section, &key, &count);
    if (count < 2) return;
    int width = 0, height = 0;
    if (!readArenaSide(v[0], &width) || !readArenaSide(v[1], &height)) {
        showMessage("%s", unusableArenaSizeMessage(v[0], v[1]).c_str());
        return;
    }
    round->setArenaSize(itofix(width), itofix(height));
}

UnitCreate* Loader::readSpawnLine(std::string section, int index) {
    std::string key = roundKey("Spawn").name + std::to_string(index);
    std::vector<std::string> v;
    int count = 0;
    get_argv(&v, &section, &key, &count);
    if (count != spawnValues && count != spawnValuesWithPosition) return nullptr;
    int side = listWhole(v[2]);
    if (count == spawnValuesWithPosition && side != SIDE_AT_POSITION) return nullptr;
    fixed x = count == spawnValuesWithPosition ? pixelsToFixed(v[7]) : 0;
    fixed y = count == spawnValuesWithPosition ? pixelsToFixed(v[8]) : 0;
    int amount = listWhole(v[1]);
    if (amount > maxUnitsPerOrder) {
        showMessage("%s", tooManySpawnedMessage(section, key, amount).c_str());
        amount = maxUnitsPerOrder;
    }
    return new UnitCreate(v[0], amount, side, listWhole(v[3]), listWhole(v[4]), listWhole(v[5]), x, y, 0,
                          listWhole(v[6]), nullptr);
}

int Loader::loadRound(Campaign& campaign, int roundNumber, Round* round, const std::string& charName,
                      MusicSound*) {
    setCampaignConfig(campaign);
    if (!campaignDatafile) {
        showMessage("loadround called with NULL datafile.\n");
        return 1;
    }
    std::string section = "Round" + std::to_string(roundNumber);
    readArenaSize(section, round);

    std::string key = roundKey("ArenaPic").name;
    std::vector<std::string> pic;
    int count = 0;
    get_argv(&pic, &section, &key, &count);
    if (count < 2) {
        showMessage("%s", arenaTooFewMessage().c_str());
        return 1;
    }
    roundDatafile = datafiles->load(pic[0]);
    if (!roundDatafile) {
        showMessage("%s", roundNotLoadedMessage(pic[0]).c_str());
        return 1;
    }
    round->setArenaPic(getPicture(roundDatafile, pic[1], pic[0]));
    if (count >= 3) round->setTitlePic(getPicture(roundDatafile, pic[2], pic[0]));

    std::string name = readText(roundKey("name"), section);
    round->setName(&name);
    round->setArenaKB(readFixed("data/campaigns/" + *campaign.getName(), roundKey("ArenaKB"), section));
    std::string wall = readText(roundKey("ArenaWall"), section);
    for (int mode = 0; mode < WALL_MODE_COUNT; mode++)
        if (wall == wallModes[mode]) round->setArenaWall(mode);

    int spawns = readWhole(roundKey("Spawns"), section);
    for (int i = 0; i < spawns; i++)
        if (UnitCreate* order = readSpawnLine(section, i)) round->addUnitsToAppear(order);
    round->addUnitsToAppear(
        new UnitCreate(charName, 1, SIDE_CENTRE, SPAWN_AFTER_DELAY, 0, 0, 0, 0, 0, 0, nullptr));
    return 0;
}

// ---- Shared pictures, selection lists, unloading ----

int Loader::loadGeneralData() {
    const std::string path = "data/generalData.dat";
    generalDatafile = datafiles->load(path);
    if (!generalDatafile) {
        showMessage("%s", generalNotLoadedMessage().c_str());
        return 1;
    }
    mouseCursor = getPicture(generalDatafile, "cursor", path);
    for (int i = 0; i < 4; i++) {
        goodStatusPics[i] = getPicture(generalDatafile, "goodStatus" + std::to_string(i), path);
        badStatusPics[i] = getPicture(generalDatafile, "badStatus" + std::to_string(i), path);
    }
    youWinPic = getPicture(generalDatafile, "youWin", path);
    youLosePic = getPicture(generalDatafile, "youLose", path);
    return 0;
}

int Loader::loadCharAndCamp(StartGameConfig* screen) {
    readSelectionList("data/listOfCampaigns.txt", screen, true);
    readSelectionList("data/listOfCharacters.txt", screen, false);
    return 0;
}

void Loader::readSelectionList(const char* path, StartGameConfig* screen, bool campaigns) {
    if (!screen) return;
    // A list that cannot be read offers nothing to choose.
    for (const SelectionEntry& e : ::readSelectionList(path)) {
        if (campaigns)
            screen->addCampName(e.name, e.description);
        else
            screen->addCharName(e.name, e.description);
    }
}

void Loader::retireUnitTypes() {
    SpriteCache::drawing().clear(); // the retired frames are never drawn again
    retiredTemplates.insert(retiredTemplates.end(), unitTemplates.begin(), unitTemplates.end());
    unitTemplates.clear();
    for (std::string* name : unitNames)
        delete name;
    unitNames.clear();
    unitDatafiles.clear();
}

void Loader::unloadAll() {
    retireUnitTypes();
    for (UnitTemplate* t : retiredTemplates)
        delete t;
    retiredTemplates.clear();
    unitDepth = 0;
    if (datafiles == &ownDatafiles) datafiles->releaseAll();
    campaignDatafile = roundDatafile = generalDatafile = nullptr;
    mouseCursor = youWinPic = youLosePic = nullptr;
    goodStatusPics.assign(4, nullptr);
    badStatusPics.assign(4, nullptr);
}
