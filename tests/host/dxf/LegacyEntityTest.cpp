// Subclass markers for entities of R12 files written into R2013 files.
// The tags themselves stay as read; only markers are added.
#include "host/dxf/LegacyEntity.h"

#include <gtest/gtest.h>

using veld::dxf::KeptTags;

TEST(DxfLegacyEntity, AddsTheMarkersOfEachKindAndGathersCommonCodes) {
    KeptTags vertex = {{8, "0"}, {10, "1"}, {20, "2"}, {62, "3"}, {70, "32"}};
    veld::dxf::addSubclassMarkers("VERTEX", vertex);
    EXPECT_EQ(vertex, (KeptTags{{100, "AcDbEntity"},
                                {8, "0"},
                                {62, "3"},
                                {100, "AcDbVertex"},
                                {100, "AcDb3dPolylineVertex"},
                                {10, "1"},
                                {20, "2"},
                                {70, "32"}}));

    KeptTags rotated = {{8, "0"}, {2, "*D1"}, {70, "0"}, {13, "0"}, {14, "5"}, {50, "90"}};
    veld::dxf::addSubclassMarkers("DIMENSION", rotated);
    EXPECT_EQ(rotated, (KeptTags{{100, "AcDbEntity"},
                                 {8, "0"},
                                 {100, "AcDbDimension"},
                                 {2, "*D1"},
                                 {70, "0"},
                                 {100, "AcDbAlignedDimension"},
                                 {13, "0"},
                                 {14, "5"},
                                 {50, "90"},
                                 {100, "AcDbRotatedDimension"}}));

    KeptTags modern = {{100, "AcDbEntity"}, {8, "0"}, {100, "AcDbFace"}, {10, "1"}};
    const KeptTags before = modern;
    veld::dxf::addSubclassMarkers("3DFACE", modern);
    EXPECT_EQ(modern, before) << "tags that have markers stay as read";
}
