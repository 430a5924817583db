// The setting of a property-page test: a fresh profile installed from the checkout's support
// folder (VELDOR.ini and the factory defaults file, found through the host's search path from
// an empty current folder) and a fresh drawing, made the working database, with the layers the
// factory defaults name plus a few more.
#pragma once
#include "dbmain.h"
#include "support/TempFolder.h"
#include "support/TestProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace veld::test {

class PageFixture : public ::testing::Test {
protected:
    // The layers of the drawing, in the order they are created after "0".
    static const std::vector<std::string>& drawingLayers();

    void SetUp() override;
    void TearDown() override;

    std::string userFile() const { return profile + "/DAT/VELDOR-FOUNDATION.DAT"; }
    std::string factoryFile() const { return profile + "/DEF/VELDOR-FOUNDATION.DEF"; }
    // Writes a user file: the factory file with each "KEY=" line of `replacements` ("KEY=VALUE",
    // UTF-8) in place of that key's line in every section that has it.
    void writeUserFile(const std::vector<std::string>& replacements);

    TempFolder temp;
    TestProfile installedProfile{temp.path()};
    std::string profile = installedProfile.folder();
    std::unique_ptr<AcDbDatabase> database;
};

} // namespace veld::test
