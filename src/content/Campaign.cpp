#include "content/Campaign.h"

Campaign::Campaign() : beginPic(nullptr), endPic(nullptr), totalRounds(0) {}

Campaign::Campaign(std::string* name, BITMAP* beginPic, BITMAP* endPic)
    : name(name ? *name : std::string()), beginPic(beginPic), endPic(endPic), totalRounds(0) {}
