// The animation and added-unit checks of a unit file.
#include <allegro.h>
#include <cstdlib>

#include "check/DataCheck.h"
#include "check/checkText.h"
#include "content/fileFormat.h"
#include "content/keyValues.h"
#include "content/loadMessages.h"
#include "system/fileAccess.h"

bool DataCheck::checkAnimations(const ConfigFile& f, const std::string& name) {
    set_color_conversion(COLORCONV_TOTAL);
    bool hasKey = f.has("", "datafile");
    std::string file = f.getString("", "datafile", "");
    std::string path = "data/unit/" + file;
    if (hasKey) datafilesNamed.insert(path);
    DATAFILE* dat = hasKey ? datafiles.load(path) : nullptr;
    if (!dat) {
        std::string reason = DatafileCache::whyNotLoaded(path);
        std::string message = unitNotLoadedMessage(hasKey ? describeUnusableFile(path, reason)
                                                          : f.getPath() + " names no datafile");
        reason = "the datafile " + path + " " + reason;
        Problem& p = hasKey
                         ? report.error(placeOf(f, "", "datafile"), reason,
                                        "shows \"" + message + "\"; the type is not valid and never appears",
                                        "make the datafile (the build paints it from the [Look] section) or "
                                        "correct the name, which is relative to data/unit/")
                         : report.error({f.getPath(), "", "datafile", 0}, "the unit file names no datafile",
                                        "shows \"" + message + "\"; the type is not valid and never appears",
                                        "add a line datafile = gfx/<name>.dat");
        p.gameMessages = {message, unitNotValidMessage(name)};
        return false;
    }
    bool found = false;
    for (int anim = 0; anim < ANIM_COUNT; anim++)
        checkAnimation(f, name, anim, dat, path, found);
    if (!found) {
        std::string message = noAnimationsMessage(name, path);
        Problem& p =
            report.error({f.getPath(), "Animation", "", 0}, "no animation has a frame that loads",
                         "shows \"" + message.substr(0, message.size() - 2) +
                             "\"; the type is not valid and never appears",
                         "list at least one frame of " + path + " (animIdle = 0 -1 0 <frame> <hold>)");
        p.gameMessages = {message, unitNotValidMessage(name)};
    } else if (f.getList("Animation", "animIdle").size() < 5) {
        report.warning(
            placeOf(f, "Animation", "animIdle"), "no standing frame",
            "draws nothing while the unit stands, and takes its size for contacts from the animation "
            "playing (0 when it has none)",
            "give animIdle at least one frame");
    }
    return found;
}

void DataCheck::checkAnimation(const ConfigFile& f, const std::string& name, int anim, DATAFILE* dat,
                               const std::string& datPath, bool& found) {
    const char* key = animationKeys[anim];
    if (!f.has("Animation", key)) return;
    int total = 0;
    std::vector<std::string> v = f.getList("Animation", key, &total);
    Place at = placeOf(f, "Animation", key);
    if (total < 4) {
        report.warning(at, textf("%d values: the three numbers and at least one frame are needed", total),
                       "ignores the whole line: the animation has no frames",
                       "write repeat, loop end, loop start, then frame and hold pairs: 0 -1 0 frame1 2");
        return;
    }
    if (total > maxListValues)
        report.warning(at, textf("%d values; the game reads %d", total, maxListValues),
                       "sees only the first 16 values: at most 6 frames",
                       "use at most 6 frames per animation");
    if ((v.size() - 3) % 2 == 1)
        report.warning(at, "the frame \"" + v.back() + "\" has no hold count", "ignores that last frame",
                       "add its hold count after it");
    for (int i = 0; i < 3; i++)
        if (!isWholeNumber(v[i]))
            report.warning(at, "\"" + v[i] + "\" is not a whole number",
                           textf("reads it as %d", listWhole(v[i])),
                           "write repeat, loop end and loop start as whole numbers");
    int frames = 0;
    for (size_t i = 3; i + 1 < v.size(); i += 2) {
        if (!DatafileCache::findPicture(dat, v[i])) {
            std::string message = missingFrameMessage(v[i], name);
            Problem& p =
                report.error(at, "the frame \"" + v[i] + "\" is not a picture in " + datPath,
                             "shows \"" + quoted(message) + "\" and leaves the frame out",
                             "correct the frame name, or rebuild the datafile so it has that picture");
            p.gameMessages = {message};
            continue;
        }
        frames++;
        found = true;
        if (!isWholeNumber(v[i + 1]) || listWhole(v[i + 1]) < 0)
            report.warning(
                at, "the hold count \"" + v[i + 1] + "\" of " + v[i] + " is not a whole number of 0 or more",
                textf("holds the frame for %d extra advances", std::max(0, listWhole(v[i + 1]))),
                "write 0 or more");
    }
    int loopEnd = listWhole(v[1]), loopStart = listWhole(v[2]);
    if (frames > 0 && (loopEnd >= frames || loopStart >= frames))
        report.warning(at,
                       textf("the loop (start %d, end %d) reaches beyond the %d frame%s", loopStart, loopEnd,
                             frames, frames == 1 ? "" : "s"),
                       "plays to the last frame, and a loop start past it holds the last frame",
                       textf("keep loop start and loop end below %d, or -1 for the last frame", frames));
}

