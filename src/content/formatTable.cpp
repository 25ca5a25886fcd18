#include "content/formatTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "content/fileFormat.h"
#include "system/textFormat.h"

namespace {

using F = FileKind;
using K = KeyKind;
const KeyReader GAME = KeyReader::Game, PAINTER = KeyReader::Painter;
const char* const SIDES = "player enemy neutral playerProjectile enemyProjectile";
const char* const UNUSED = "read, but no behaviour uses it";

// Rows with neither limits nor words; the guide shows def unless shown is given.
FormatKey row(F file, const char* section, const char* name, K kind, const char* def, const char* play,
              const char* shown = nullptr, KeyReader reader = GAME) {
    return {file, section, name, false, kind, def, shown, 0, 0, nullptr, reader, play, nullptr};
}

FormatKey limited(F file, const char* section, const char* name, K kind, const char* def, double min,
                  double max, const char* play, const char* wrong) {
    return {file, section, name, false, kind, def, nullptr, min, max, nullptr, GAME, play, wrong};
}

FormatKey words(F file, const char* section, const char* name, K kind, const char* def, const char* list,
                const char* play, KeyReader reader = GAME) {
    return {file, section, name, false, kind, def, nullptr, 0, 0, list, reader, play, nullptr};
}

// A [Look] key of numbers: each value within min and max.
FormatKey painted(const char* name, K kind, const char* def, double min, double max, const char* play) {
    return {F::Unit, "Look", name, false, kind, def, nullptr, min, max, nullptr, PAINTER, play, nullptr};
}

FormatKey numbered(F file, const char* section, const char* stem, K kind, const char* play) {
    return {file, section, stem, true, kind, nullptr, nullptr, 0, 0, nullptr, GAME, play, nullptr};
}

// Built on first use: other files read the table while they start (their key lists).
const std::vector<FormatKey>& table() {
    static const std::vector<FormatKey> rows = {
        // ---- unit files: global keys ----
        row(F::Unit, "", "datafile", K::Path, nullptr, "the type's picture datafile, from `data/unit/`",
            "— (required)"),
        words(F::Unit, "", "affiliation", K::Side, "player", SIDES,
              "the side: `player`, `enemy`, `neutral`, `playerProjectile`, `enemyProjectile`. Any other text "
              "gives no side at all."),
        row(F::Unit, "", "isThePC", K::TrueFalse, "false",
            "`true` makes it a character the player steers (see [Characters](#characters))"),
        limited(F::Unit, "", "maxHP", K::Whole, "1000", 1, 1000000,
                "hit points at creation and their maximum; 0 or less dies at once",
                "removes every unit of this type at its first death check, right after it appears"),
        row(F::Unit, "", "timeToLive", K::Whole, "-20",
            "life span in death checks (one per drawn frame): n ≥ 0 ends the unit at the (n+1)-th check; -1 "
            "to "
            "-9 end it at the first; -10 or less is no limit"),
        limited(F::Unit, "", "walkspeed", K::Real, "5.0", 0, 32767, "pixels per step when walking",
                "walks the unit backwards, away from where it heads"),
        row(F::Unit, "", "juiceForPlayer", K::Whole, "0",
            "juice this unit earns the player per hit it lands (see below)"),
        row(F::Unit, "", "alignStyle", K::Whole, "0",
            "1: an added unit keeps within `alignDist` of the unit that added it (a shield orbiting its "
            "caster, "
            "a blade held at arm's length)"),
        row(F::Unit, "", "alignDist", K::Real, "0",
            "that distance in pixels; variant 1 and 2 units hold it farther out"),
        row(F::Unit, "", "alignAngleMin", K::Real, "0", UNUSED),
        row(F::Unit, "", "alignAngleMax", K::Real, "0", UNUSED),
        row(F::Unit, "", "addedUnits", K::Whole, "0", "how many `addedUnitN` lines to read, N from 0"),
        numbered(F::Unit, "", "addedUnit", K::AddedUnit,
                 "the units this type adds when it attacks or dies (below)"),

        // ---- unit files: [AI] ----
        words(F::Unit, "AI", "targetAffiliation", K::Side, "player", SIDES,
              "the side it chases and attacks (exactly that side)"),
        row(F::Unit, "AI", "targetPriorityHP", K::Whole, "0",
            "0: pick a target at random; positive: prefer healthy targets; negative: prefer wounded ones. "
            "The "
            "larger, the stronger the preference."),
        row(F::Unit, "AI", "switchTarget", K::Whole, "0",
            "after each attack: 1 drops the target (picks again next step), 2 drops it if it is at full "
            "health, "
            "3 both"),
        row(F::Unit, "AI", "homeTimeInbetweenCorrection", K::Whole, "3",
            "steps between two turns towards the target (0: every step)"),
        row(F::Unit, "AI", "homeAngleCorrection", K::Real, "15",
            "the largest turn, in angle units, of one correction; small values make wide curves"),
        row(F::Unit, "AI", "attackDistMin", K::Real, "0",
            "the near edge of the attack window: gap in pixels between the edges of the two pictures. Inside "
            "the window the unit stops and attacks; closer than this it backs away"),
        row(F::Unit, "AI", "attackDistMax", K::Real, "0",
            "the far edge of the attack window; farther than this the unit walks on"),
        row(F::Unit, "AI", "attackAngleSpread", K::Real, "256",
            "it attacks only when its facing is within this angle of the target's direction"),
        row(F::Unit, "AI", "careAboutArena", K::TrueFalse, "false",
            "`true`: slide along walls instead of walking into them"),
        row(F::Unit, "AI", "attackPeriodIndex", K::Whole, "0", UNUSED),

        // ---- unit files: [UnitProperties] ----
        row(F::Unit, "UnitProperties", "Player", K::Names, nullptr, "property names for characters", "none"),
        row(F::Unit, "UnitProperties", "Hitbox", K::Names, nullptr, "how this unit's contacts work", "none"),
        row(F::Unit, "UnitProperties", "Status", K::Names, nullptr, "how ailments affect this unit", "none"),
        row(F::Unit, "UnitProperties", "Defense", K::Names, nullptr, "how this unit takes hits", "none"),

        // ---- unit files: [Animation] ----
        row(F::Unit, "Animation", "animIdle", K::Frames, nullptr, "standing", "no frames"),
        row(F::Unit, "Animation", "animRun", K::Frames, nullptr, "walking", "no frames"),
        row(F::Unit, "Animation", "animAttack1", K::Frames, nullptr, "attack 1", "no frames"),
        row(F::Unit, "Animation", "animAttack2", K::Frames, nullptr, "attack 2", "no frames"),
        row(F::Unit, "Animation", "animAttack4", K::Frames, nullptr, "attack 4", "no frames"),
        row(F::Unit, "Animation", "animDead", K::Frames, nullptr, "dying; the unit is removed when it ends",
            "no frames"),
        row(F::Unit, "Animation", "animStun", K::Frames, nullptr, "stunned", "no frames"),
        row(F::Unit, "Animation", "animTaunt", K::Frames, nullptr, "taunting", "no frames"),
        row(F::Unit, "Animation", "animAim", K::Frames, nullptr,
            "for characters: a pointer drawn under the unit", "no frames"),

        // ---- unit files: [Sound] ----
        row(F::Unit, "Sound", "Hit", K::Path, nullptr, "played when the unit takes damage", "silent"),
        row(F::Unit, "Sound", "Dead", K::Path, nullptr, "played when the unit dies", "silent"),
        row(F::Unit, "Sound", "Att1", K::Path, nullptr, "played when it uses attack 1", "silent"),
        row(F::Unit, "Sound", "Att2", K::Path, nullptr, "played when it uses attack 2", "silent"),
        row(F::Unit, "Sound", "Att3", K::Path, nullptr, "played when it uses attack 4", "silent"),

        // ---- unit files: [damage] ----
        row(F::Unit, "damage", "damageDealt", K::Whole, "0",
            "hit points taken per hit (a negative value heals); every step of contact is a hit"),
        row(F::Unit, "damage", "kbMag", K::Real, "0", "knockback strength, pixels per step"),
        row(F::Unit, "damage", "kbDir", K::Real, "0",
            "knockback direction relative to the line from this unit to the victim: 0 straight away, 64 "
            "sideways"),
        row(F::Unit, "damage", "kbDuration", K::Whole, "0",
            "frames the knockback keeps full strength before the arena's damping shrinks it"),
        row(F::Unit, "damage", "goodStatus", K::Ailments, "0 0 0 0",
            "steps of the four good ailments given to the victim"),
        row(F::Unit, "damage", "badStatus", K::Ailments, "0 0 0 0",
            "steps of the four bad ailments given to the victim"),

        // ---- unit files: [Look], read by the unit painter only ----
        words(F::Unit, "Look", "shape", K::Word, "blob",
              "hero brute boss bug blob worm turret pillar crystal orb bolt missile rock slash spear spark "
              "cloud "
              "blast shock spore",
              "the figure drawn", PAINTER),
        words(F::Unit, "Look", "weapon", K::Word, "none", "none sword gun staff orb sling club",
              "what it holds", PAINTER),
        words(F::Unit, "Look", "symbol", K::Word, "none", "none plus drop wing fist shield flake skull",
              "a sign drawn on the body", PAINTER),
        painted("size", K::Size, "24 24", 4, 512, "width and height of every frame in pixels"),
        painted("aimSize", K::Whole, "64", 4, 512, "the size in pixels of a character's aim pointer"),
        painted("body", K::Colour, "128 128 128", 0, 255, "the body's colour: red green blue, 0 to 255"),
        painted("accent", K::Colour, "200 200 200", 0, 255,
                "the colour of the weapon, symbol and trim: red green blue, 0 to 255"),

        // ---- campaign files: [Campaign] ----
        row(F::Campaign, "Campaign", "Datafile", K::Path, nullptr,
            "a datafile with the pictures `splashScreen` (shown at the start) and `victoryScreen` (shown "
            "when "
            "the campaign is won)",
            "— (required)"),
        row(F::Campaign, "Campaign", "TotalRounds", K::Whole, "0",
            "the number of rounds, played in order from Round0"),
        row(F::Campaign, "Campaign", "Music", K::Path, "", "an Ogg Vorbis file, looped during the campaign",
            "silence"),
        row(F::Campaign, "Campaign", "UnitsToAppear", K::Names, nullptr,
            "the unit types the rounds' spawn lines use (at most 16). The types they add load with them and "
            "need not be listed.",
            "none"),
        row(F::Campaign, "Campaign", "Title", K::Text, nullptr,
            "read by the painter only: the words on the opening picture", "—", PAINTER),
        row(F::Campaign, "Campaign", "Subtitle", K::Text, nullptr,
            "read by the painter only: the smaller words under the title", "—", PAINTER),

        // ---- campaign files: [Round0], [Round1]... ----
        row(F::Campaign, "Round", "name", K::Text, "No Name", "the round's name, shown in the game"),
        row(F::Campaign, "Round", "ArenaSize", K::Size, nullptr,
            "width and height in pixels, 1 to 32767 each; round 0 must give one. The battle zooms the arena "
            "to "
            "70 % of the screen along its tighter side: within 597 x 448 the units show at three quarters of "
            "their size or more on a 640x480 screen (`playTest`'s zoom column)",
            "the previous round's"),
        row(F::Campaign, "Round", "ArenaPic", K::Pictures, nullptr,
            "a datafile, the arena picture in it, and optionally the title picture shown before the round "
            "(without one, the previous round's title is shown again)",
            "— (required)"),
        limited(F::Campaign, "Round", "ArenaKB", K::Real, "0.5", 0, 0.99,
                "knockback damping: once a knockback's duration is over, its strength is multiplied by this "
                "every "
                "frame until it is below one pixel per step. Keep it below 1.",
                "from 1 on never lets a knockback die out (units slide forever); below 0 flips it back and "
                "forth"),
        words(F::Campaign, "Round", "ArenaWall", K::Word, "Stop", "Stop Ignore Bounce Push",
              "`Stop`: walls hold units and cancel their knockback; `Ignore`: units may leave; `Bounce`: "
              "walls hold units as `Stop` does, and the knockback of an `IgnoreWallKnockBack` unit beyond a "
              "wall "
              "turns back at three quarters of its strength; `Push`: units outside are pushed back, harder "
              "every step. Units "
              "outside a wall lose 10 hit points a step."),
        row(F::Campaign, "Round", "Spawns", K::Whole, "0", "how many `SpawnN` lines to read, N from 0"),
        numbered(F::Campaign, "Round", "Spawn", K::SpawnLine, "spawn lines (below)"),
        row(F::Campaign, "Round", "Floor", K::Text, nullptr,
            "read by the painter only: the arena floor (`grass`, `dirt`, `stone`, …)", "—", PAINTER),
        row(F::Campaign, "Round", "Hint", K::Text, nullptr,
            "read by the painter only: the text on the title picture", "—", PAINTER),
    };
    return rows;
}

} // namespace

