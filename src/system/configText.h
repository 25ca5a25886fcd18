#ifndef VORN_SYSTEM_CONFIGTEXT_H
#define VORN_SYSTEM_CONFIGTEXT_H

#include <string>
#include <vector>

// Allegro's configuration reader walks its text as UTF-8 and runs past the end of a line, and
// hangs, on a malformed sequence. The game therefore hands it text, never raw file bytes: every
// byte that does not belong to a well-formed UTF-8 character becomes '?'. So does every control
// character but tab, line feed and carriage return: Allegro reads "[\fGfx]" as a section of its
// own but drops the form feed when it writes the file out, which then holds two [Gfx] sections
// and the saved one, coming second, is never read. For the same reason blanks just inside a
// section header's brackets are dropped ("[Gfx ]" reads as [Gfx]). A UTF-8 byte-order mark at
// the very start, which some editors write, is no part of the text: it is dropped, so it does not
// become part of the first key or name.

// Length of the character at s[i] when it is text: a well-formed UTF-8 character other than a
// control character (tab, line feed and carriage return are text); 0 when it is not.
size_t textCharacterLength(const std::string& s, size_t i);
// The bytes as text: the byte-order mark dropped, every byte that is no text read as '?'. Every
// other byte stays where it was, so lines and their lengths are kept. The selection lists are
// read this way.
std::string makePlainText(const std::string& bytes);
// The lines (from 1) where makePlainText reads some byte as '?'.
std::vector<int> linesNotText(const std::string& bytes);
// The file's bytes; false, with errno set, when it cannot be opened or read, is no regular file or
// is larger than maxReadBytes (system/fileAccess.h).
bool readFileBytes(const char* path, std::string* bytes);

// The file's text made safe as above; empty when the file is missing or cannot be read. A file
// that exists but cannot be read (no permission, a folder, a disk error) sets *error to the errno
// of the failure; a missing one leaves it 0.
std::string readConfigText(const char* path, int* error = nullptr);
// The same for bytes already in memory.
std::string makeConfigText(const std::string& bytes);
// Makes the file at path Allegro's current configuration, read as safe text. Nothing is ever
// written back through it: writers use their own file (see GameSettings). Returns the read's
// errno as readConfigText reports it, 0 when the file was read or is missing.
int useConfigText(const char* path);

#endif
