#include "support/BrokenCase.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "support/DataBuilder.h"
#include "support/SoundFiles.h"

int runCommand(const std::string& command);

namespace {

bool isFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            i++;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return bool(out);
}

// A campaign of count rounds over the trial campaign's pictures, every round with one spawn line.
std::string roundsCampaign(int count, const std::string& spawnLine) {
    std::ostringstream text;
    text << "[Campaign]\nDatafile = data/trial.dat\nTotalRounds = " << count << "\nUnitsToAppear = drifter\n";
    for (int i = 0; i < count; i++)
        text << "\n[Round" << i << "]\nArenaSize = 400 300\nArenaPic = data/trialRounds.dat arena1 title1\n"
             << "Spawns = 1\nSpawn0 = " << spawnLine << "\n";
    return text.str();
}

bool makePiece(std::istringstream& line, const std::string& verb, std::string* error) {
    std::string path;
    line >> path;
    if (verb == "remove") return remove(path.c_str()) == 0 || (*error = "cannot remove " + path, false);
    if (verb == "empty") return writeText(path, "");
    std::string target;
    if (verb == "fifo" || (verb == "link" && line >> target)) {
        remove(path.c_str());
        bool made =
            verb == "fifo" ? mkfifo(path.c_str(), 0644) == 0 : symlink(target.c_str(), path.c_str()) == 0;
        return made || (*error = "cannot make " + path, false);
    }
    if (verb == "datafile") {
        std::vector<PictureSpec> pictures;
        for (std::string spec; line >> spec;) {
            PictureSpec p;
            size_t colon = spec.find(':');
            p.name = spec.substr(0, colon);
            if (colon != std::string::npos && sscanf(spec.c_str() + colon + 1, "%dx%d", &p.w, &p.h) != 2)
                return *error = "bad picture size " + spec, false;
            pictures.push_back(p);
        }
        return makeDatafile(path, pictures) || (*error = "cannot make " + path, false);
    }
    if (verb == "ogg" || verb == "ogg-cut") {
        double seconds = 1.0;
        long bytes = 0;
        if (verb == "ogg")
            line >> seconds;
        else
            line >> bytes;
        if (!writeSineOgg(path, 22050, 1, seconds, 440)) return *error = "cannot encode " + path, false;
        if (verb == "ogg-cut" && truncate(path.c_str(), bytes) != 0)
            return *error = "cannot cut " + path, false;
        return true;
    }
    if (verb == "rounds") {
        int count = 0;
        line >> count;
        std::string spawnLine;
        std::getline(line, spawnLine);
        spawnLine.erase(0, spawnLine.find_first_not_of(' '));
        return writeText(path, roundsCampaign(count, spawnLine));
    }
    *error = "unknown line: " + verb;
    return false;
}

} // namespace

bool applyBrokenCase(const std::string& caseFolder, std::string* error) {
    if (isFolder(caseFolder + "/files") && runCommand("cp -r '" + caseFolder + "/files/.' .") != 0) {
        *error = "cannot copy the case's files";
        return false;
    }
    std::ifstream make(caseFolder + "/make");
    for (std::string text; std::getline(make, text);) {
        std::istringstream line(text);
        std::string verb;
        if (!(line >> verb) || verb[0] == '#') continue;
        if (!makePiece(line, verb, error)) return false;
    }
    return true;
}

BrokenCaseExpectation readBrokenCaseExpectation(const std::string& caseFolder) {
    BrokenCaseExpectation expected;
    std::ifstream in(caseFolder + "/expect");
    for (std::string text; std::getline(in, text);) {
        size_t space = text.find(' ');
        std::string verb = text.substr(0, space),
                    rest = space == std::string::npos ? "" : text.substr(space + 1);
        if (verb == "message") {
            expected.messages.push_back(unescape(rest));
        } else if (verb == "outcome") {
            expected.outcome += rest;
        } else if (verb == "check") {
            std::istringstream line(rest);
            std::string name;
            long value = 0;
            line >> name >> value;
            expected.checks.push_back({name, value});
        }
    }
    return expected;
}

std::vector<std::string> listBrokenCases(const std::string& folder) {
    std::vector<std::string> cases;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.' && isFolder(folder + "/" + entry->d_name))
                cases.push_back(entry->d_name);
        closedir(dir);
    }
    std::sort(cases.begin(), cases.end());
    return cases;
}
