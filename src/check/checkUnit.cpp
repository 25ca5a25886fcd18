// The unit-file checks, in the order the game's loader reads a unit file.
#include <allegro.h>
#include <cstdlib>

#include "check/DataCheck.h"
#include "check/checkText.h"
#include "content/fileFormat.h"
#include "content/keyValues.h"
#include "content/loadMessages.h"
#include "content/unitProperties.h"
#include "system/fileAccess.h"

namespace {

const std::vector<std::string> globalKeys = formatKeyNames(FileKind::Unit, "");
// The painter draws a unit's frames from this section; the game never reads it.
const char* const lookSection = "Look";

std::vector<std::string> words(const char* const* table, int count) {
    return std::vector<std::string>(table, table + count);
}

std::vector<std::string> affiliationWords() {
    return words(affiliationTexts, AFFILIATION_COUNT);
}

std::vector<std::string> propertyWords() {
    std::vector<std::string> out;
    for (int i = 0; i < unitPropertyCount(); i++)
        out.push_back(unitPropertyName(i));
    return out;
}

// Which of the four property fields a name sets (0 Player, 1 Hitbox, 2 Status, 3 Defense, in
// the order of the keys), and the bit; -1 for a name that is no property.
int propertyGroup(const std::string& name, int* bit) {
    UnitTemplate t;
    if (!setUnitProperty(&t, name)) return -1;
    const int fields[PROPERTY_KEY_COUNT] = {t.unitPropertyPlayer, t.unitPropertyHitbox, t.unitPropertyStatus,
                                            t.unitPropertyDefense};
    for (int g = 0; g < PROPERTY_KEY_COUNT; g++)
        if (fields[g]) {
            *bit = fields[g];
            return g;
        }
    return -1;
}

} // namespace

const UnitFacts& DataCheck::checkUnit(const std::string& name, const Place& from) {
    auto known = units.find(name);
    if (known != units.end()) return known->second;
    UnitFacts& facts = units[name];
    std::string path = "data/unit/" + name;
    ConfigFile f;
    if (name.empty() || !f.load(path)) {
        std::string reason = whyUnreadable(path);
        if (reason.empty()) reason = "does not exist";
        std::string message = unitNotLoadedMessage(describeUnusableFile(path, reason));
        std::string what = "unit type \"" + name + "\" has no unit file: " + path + " " + reason;
        Problem& p =
            report.error(from, what,
                         "shows \"" + message + "\" and \"" + quoted(unitNotValidMessage(name)) +
                             "\"; nothing of this type ever appears",
                         nameFix(from, "create " + path + " or correct the name (names are case-sensitive)"));
        p.gameMessages = {message, unitNotValidMessage(name)};
        return facts;
    }
    facts.exists = true;
    checkUnitLayout(f);
    checkUnitGlobals(f, facts);
    checkUnitProperties(f, facts);
    checkUnitAI(f, facts);
    facts.valid = checkAnimations(f, name);
    checkSounds(f);
    checkDamage(f);
    checkAddedUnits(f, name, facts);
    checkKeyValues(f, FileKind::Unit, lookSection, lookSection);
    checkLookPainted(f, name);
    return facts;
}

void DataCheck::checkUnitLayout(const ConfigFile& f) {
    checkLayout(f);
    std::vector<std::string> sections = formatSections(FileKind::Unit);
    sections.erase(sections.begin()); // the global keys, before the first section
    for (const auto& s : f.getSections()) {
        bool known = false;
        for (const std::string& k : sections)
            known = known || sameName(k, s.first);
        if (!known)
            report.warning({f.getPath(), s.first, "", s.second}, "the game never reads this section",
                           "ignores every key in it",
                           "unit files have the sections " + listWords(sections) + "." +
                               didYouMean(s.first, sections));
    }
    std::vector<std::string> known = globalKeys;
    for (const ConfigEntry* e : f.entriesOf(""))
        if (isNumberedKey(e->key, "addedUnit")) known.push_back(e->key);
    // Added-unit keys are global wherever they stand, so one written under a section is sent above.
    for (const auto& s : f.getSections())
        for (const ConfigEntry* e : f.entriesOf(s.first))
            if (isNumberedKey(e->key, "addedUnit")) known.push_back(e->key);
    SectionKeys unitKeys;
    for (const std::string& section : formatSections(FileKind::Unit))
        unitKeys.push_back({section, section.empty() ? known : formatKeyNames(FileKind::Unit, section)});
    for (const auto& s : unitKeys)
        checkUnknownKeys(f, s.first, s.second, "", unitKeys);
}

void DataCheck::checkUnitGlobals(const ConfigFile& f, UnitFacts& facts) {
    if (f.has("", "affiliation")) {
        std::string text = f.getString("", "affiliation", "player");
        facts.affiliation = affiliationFromText(text);
        if (!facts.affiliation)
            report.error(
                placeOf(f, "", "affiliation"), "\"" + text + "\" is no side",
                "gives the type no side at all: nothing targets it, it never counts as an enemy or as "
                "the player's, and every unit hits it",
                "write one of " + listWords(affiliationWords()) + " (case matters)." +
                    didYouMean(text, affiliationWords()));
    }
    checkKeyValues(f, FileKind::Unit, "", "");
    facts.isThePC = f.getString("", "isThePC", "false") == "true";
    facts.timeToLive = f.getInt("", "timeToLive", -20);
    if (facts.timeToLive < 0 && facts.timeToLive > -10)
        report.warning(
            placeOf(f, "", "timeToLive"), "a life span from -1 to -9",
            "ends every unit of this type at its first death check, right after it appears",
            "write a count of death checks (0 or more), or -10 or less (the default -20) for no limit");
    for (const char* key : {"alignAngleMin", "alignAngleMax"})
        if (f.has("", key))
            report.warning(placeOf(f, "", key), "no behaviour uses this value",
                           "loads it and never looks at it again", "remove the line");
}

