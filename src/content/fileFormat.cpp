#include "content/fileFormat.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "system/textFormat.h"

const char* const animationKeys[ANIM_COUNT] = {"animIdle",    "animRun",     "animAttack1",
                                               "animAttack2", "animAttack4", "animDead",
                                               "animStun",    "animTaunt",   "animAim"};
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

bool readReal(const std::string& text, double* out) {
    double value = strtod(text.c_str(), nullptr);
    if (!std::isfinite(value) || std::fabs(value) > largestFixedReal) return false;
    *out = value;
    return true;
}

std::string unusableRealMessage(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& value, double used) {
    return textf(
        "%s: %s%s%s%s: \"%s\" is not a usable number (it must be a finite number from %g to %g); %g is "
        "used instead.\n",
        file.c_str(), section.empty() ? "" : "[", section.c_str(), section.empty() ? "" : "] ", key.c_str(),
        value.c_str(), -largestFixedReal, largestFixedReal, used);
}

bool nextListPiece(const std::string& text, size_t* pos, std::string* piece) {
    if (*pos >= text.size()) return false;
    size_t end = text.find('\n', *pos);
    end = end == std::string::npos ? text.size() : end + 1;
    if (end - *pos > (size_t)listLineLength) end = *pos + listLineLength;
    piece->assign(text, *pos, end - *pos);
    *pos = end;
    return true;
}