void DataCheck::checkAddedUnits(const ConfigFile& f, const std::string& name, UnitFacts& facts) {
    int count = f.getInt("", "addedUnits", 0);
    std::vector<std::pair<int, std::vector<std::string>>> entries;
    for (const ConfigEntry* e : f.entriesOf("")) {
        if (e->key.size() <= 9 || !sameName(e->key.substr(0, 9), "addedUnit")) continue;
        int index = atoi(e->key.substr(9).c_str());
        if (index >= count && f.find("", e->key) == e)
            report.warning(
                {f.getPath(), "", e->key, e->line},
                textf("addedUnits is %d, so this entry is never read", count),
                "reads addedUnit0 to addedUnit" + std::to_string(count - 1) + " only",
                textf("raise addedUnits to %d, or number the entries from 0 without gaps", index + 1));
    }
    for (int i = 0; i < count; i++) {
        std::string key = "addedUnit" + std::to_string(i);
        int total = 0;
        std::vector<std::string> v = f.getList("", key, &total);
        Place at = placeOf(f, "", key);
        if (total == 0) {
            report.warning({f.getPath(), "", key, f.lineOf("", "addedUnits")},
                           textf("addedUnits is %d but there is no %s", count, key.c_str()),
                           "skips the entry without a message", "add the entry or lower addedUnits");
            continue;
        }
        if (total != addedUnitValues) {
            report.warning(
                at, textf("%d values; an added-unit entry has exactly %d", total, addedUnitValues),
                "skips the whole entry without a message: the attack or death adds nothing from it",
                "write: type distance angle amount spread random attack delay1 delay2 delay4 moveLock "
                "dash appearDelay onClick hpCost");
            continue;
        }
        for (int k = 1; k < addedUnitValues; k++) {
            bool real = k == 1 || k == 2 || k == 4 || k == 5;
            double n = 0;
            if (k == 13) continue;
            if (real && !readReal(v[k], &n))
                reportUnusableReal(at, key + " value " + std::to_string(k + 1), v[k], 0);
            else if (real ? !isRealNumber(v[k]) : !isWholeNumber(v[k]))
                report.warning(
                    at,
                    textf("value %d, \"%s\", is not a %s number", k + 1, v[k].c_str(), real ? "" : "whole"),
                    textf("reads it as %g", real ? atof(v[k].c_str()) : (double)listWhole(v[k])),
                    "write a number");
        }
        if (v[13] != "true" && v[13] != "false")
            report.warning(at, "onClick \"" + v[13] + "\" is neither true nor false", "reads it as false",
                           "write true or false");
        if (listWhole(v[3]) <= 0)
            report.warning(at, "an amount of 0 or less", "adds no unit from this entry",
                           "write how many units to add");
        if (listWhole(v[3]) > maxUnitsPerOrder) {
            std::string message = tooManyAddedMessage(name, key, listWhole(v[3]));
            Problem& p =
                report.error(at, textf("an amount of %s", v[3].c_str()), "shows \"" + quoted(message) + "\"",
                             textf("add at most %d units per entry", maxUnitsPerOrder));
            p.gameMessages = {message};
        }
        entries.push_back({i, v});
        const UnitFacts& added = checkUnit(v[0], at);
        if (added.exists && !added.valid)
            report.error(at, "the added type \"" + v[0] + "\" does not load", "adds nothing for this entry",
                         "mend the problems reported for data/unit/" + v[0]);
        facts.adds.push_back(v[0]);
    }
    checkAttackGroups(f, entries, facts.isThePC);
}

void DataCheck::checkAttackGroups(const ConfigFile& f,
                                  const std::vector<std::pair<int, std::vector<std::string>>>& entries,
                                  bool isThePC) {
    for (const auto& e : entries) {
        int attack = listWhole(e.second[6]);
        Place at = placeOf(f, "", "addedUnit" + std::to_string(e.first));
        if (attack != 1 && attack != 2 && attack != 4 && attack != 8) {
            report.warning(
                at, textf("attack %d is not one of 1, 2, 4 or 8", attack),
                attack & 15 ? "uses the entry for every attack whose bit it shares, and an attack whose "
                              "first entry has such a value skips its cool-down test"
                            : "never uses the entry",
                "write 1, 2 or 4 for the attack of that number, 8 for the unit's death; use one entry per "
                "attack");
            continue;
        }
        if (!isThePC && (attack == 2 || attack == 4))
            report.warning(
                at, textf("attack %d on a type the player does not steer", attack),
                "lets such units use only attack 1 (and 8 when they die): this entry is never used",
                "use attack 1, or give the unit's other attack to a character");
    }
    for (int mask : {1, 2, 4}) {
        const std::vector<std::string>* first = nullptr;
        for (const auto& e : entries) {
            int attack = listWhole(e.second[6]);
            if (!(attack & mask)) continue;
            Place at = placeOf(f, "", "addedUnit" + std::to_string(e.first));
            if (!first) {
                first = &e.second;
                continue;
            }
            int firstAttack = listWhole((*first)[6]);
            if (firstAttack != attack)
                report.warning(
                    at,
                    textf("attack %d mixes entries with attack values %d and %d", mask, firstAttack, attack),
                    textf("takes the cool-down and cost test of attack %d from its first entry only", mask),
                    "give every entry of one attack the same attack value");
            if (isThePC && (*first)[13] != e.second[13])
                report.warning(at, textf("onClick differs from the first entry of attack %d", mask),
                               "reads onClick from the first entry of the attack only",
                               "give every entry of one attack the same onClick");
        }
    }
}
