#ifndef VORN_CONTENT_CAMPAIGN_H
#define VORN_CONTENT_CAMPAIGN_H

#include <allegro.h>
#include <string>

// A campaign being played: its name, music and pictures. The pictures belong to the campaign
// datafile held by the Loader.
class Campaign {
  public:
    Campaign();
    Campaign(std::string* name, BITMAP* beginPic, BITMAP* endPic);

    void setName(std::string* n) { name = n ? *n : std::string(); }
    std::string* getName() { return &name; }
    void setMusic(std::string* m) { music = m ? *m : std::string(); }
    std::string* getMusic() { return &music; }
    void setBeginPic(BITMAP* pic) { beginPic = pic; }
    BITMAP* getBeginPic() const { return beginPic; }
    void setEndPic(BITMAP* pic) { endPic = pic; }
    BITMAP* getEndPic() const { return endPic; }
    void setTotalRounds(int n) { totalRounds = n; }
    int getTotalRounds() const { return totalRounds; }

  private:
    std::string name;  // the campaign file's name under data/campaigns/
    std::string music; // path of the Ogg Vorbis music file
    BITMAP* beginPic;  // "splashScreen"
    BITMAP* endPic;    // "victoryScreen"
    int totalRounds;
};

#endif
