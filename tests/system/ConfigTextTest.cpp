#include <allegro.h>
#include <gtest/gtest.h>

#include "support/TestEnv.h"
#include "system/configText.h"

TEST(ConfigText, WellFormedTextPassesAndEveryMalformedByteBecomesAQuestionMark) {
    EXPECT_EQ(makeConfigText("[Sound]\nGlobal = 12 # caf\xc3\xa9 \xe2\x82\xac\n"),
              "[Sound]\nGlobal = 12 # caf\xc3\xa9 \xe2\x82\xac\n");
    EXPECT_EQ(makeConfigText(std::string("a\0b", 3)), "a?b");
    EXPECT_EQ(makeConfigText("[\fGfx]\t\v\x1b\r\n"), "[?Gfx]\t??\r\n"); // control characters
    // Blanks just inside a section header's brackets go; other lines keep theirs.
    EXPECT_EQ(makeConfigText(" [ Gfx \t]  \r\nResX = [ 5 ]\n[ ]\n[ a ]b"),
              " [Gfx]  \r\nResX = [ 5 ]\n[ ]\n[ a ]b");
    EXPECT_EQ(makeConfigText("\xff\xed\xff"
                             "GrnC"),
              "???GrnC");
    EXPECT_EQ(makeConfigText("x\xc3"), "x?"); // cut inside a character
    EXPECT_EQ(makeConfigText("\xe2\x82"
                             "A"),
              "??A");                                      // a lead byte without its continuation
    EXPECT_EQ(makeConfigText("\xc0\xaf\xf8\x88"), "????"); // bytes that never lead a character
    // Overlong forms, UTF-16 surrogates and code points beyond U+10FFFF are no characters.
    EXPECT_EQ(makeConfigText("\xe0\x80\xaf|\xed\xa0\x80|\xf4\x90\x80\x80|\xf0\x9f\x98\x80"),
              "???|???|????|\xf0\x9f\x98\x80");
    // A byte-order mark is dropped at the start only.
    EXPECT_EQ(makePlainText("\xef\xbb\xbf[ End ]\nGr\xfc\x62\xef\xbb\xbf\n"), "[ End ]\nGr?b\xef\xbb\xbf\n");
    EXPECT_EQ(linesNotText("\xef\xbb\xbfok\n\xfc\xfc\n\nx\x01"), (std::vector<int>{2, 4}));
}

TEST(ConfigText, AFileOfMalformedTextIsReadWithoutHangingAndKeepsItsGoodKeys) {
    TempDir dir;
    // Raw, these bytes send Allegro's reader past the end of its text for good.
    dir.write("settings", "[\xff\xed\xff"
                          "GrnC\xff\xff\xff\x9d\x9d\n[Sound]\nMusic = 77\n");
    useConfigText("settings");
    EXPECT_EQ(get_config_int("Sound", "Music", -1), 77);
    useConfigText("missing");
    EXPECT_EQ(get_config_int("Sound", "Music", -1), -1);
}
