// The fresh profile and drawing of the property-page tests.
#include "support/PageFixture.h"

#include "arxcom/CArxComLayer.h"
#include "host/win/ProfileInstaller.h"

#include <sstream>

namespace veldtest {

const std::vector<std::string>& PageFixture::drawingLayers() {
    static const std::vector<std::string> layers = {"通り芯",     "基礎見かけ線", "基礎外周線",
                                                    "基礎寸法線", "通り芯-補助",  "A"};
    return layers;
}

void PageFixture::SetUp() {
    profile = temp.file("profile");
    ASSERT_TRUE(veld::win::installProfile(VELD_SOURCE_DIR "/support", profile));
    std::filesystem::create_directory(temp.file("cwd"));
    previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(temp.file("cwd"));

    database = std::make_unique<AcDbDatabase>();
    acdbHostApplicationServices()->setWorkingDatabase(database.get());
    CArxComLayer layers;
    for (const std::string& name : drawingLayers()) {
        ASSERT_TRUE(layers.CreateLayer(name.c_str(), 7, true, false, false, "Continuous"));
    }
}

void PageFixture::TearDown() {
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    database.reset();
    std::filesystem::current_path(previousFolder);
}

void PageFixture::writeUserFile(const std::vector<std::string>& replacements) {
    std::istringstream factory(veld::win::sjisToUtf8(readBytes(factoryFile())));
    std::string result;
    for (std::string line; std::getline(factory, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        for (const std::string& replacement : replacements) {
            const std::string key = replacement.substr(0, replacement.find('=') + 1);
            if (line.rfind(key, 0) == 0) {
                line = replacement;
            }
        }
        result += line + "\r\n";
    }
    writeBytes(userFile(), sjis(result));
}

} // namespace veldtest
