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

// Each value goes into the whole digest and into the digest of its part.
struct PartDigests {
    Digest all, text, pictures;

    void addText(const std::string& s) {
        all.add(s);
        text.add(s);
    }
    void addText(uint32_t v) {
        all.add(v);
        text.add(v);
    }
    void addPicture(uint32_t v) {
        all.add(v);
        pictures.add(v);
    }
};

void addFile(PartDigests& d, const std::string& path) {
    std::string bytes;
    if (!readFileBytes(path.c_str(), &bytes)) {
        d.addText(path + " unreadable");
        return;
    }
    d.addText(path);
    d.addText((uint32_t)bytes.size());
    for (unsigned char c : bytes) {
        d.all.addByte(c);
        d.text.addByte(c);
    }
}

} // namespace

uint64_t roundDataHash(Loader& loader, const std::string& campaign, Round& round) {
    return roundDataDigests(loader, campaign, round).all;
}

RoundDataDigests roundDataDigests(Loader& loader, const std::string& campaign, Round& round) {
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
    PartDigests d;
    addFile(d, "data/campaigns/" + campaign);
    for (std::string name : types) {
        addFile(d, "data/unit/" + name);
        UnitTemplate* t = loader.getUnitTemplate(name);
        if (!t) continue;
        for (const std::vector<BITMAP*>& frames : t->vecPics) {
            d.addPicture((uint32_t)frames.size());
            for (BITMAP* pic : frames) {
                d.addPicture(pic ? (uint32_t)pic->w : 0u);
                d.addPicture(pic ? (uint32_t)pic->h : 0u);
            }
        }
    }
    RoundDataDigests out;
    out.all = d.all.h;
    out.text = d.text.h;
    out.pictures = d.pictures.h;
    return out;
}
