#ifndef VORN_EDIT_SPAWNLINE_H
#define VORN_EDIT_SPAWNLINE_H

#include <string>
#include <vector>

// One spawn line's value as written ("Grub 1 10 0 0 0 0 80 70"), read by column and changed one
// value at a time: the spaces, the other values and anything after them stay as written. Values
// are split at blanks, as the game splits them.
class SpawnLine {
  public:
    // In the order the values are written.
    enum Column { TYPE, AMOUNT, SIDE, CONDITION, DELAY, THRESHOLD, VARIANT, X, Y, COLUMN_COUNT };

    explicit SpawnLine(const std::string& text = "") : text(text) {}
    const std::string& getText() const { return text; }
    int getValueCount() const { return (int)spans().size(); }
    // The value as written, "" when the line is shorter.
    std::string getValue(int column) const;
    // The value read as the game reads a whole number (0 when it is none or missing).
    int getWhole(int column) const;
    // Nine values with side 10: the only lines that have a position the game reads.
    bool hasPosition() const;

    // Writes the first word of value in place of the column's value. A shorter line is filled up
    // to the seven values (nine for a position) with 0. The format takes a position only with
    // side 10, so a position written makes the side 10, and another side drops the position.
    void setValue(int column, const std::string& value);

  private:
    struct Span {
        size_t begin, end;
    };
    std::vector<Span> spans() const;

    std::string text;
};

#endif
