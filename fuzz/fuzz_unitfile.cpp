// A fuzzed unit file among the shipped ones: loaded as a unit type, then units of every type it
// brought in are spawned beside a player's character and played for a few seconds.
#include "FuzzSupport.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "content/UnitCreate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    startFuzzing();
    writeFuzzFile("data/unit/Fuzzed", data, size);
    {
        Loader loader;
        loader.addPC("Warden");
        loader.addUnit("Fuzzed");
        Round round;
        round.setArenaSize(itofix(320), itofix(240));
        round.addUnitsToAppear(
            new UnitCreate("Warden", 1, SIDE_CENTRE, SPAWN_AFTER_DELAY, 0, 0, 0, 0, 0, 0, nullptr));
        int variant = 0;
        for (UnitTemplate* t : *loader.getUnitTemplates())
            if (t->unitName != "Warden")
                round.addUnitsToAppear(new UnitCreate(t->unitName, 2, SIDE_ANYWHERE, SPAWN_AFTER_DELAY, 5, 0,
                                                      0, 0, 0, variant++ % 5, nullptr));
        playRound(&loader, &round, 90);
    }
    forgetMessages();
    return 0;
}
