#ifndef VORN_SYSTEM_MUSICSOUND_H
#define VORN_SYSTEM_MUSICSOUND_H

#include <allegro.h>
#include <string>

struct OGGSND_STREAM;

// The game's audio: Allegro's digital sound, one looping Ogg Vorbis music stream, unit sound
// effects, and the three volumes (0 to 255).
class MusicSound {
  public:
    MusicSound();
    virtual ~MusicSound();

    int initAudio();
    int getVolumeGlobal() const { return volumeGlobal; }
    int getVolumeMusic() const { return volumeMusic; }
    int getVolumeSfx() const { return volumeSfx; }
    void setVolumeGlobal(int v);
    void setVolumeMusic(int v);
    void setVolumeSfx(int v);
    void playMusic(std::string* path);
    void updateMusic();
    void fadeMusic();
    void stopMusic();
    void pauseMusic();
    void restartMusic();
    // pan 0 (left) to 255 (right); frequency 1000 = the sample's own pitch. Returns the voice.
    // Virtual so tests can listen to what units ask to play.
    virtual int playSfx(SAMPLE* sample, int pan, int frequency);
    bool isSoundInstalled() const { return soundInstalled; }

  private:
    bool soundInstalled;
    int volumeGlobal;
    int volumeMusic;
    int volumeSfx;
    OGGSND_STREAM* musicStream;
    std::string musicPath;
    bool musicFaded; // fadeMusic ran on the stream now held
};

#endif
