#ifndef VORN_SYSTEM_FILEACCESS_H
#define VORN_SYSTEM_FILEACCESS_H

#include <cerrno>
#include <string>
#include <vector>

// The largest file the game reads whole (settings, data and replay files): far beyond any real
// one, so a link to an endless device or a stray huge file cannot exhaust the memory.
const long maxReadBytes = 64L << 20;
// The errno of an open refused because the path names no regular file (a fifo, a device, a
// socket): reading such a thing would wait for a writer, or never end.
const int ERR_NOT_REGULAR = ENODEV;
// The errno of an open refused because the file is larger than maxReadBytes.
const int ERR_TOO_LARGE = EOVERFLOW;

// Opens the file at path for reading without ever waiting: a descriptor, or -1 with errno set
// (EISDIR for a folder, ERR_NOT_REGULAR, ERR_TOO_LARGE, or the open's own). Links to regular
// files are followed. The file is judged after it is open, so it cannot be swapped in between.
int openForReading(const char* path);

// What keeps the file at path from being read, in words that follow its path: "does not exist",
// "is a folder, not a file", "is not a regular file", "is larger than 64 MB" or "cannot be read
// (Permission denied)"; empty when it can be read.
std::string whyUnreadable(const std::string& path);

// Whether Allegro's loaders, which open by path and wait on a fifo, may be handed path: false when
// it, or the datafile of an object path ("FILE#NAME"), is there but is no regular file of at most
// maxReadBytes. A path naming nothing passes: the loader then fails by itself.
bool mayOpenByPath(const std::string& path);

// The game's words for a file it cannot use, naming it: "Could not find PATH" for one that does
// not exist, as the game has always said, else "PATH " and the reason.
std::string describeUnusableFile(const std::string& path, const std::string& reason);

// Why a file operation failed, from its errno, in the player's words: "the disk is full".
std::string plainReason(int error);

// Writes the whole text to the open file, going on after partial writes and interruptions. 0, or
// the errno of the first write that failed.
int writeAll(int fd, const std::string& text);

// Replaces the file at path with text so that it holds either its old bytes or all the new ones,
// whenever the program stops: the text goes to path + ".new", reaches the disk, and is renamed over
// the file. 0, or the errno of the step that failed (the ".new" file is then removed).
int writeFileAtomically(const std::string& path, const std::string& text);

// Makes the folder and every missing folder on its way. 0 when it is a folder now, else the errno
// (ENOTDIR when something else stands there).
int makeFolders(const std::string& folder);

// The names of the regular files in the folder (links followed), leaving out hidden ones, in the
// order the folder lists them; none when it cannot be read.
std::vector<std::string> regularFilesIn(const std::string& dir);

#endif
