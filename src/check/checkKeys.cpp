// The checks every key gets from its row of the format table: its kind, its limits, its words.
#include <cstdlib>

#include "check/DataCheck.h"
#include "check/checkText.h"
#include "content/datafilePainters.h"
#include "content/formatTable.h"

namespace {

// "3 is below 1" / "40000 is above 32767"
std::string beyond(double value, const FormatKey& k) {
    return value < k.min ? textf("%g is below %g", value, k.min) : textf("%g is above %g", value, k.max);
}

bool inLimits(double value, const FormatKey& k) {
    return !hasLimits(k) || (value >= k.min && value <= k.max);
}

// What the game (or the painter) does with a value beyond the row's limits.
std::string beyondLimits(const FormatKey& k) {
    if (k.wrong) return k.wrong;
    return k.reader == KeyReader::Painter
               ? "the game never reads it; the build's painter takes it as it stands"
               : "takes it as it stands";
}

} // namespace

void DataCheck::checkKeyValues(const ConfigFile& f, FileKind file, const std::string& tableSection,
                               const std::string& section) {
    for (const FormatKey& k : formatTable()) {
        if (k.file != file || tableSection != k.section || k.numbered || !f.has(section, k.name)) continue;
        Place at = placeOf(f, section, k.name);
        std::string fixLimits = textf("write a value from %g to %g", k.min, k.max);
        switch (k.kind) {
        case KeyKind::Whole:
        case KeyKind::Real: {
            bool whole = k.kind == KeyKind::Whole;
            if (whole)
                checkWholeKey(f, section, k.name);
            else
                checkRealKey(f, section, k.name, defaultReal(k));
            double value = whole ? f.getInt(section, k.name, 0) : f.getFloat(section, k.name, 0);
            if (!inLimits(value, k)) report.warning(at, beyond(value, k), beyondLimits(k), fixLimits);
            break;
        }
        case KeyKind::TrueFalse:
            checkTrueFalseKey(f, section, k.name);
            break;
        case KeyKind::Word:
            // Words the game reads (the wall mode) are checked with the round, whose earlier rounds
            // decide what a wrong word leaves in place; these are the painter's.
            if (k.reader == KeyReader::Painter) checkPainterWord(f, section, k);
            break;
        case KeyKind::Size:
        case KeyKind::Colour:
            if (k.reader == KeyReader::Painter) checkPainterNumbers(f, section, k);
            break;
        default:
            break;
        }
    }
}

void DataCheck::checkPainterWord(const ConfigFile& f, const std::string& section, const FormatKey& k) {
    std::string word = f.getString(section, k.name, "");
    std::vector<std::string> known = formatWords(k);
    for (const std::string& w : known)
        if (w == word) return;
    report.warning(placeOf(f, section, k.name), "\"" + word + "\" is not a " + k.name + " the painter draws",
                   std::string("the game never reads it; the build's painter draws the default, ") + k.def,
                   "write " + listWords(known) + "." + didYouMean(word, known));
}

void DataCheck::checkPainterNumbers(const ConfigFile& f, const std::string& section, const FormatKey& k) {
    const bool colour = k.kind == KeyKind::Colour;
    const size_t count = colour ? 3 : 2;
    const int lo = (int)k.min, hi = (int)k.max;
    std::vector<std::string> v = f.getList(section, k.name);
    bool ok = v.size() == count;
    for (size_t i = 0; ok && i < v.size(); i++)
        ok = isWholeNumber(v[i]) && atoi(v[i].c_str()) >= lo && atoi(v[i].c_str()) <= hi;
    if (ok) return;
    report.warning(placeOf(f, section, k.name),
                   textf("\"%s\" is not %d whole numbers from %d to %d",
                         f.getString(section, k.name, "").c_str(), (int)count, lo, hi),
                   std::string("the game never reads it; the build's painter uses the default, ") + k.def,
                   colour ? "write red green blue, e.g. 200 120 40"
                          : "write width and height in pixels, e.g. 24 24");
}

void DataCheck::checkValue(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& value) {
    const std::string units = "data/unit/";
    FileKind file = path.compare(0, units.size(), units) == 0 ? FileKind::Unit : FileKind::Campaign;
    bool known = false;
    std::string table = tableSection(file, section, &known);
    const FormatKey* row = findFormatKey(file, section, key);
    if (!known || !row || value.empty()) return;
    ConfigFile f;
    f.setText(path, (section.empty() ? "" : "[" + section + "]\n") + key + " = " + value + "\n");
    checkLayout(f);
    checkKeyValues(f, file, table, section);
    int round = 0, width = 0, height = 0;
    if (file == FileKind::Campaign && isNumberedKey(section, "Round", &round)) {
        checkArenaSize(f, section, width, height);
        checkWallMode(f, section, round);
    }
}

void DataCheck::checkLookPainted(const ConfigFile& f, const std::string& name) {
    if (f.entriesOf("Look").empty()) return;
    if (!paintersRead) painters = datafilePainters(paintedTypesIn("data/unit")), paintersRead = true;
    std::string datafile = f.getString("", "datafile", "");
    auto painter = painters.find(datafile);
    if (painter == painters.end() || painter->second == name) return;
    report.warning(placeOf(f, "", "datafile"),
                   "the build paints " + datafile + " from " + painter->second +
                       "'s [Look], not from this one",
                   "shows " + painter->second + "'s pictures; this [Look] is never drawn",
                   "give this type a datafile of its own, such as gfx/" + name + ".dat");
}
