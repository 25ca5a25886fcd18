#ifndef VORN_CONTENT_DATAFILECACHE_H
#define VORN_CONTENT_DATAFILECACHE_H

#include <allegro.h>
#include <map>
#include <string>
#include <vector>

// Every datafile the game loads, by path and colour depth. A path is loaded once per depth and
// then reused, so replaying a round or starting a campaign again costs no memory, pictures taken
// from an earlier load stay valid until releaseAll, and after a change of screen depth the next
// load converts the pictures to the new depth.
class DatafileCache {
  public:
    DatafileCache() {}
    ~DatafileCache() { releaseAll(); }
    DatafileCache(const DatafileCache&) = delete;
    DatafileCache& operator=(const DatafileCache&) = delete;

    // The datafile at path for the current colour depth, loaded on first use; null when it does not load (not
    // remembered, so a file that appears later loads then).
    DATAFILE* load(const std::string& path);
    // Unloads every datafile; pictures taken from them are gone with them.
    void releaseAll();
    int getCount() const { return (int)loaded.size(); }
    // The paths loaded, each once whatever the depths it was loaded at.
    std::vector<std::string> getPaths() const;

    // The picture object called name in dat, or null when there is none or it is not a picture.
    // Names match as Allegro's datafile lookup matches them (not case-sensitive).
    static BITMAP* findPicture(DATAFILE* dat, const std::string& name);

    // Whether the file is a datafile whose objects Allegro's loader can walk safely: it crashes on
    // some malformed object headers instead of failing, so every load is checked first. The whole
    // file or each object may be compressed; fonts, MIDI music and RLE and compiled sprites, which
    // the game never uses, are skipped when the datafile loads, whatever they hold.
    static bool isWellFormed(const std::string& path);
    // Why the datafile at path did not load, in words that follow its path: "does not exist",
    // "is a folder, not a file", "cannot be read (...)" or "is damaged".
    static std::string whyNotLoaded(const std::string& path);

  private:
    std::map<std::pair<std::string, int>, DATAFILE*> loaded; // by path and colour depth
};

#endif
