#ifndef VORN_CONTENT_DATAFILECACHE_H
#define VORN_CONTENT_DATAFILECACHE_H

#include <allegro.h>
#include <map>
#include <string>

// Every datafile the game loads, by path. A path is loaded once and then reused, so replaying a
// round or starting a campaign again costs no memory, and pictures taken from an earlier load
// stay valid until releaseAll.
class DatafileCache {
  public:
    DatafileCache() {}
    ~DatafileCache() { releaseAll(); }
    DatafileCache(const DatafileCache&) = delete;
    DatafileCache& operator=(const DatafileCache&) = delete;

    // The datafile at path, loaded on first use; null when it does not load (not remembered, so
    // a file that appears later loads then).
    DATAFILE* load(const std::string& path);
    // Unloads every datafile; pictures taken from them are gone with them.
    void releaseAll();
    int getCount() const { return (int)loaded.size(); }

    // The picture object called name in dat, or null when there is none or it is not a picture.
    // Names match as Allegro's datafile lookup matches them (not case-sensitive).
    static BITMAP* findPicture(DATAFILE* dat, const std::string& name);

  private:
    std::map<std::string, DATAFILE*> loaded;
};

#endif
