#ifndef VORN_CHECK_DATACHECK_H
#define VORN_CHECK_DATACHECK_H

#include <map>
#include <set>
#include <string>
#include <vector>

#include "check/CheckMemory.h"
#include "check/ConfigFile.h"
#include "check/Report.h"
#include "content/DatafileCache.h"
#include "content/formatTable.h"

// The keys the game reads in each section of one kind of file; the section "" holds the keys
// above the first section header.
using SectionKeys = std::vector<std::pair<std::string, std::vector<std::string>>>;

// What the checker learnt about one unit type, for the checks of the files that use it.
struct UnitFacts {
    bool exists = false; // its unit file can be read
    bool valid = false;  // the game keeps the type (its datafile loads and has a frame)
    int affiliation = 1;
    bool isThePC = false;
    int timeToLive = -20;
    int hitbox = 0;
    int defense = 0;
    std::vector<std::string> adds; // the types its added-unit entries name, in file order
};

// Reads a data set the way the game does, from the two selection lists through every campaign,
// round, spawn line and unit type to the pictures, sounds and music, and reports every problem:
// what the game rejects with a message and what it silently skips, ignores or defaults.
// Allegro must be started with a colour depth; the working directory is the data folder's
// parent, since the game and the files themselves name paths as data/...
class DataCheck {
  public:
    // memory, when given, keeps the datafiles and sounds read for later checks of the same set.
    explicit DataCheck(Report& report, CheckMemory* memory = nullptr)
        : report(report), memory(memory ? *memory : ownMemory), datafiles(this->memory.getDatafiles()),
          decodedSounds(this->memory.getDecodedSounds()) {}
    DataCheck(const DataCheck&) = delete;
    DataCheck& operator=(const DataCheck&) = delete;

    void run();
    // Checks only the lists, the characters and the one campaign (with its unit types), and
    // leaves out the files nothing uses: what an editor of that campaign needs after each edit,
    // at a fraction of the whole set's time.
    void runForCampaign(const std::string& name) {
        onlyCampaign = name;
        run();
    }
    // Checks only the one unit type and the types it adds, what an editor of that unit file
    // needs after each edit; whether anything uses the type is not looked at.
    void runForUnit(const std::string& name) { checkUnit(name, {"data/unit/" + name, "", "", 0}); }
    // Music files are looked for but not read, so not decoded: for a program that plays no music
    // (an editor), whose checks a music file of 100 MB held up for most of a minute each.
    void setMusicUnread() { musicUnread = true; }

    // The checks a value gets from its key's row alone (its kind, limits and words, a round's
    // size and wall mode), as if it stood for key in section of the file at path (data/...):
    // what an editor shows while the author types. Line numbers are those of a file holding only
    // the section header and the key (2).
    void checkValue(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value);

  private:
    // Selection lists: the names of the records the start-game screen offers, with their lines.
    std::vector<std::pair<std::string, int>> checkList(const std::string& path);
    void checkGeneralData();
    void checkCampaign(const std::string& name, const Place& from);
    void checkCampaignUnitsList(const ConfigFile& f, std::vector<std::string>& listed);
    // One round section; width and height carry the arena size from round to round.
    void checkRound(const ConfigFile& f, int index, const std::set<std::string>& loaded,
                    const std::vector<std::string>& listed, int& width, int& height, bool& hasTitle);
    // width and height: as checkRound's, set when the round gives a usable size.
    void checkArenaSize(const ConfigFile& f, const std::string& section, int& width, int& height);
    // index: the round's number; the first round has no walls of a round before to keep.
    void checkWallMode(const ConfigFile& f, const std::string& section, int index);
    void checkSpawnLine(const ConfigFile& f, const std::string& section, int index, int width, int height,
                        const std::set<std::string>& loaded, const std::vector<std::string>& listed,
                        int& enemyOrders, bool& stuckEnemy);

