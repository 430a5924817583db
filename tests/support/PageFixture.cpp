// The fresh profile and drawing of the property-page tests.
#include "support/PageFixture.h"

#include "arxcom/CArxComLayer.h"
#include "host/win/CodePage.h"
#include "support/FileBytes.h"

#include <sstream>

namespace veld::test {

const std::vector<std::string>& PageFixture::drawingLayers() {
    static const std::vector<std::string> layers = {"通り芯",     "基礎見かけ線", "基礎外周線",
                                                    "基礎寸法線", "通り芯-補助",  "A"};
    return layers;
}

void PageFixture::SetUp() {
    ASSERT_TRUE(installedProfile.installed());
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
    writeBytes(userFile(), veld::win::utf8ToSjis(result));
}

} // namespace veld::test
