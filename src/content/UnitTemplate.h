#ifndef VORN_CONTENT_UNITTEMPLATE_H
#define VORN_CONTENT_UNITTEMPLATE_H

#include <allegro.h>
#include <array>
#include <string>
#include <vector>

#include "content/AddUnitTemplate.h"
#include "units/UnitInput.h"

// Number of animation slots: idle, run, attack 1, attack 2, attack 4, dead, stun, taunt, aim.
enum { ANIM_COUNT = 9 };
enum {
    ANIM_IDLE = 0,
    ANIM_RUN,
    ANIM_ATTACK1,
    ANIM_ATTACK2,
    ANIM_ATTACK4,
    ANIM_DEAD,
    ANIM_STUN,
    ANIM_TAUNT, // loaded from unit files, shown by no rule
    ANIM_AIM
};
// Sound slots: Hit, Dead, Att1, Att2, Att3.
enum { SOUND_COUNT = 5 };
enum { SOUND_HIT = 0, SOUND_DEAD, SOUND_ATT1, SOUND_ATT2, SOUND_ATT3 };
// Affiliations, one bit per side.
enum { AFF_PLAYER = 1, AFF_ENEMY = 2, AFF_NEUTRAL = 4, AFF_PLAYER_PROJECTILE = 8, AFF_ENEMY_PROJECTILE = 16 };

// Ailments: indexes of the four step counters of goodStatus and badStatus, in the order a unit
// file's goodStatus and badStatus lists give them.
enum { AILMENT_COUNT = 4 };
// A unit's steps left of each good or each bad ailment, indexed as above; kept inside the unit,
// which the contact tests read for every pair that touches.
using AilmentCounters = std::array<int, AILMENT_COUNT>;
enum {
    GOOD_INVINCIBLE = 0,  // contacts neither damage nor push it; a player unit earns no juice by its own hits
    GOOD_JUICE_BOOST = 1, // the player's juice gains count five times (not while also drained)
    GOOD_HASTENED = 2,    // walks twice as fast
    GOOD_STRENGTHENED = 3 // its hits deal double damage and earn double juice
};
enum {
    BAD_STUNNED = 0,  // cannot walk or attack; its contacts only bump
    BAD_NO_JUICE = 1, // the player gains no juice (not while also boosted)
    BAD_SLOWED = 2,   // walks at half speed; wins over hastened
    BAD_WEAKENED = 3  // its hits deal half damage and earn half juice
};

// unitPropertyHitbox bits.
enum {
    HITS_OPPONENT_WHEN_STUNNED = 1,
    HITS_ALLY_WHEN_STUNNED = 2,
    GOES_THROUGH_OPPONENT = 4,
    GOES_THROUGH_ALLY = 8,
    HITS_PLAYER = 16,
    // Read from unit files, but no rule reads them (who is hit follows from the sides); kept for them.
    HITS_ENEMY = 32,
    HITS_PLAYER_PROJECTILE = 64,
    HITS_ENEMY_PROJECTILE = 128,
    HITS_NEUTRAL = 256,
    DIES_WHEN_HITS_WALL = 512,
    DIES_WHEN_PLAYER_HITS = 1024,
    DIES_WHEN_PLAYER_PROJECTILE_HITS = 2048,
    HITS_INDESTRUCTIBLE = 4096,
    DIES_WHEN_ENEMY_HITS = 8192,
    DIES_WHEN_ENEMY_PROJECTILE_HITS = 16384,
    DIES_WHEN_NEUTRAL_HITS = 32768,
    DEALS_NO_KNOCKBACK = 65536
};
// unitPropertyDefense bits.
enum {
    INDESTRUCTIBLE = 1,
    BOUNCY = 2,
    HEAVY = 4,
    NO_DAMAGE = 8,
    NO_KNOCKBACK = 16,
    IGNORE_WALL_KNOCKBACK = 32
};
// unitPropertyStatus bits.
enum { RESIST_GOOD_AILMENTS = 1, RESIST_BAD_AILMENTS = 2, IMMUNE_GOOD_AILMENTS = 4, IMMUNE_BAD_AILMENTS = 8 };
// unitPropertyPlayer bits.
enum {
    INVINCIBLE_WHEN_HIT = 1,
    CHAIN_ATTACK1 = 2,
    CHAIN_ATTACK2 = 4,
    CHAIN_ATTACK4 = 8,
    CLEAR_STUN_FOR_3RD_ATTACK = 16,
    IGNORE_HEALTH_FOR_1ST_ATTACK = 32
};

// One unit type: everything its unit file defines, shared by every unit of the type.
// Frame pictures belong to the type's datafile (the Loader releases it), not to the template.
class UnitTemplate {
  public:
    std::vector<std::vector<BITMAP*>> vecPics; // [animation][frame]
    int animFrameTimer;                        // shared by all units of the type: advances left on this frame
    std::vector<std::vector<int>> animFrameTimes; // [animation][frame] hold counts, never negative
    int animLoopsLeft;                            // shared: returns to the loop start left
    std::vector<int> animRepeat;                  // returns to the loop per animation; 0 = play once
    std::vector<int> animLoopEnd;                 // frame index per animation; negative = last frame
    std::vector<int> animLoopStart;               // frame index per animation; negative = hold the last frame
    std::vector<AddUnitTemplate*> addedUnits;     // owned, in file order
    std::string unitName;
    int affiliation;             // one AFF_* value
    int unitPropertyHitbox;      // bit set of HITS_*, GOES_THROUGH_*, DIES_WHEN_*, DEALS_NO_KNOCKBACK
    int unitPropertyDefense;     // bit set of INDESTRUCTIBLE .. IGNORE_WALL_KNOCKBACK
    int unitPropertyStatus;      // bit set of RESIST_* and IMMUNE_* ailments
    int unitPropertyPlayer;      // bit set of INVINCIBLE_WHEN_HIT .. IGNORE_HEALTH_FOR_1ST_ATTACK
    int maxHP;                   // hit points (juice for a character)
    int timeToLive;              // death checks left (youAreDead, once a drawn frame); -10 or less = no limit
    int juiceForPlayer;          // juice per hit this unit lands for the player's side
    fixed walkspeed;             // pixels per step
    fixed kbDir;                 // angle units, relative to the line attacker->victim
    fixed kbMag;                 // pixels per step
    int kbDuration;              // drawn frames at full strength
    int damageDealt;             // hit points per hit; negative heals
    std::vector<int> goodStatus; // steps of each of the AILMENT_COUNT good ailments dealt per hit
    std::vector<int> badStatus;  // steps of each bad ailment dealt per hit
    std::vector<SAMPLE*> sounds; // SOUND_COUNT slots, owned
    UnitInput* unitInput;        // owned
    bool isThePC;
    int alignStyle;      // 0 free; bit 1 held within alignDist of the unit that added it
    fixed alignDist;     // pixels
    fixed alignAngleMin; // angle units; read from unit files, used by no behaviour: kept for them
    fixed alignAngleMax; // angle units; as alignAngleMin

    UnitTemplate();
    ~UnitTemplate();
    UnitTemplate(const UnitTemplate&) = delete;
    UnitTemplate& operator=(const UnitTemplate&) = delete;

    // kind 0 fills goodStatus, 1 badStatus, from the first min(count, AILMENT_COUNT) values (atoi).
    void setStatus(std::vector<std::string> values, int kind);
    std::vector<std::vector<BITMAP*>>* getVecPics() { return &vecPics; } // kept for callers, unused
    // Destroys every frame picture; only for pictures the template owns (never for loaded ones).
    void deleteBitmaps();
};

#endif
