#ifndef VORN_CONTENT_DATAFILEREADER_H
#define VORN_CONTENT_DATAFILEREADER_H

#include <allegro.h>

// The bytes of a datafile as Allegro's loader reads them: the file itself, an object's data
// (a window of its parent's bytes), or bytes packed with LZSS and unpacked from the parent's
// (a whole packed file, or an object compressed on its own). Every reader ends after the bytes
// it holds, so a damaged size can never carry a read past its object.
//
// The unpacking is our own, as Allegro's packfiles write it. Allegro's own unpacker starts with
// the last 18 bytes of its ring unwritten, so a match that reaches into them before they are
// written gives bytes that differ from load to load: such data is taken as damaged, and what
// the check reads is what the loader reads.
class DatafileReader {
  public:
    // The file's next size bytes, from its current position.
    DatafileReader(PACKFILE* file, long size);
    // The parent's next size bytes; or, when packed, size bytes unpacked from at most the
    // parent's next packedSize bytes. unpackBudget counts the bytes all packed readers of one
    // datafile may still unpack, so nested packed objects cannot take unbounded time.
    DatafileReader(DatafileReader* parent, long size, bool packed, long packedSize, long* unpackBudget);
    DatafileReader(const DatafileReader&) = delete;
    DatafileReader& operator=(const DatafileReader&) = delete;

    // A byte (0 to 255); after the end or on damaged packed data the reader fails, and every
    // read after that gives -1 (and 0 from the reads of numbers).
    int readByte();
    long readLong(); // 32 bits, big-endian, as Allegro's pack_mgetl
    int readShort(); // 16 bits, big-endian, signed
    bool skip(long bytes);
    // Reads the rest of the bytes held; true when they were all there.
    bool finish();
    bool isFailed() const { return failed; }
    long getLeft() const { return left; }

  private:
    static const int ringSize = 4096; // bytes; matches reach back into them
    static const int longestMatch = 18;

    int nextByte();
    int unpackByte();
    int keep(int c);
    int packedByte();
    bool fail();

    PACKFILE* file;         // for the file itself, else null
    DatafileReader* parent; // for an object's data or packed bytes
    bool packed;
    long left;       // bytes still held
    long packedLeft; // packed bytes of the parent not yet read
    long* budget;
    bool failed;

    unsigned char ring[ringSize];
    int ringPos;        // where the next unpacked byte goes
    long unpackedCount; // bytes unpacked so far
    unsigned flags;     // the bits of the current flag byte, above a marker bit
    int matchFrom, matchLeft;
};

#endif
