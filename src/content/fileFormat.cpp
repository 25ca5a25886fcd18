#include "content/fileFormat.h"

#include <cerrno>
#include <cstdlib>

const char* const animationKeys[ANIM_COUNT] = {"animIdle",    "animRun",  "animAttack1",
                                               "animAttack2", "animAttack4", "animDead",
                                               "animStun",    "animTaunt", "animAim"};
const char* const soundKeys[SOUND_COUNT] = {"Hit", "Dead", "Att1", "Att2", "Att3"};
const char* const propertyKeys[PROPERTY_KEY_COUNT] = {"Player", "Hitbox", "Status", "Defense"};
const char* const wallModes[WALL_MODE_COUNT] = {"Stop", "Ignore", "Bounce", "Push"};
const char* const affiliationTexts[AFFILIATION_COUNT] = {"player", "enemy", "neutral", "playerProjectile",
                                                         "enemyProjectile"};

bool readArenaSide(const std::string& value, int* out) {
    errno = 0;
    long n = strtol(value.c_str(), nullptr, 10);
    if (errno != 0 || n <= 0 || n > largestFixedInt) return false;
    *out = (int)n;
    return true;
}
