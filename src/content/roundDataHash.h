#ifndef VORN_CONTENT_ROUNDDATAHASH_H
#define VORN_CONTENT_ROUNDDATAHASH_H

#include <cstdint>
#include <string>

class Loader;
class Round;

// A digest of the data that shapes a loaded round: the campaign file, and for every unit type the
// round can bring in (its spawn orders and, over and over, the units those add) the unit file and
// the size of each of its frames, which sets the unit's reach. The colours of pictures, sounds
// and music play no part. A replay of a round is refused once this changes.
uint64_t roundDataHash(Loader& loader, const std::string& campaign, Round& round);

// The same digest with its two parts on their own: the text files (the campaign and unit files)
// and the pictures (the frame sizes), so that a change can be told apart from the other.
struct RoundDataDigests {
    uint64_t all = 0; // roundDataHash
    uint64_t text = 0, pictures = 0;
};
RoundDataDigests roundDataDigests(Loader& loader, const std::string& campaign, Round& round);

#endif
