#ifndef VORN_EDIT_CHECKDOCUMENT_H
#define VORN_EDIT_CHECKDOCUMENT_H

#include <string>
#include <vector>

class CheckMemory;
class DataDocument;
class DocumentShelf;

// Runs the data checker over the data set under the working directory as it would be with the
// file data/relativePath holding text, without writing that file: the set is seen through a
// scratch folder of links in which only that file is new. The problems found in that file, one a
// line in the checker's words ("line 12: error: [Round3] Spawn2: ..."), and the counts last. A
// campaign is checked with the selection lists and the characters only, not the whole set; a unit
// file ("unit/Grub") with the types it adds only; any other file with the whole set.
// memory, when given, keeps the datafiles and sounds read for the next check (see CheckMemory).
std::vector<std::string> checkDocument(const std::string& relativePath, const std::string& text,
                                       CheckMemory* memory = nullptr);
// The same for the document of the shelf at relativePath, with every unsaved document of the shelf
// in place of its file: a campaign made and listed but not saved yet is checked as listed.
std::vector<std::string> checkDocument(const std::string& relativePath, DocumentShelf& shelf,
                                       CheckMemory* memory = nullptr);
// The problems of value as the author types it for key in section of doc, the document of the
// file data/relativePath, from the key's row of the format table alone (its kind, limits and
// words): in the checker's words, on the line the key will be saved on ("line 14: warning:
// [Round2] ArenaKB: 1.5 is above 0.99"). None for an empty value, which leaves the key out.
std::vector<std::string> checkTypedValue(const std::string& relativePath, const DataDocument& doc,
                                         const std::string& section, const std::string& key,
                                         const std::string& value);

#endif
