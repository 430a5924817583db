// The test bed of the foundation drawing tests: a fresh profile installed from the checkout's
// support folder (VELDOR.ini found on the search path), a headless host with a new drawing as
// the current and working database, the foundation layers made, and the command-line text the
// module printed. Helpers read members, save the drawing and build typical parameter sets.
#pragma once
#include "dbents.h"
#include "settings/FoundationSettings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace veld::test {

class FoundationDrawingFixture : public ::testing::Test {
public:
    // Layers of the parameter sets below, made in every test drawing.
    static constexpr const char* kLookLayer = "見かけ線";
    static constexpr const char* kOuterLayer = "外周線";
    static constexpr const char* kDimLayer = "寸法線";
    static constexpr const char* kSymbolLayer = "基礎符号"; // SYMBOL_LAYER_F of VELDOR.ini

protected:
    FoundationDrawingFixture();
    ~FoundationDrawingFixture() override;

    AcDbDatabase* database() const;
    // What the module printed on the command line since the start or the last clearPrinted().
    std::string printed() const;
    void clearPrinted();

    // Writes one value of the profile's VELDOR.ini (e.g. SYSTEM / DIM_INTERVAL_F).
    void setIniValue(const char* section, const char* key, const char* value);
    void setRealVariable(const char* name, double value);
    double realVariable(const char* name) const;
    void setIntVariable(const char* name, short value);
    short intVariable(const char* name) const;
    std::string textVariable(const char* name) const;

    // The triangle of the reference case: B 1000, F 100, H 952.63 with the insertion point at
    // the centre (R1 500, R3 476.315), thickenings 0, rotation 0 degrees, no symbol or mark.
    static FoundationSettings deltaSettings();
    // A square 2000 x 1000 with R1 500 (R2 1500), R3 300 (R4 700), thickenings 0, no symbol.
    static FoundationSettings squareSettings();
    // All four (square) or six (triangle) thickenings set to `value`.
    static void setThickenings(FoundationSettings& settings, const std::string& value, int count);

    AcDbObjectIdArray groupMembers(AcDbObjectId groupId) const;
    AcDbObjectIdArray modelSpaceEntities() const;
    int groupCount() const;
    // A file name in the test's own temporary folder.
    std::string tempFile(const std::string& name) const;
    // Saves the drawing as DXF there and checks the file with ezdxf's audit; the path.
    std::string saveChecked(const std::string& name);

    // Every coordinate of every model-space entity the tests create is finite.
    bool allCoordinatesFinite() const;

private:
    struct Bed;
    std::unique_ptr<Bed> bed_;
};

} // namespace veld::test
