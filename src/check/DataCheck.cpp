#include "check/DataCheck.h"

#include <allegro.h>
#include <cstdio>
#include <cstring>

#include "check/checkText.h"
#include "content/UnitTemplate.h"
#include "content/fileFormat.h"
#include "content/loadMessages.h"
#include "system/configText.h"
#include "system/fileAccess.h"
#include "system/oggsnd.h"

namespace {

const char* const campaignList = "data/listOfCampaigns.txt";
const char* const characterList = "data/listOfCharacters.txt";
const char* const notTextWhat = "the line holds bytes that are not UTF-8 text";
const char* const notTextGame = "reads each such byte as '?': a name written so matches no file";
const char* const notTextFix = "save the file as UTF-8 (names of files in UTF-8 too)";

bool isText(const std::string& s) {
    return linesNotText(s).empty();
}

} // namespace

Place placeOf(const ConfigFile& f, const std::string& section, const std::string& key) {
    return {f.getPath(), section, key, f.lineOf(section, key)};
}

std::string whereKeyBelongs(const SectionKeys& fileKeys, const std::string& section, const std::string& key,
                            const std::string& firstSection) {
    for (const auto& s : fileKeys) {
        if (sameName(s.first, section)) continue;
        for (const std::string& k : s.second)
            if (sameName(k, key))
                return s.first.empty() ? "move it above [" + firstSection + "]"
                                       : "move it into [" + s.first + "]";
    }
    return "";
}

void DataCheck::run() {
    std::vector<std::pair<std::string, int>> campaigns = checkList(campaignList);
    std::vector<std::pair<std::string, int>> chars = checkList(characterList);
    checkGeneralData();
    std::set<std::string> campaignNames;
    std::vector<std::string> toLoad;
    for (const auto& c : chars) {
        Place from{characterList, "", "", c.second};
        const UnitFacts& facts = checkUnit(c.first, from);
        characters.push_back(c.first);
        toLoad.push_back(c.first);
        if (!facts.exists) continue;
        if (!facts.isThePC)
            report.error(from, "the character \"" + c.first + "\" is not a player's unit",
                         "says the character cannot be played and leaves every campaign at its start",
                         "set isThePC = true in data/unit/" + c.first);
        if (facts.affiliation != AFF_PLAYER)
            report.error(from, "the character \"" + c.first + "\" is not on the player's side",
                         "says the character cannot be played and leaves every campaign at its start",
                         "set affiliation = player in data/unit/" + c.first);
    }
    std::vector<std::string> campaignOrder;
    for (const auto& c : campaigns) {
        if (!campaignNames.insert(c.first).second) continue;
        if (!onlyCampaign.empty() && c.first != onlyCampaign) continue;
        campaignOrder.push_back(c.first);
        checkCampaign(c.first, {campaignList, "", "", c.second});
        ConfigFile f;
        f.load("data/campaigns/" + c.first);
        for (const std::string& t : f.getList("Campaign", "UnitsToAppear"))
            toLoad.push_back(t);
    }
    if (onlyCampaign.empty()) checkUnreachable(loadedWith(toLoad), campaignNames);
    checkWithGameLoader(campaignOrder);
}

std::vector<std::pair<std::string, int>> DataCheck::checkList(const std::string& path) {
    std::vector<std::pair<std::string, int>> records;
    std::string bytes;
    if (!readFileBytes(path.c_str(), &bytes)) {
        report.error({path, "", "", 0}, "the selection list is missing",
                     "offers nothing to choose on the start-game screen, so no campaign can be played",
                     "create it: a name line, description lines, then a line [End], for each entry");
        return records;
    }
    for (int line : linesNotText(bytes))
        reportNonText({path, "", "", line});
    std::string text = makePlainText(bytes), line, name;
    bool inName = true, lineContinues = false;
    int number = 0, nameLine = 0;
    for (size_t pos = 0; nextListPiece(text, &pos, &line);) {
        bool ends = line.back() == '\n';
        if (!lineContinues) number++;
        if (!lineContinues && !ends && line.size() == (size_t)listLineLength)
            report.warning({path, "", "", number},
                           textf("the line is longer than %d characters", listLineLength),
                           "reads it in pieces, each piece as a line of its own", "break the line");
        lineContinues = !ends;
        if (inName) {
            name = line;
            while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
                name.pop_back();
            nameLine = number;
            inName = false;
            if (line.find("[End]") != std::string::npos)
                report.warning({path, "", "", number}, "\"[End]\" stands where a name is expected",
                               "takes the line as the next entry's name", "remove the extra [End] line");
        } else if (line.find("[End]") != std::string::npos) {
            for (const auto& r : records)
                if (r.first == name)
                    report.warning({path, "", "", nameLine}, "\"" + name + "\" is listed twice",
                                   "offers it twice on the start-game screen", "remove one entry");
            records.push_back({name, nameLine});
            inName = true;
        }
    }
    if (!inName)
        report.warning({path, "", "", nameLine}, "the entry \"" + name + "\" has no closing [End] line",
                       "does not offer this entry", "add a line [End] after its description");
    if (records.empty())
        report.error({path, "", "", 0}, "the selection list has no entry",
                     "offers nothing to choose on the start-game screen",
                     "add an entry: a name line, description lines, then [End]");
    return records;
}

