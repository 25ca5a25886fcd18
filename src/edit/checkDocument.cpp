#include "edit/checkDocument.h"

#include "check/DataCheck.h"
#include "edit/scratchData.h"
#include "system/Messages.h"
#include "system/textFormat.h"

std::vector<std::string> checkDocument(const std::string& relativePath, const std::string& text) {
    std::vector<std::string> out;
    const std::string units = "unit/";
    bool unitName = relativePath.compare(0, units.size(), units) == 0;
    bool ran = inScratchData(relativePath, text, [&] {
        Report report;
        setMessagesSilent(true); // the loader's messages belong to the report here
        {
            DataCheck check(report);
            const std::string campaigns = "campaigns/";
            if (relativePath.compare(0, campaigns.size(), campaigns) == 0)
                check.runForCampaign(relativePath.substr(campaigns.size()));
            else if (unitName)
                check.runForUnit(relativePath.substr(units.size()));
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
                            unitName ? "with the types it adds" : "with the lists and characters"));
    });
    if (!ran) out.push_back("The check could not run: no scratch folder.");
    return out;
}
