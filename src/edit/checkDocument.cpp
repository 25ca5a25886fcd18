#include "edit/checkDocument.h"

#include "check/CheckMemory.h"
#include "check/DataCheck.h"
#include "edit/DataDocument.h"
#include "edit/scratchData.h"
#include "system/Messages.h"
#include "system/textFormat.h"

namespace {

std::string problemLine(const Problem& p, int line) {
    std::string where = p.place.section.empty() ? "" : "[" + p.place.section + "] ";
    if (!p.place.key.empty()) where += p.place.key + ": ";
    return textf("line %d: %s: %s%s", line, p.severity == Severity::Error ? "error" : "warning",
                 where.c_str(), p.what.c_str());
}

} // namespace

std::vector<std::string> checkDocument(const std::string& relativePath, const std::string& text,
                                       CheckMemory* memory) {
    std::vector<std::string> out;
    const std::string units = "unit/";
    bool unitName = relativePath.compare(0, units.size(), units) == 0;
    bool ran = inScratchData(relativePath, text, [&] {
        Report report;
        setMessagesSilent(true); // the loader's messages belong to the report here
        if (memory) memory->forgetChangedFiles();
        {
            DataCheck check(report, memory);
            const std::string campaigns = "campaigns/";
            if (relativePath.compare(0, campaigns.size(), campaigns) == 0)
                check.runForCampaign(relativePath.substr(campaigns.size()));
            else if (unitName)
                check.runForUnit(relativePath.substr(units.size()));
            else
                check.run();
        }
        if (memory) memory->forgetChangedFiles();
        setMessagesSilent(false);
        for (const Problem& p : report.getProblems())
            if (p.place.file == "data/" + relativePath) out.push_back(problemLine(p, p.place.line));
        out.push_back(textf("%d errors, %d warnings %s", report.getErrorCount(), report.getWarningCount(),
                            unitName ? "with the types it adds" : "with the lists and characters"));
    });
    if (!ran) out.push_back("The check could not run: no scratch folder.");
    return out;
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