void DataCheck::checkGeneralData() {
    const std::string path = "data/generalData.dat";
    DATAFILE* dat = datafiles.load(path);
    if (!dat) {
        std::string what = "the general datafile " + DatafileCache::whyNotLoaded(path);
        Problem& p = report.error({path, "", "", 0}, what,
                                  "shows \"" + quoted(generalNotLoadedMessage()) + "\" and \"" +
                                      quoted(loadGeneralFailedMessage()) + "\" and plays no campaign",
                                  "build the data set (cmake --build build --target vorndata)");
        p.gameMessages = {generalNotLoadedMessage(), loadGeneralFailedMessage()};
        return;
    }
    std::vector<std::string> objects = {"cursor", "youWin", "youLose"};
    for (int i = 0; i < 4; i++) {
        objects.push_back("goodStatus" + std::to_string(i));
        objects.push_back("badStatus" + std::to_string(i));
    }
    for (const std::string& o : objects)
        if (!DatafileCache::findPicture(dat, o)) {
            std::string message = missingPictureMessage(o, path);
            Problem& p = report.error({path, "", o, 0}, "the picture \"" + o + "\" is missing",
                                      "shows \"" + quoted(message) + "\" and draws nothing in its place",
                                      "add a picture object named " + o);
            p.gameMessages = {message};
        }
}

std::set<std::string> DataCheck::loadedWith(const std::vector<std::string>& names) {
    std::set<std::string> out;
    std::vector<std::string> todo(names.rbegin(), names.rend());
    while (!todo.empty()) {
        std::string n = todo.back();
        todo.pop_back();
        if (!out.insert(n).second) continue;
        auto u = units.find(n);
        if (u != units.end())
            for (const std::string& a : u->second.adds)
                todo.push_back(a);
    }
    return out;
}

void DataCheck::checkUnreachable(const std::set<std::string>& reached,
                                 const std::set<std::string>& campaignsListed) {
    // Every name the game reads is text, so it can never name a file whose name is not.
    for (const char* dir : {"data/unit", "data/campaigns"})
        for (const std::string& name : regularFilesIn(dir))
            if (!isText(name))
                report.warning(
                    {std::string(dir) + "/" + name, "", "", 0}, "the file name is not UTF-8 text",
                    "reads every name in its files as UTF-8 text, so no name can ever reach this file",
                    "rename the file in UTF-8, as its name is written in the files that use it");
    for (const std::string& name : regularFilesIn("data/unit"))
        if (isText(name) && !reached.count(name) && !datafilesNamed.count("data/unit/" + name) &&
            !(name.size() > 4 && name.compare(name.size() - 4, 4, ".dat") == 0))
            report.warning({"data/unit/" + name, "", "", 0},
                           "no campaign, character or added unit uses this unit file", "never loads it",
                           "list it in a campaign's UnitsToAppear, add it from another type, or remove it");
    for (const std::string& name : regularFilesIn("data/campaigns"))
        if (isText(name) && !campaignsListed.count(name))
            report.warning({"data/campaigns/" + name, "", "", 0},
                           "the campaign is not in data/listOfCampaigns.txt", "never offers it",
                           "add an entry for it to the list, or remove the file");
}

bool DataCheck::soundDecodes(const std::string& path) {
    auto known = decodedSounds.find(path);
    if (known != decodedSounds.end()) return known->second;
    SAMPLE* s = mayOpenByPath(path) ? load_sample(path.c_str()) : nullptr;
    if (!s) s = oggsnd_load_ogg(path.c_str());
    if (s) destroy_sample(s);
    return decodedSounds[path] = s != nullptr;
}

bool DataCheck::musicDecodes(const std::string& path) {
    return musicUnread || soundDecodes(path);
}

void DataCheck::reportNonText(const Place& at) {
    report.warning(at, notTextWhat, notTextGame, notTextFix);
    nonTextPlaces.insert({at.file, at.line});
}

