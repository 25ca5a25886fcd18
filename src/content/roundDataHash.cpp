#include "content/roundDataHash.h"

#include <set>
#include <vector>

#include "content/AddUnitTemplate.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "content/UnitCreate.h"
#include "content/UnitTemplate.h"
#include "system/Digest.h"
#include "system/configText.h"

namespace {

void addFile(Digest& d, const std::string& path) {
    std::string bytes;
    if (!readFileBytes(path.c_str(), &bytes)) {
        d.add(path + " unreadable");
        return;
    }
    d.add(path);
    d.add((uint32_t)bytes.size());
    for (unsigned char c : bytes)
        d.addByte(c);
}

} // namespace

uint64_t roundDataHash(Loader& loader, const std::string& campaign, Round& round) {
    std::set<std::string> types; // sorted, so the digest does not depend on the order of spawn lines
    std::vector<std::string> toVisit;
    for (UnitCreate* order : *round.getUnitsToAppear())
        toVisit.push_back(order->unitName);
    while (!toVisit.empty()) {
        std::string name = toVisit.back();
        toVisit.pop_back();
        if (!types.insert(name).second) continue;
        if (UnitTemplate* t = loader.getUnitTemplate(name))
            for (AddUnitTemplate* a : t->addedUnits)
                toVisit.push_back(a->unitName);
    }
    Digest d;
    addFile(d, "data/campaigns/" + campaign);
    for (std::string name : types) {
        addFile(d, "data/unit/" + name);
        UnitTemplate* t = loader.getUnitTemplate(name);
        if (!t) continue;
        for (const std::vector<BITMAP*>& frames : t->vecPics) {
            d.add((uint32_t)frames.size());
            for (BITMAP* pic : frames) {
                d.add(pic ? (uint32_t)pic->w : 0u);
                d.add(pic ? (uint32_t)pic->h : 0u);
            }
        }
    }
    return d.h;
}