    // Unit types: each file is checked once; later requests get the facts.
    const UnitFacts& checkUnit(const std::string& name, const Place& from);
    void checkUnitLayout(const ConfigFile& f);
    void checkUnitGlobals(const ConfigFile& f, UnitFacts& facts);
    void checkUnitAI(const ConfigFile& f, const UnitFacts& facts);
    void checkUnitProperties(const ConfigFile& f, UnitFacts& facts);
    bool checkAnimations(const ConfigFile& f, const std::string& name);
    void checkAnimation(const ConfigFile& f, const std::string& name, int anim, DATAFILE* dat,
                        const std::string& datPath, bool& found);
    void checkSounds(const ConfigFile& f);
    void checkDamage(const ConfigFile& f);
    void checkAddedUnits(const ConfigFile& f, const std::string& name, UnitFacts& facts);
    void checkAttackGroups(const ConfigFile& f,
                           const std::vector<std::pair<int, std::vector<std::string>>>& entries,
                           bool isThePC);

    // Values of keys: a whole or real number where the game reads one.
    void checkWholeKey(const ConfigFile& f, const std::string& section, const std::string& key);
    // def: the game's default, which it uses for a real number it refuses.
    void checkRealKey(const ConfigFile& f, const std::string& section, const std::string& key, double def);
    // A real number the game refuses, with the message it shows; key names the value in it.
    void reportUnusableReal(const Place& at, const std::string& key, const std::string& value, double used);
    void checkTrueFalseKey(const ConfigFile& f, const std::string& section, const std::string& key);
    // Every key of a section that its row of the format table says how to check: the kind of
    // value, its limits, the words it takes. tableSection is the table's name ("Round" for
    // Round3), section the file's.
    void checkKeyValues(const ConfigFile& f, FileKind file, const std::string& tableSection,
                        const std::string& section);
    void checkPainterWord(const ConfigFile& f, const std::string& section, const FormatKey& k);
    void checkPainterNumbers(const ConfigFile& f, const std::string& section, const FormatKey& k);
    // A [Look] the build never draws, since another type paints the datafile it names.
    void checkLookPainted(const ConfigFile& f, const std::string& name);
    // fileKeys: the keys of every section of this kind of file, to say where a stray key belongs.
    void checkUnknownKeys(const ConfigFile& f, const std::string& section,
                          const std::vector<std::string>& known, const std::string& readBy,
                          const SectionKeys& fileKeys = {});
    void checkLayout(const ConfigFile& f);
    // A line with bytes that are not text, which the game reads as '?'.
    void reportNonText(const Place& at);
    // The fix for a name that names no file: otherwise, or saving the file as UTF-8 when the
    // name stands on a line with bytes that are not text.
    std::string nameFix(const Place& from, const std::string& otherwise) const;

    // Sounds and music: true when the file decodes as the game decodes it.
    bool soundDecodes(const std::string& path);
    bool musicDecodes(const std::string& path);

    // Every type the game loads for these names: the names and what they add, recursively.
    std::set<std::string> loadedWith(const std::vector<std::string>& names);
    void checkUnreachable(const std::set<std::string>& reached, const std::set<std::string>& campaignsListed);
    // Runs the game's own loader over every campaign and character; any message it shows that
    // no problem above explains is reported as it stands.
    void checkWithGameLoader(const std::vector<std::string>& campaignNames);

    Report& report;
    CheckMemory ownMemory;
    CheckMemory& memory;
    DatafileCache& datafiles;
    std::map<std::string, bool>& decodedSounds; // by path
    std::map<std::string, UnitFacts> units;
    std::vector<std::string> characters;
    std::set<std::string> datafilesNamed;        // by unit files, so they are not taken for unit files
    std::map<std::string, std::string> painters; // the type that paints each unit datafile
    bool paintersRead = false;
    std::set<std::pair<std::string, int>> nonTextPlaces; // file and line
    std::string onlyCampaign;                            // empty: every campaign
    bool musicUnread = false;
};

// Where a key of a file stands, for problems about it.
Place placeOf(const ConfigFile& f, const std::string& section, const std::string& key);

// The fix for a key the game does not read in section but does read in another section of the
// same kind of file: "move it above [firstSection]" for a key read above the first header,
// "move it into [damage]" for one of another section; "" when no other section reads it.
std::string whereKeyBelongs(const SectionKeys& fileKeys, const std::string& section, const std::string& key,
                            const std::string& firstSection);

#endif
