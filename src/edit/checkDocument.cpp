#include "edit/checkDocument.h"

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <unistd.h>

#include "check/DataCheck.h"
#include "system/Messages.h"
#include "system/fileAccess.h"
#include "system/textFormat.h"

namespace {

// Links every entry of from into the folder to, except the one named skip, which becomes a real
// folder of links in turn when path continues below it.
void linkEntries(const std::string& from, const std::string& to, const std::string& path) {
    size_t slash = path.find('/');
    std::string first = path.substr(0, slash);
    DIR* d = opendir(from.c_str());
    for (dirent* e; d && (e = readdir(d));) {
        std::string name = e->d_name;
        if (name == "." || name == ".." || name == first) continue;
        if (symlink((from + "/" + name).c_str(), (to + "/" + name).c_str()) != 0) continue;
    }
    if (d) closedir(d);
    if (slash == std::string::npos) return;
    makeFolders(to + "/" + first);
    linkEntries(from + "/" + first, to + "/" + first, path.substr(slash + 1));
}

void removeTree(const std::string& path) {
    DIR* d = opendir(path.c_str());
    if (!d) {
        unlink(path.c_str());
        return;
    }
    for (dirent* e; (e = readdir(d));) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        std::string child = path + "/" + name;
        if (e->d_type == DT_DIR)
            removeTree(child);
        else
            unlink(child.c_str());
    }
    closedir(d);
    rmdir(path.c_str());
}

} // namespace

std::vector<std::string> checkDocument(const std::string& relativePath, const std::string& text) {
    char here[PATH_MAX], scratch[] = "/tmp/vorn-edit-XXXXXX";
    if (!getcwd(here, sizeof here) || !mkdtemp(scratch))
        return {"The check could not run: no scratch folder."};
    std::string data = std::string(scratch) + "/data";
    makeFolders(data);
    linkEntries(std::string(here) + "/data", data, relativePath);
    std::vector<std::string> out;
    if (writeFileAtomically(data + "/" + relativePath, text) == 0 && chdir(scratch) == 0) {
        Report report;
        setMessagesSilent(true); // the loader's messages belong to the report here
        {
            DataCheck check(report);
            const std::string campaigns = "campaigns/";
            if (relativePath.compare(0, campaigns.size(), campaigns) == 0)
                check.runForCampaign(relativePath.substr(campaigns.size()));
            else
                check.run();
        }
        setMessagesSilent(false);
        for (const Problem& p : report.getProblems()) {
            if (p.place.file != "data/" + relativePath) continue;
            std::string where = p.place.section.empty() ? "" : "[" + p.place.section + "] ";
            if (!p.place.key.empty()) where += p.place.key + ": ";
            out.push_back(textf("line %d: %s: %s%s", p.place.line,
                                p.severity == Severity::Error ? "error" : "warning", where.c_str(),
                                p.what.c_str()));
        }
        out.push_back(textf("%d errors, %d warnings with the lists and characters", report.getErrorCount(),
                            report.getWarningCount()));
        if (chdir(here) != 0) out.push_back("The editor lost its folder.");
    }
    removeTree(scratch);
    return out;
}
