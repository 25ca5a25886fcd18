#ifndef VORN_EDIT_DATADOCUMENT_H
#define VORN_EDIT_DATADOCUMENT_H

#include <string>
#include <utility>
#include <vector>

// A unit, campaign or list file held as its lines, for the editor: comments, blank lines, keys it
// does not know, the order of keys, line ends and a missing last line end are kept exactly, so a
// file opened and saved unchanged is byte for byte what it was. Sections and keys are found as
// the game reads them (system/configText.h, check/ConfigFile.h): "key = value" lines, names
// matched without regard to case, the first of two equal keys in a section counting, a section
// written twice being one section. Every edit can be undone and redone; nothing is written before
// save.
class DataDocument {
  public:
    using KeyValues = std::vector<std::pair<std::string, std::string>>;
    // The largest file opened, in bytes: thirteen times the largest campaign shipped (5 kB, ten
    // rounds). The check after each edit grows with the square of a campaign's size and takes
    // seconds from here on, so a bigger file is refused (EFBIG) rather than held for minutes.
    static constexpr long MOST_BYTES = 64 * 1024;

    // 0, or the errno of the read that failed (the document is then empty).
    int load(const std::string& path);
    // The errno of the last load when it found a file it could not read, else 0.
    int getLoadError() const { return loadError; }
    // Why the file at path, as the last load found it, is left alone, in the author's words.
    std::string describeLoadError(const std::string& path) const;
    void setText(const std::string& bytes);
    std::string getText() const;
    // Replaces the whole text as one edit, which undoes as one.
    void replaceText(const std::string& bytes);
    // Writes the text atomically (system/fileAccess.h); 0 or the errno. A saved document is no
    // longer modified. A file that was there but could not be read is never replaced by what the
    // editor made of it: its load error again.
    int save(const std::string& path);
    bool isModified() const { return lines != savedLines; }

    // ---- Recovery copy ----
    // Where the unsaved text is kept: ".NAME.recovery" beside the file, hidden from the game's and
    // the checker's folder listings.
    static std::string recoveryPathOf(const std::string& path);
    // From now on the text is written to path (atomically) after each edit that leaves the
    // document modified, and path is removed when it is no longer modified (saved, undone).
    void keepRecoveryCopyAt(const std::string& path);
    void discardRecoveryCopy();

    // ---- Keys ----
    bool has(const std::string& section, const std::string& key) const;
    // The value the game reads, trimmed; def when the key is not there.
    std::string get(const std::string& section, const std::string& key, const std::string& def = "") const;
    // The line (from 1) the game reads the key from, or that a new key would be written on.
    int lineOf(const std::string& section, const std::string& key) const;
    // Changes the value on the line the game reads; a new key goes after the section's last key, a
    // new section at the end of the file.
    void set(const std::string& section, const std::string& key, const std::string& value);
    // Removes every line of the key in the section (a later duplicate would take its place).
    void remove(const std::string& section, const std::string& key);
    // The keys of a section as the game sees them, in file order, without later duplicates.
    KeyValues keysOf(const std::string& section) const;
    // Section names as first written, in file order; a section written twice is listed once.
    std::vector<std::string> getSections() const;

    // ---- Sections ----
    void addSection(const std::string& name, const KeyValues& keys);
    // Removes the section with its keys and the comment lines just above its header.
    void removeSection(const std::string& name);
    void renameSection(const std::string& from, const std::string& to);

    // ---- Lines, for files that are no key = value text (the selection lists) ----
    size_t getLineCount() const { return lines.size(); }
    // The line's bytes without its line end.
    const std::string& getLine(size_t index) const { return lines[index].text; }
    // Replaces count lines from begin with texts, which take the file's line end.
    void replaceLines(size_t begin, size_t count, const std::vector<std::string>& texts);
    // Moves the count lines from begin up to stand before line to (to <= begin), each with its
    // own line end.
    void moveLinesUp(size_t begin, size_t count, size_t to);

    // ---- Rounds of a campaign file: [Round0] to [RoundN-1], N being [Campaign] TotalRounds ----
    int getRoundCount() const;
    // The keys a new round starts with: a name, and the last round's datafile and arena picture
    // (a round needs one to load). Not its title picture, which shows that round's own name.
    KeyValues getNewRoundKeys() const;
    static std::string roundSection(int round);
    // Each of these keeps the rounds numbered from 0 in file order and TotalRounds their count.
    void addRound(const KeyValues& keys);
    void duplicateRound(int round);
    void removeRound(int round);
    // Moves a round one place up (-1) or down (+1).
    void moveRound(int round, int direction);

    // ---- Undo ----
    // The edits between these two undo as one. Every line has a line end meanwhile; finishEdit
    // takes a missing last one away again.
    void beginEdit();
    void finishEdit();
    bool canUndo() const { return !undoStack.empty(); }
    bool canRedo() const { return !redoStack.empty(); }
    bool undo();
    bool redo();

  private:
    struct Line {
        std::string text; // without its line end
        std::string end;  // "\n", "\r\n", or "" for a last line without one
        bool operator==(const Line& o) const { return text == o.text && end == o.end; }
        bool operator!=(const Line& o) const { return !(*this == o); }
    };
    enum LineKind { BLANK, COMMENT, HEADER, KEY, STRAY };
    struct LineView {
        LineKind kind;
        std::string section; // the section the line stands in; a header's own name
        std::string key, value;
    };
    // A section's lines: the comment lines just above its header through its last line that is
    // neither blank nor a comment above the next header.
    struct Block {
        size_t begin, end;
    };

    void parseText(const std::string& bytes);
    LineView view(size_t index, const std::string& section) const;
    // Every line's view, kept until the lines change: a campaign of thousands of rounds reads
    // them for each of its round names.
    const std::vector<LineView>& views() const;
    // Index of the line the game reads the key from; npos when none.
    size_t findKey(const std::string& section, const std::string& key) const;
    std::vector<Block> blocksOf(const std::string& name) const;
    std::string newLineEnd() const;
    void renameHeader(size_t index, const std::string& name);
    // Renames the round sections by number: map[i] is round i's new number, -1 to leave it.
    void renumberRounds(const std::vector<int>& map);
    void setRoundCount(int count);
    // Writes or removes the recovery copy after an edit, an undo or a save.
    void updateRecoveryCopy();

    mutable std::vector<LineView> viewsKept;
    mutable std::vector<Line> viewedLines; // the lines viewsKept stands for
    std::string byteOrderMark;             // kept ahead of the first line
    std::vector<Line> lines;
    std::vector<Line> savedLines;
    std::vector<Line> before; // the lines when the edit under way began
    bool lastLineEnded = true;
    int editDepth = 0;
    int loadError = 0;
    std::string recoveryPath; // empty: none kept
    std::vector<std::vector<Line>> undoStack, redoStack;
};

#endif
