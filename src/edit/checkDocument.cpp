#include "edit/checkDocument.h"

#include "check/DataCheck.h"
#include "edit/scratchData.h"
#include "system/Messages.h"
#include "system/textFormat.h"

namespace {

std::vector<std::string> checkFiles(const std::string& relativePath,
                                    const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<std::string> out;
    const std::string campaigns = "campaigns/";
    bool oneCampaign = relativePath.compare(0, campaigns.size(), campaigns) == 0;
    bool ran = inScratchData(files, [&] {
        Report report;
        setMessagesSilent(true); // the loader's messages belong to the report here
        {
            DataCheck check(report);
            if (oneCampaign)
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
        out.push_back(textf("%d errors, %d warnings %s", report.getErrorCount(), report.getWarningCount(),
                            oneCampaign ? "with the lists and characters" : "in the whole data set"));
    });
    if (!ran) out.push_back("The check could not run: no scratch folder.");
    return out;
}

} // namespace

std::vector<std::string> checkDocument(const std::string& relativePath, const std::string& text) {
    return checkFiles(relativePath, {{relativePath, text}});
}

std::vector<std::string> checkDocument(const std::string& relativePath, DocumentShelf& shelf) {
    std::vector<std::pair<std::string, std::string>> files = {
        {relativePath, shelf.open(relativePath).getText()}};
    for (const std::string& path : shelf.getModifiedPaths())
        if (path != relativePath) files.push_back({path, shelf.open(path).getText()});
    return checkFiles(relativePath, files);
}
