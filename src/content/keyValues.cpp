#include "content/keyValues.h"

#include <cstdlib>

#include "content/fileFormat.h"
#include "system/Messages.h"

namespace {

const char* sectionArg(const std::string& section) {
    return section.empty() ? nullptr : section.c_str();
}

const char* rawText(const FormatKey& k, const std::string& section) {
    return get_config_string(sectionArg(section), k.name, nullptr);
}

} // namespace

int pinnedWhole(const char* text, int base) {
    long n = strtol(text, nullptr, base);
    return static_cast<int>(n > maxWholeMagnitude    ? maxWholeMagnitude
                            : n < -maxWholeMagnitude ? -maxWholeMagnitude
                                                     : n);
}

int listWhole(const std::string& value) {
    return pinnedWhole(value.c_str(), 10);
}

int readWhole(const FormatKey& k, const std::string& section) {
    const char* text = rawText(k, section);
    return text ? pinnedWhole(text, 0) : defaultWhole(k);
}

int readWhole(const FormatKey& k) {
    return readWhole(k, k.section);
}

namespace {

fixed checkedFixed(const std::string& file, const std::string& section, const std::string& key,
                   const char* text, double def) {
    double value = def;
    if (text && *text && !readReal(text, &value))
        showMessage("%s", unusableRealMessage(file, section, key, text, def).c_str());
    return ftofix((float)value);
}

} // namespace

fixed readFixed(const std::string& file, const FormatKey& k, const std::string& section) {
    return checkedFixed(file, section, k.name, rawText(k, section), defaultReal(k));
}

fixed readFixed(const std::string& file, const FormatKey& k) {
    return readFixed(file, k, k.section);
}

fixed listFixed(const std::string& file, const std::string& key, int index, const std::string& value) {
    return checkedFixed(file, "", key + " value " + std::to_string(index + 1), value.c_str(), 0);
}

bool readTrue(const FormatKey& k, const std::string& section) {
    const char* text = rawText(k, section);
    return std::string(text ? text : k.def ? k.def : "") == "true";
}

bool readTrue(const FormatKey& k) {
    return readTrue(k, k.section);
}

std::string readText(const FormatKey& k, const std::string& section) {
    const char* text = rawText(k, section);
    return text ? text : k.def ? k.def : "";
}

std::string readText(const FormatKey& k) {
    return readText(k, k.section);
}

std::vector<std::string> readList(const std::string& section, const std::string& key) {
    int argc = 0;
    char** argv = get_config_argv(sectionArg(section), key.c_str(), &argc);
    if (!argv) argc = 0;
    if (argc > maxListValues) argc = maxListValues;
    return std::vector<std::string>(argv, argv + argc);
}

std::vector<std::string> readList(const FormatKey& k, const std::string& section) {
    return readList(section, k.name);
}

std::vector<std::string> readList(const FormatKey& k) {
    return readList(k, k.section);
}
