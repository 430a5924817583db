// System variables: types, 16-bit integers, read-only and out-of-range refusals with ERRNO,
// the drawing's USERR1 and CLAYER, and SETVAR at the command prompt.
#include "aced.h"
#include "dbsymtb.h"
#include "host/db/DatabaseImpl.h"
#include "host/ed/HeadlessHost.h"
#include "support/TestDrawing.h"

#include <gtest/gtest.h>

using veld::ed::HeadlessHost;

namespace {

resbuf shortValue(long value, short type = RTSHORT) {
    resbuf rb{};
    rb.restype = type;
    if (type == RTLONG) {
        rb.resval.rlong = static_cast<std::int32_t>(value);
    } else {
        rb.resval.rint = static_cast<short>(value);
    }
    return rb;
}

short errnoValue() {
    resbuf rb{};
    acedGetVar("ERRNO", &rb);
    return rb.resval.rint;
}

short getShort(const char* name) {
    resbuf rb{};
    EXPECT_EQ(acedGetVar(name, &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTSHORT);
    return rb.resval.rint;
}

std::string getText(const char* name) {
    resbuf rb{};
    EXPECT_EQ(acedGetVar(name, &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTSTR);
    std::string text = rb.resval.rstring != nullptr ? rb.resval.rstring : "";
    acutDelString(rb.resval.rstring);
    return text;
}

} // namespace

TEST(EdSystemVariables, IntegersAreSixteenBitAndKeepToTheirRange) {
    HeadlessHost host;
    EXPECT_EQ(getShort("CMDECHO"), 1);
    resbuf zero = shortValue(0);
    EXPECT_EQ(acedSetVar("cmdecho", &zero), RTNORM);
    EXPECT_EQ(getShort("CMDECHO"), 0);
    resbuf two = shortValue(2);
    EXPECT_EQ(acedSetVar("CMDECHO", &two), RTERROR);
    EXPECT_EQ(errnoValue(), 22);
    EXPECT_EQ(getShort("CMDECHO"), 0);
    resbuf big = shortValue(40000, RTLONG);
    EXPECT_EQ(acedSetVar("USERR1", &big), RTNORM) << "a real takes any integer";
    EXPECT_EQ(acedSetVar("OSMODE", &big), RTERROR);
    resbuf negative = shortValue(-1);
    EXPECT_EQ(acedSetVar("OSMODE", &negative), RTERROR);
    resbuf snaps = shortValue(32);
    EXPECT_EQ(acedSetVar("OSMODE", &snaps), RTNORM);
    EXPECT_EQ(getShort("OSMODE"), 32);
}

TEST(EdSystemVariables, ReadOnlyUnknownAndWrongTypeAreRefused) {
    HeadlessHost host;
    resbuf one = shortValue(1);
    EXPECT_EQ(acedSetVar("UNDOCTL", &one), RTERROR);
    EXPECT_EQ(errnoValue(), 20);
    EXPECT_EQ(acedSetVar("NOSUCHVAR", &one), RTERROR);
    resbuf rb{};
    EXPECT_EQ(acedGetVar("NOSUCHVAR", &rb), RTERROR);
    resbuf real{};
    real.restype = RTREAL;
    real.resval.rreal = 1.0;
    EXPECT_EQ(acedSetVar("CMDECHO", &real), RTERROR);
}

TEST(EdSystemVariables, UserRealsLiveInTheDrawing) {
    resbuf scale{};
    scale.restype = RTREAL;
    scale.resval.rreal = 100.0;
    {
        HeadlessHost host;
        resbuf rb{};
        ASSERT_EQ(acedGetVar("USERR1", &rb), RTNORM);
        EXPECT_EQ(rb.restype, RTREAL);
        EXPECT_EQ(rb.resval.rreal, 0.0);
        ASSERT_EQ(acedSetVar("USERR1", &scale), RTNORM);
        EXPECT_EQ(host.database()->impl().userR(1), 100.0);
    }
    HeadlessHost fresh;
    resbuf rb{};
    acedGetVar("USERR1", &rb);
    EXPECT_EQ(rb.resval.rreal, 0.0) << "a new drawing starts at 0.0";
}

TEST(EdSystemVariables, CurrentLayerMustExistAndNotBeFrozen) {
    HeadlessHost host;
    veld::test::TestDrawing(*host.database()).addLayer("基礎符号", false);
    veld::test::TestDrawing(*host.database()).addLayer("COLD", true);
    EXPECT_EQ(getText("CLAYER"), "0");
    resbuf name{};
    name.restype = RTSTR;
    name.resval.rstring = const_cast<char*>("基礎符号");
    EXPECT_EQ(acedSetVar("CLAYER", &name), RTNORM);
    EXPECT_EQ(getText("CLAYER"), "基礎符号");
    name.resval.rstring = const_cast<char*>("MISSING");
    EXPECT_EQ(acedSetVar("CLAYER", &name), RTERROR);
    name.resval.rstring = const_cast<char*>("COLD");
    EXPECT_EQ(acedSetVar("CLAYER", &name), RTERROR);
    EXPECT_EQ(errnoValue(), 22);
    EXPECT_EQ(getText("CLAYER"), "基礎符号");
}

TEST(EdSystemVariables, SetvarAndTypedNamesChangeAValue) {
    HeadlessHost host;
    host.runCommands(
        {"SETVAR", "osmode", "32", "USERR2", "abc", "2.5", "setvar", "PICKDIST", "", "UNDOCTL"});
    EXPECT_EQ(getShort("OSMODE"), 32);
    resbuf rb{};
    acedGetVar("USERR2", &rb);
    EXPECT_EQ(rb.resval.rreal, 2.5);
    EXPECT_EQ(host.transcript(), "\nCommand: SETVAR\n"
                                 "Enter variable name or [?]: osmode\n"
                                 "Enter new value for OSMODE <4133>: 32\n"
                                 "Command: USERR2\n"
                                 "Enter new value for USERR2 <0.0000>: abc\n"
                                 "Requires numeric value.\n"
                                 "Enter new value for USERR2 <0.0000>: 2.5\n"
                                 "Command: setvar\n"
                                 "Enter variable name or [?]: PICKDIST\n"
                                 "Enter new value for PICKDIST <5.0000>: \n"
                                 "Command: UNDOCTL\n"
                                 "UNDOCTL = 1 (read only)\n");
}

TEST(EdSystemVariables, SetvarRefusesAnOutOfRangeIntegerAndAsksAgain) {
    HeadlessHost host;
    host.runCommands({"CMDECHO", "70000", "1.5", "0"});
    EXPECT_EQ(getShort("CMDECHO"), 0);
    EXPECT_NE(host.transcript().find("Requires an integer between 0 and 1."), std::string::npos);
}
