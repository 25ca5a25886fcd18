#ifndef VORN_CONTENT_LOADER_H
#define VORN_CONTENT_LOADER_H

#include <allegro.h>
#include <string>
#include <vector>

#include "content/Campaign.h"
#include "content/DatafileCache.h"
#include "content/Round.h"
#include "content/UnitTemplate.h"

class MusicSound;
class StartGameConfig;

// Loads and holds all game content: unit types, campaigns and rounds, the shared pictures and
// the selection lists. One Loader serves the whole run.
class Loader {
  public:
    Loader();
    ~Loader();
    Loader(const Loader&) = delete;
    Loader& operator=(const Loader&) = delete;

    // Unit types.
    int addUnit(const std::string& name);
    // Loads the player's character; non-zero when it cannot be played (its unit file missing or
    // broken, or not a player's unit on the player's side). The reason goes to *whyNot, or to
    // the player in a message when whyNot is null.
    int addPC(const std::string& name, std::string* whyNot = nullptr);
    std::string* dontExist(const std::string& name);
    UnitTemplate* getUnitTemplate(std::string& name);
    std::vector<UnitTemplate*>* getUnitTemplates() { return &unitTemplates; }
    // Enters a type built in memory (tools, tests) as if its unit file had loaded; the loader owns it.
    void addTemplate(UnitTemplate* t);
    int setUpUnitTemplate(const std::string& name);
    bool loadAnimation(UnitTemplate* t, const std::string& name);
    void loadUnitProperties(UnitTemplate* t);
    void get_argv(std::vector<std::string>* out, std::string* section, std::string* key, int* count);

    // Campaigns and rounds.
    int loadCampaign(Campaign& campaign);
    int loadAllUnitsFromCampaign(Campaign& campaign);
    // ms is kept for callers: loading a round plays no sound, the battle starts the music.
    int loadRound(Campaign& campaign, int roundNumber, Round* round, const std::string& charName,
                  MusicSound* ms);

    // Shared pictures and selection lists.
    int loadGeneralData();
    BITMAP* getMouseCursor() { return mouseCursor; }
    BITMAP* getYouWinPic() { return youWinPic; }
    BITMAP* getYouLosePic() { return youLosePic; }
    std::vector<BITMAP*>* getGoodStatusPics() { return &goodStatusPics; }
    std::vector<BITMAP*>* getBadStatusPics() { return &badStatusPics; }
    int loadCharAndCamp(StartGameConfig* screen);
    // Releases every datafile and, since their frames went with them, every unit type.
    void unloadAll();
    // Datafiles held now; each path counts once however often it was asked for.
    int getLoadedDatafileCount() const { return datafiles->getCount(); }
    // Takes its datafiles from cache, which outlives the loader and is never emptied by it: the
    // data checker keeps what it read across checks. Set before anything loads.
    void borrowDatafiles(DatafileCache* cache) { datafiles = cache; }
    // Unit types load without their sounds, which show no message when they fail: the data
    // checker decodes each sound once on its own.
    void setSoundsSkipped(bool skipped) { soundsSkipped = skipped; }

  private:
    // The picture object of dat, or null with a message naming object and datafile.
    BITMAP* getPicture(DATAFILE* dat, const std::string& object, const std::string& path);
    void setCampaignConfig(Campaign& campaign);
    void loadAISettings(UnitTemplate* t);
    void loadSounds(UnitTemplate* t);
    void loadDamage(UnitTemplate* t);
    void loadAddedUnits(const std::string& name, std::vector<AddUnitTemplate*>* added);
    void loadAnimationFrames(UnitTemplate* t, int anim, DATAFILE* dat, bool* found);
    void readArenaSize(std::string section, Round* round);
    UnitCreate* readSpawnLine(std::string section, int index);
    void readSelectionList(const char* path, StartGameConfig* screen, bool campaigns);
    // Sets the unit types loaded so far aside, so every type loads afresh at the current depth.
    void retireUnitTypes();

    DatafileCache ownDatafiles;
    DatafileCache* datafiles = &ownDatafiles; // holds every datafile below
    bool soundsSkipped = false;
    DATAFILE* campaignDatafile;
    DATAFILE* roundDatafile;
    std::string campaignDatafileName;
    std::vector<std::string*> unitNames;  // owned
    std::vector<DATAFILE*> unitDatafiles; // one per unit type loaded; held by datafiles
    std::vector<UnitTemplate*> unitTemplates;
    std::vector<BITMAP*> goodStatusPics;
    std::vector<BITMAP*> badStatusPics;
    DATAFILE* generalDatafile;
    BITMAP* mouseCursor;
    BITMAP* youWinPic;
    BITMAP* youLosePic;
    char** configArgv; // owned by Allegro; read at once
    int unitDepth;     // colour depth of the frames of unitTemplates; 0 before any type
    // Types loaded at an earlier colour depth; kept, not deleted, so no pointer to them dangles.
    std::vector<UnitTemplate*> retiredTemplates;
};

#endif
