#include "content/unitProperties.h"

#include "content/UnitTemplate.h"
#include "content/fileFormat.h"

namespace {

struct PropertyName {
    const char* name;
    int UnitTemplate::*field;
    int bit;
};

const PropertyName propertyNames[] = {
    {"HitsOpponentWhenStunned", &UnitTemplate::unitPropertyHitbox, HITS_OPPONENT_WHEN_STUNNED},
    {"HitsAllyWhenStunned", &UnitTemplate::unitPropertyHitbox, HITS_ALLY_WHEN_STUNNED},
    {"GoesThroughOpponent", &UnitTemplate::unitPropertyHitbox, GOES_THROUGH_OPPONENT},
    {"GoesThroughAlly", &UnitTemplate::unitPropertyHitbox, GOES_THROUGH_ALLY},
    {"HitsPlayer", &UnitTemplate::unitPropertyHitbox, HITS_PLAYER},
    {"HitsEnemy", &UnitTemplate::unitPropertyHitbox, HITS_ENEMY},
    {"HitsPlayerProjectile", &UnitTemplate::unitPropertyHitbox, HITS_PLAYER_PROJECTILE},
    {"HitsEnemyProjectile", &UnitTemplate::unitPropertyHitbox, HITS_ENEMY_PROJECTILE},
    {"HitsNeutral", &UnitTemplate::unitPropertyHitbox, HITS_NEUTRAL},
    {"DiesWhenHitsWall", &UnitTemplate::unitPropertyHitbox, DIES_WHEN_HITS_WALL},
    {"DiesWhenPlayerHits", &UnitTemplate::unitPropertyHitbox, DIES_WHEN_PLAYER_HITS},
    {"DiesWhenPlayerProjectileHits", &UnitTemplate::unitPropertyHitbox, DIES_WHEN_PLAYER_PROJECTILE_HITS},
    {"HitsIndestructible", &UnitTemplate::unitPropertyHitbox, HITS_INDESTRUCTIBLE},
    {"DiesWhenEnemyHits", &UnitTemplate::unitPropertyHitbox, DIES_WHEN_ENEMY_HITS},
    {"DiesWhenEnemyProjectileHits", &UnitTemplate::unitPropertyHitbox, DIES_WHEN_ENEMY_PROJECTILE_HITS},
    {"DiesWhenNeutralHits", &UnitTemplate::unitPropertyHitbox, DIES_WHEN_NEUTRAL_HITS},
    {"DealsNoKnockback", &UnitTemplate::unitPropertyHitbox, DEALS_NO_KNOCKBACK},
    {"Indestructible", &UnitTemplate::unitPropertyDefense, INDESTRUCTIBLE},
    {"Bouncy", &UnitTemplate::unitPropertyDefense, BOUNCY},
    {"Heavy", &UnitTemplate::unitPropertyDefense, HEAVY},
    {"NoDamage", &UnitTemplate::unitPropertyDefense, NO_DAMAGE},
    {"NoKnockBack", &UnitTemplate::unitPropertyDefense, NO_KNOCKBACK},
    {"IgnoreWallKnockBack", &UnitTemplate::unitPropertyDefense, IGNORE_WALL_KNOCKBACK},
    {"ResistGoodAilments", &UnitTemplate::unitPropertyStatus, RESIST_GOOD_AILMENTS},
    {"ResistBadAilments", &UnitTemplate::unitPropertyStatus, RESIST_BAD_AILMENTS},
    {"ImmuneGoodAilments", &UnitTemplate::unitPropertyStatus, IMMUNE_GOOD_AILMENTS},
    {"ImmuneBadAilments", &UnitTemplate::unitPropertyStatus, IMMUNE_BAD_AILMENTS},
    {"InvincibleWhenHit", &UnitTemplate::unitPropertyPlayer, INVINCIBLE_WHEN_HIT},
    {"ChainAttack1", &UnitTemplate::unitPropertyPlayer, CHAIN_ATTACK1},
    {"ChainAttack2", &UnitTemplate::unitPropertyPlayer, CHAIN_ATTACK2},
    {"ChainAttack4", &UnitTemplate::unitPropertyPlayer, CHAIN_ATTACK4},
    {"ClearStunFor3rdAttack", &UnitTemplate::unitPropertyPlayer, CLEAR_STUN_FOR_3RD_ATTACK},
    {"IgnoreHealthFor1stAttack", &UnitTemplate::unitPropertyPlayer, IGNORE_HEALTH_FOR_1ST_ATTACK},
};

} // namespace

bool setUnitProperty(UnitTemplate* t, const std::string& name) {
    for (const PropertyName& p : propertyNames)
        if (name == p.name) {
            t->*p.field |= p.bit;
            return true;
        }
    return false;
}

int affiliationFromText(const std::string& text) {
    for (int i = 0; i < AFFILIATION_COUNT; i++)
        if (text == affiliationTexts[i]) return 1 << i;
    return 0;
}

int unitPropertyCount() {
    return (int)(sizeof propertyNames / sizeof propertyNames[0]);
}

const char* unitPropertyName(int index) {
    return index >= 0 && index < unitPropertyCount() ? propertyNames[index].name : nullptr;
}