void DataCheck::checkUnitAI(const ConfigFile& f, const UnitFacts& facts) {
    if (facts.isThePC) {
        for (const ConfigEntry* e : f.entriesOf("AI")) {
            report.warning({f.getPath(), "AI", e->key, e->line},
                           "the player's unit has no behaviour settings",
                           "steers this type from the keyboard and mouse and never reads its [AI] section",
                           "remove the [AI] section from the character");
            break;
        }
        return;
    }
    if (f.has("AI", "targetAffiliation")) {
        std::string text = f.getString("AI", "targetAffiliation", "player");
        if (!affiliationFromText(text))
            report.warning(placeOf(f, "AI", "targetAffiliation"), "\"" + text + "\" is no side",
                           "keeps the default and targets the player's side",
                           "write one of " + listWords(affiliationWords()) + "." +
                               didYouMean(text, affiliationWords()));
    }
    checkKeyValues(f, FileKind::Unit, "AI", "AI");
    if (f.has("AI", "attackPeriodIndex"))
        report.warning(placeOf(f, "AI", "attackPeriodIndex"), "no behaviour uses this value",
                       "loads it and never looks at it again", "remove the line");
    int sw = f.getInt("AI", "switchTarget", 0);
    if (sw & ~3)
        report.warning(placeOf(f, "AI", "switchTarget"), textf("%d has bits other than 1 and 2", sw),
                       "reads only bit 1 (drop the target after each attack) and bit 2 (drop it when at full "
                       "health)",
                       "write 0, 1, 2 or 3");
    double lo = f.getFloat("AI", "attackDistMin", 0), hi = f.getFloat("AI", "attackDistMax", 0);
    if (lo > hi)
        report.warning(
            placeOf(f, "AI", "attackDistMin"), textf("the attack window %g to %g is empty", lo, hi),
            "never finds its target inside the window: the unit never attacks and never holds still",
            "make attackDistMin at most attackDistMax");
}

void DataCheck::checkUnitProperties(const ConfigFile& f, UnitFacts& facts) {
    const std::vector<std::string> groups = words(propertyKeys, PROPERTY_KEY_COUNT);
    std::vector<std::string> seen;
    int playerBits = 0;
    for (int k = 0; k < PROPERTY_KEY_COUNT; k++) {
        std::vector<std::string> names = f.getList("UnitProperties", propertyKeys[k]);
        Place at = placeOf(f, "UnitProperties", propertyKeys[k]);
        for (const std::string& name : names) {
            int bit = 0;
            int group = propertyGroup(name, &bit);
            if (group < 0) {
                report.warning(at, "\"" + name + "\" is no property", "ignores the name without a message",
                               "correct or remove it (case matters)." + didYouMean(name, propertyWords()));
                continue;
            }
            for (const std::string& s : seen)
                if (s == name)
                    report.warning(at, "\"" + name + "\" is listed twice", "sets the property once",
                                   "remove the second one");
            seen.push_back(name);
            if (group != k)
                report.warning(at, "\"" + name + "\" is a " + groups[group] + " property",
                               "sets it all the same, whichever list names it",
                               "move it to the " + groups[group] + " list so readers find it there");
            if (group == 0) playerBits |= bit;
            if (group == 1) facts.hitbox |= bit;
            if (group == 3) facts.defense |= bit;
        }
    }
    if (playerBits && !facts.isThePC)
        report.warning(
            placeOf(f, "UnitProperties", "Player"), "player properties on a type the player does not steer",
            "reads them only for the player's unit (InvincibleWhenHit works on any unit, the chain and "
            "stun ones do not)",
            "remove them, or set isThePC = true if this is a character");
}

void DataCheck::checkSounds(const ConfigFile& f) {
    for (int slot = 0; slot < SOUND_COUNT; slot++) {
        if (!f.has("Sound", soundKeys[slot])) continue;
        std::string path = f.getString("Sound", soundKeys[slot], "");
        Place at = placeOf(f, "Sound", soundKeys[slot]);
        std::string reason = whyUnreadable(path);
        if (!reason.empty())
            report.warning(at, "the sound file " + path + " " + reason,
                           "plays no sound for this slot, without a message",
                           "give the path from the game's folder, e.g. data/sound/hit.wav");
        else if (!soundDecodes(path))
            report.warning(
                at, "the sound file " + path + " does not decode",
                "reads it neither as a sample (WAV, VOC) nor as Ogg Vorbis and plays no sound for this slot",
                "save it as 16-bit WAV or as Ogg Vorbis");
    }
}

void DataCheck::checkDamage(const ConfigFile& f) {
    checkKeyValues(f, FileKind::Unit, "damage", "damage");
    for (const char* key : {"goodStatus", "badStatus"}) {
        int total = 0;
        std::vector<std::string> v = f.getList("damage", key, &total);
        Place at = placeOf(f, "damage", key);
        if (total > 4)
            report.warning(at, textf("%d values; there are 4 ailments", total),
                           "uses the first 4 and ignores the rest", "write 4 values, one per ailment 0 to 3");
        for (size_t i = 0; i < v.size() && i < 4; i++)
            if (!isWholeNumber(v[i]))
                report.warning(at, "\"" + v[i] + "\" is not a whole number",
                               textf("reads it as %d steps", listWhole(v[i])), "write a count of steps");
    }
}
