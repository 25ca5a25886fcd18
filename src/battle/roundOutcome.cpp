#include "battle/roundOutcome.h"

#include "battle/Battle.h"
#include "content/UnitTemplate.h"
#include "units/UnitList.h"

int roundOutcome(UnitList& list, Loader* loader) {
    if (!list.anyRemainingAffiliation(AFF_PLAYER, loader)) return ROUND_LOST;
    if (!list.anyRemainingAffiliation(AFF_ENEMY, loader)) return ROUND_WON;
    return ROUND_IN_PLAY;
}