std::string DataCheck::nameFix(const Place& from, const std::string& otherwise) const {
    if (!nonTextPlaces.count({from.file, from.line})) return otherwise;
    return "save " + from.file + " as UTF-8, so the name reads as the file is named (in UTF-8 too)";
}

// ---- values of keys ----

void DataCheck::checkLayout(const ConfigFile& f) {
    for (int line : f.getNonTextLines())
        reportNonText({f.getPath(), "", "", line});
    for (int line : f.getStrayLines())
        report.warning({f.getPath(), "", "", line},
                       "the line is neither a [section], a key = value line nor a comment", "ignores it",
                       "write key = value, or start a comment with #");
    for (const ConfigEntry* e : f.shadowedEntries())
        report.warning(
            {f.getPath(), e->section, e->key, e->line},
            textf("the key already stands on line %d of this section", f.lineOf(e->section, e->key)),
            "reads only the first one (key names ignore case)", "remove one of the two lines");
    // An empty list of properties is a way to write "none"; elsewhere an empty value is a slip.
    for (const auto& s : f.getSections())
        for (const ConfigEntry* e : f.entriesOf(s.first))
            if (e->value.empty() && f.find(e->section, e->key) == e && !sameName(s.first, "UnitProperties"))
                report.warning({f.getPath(), e->section, e->key, e->line}, "the key has no value",
                               "treats it as missing and uses the default",
                               "write a value or remove the line");
    for (const ConfigEntry* e : f.entriesOf(""))
        if (e->value.empty() && f.find("", e->key) == e)
            report.warning({f.getPath(), "", e->key, e->line}, "the key has no value",
                           "treats it as missing and uses the default", "write a value or remove the line");
}

void DataCheck::checkUnknownKeys(const ConfigFile& f, const std::string& section,
                                 const std::vector<std::string>& known, const std::string& readBy,
                                 const SectionKeys& fileKeys) {
    for (const ConfigEntry* e : f.entriesOf(section)) {
        bool ok = false;
        for (const std::string& k : known)
            ok = ok || sameName(k, e->key);
        if (ok) continue;
        std::string fix = f.getSections().empty()
                              ? ""
                              : whereKeyBelongs(fileKeys, section, e->key, f.getSections().front().first);
        if (fix.empty()) fix = "correct or remove it." + didYouMean(e->key, known);
        report.warning({f.getPath(), e->section, e->key, e->line}, "the game never reads this key",
                       "ignores the line" + readBy, fix);
    }
}

void DataCheck::checkWholeKey(const ConfigFile& f, const std::string& section, const std::string& key) {
    const ConfigEntry* e = f.find(section, key);
    if (!e || e->value.empty()) return;
    bool leadingZero = e->value.size() > 1 && e->value[0] == '0';
    if (!isWholeNumber(e->value) || leadingZero)
        report.warning(placeOf(f, section, key), "\"" + e->value + "\" is not a plain whole number",
                       textf("reads it as %d%s", f.getInt(section, key, 0),
                             leadingZero ? " (a leading 0 makes it octal, 0x hexadecimal)" : ""),
                       "write a whole number in decimal digits");
}

void DataCheck::checkRealKey(const ConfigFile& f, const std::string& section, const std::string& key,
                             double def) {
    const ConfigEntry* e = f.find(section, key);
    if (!e || e->value.empty()) return;
    double n = 0;
    if (!readReal(e->value, &n)) {
        reportUnusableReal(placeOf(f, section, key), key, e->value, def);
        return;
    }
    if (!isRealNumber(e->value))
        report.warning(placeOf(f, section, key), "\"" + e->value + "\" is not a number",
                       textf("reads it as %g", f.getFloat(section, key, 0)), "write a number such as 2.5");
}

void DataCheck::reportUnusableReal(const Place& at, const std::string& key, const std::string& value,
                                   double used) {
    std::string message = unusableRealMessage(at.file, at.section, key, value, used);
    Problem& p =
        report.error(at, "\"" + value + "\" is not a usable number", "shows \"" + quoted(message) + "\"",
                     textf("write a finite number from %g to %g", -largestFixedReal, largestFixedReal));
    p.gameMessages = {message};
}

void DataCheck::checkTrueFalseKey(const ConfigFile& f, const std::string& section, const std::string& key) {
    const ConfigEntry* e = f.find(section, key);
    if (!e || e->value.empty() || e->value == "true" || e->value == "false") return;
    report.warning(placeOf(f, section, key), "\"" + e->value + "\" is neither true nor false",
                   "reads anything but the exact word true as false", "write true or false in small letters");
}