bool isNumberedKey(const std::string& key, const std::string& stem, int* index) {
    if (key.size() <= stem.size() || !sameName(key.substr(0, stem.size()), stem)) return false;
    for (size_t i = stem.size(); i < key.size(); i++)
        if (key[i] < '0' || key[i] > '9') return false;
    if (index) *index = atoi(key.c_str() + stem.size());
    return true;
}

const std::vector<FormatKey>& formatTable() {
    return table();
}

const FormatKey& formatKey(FileKind file, const std::string& section, const std::string& name) {
    for (const FormatKey& k : table())
        if (k.file == file && section == k.section && name == k.name) return k;
    fprintf(stderr, "the format table has no key [%s] %s\n", section.c_str(), name.c_str());
    abort();
}

std::string tableSection(FileKind file, const std::string& section, bool* known) {
    for (const std::string& s : formatSections(file)) {
        if (sameName(s, section) || (s == "Round" && isNumberedKey(section, s))) {
            *known = true;
            return s;
        }
    }
    *known = false;
    return "";
}

const FormatKey* findFormatKey(FileKind file, const std::string& section, const std::string& key) {
    bool known = false;
    std::string s = tableSection(file, section, &known);
    if (!known) return nullptr;
    for (const FormatKey& k : table())
        if (k.file == file && s == k.section &&
            (k.numbered ? isNumberedKey(key, k.name) : sameName(key, k.name)))
            return &k;
    return nullptr;
}

