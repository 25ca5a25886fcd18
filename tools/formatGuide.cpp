// Writes the key tables of the content guide from the format table, or checks that the guide's
// tables are the ones the table gives. A table stands between the lines
//   <!-- format table: FILE SECTION -->   and   <!-- end of format table -->
// where FILE is unit or campaign and SECTION the table's section name (global for the keys
// before the first section).
//   formatGuide GUIDE            exit 1, naming each table that differs
//   formatGuide --write GUIDE    rewrites the tables in place
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "content/formatTable.h"

namespace {

const std::string openMark = "<!-- format table: ", closeMark = "<!-- end of format table -->";

std::string shownDefault(const FormatKey& k) {
    if (k.shown) return k.shown;
    if (!k.def) return "—";
    bool word = k.kind == KeyKind::Side || k.kind == KeyKind::Word || k.kind == KeyKind::TrueFalse ||
                k.kind == KeyKind::Text;
    return word ? "`" + std::string(k.def) + "`" : k.def;
}

std::string shownName(const FormatKey& k) {
    std::string n = k.name;
    return k.numbered ? "`" + n + "0`, `" + n + "1`, …" : "`" + n + "`";
}

std::string number(double n) {
    char text[32];
    snprintf(text, sizeof text, n == (long)n ? "%.0f" : "%g", n);
    return text;
}

std::string meaning(const FormatKey& k) {
    std::string m = k.play;
    if (k.kind == KeyKind::Word && k.reader == KeyReader::Painter) {
        m += ": ";
        std::istringstream in(k.words);
        std::string w, sep;
        for (; in >> w; sep = ", ")
            m += sep + "`" + w + "`";
    }
    if (hasLimits(k) && k.kind != KeyKind::Colour) {
        if (m.back() == '.') m.pop_back();
        m += ". vorn-check warns outside " + number(k.min) + " to " + number(k.max);
    }
    return m;
}

std::string renderTable(FileKind file, const std::string& section) {
    std::string out = "| Key | Default | Meaning in play |\n|---|---|---|\n";
    for (const FormatKey& k : formatTable())
        if (k.file == file && section == k.section)
            out += "| " + shownName(k) + " | " + shownDefault(k) + " | " + meaning(k) + " |\n";
    return out;
}

// The table a marker line names; false when it names none.
bool tableOf(const std::string& marker, std::string* table) {
    std::istringstream in(marker.substr(openMark.size()));
    std::string file, section;
    in >> file >> section;
    if (section == "global") section = "";
    FileKind kind = file == "campaign" ? FileKind::Campaign : FileKind::Unit;
    if ((file != "unit" && file != "campaign") || formatKeyNames(kind, section).empty()) return false;
    *table = renderTable(kind, section);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    bool write = argc == 3 && std::string(argv[1]) == "--write";
    if (argc != 2 && !write) {
        fprintf(stderr, "usage: formatGuide [--write] GUIDE\n");
        return 2;
    }
    const char* path = argv[argc - 1];
    std::ifstream in(path);
    if (!in) {
        fprintf(stderr, "%s cannot be read\n", path);
        return 2;
    }
    std::string out, line, marker, block;
    int tables = 0, differing = 0;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!inside) {
            out += line + "\n";
            if (line.compare(0, openMark.size(), openMark) == 0) inside = true, marker = line, block.clear();
            continue;
        }
        if (line != closeMark) {
            block += line + "\n";
            continue;
        }
        std::string table;
        if (!tableOf(marker, &table)) {
            fprintf(stderr, "%s: \"%s\" names no section of the format table\n", path, marker.c_str());
            return 1;
        }
        tables++;
        if (block != table) {
            differing++;
            if (!write)
                fprintf(stderr, "%s: the table after \"%s\" is not the format table's\n", path,
                        marker.c_str());
        }
        out += table + line + "\n";
        inside = false;
    }
    if (inside || tables == 0) {
        fprintf(stderr, "%s: %s\n", path, inside ? "a format table is not closed" : "no format tables");
        return 1;
    }
    if (write) {
        if (differing) {
            std::ofstream file(path, std::ios::trunc);
            if (!(file << out) || !file.flush()) {
                fprintf(stderr, "%s could not be written\n", path);
                return 1;
            }
        }
        printf("%s: %d tables, %d rewritten\n", path, tables, differing);
        return 0;
    }
    if (differing)
        fprintf(stderr, "run tools/formatGuide --write %s in the build folder to write them\n", path);
    return differing ? 1 : 0;
}
