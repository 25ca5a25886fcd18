#ifndef VORN_EDIT_DOCUMENTSHELF_H
#define VORN_EDIT_DOCUMENTSHELF_H

#include <map>
#include <string>
#include <vector>

#include "edit/DataDocument.h"

// Every data file the workshop has opened, by its path under data/ ("campaigns/Tutorial",
// "unit/Grub", "listOfCharacters.txt"), shared by the editor's screens so that one Save writes
// them all and Quit knows whether anything is unsaved. A file is read the first time it is asked
// for; one that does not exist yet opens empty and is written by the first save.
class DocumentShelf {
  public:
    // The document of data/relativePath, read now if it was not open.
    DataDocument& open(const std::string& relativePath);
    bool isOpen(const std::string& relativePath) const { return documents.count(relativePath) > 0; }
    bool isModified() const;
    // The paths of the documents with unsaved changes, in path order.
    std::vector<std::string> getModifiedPaths() const;
    // The texts of the documents with unsaved changes, by path: what a scratch copy of the data set
    // must hold to show the set as the author sees it.
    std::map<std::string, std::string> getUnsavedTexts() const;
    // Saves every modified document; the paths that could not be saved, each with its plain reason
    // ("data/unit/Grub: No space left on device"). Those keep their changes.
    std::vector<std::string> saveAll();

    // ---- Recovery copies (see DataDocument): the unsaved texts of a session that ended ----
    // The paths of the documents that have one, in path order.
    static std::vector<std::string> findRecoveryCopies();
    // Opens the document with its recovery copy as its text, an edit not saved yet; false when the
    // copy could not be read or holds what the file holds (it is removed then).
    bool restoreRecoveryCopy(const std::string& relativePath);
    static void discardRecoveryCopy(const std::string& relativePath);
    // Removes the copies of every open document: their changes were given up.
    void discardRecoveryCopies();

  private:
    std::map<std::string, DataDocument> documents;
};

#endif
