#ifndef VORN_TESTS_CONTENT_CONTENTFIXTURE_H
#define VORN_TESTS_CONTENT_CONTENTFIXTURE_H

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "content/Loader.h"
#include "support/DataBuilder.h"
#include "support/TestEnv.h"
#include "system/Messages.h"

// A loader working in a fresh temporary data folder, with the message record emptied.
class ContentTest : public ::testing::Test {
  protected:
    TempDir dir; // declared first, so the loader goes before the folder does
    Loader loader;

    void SetUp() override { clearShownMessages(); }

    std::vector<std::string> messages() const { return getShownMessages(); }

    void writeUnit(const std::string& name, const std::string& body) const {
        dir.write("data/unit/" + name, body);
    }

    // A unit type whose datafile holds the frame "stand", shown in "animIdle".
    void writeSimpleUnit(const std::string& name, const std::string& extra = "") const {
        ASSERT_TRUE(makeDatafile("data/unit/" + name + ".dat", {{"stand"}}));
        writeUnit(name,
                  "datafile = " + name + ".dat\n" + extra + "\n[Animation]\nanimIdle = 0 -1 0 stand 1\n");
    }

    // data/generalData.dat with every shared picture; widths tell them apart: cursor 5,
    // goodStatus0-3 10-13, badStatus0-3 20-23, youWin 30, youLose 31.
    void writeGeneralData() const {
        std::vector<PictureSpec> pics = {{"cursor", 5}, {"youWin", 30}, {"youLose", 31}};
        for (int i = 0; i < 4; i++) {
            pics.push_back({"goodStatus" + std::to_string(i), 10 + i});
            pics.push_back({"badStatus" + std::to_string(i), 20 + i});
        }
        ASSERT_TRUE(makeDatafile("data/generalData.dat", pics));
    }

    UnitTemplate* unitType(std::string name) { return loader.getUnitTemplate(name); }
};

#endif