std::vector<std::string> formatSections(FileKind file) {
    std::vector<std::string> out;
    for (const FormatKey& k : table()) {
        bool seen = false;
        for (const std::string& s : out)
            seen = seen || s == k.section;
        if (k.file == file && !seen) out.push_back(k.section);
    }
    return out;
}

std::vector<std::string> formatKeyNames(FileKind file, const std::string& section) {
    std::vector<std::string> out;
    for (const FormatKey& k : table())
        if (k.file == file && section == k.section)
            out.push_back(std::string(k.name) + (k.numbered ? "0" : ""));
    return out;
}

int defaultWhole(const FormatKey& k) {
    return k.def ? (int)strtol(k.def, nullptr, 10) : 0;
}

double defaultReal(const FormatKey& k) {
    return k.def ? atof(k.def) : 0.0;
}

std::vector<std::string> formatWords(const FormatKey& k) {
    return splitWords(k.words ? k.words : "");
}

bool hasLimits(const FormatKey& k) {
    return k.min < k.max;
}

const std::vector<SpawnValue>& spawnLineValues() {
    static const std::vector<SpawnValue> values = {
        {"type", nullptr, 0, 0, nullptr, "a unit type listed in `UnitsToAppear`"},
        {"amount", "1", 1, maxUnitsPerOrder, nullptr, "units created when the line fires"},
        {"side", "2", 1, 11,
         "top-left,top,top-right,right,bottom-right,bottom,bottom-left,left,centre,at x y,anywhere",
         "where: 1 to 8 the arena's edges clockwise from the top-left corner, 9 the centre, 10 at (x, y), "
         "11 anywhere at random. Units on an edge face the centre."},
        {"condition", "0", 0, 3, "at once,after delay,few enemies,both",
         "0: at once; 1: after `delay` steps; 2: when at most `threshold` enemies are in the arena; 3: both"},
        {"delay", "0", 0, 0, nullptr, "steps to wait (condition 1 or 3); a step is 30 ms"},
        {"threshold", "0", 0, 0, nullptr, "enemy count to wait for (condition 2 or 3)"},
        {"variant", "0", 0, 4, "as written,larger,largest,small,slightly smaller",
         "1 and 2 are larger and tougher, 3 is small and quick, 4 slightly smaller, tougher and quick"},
        {"x", nullptr, 0, 0, nullptr, "the position for side 10, in pixels from the arena's left edge"},
        {"y", nullptr, 0, 0, nullptr, "the position for side 10, in pixels from the arena's top edge"},
    };
    return values;
}

namespace {

std::vector<std::string> spawnWords(const SpawnValue& v) {
    std::vector<std::string> out;
    std::string words = v.words ? v.words : "";
    for (size_t pos = 0; !words.empty() && pos <= words.size();) {
        size_t comma = std::min(words.find(',', pos), words.size());
        out.push_back(words.substr(pos, comma - pos));
        pos = comma + 1;
    }
    return out;
}

} // namespace

int spawnValueFromWord(const SpawnValue& v, const std::string& word) {
    std::vector<std::string> words = spawnWords(v);
    for (size_t i = 0; i < words.size(); i++)
        if (sameName(words[i], word)) return (int)v.min + (int)i;
    return (int)v.min - 1;
}

std::string spawnValueWord(const SpawnValue& v, int number) {
    std::vector<std::string> words = spawnWords(v);
    int i = number - (int)v.min;
    return i >= 0 && i < (int)words.size() ? words[i] : "";
}
