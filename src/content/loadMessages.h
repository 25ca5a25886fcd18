#ifndef VORN_CONTENT_LOADMESSAGES_H
#define VORN_CONTENT_LOADMESSAGES_H

#include <string>

// The messages the game shows while it loads data, written once: the loader and the battle show
// them, and the data checker quotes them (and recognises them when the game's own loader shows
// them during a check). Each text is the whole message, line end included where it has one.

std::string unitNotValidMessage(const std::string& unit);
// what: the unusable file and why ("data/unit/gfx/x.dat does not exist").
std::string unitNotLoadedMessage(const std::string& what);
std::string noAnimationsMessage(const std::string& unit, const std::string& datafile);
std::string missingFrameMessage(const std::string& frame, const std::string& unit);
std::string tooManyAddedMessage(const std::string& unit, const std::string& key, int amount);
std::string tooManySpawnedMessage(const std::string& section, const std::string& key, int amount);
std::string missingPictureMessage(const std::string& object, const std::string& datafile);
std::string campaignNotLoadedMessage(const std::string& datafile);
std::string roundNotLoadedMessage(const std::string& datafile);
std::string unusableArenaSizeMessage(const std::string& width, const std::string& height);
std::string arenaTooFewMessage();
std::string generalNotLoadedMessage();
// The battle's, after the loader's own message.
std::string loadGeneralFailedMessage();
std::string loadCampaignFailedMessage();
std::string arenaNotMadeMessage(int width, int height);

// A message quoted in a problem's text: without its line end.
std::string quoted(const std::string& message);

#endif
