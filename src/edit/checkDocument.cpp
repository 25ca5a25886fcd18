#include "edit/checkDocument.h"

#include "check/CheckMemory.h"
#include "check/DataCheck.h"
#include "edit/DataDocument.h"
#include "edit/DocumentShelf.h"
#include "edit/scratchData.h"
#include "system/Messages.h"
#include "system/textFormat.h"

namespace {

std::string problemLine(const Problem& p, int line) {
    std::string where = p.place.section.empty() ? "" : "[" + p.place.section + "] ";
    if (!p.place.key.empty()) where += p.place.key + ": ";
    // A problem of the whole file (one that does not load) stands on no line.
    std::string at = line > 0 ? textf("line %d: ", line) : "";
    return textf("%s%s: %s%s", at.c_str(), p.severity == Severity::Error ? "error" : "warning", where.c_str(),
                 p.what.c_str());
}

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

std::vector<std::string> checkFiles(const std::string& relativePath, const ScratchFiles& files,
                                    CheckMemory* memory) {
    std::vector<std::string> out;
    const std::string campaigns = "campaigns/", units = "unit/";
    bool oneCampaign = startsWith(relativePath, campaigns), oneUnit = startsWith(relativePath, units);
    bool ran = inScratchData(files, [&] {
        Report report;
        setMessagesSilent(true); // the loader's messages belong to the report here
        if (memory) memory->forgetChangedFiles();
        {
            DataCheck check(report, memory);
            check.setMusicUnread();
            if (oneCampaign)
                check.runForCampaign(relativePath.substr(campaigns.size()));
            else if (oneUnit)
                check.runForUnit(relativePath.substr(units.size()));
            else
                check.run();
        }
        if (memory) memory->forgetChangedFiles();
        setMessagesSilent(false);
        for (const Problem& p : report.getProblems())
            if (p.place.file == "data/" + relativePath) out.push_back(problemLine(p, p.place.line));
        out.push_back(report.getCountText() + (oneCampaign ? " with the lists and characters"
                                               : oneUnit   ? " with the types it adds"
                                                           : " in the whole data set"));
    });
    if (!ran) out.push_back("The check could not run: no scratch folder.");
    return out;
}

} // namespace

std::vector<std::string> checkDocument(const std::string& relativePath, const std::string& text,
                                       CheckMemory* memory) {
    return checkFiles(relativePath, {{relativePath, text}}, memory);
}

std::vector<std::string> checkDocument(const std::string& relativePath, DocumentShelf& shelf,
                                       CheckMemory* memory) {
    const DataDocument& doc = shelf.open(relativePath);
    if (doc.getLoadError()) return {doc.describeLoadError("data/" + relativePath)};
    ScratchFiles files = shelf.getUnsavedTexts();
    files[relativePath] = doc.getText();
    return checkFiles(relativePath, files, memory);
}

std::vector<std::string> checkTypedValue(const std::string& relativePath, const DataDocument& doc,
                                         const std::string& section, const std::string& key,
                                         const std::string& value) {
    Report report;
    DataCheck(report).checkValue("data/" + relativePath, section, key, value);
    std::vector<std::string> out;
    for (const Problem& p : report.getProblems())
        out.push_back(problemLine(p, doc.lineOf(section, key)));
    return out;
}
