#include "content/UnitTemplate.h"

#include <cstdlib>

#include "units/SpriteCache.h"

UnitTemplate::UnitTemplate()
    : vecPics(ANIM_COUNT), animFrameTimer(0), animFrameTimes(ANIM_COUNT), animLoopsLeft(0),
      animRepeat(ANIM_COUNT, 0), animLoopEnd(ANIM_COUNT, -1), animLoopStart(ANIM_COUNT, 0), affiliation(0),
      unitPropertyHitbox(0), unitPropertyDefense(0), unitPropertyStatus(0), unitPropertyPlayer(0),
      maxHP(1000), timeToLive(-20), juiceForPlayer(0), walkspeed(ftofix(5.0)), kbDir(0), kbMag(0),
      kbDuration(0), damageDealt(0), goodStatus(AILMENT_COUNT, 0), badStatus(AILMENT_COUNT, 0),
      sounds(SOUND_COUNT, nullptr), unitInput(new UnitInput()), isThePC(false), alignStyle(0), alignDist(0),
      alignAngleMin(0), alignAngleMax(0) {}

UnitTemplate::~UnitTemplate() {
    for (SAMPLE* s : sounds)
        if (s) destroy_sample(s);
    for (AddUnitTemplate* a : addedUnits)
        delete a;
    delete unitInput;
}

void UnitTemplate::setStatus(std::vector<std::string> values, int kind) {
    std::vector<int>* target = kind == 0 ? &goodStatus : kind == 1 ? &badStatus : nullptr;
    if (!target) return;
    for (size_t i = 0; i < values.size() && i < AILMENT_COUNT; i++)
        (*target)[i] = atoi(values[i].c_str());
}

void UnitTemplate::deleteBitmaps() {
    for (auto& anim : vecPics) {
        for (BITMAP* pic : anim) {
            if (!pic) continue;
            SpriteCache::drawing().forget(pic);
            destroy_bitmap(pic);
        }
        anim.clear();
    }
}
