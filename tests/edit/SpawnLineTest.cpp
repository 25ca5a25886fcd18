#include <gtest/gtest.h>

#include "edit/ArenaBox.h"
#include "edit/DataDocument.h"
#include "edit/SpawnLine.h"
#include "edit/SpawnList.h"

TEST(SpawnLineTest, OneValueChangesAndTheRestStaysAsWritten) {
    using L = SpawnLine;
    const struct {
        const char *text, *value, *expected;
        int column;
    } cases[] = {
        {"Grub 1 2 1 150 0 0", "1", "Grub 1 2 1 150 0 0", L::AMOUNT},
        {"Grub 1 2 1 150 0 0", "  ", "Grub 1 2 1 150 0 0", L::DELAY},
        {"Grub  1\t10 0 0 0 0  80 70", "120", "Grub  1\t10 0 0 0 0  120 70", L::X},
        {"Grub 1 2 1 150 0 0", "Slinger  extra", "Slinger 1 2 1 150 0 0", L::TYPE},
        // Only side 10 takes a position: one drops it, the other brings side 10.
        {"Grub 1 10 0 0 0 0 80 70", "2", "Grub 1 2 0 0 0 0", L::SIDE},
        {"Grub 1 10 0 0 0 0 80 70 # x", "4", "Grub 1 4 0 0 0 0 # x", L::SIDE},
        {"Grub 1 2 1 150 0 0", "40", "Grub 1 10 1 150 0 0 0 40", L::Y},
        {"Grub 1 2", "3", "Grub 1 2 0 0 0 3", L::VARIANT},
    };
    for (auto& c : cases) {
        SpawnLine line(c.text);
        line.setValue(c.column, c.value);
        EXPECT_EQ(line.getText(), c.expected) << c.text << " / " << c.value;
    }
    EXPECT_TRUE(SpawnLine("Grub 1 10 0 0 0 0 80 70").hasPosition());
    EXPECT_FALSE(SpawnLine("Grub 1 4 0 0 0 0 80 70").hasPosition());
    EXPECT_EQ(SpawnLine("Grub 1").getValue(L::SIDE), "");
}

TEST(SpawnLineTest, ArenaPointsUnderThePointerStayWithinOnePixel) {
    // A wide arena in a square box, a tall one in a wide box: drawn centred, to scale.
    for (auto [w, h] : {std::pair{400, 300}, {200, 900}}) {
        ArenaBox box(10, 20, 300, 220, w, h);
        double scale = (double)box.getWidth() / w;
        EXPECT_NEAR(scale, (double)box.getHeight() / h, 0.01);
        EXPECT_TRUE(box.getWidth() == 300 || box.getHeight() == 220);
        EXPECT_LE(std::abs(2 * (box.getLeft() - 10) - (300 - box.getWidth())), 1);
        EXPECT_LE(std::abs(2 * (box.getTop() - 20) - (220 - box.getHeight())), 1);
        int x = 0, y = 0;
        box.toArena(box.getLeft(), box.getTop(), &x, &y);
        EXPECT_LE(x + y, 2 / scale);
        box.toArena(box.getLeft() + box.getWidth() - 1, box.getTop() + box.getHeight() - 1, &x, &y);
        EXPECT_GE(x + y, w + h - 2 / scale);
        box.toArena(0, 1000, &x, &y);
        EXPECT_EQ(std::pair(x, y), std::pair(0, h));
        for (int sx = box.getLeft(); sx < box.getLeft() + box.getWidth(); sx += 7) {
            int sy = box.getTop() + (sx * 3) % box.getHeight(), backX = 0, backY = 0;
            ASSERT_TRUE(box.contains(sx, sy));
            box.toArena(sx, sy, &x, &y);
            box.toScreen(x, y, &backX, &backY);
            EXPECT_LE(std::abs(backX - sx) + std::abs(backY - sy), 2) << sx << "," << sy;
        }
    }
}

TEST(SpawnLineTest, LinesMoveBetweenKeysAndEachChangeUndoesAsOne) {
    DataDocument doc;
    const std::string text = "[Round0]\nSpawns = 3\n# the first wave\nSpawn0 = a\nSpawn1 = b\nSpawn2 = c\n"
                             "ArenaWall = Stop\n\n[Round1]\nSpawns = 0\n";
    doc.setText(text);
    SpawnList list(doc, "Round0");
    auto lines = [&] {
        std::string out;
        for (int i = 0; i < list.getCount(); i++)
            out += list.getLine(i) + (doc.has("Round0", "Spawn" + std::to_string(i)) ? "" : "?");
        return out;
    };
    list.insert(1, "x");
    EXPECT_EQ(lines(), "axbc");
    list.remove(0);
    list.move(2, -1);
    EXPECT_EQ(lines(), "xcb");
    list.insert(3, "d");
    EXPECT_EQ(doc.getText(), "[Round0]\nSpawns = 4\n# the first wave\nSpawn0 = x\nSpawn1 = c\nSpawn2 = b\n"
                             "ArenaWall = Stop\nSpawn3 = d\n\n[Round1]\nSpawns = 0\n");
    for (const char* before : {"xcb", "xbc", "axbc", "abc"}) {
        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(lines(), before);
    }
    EXPECT_EQ(doc.getText(), text);
    // A line that Spawns counts but nobody wrote stays unwritten wherever it moves.
    doc.set("Round0", "Spawns", "4");
    list.move(3, -1);
    EXPECT_EQ(lines(), "ab?c");
    list.remove(2);
    EXPECT_EQ(lines(), "abc");
}
