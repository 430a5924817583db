// Extended data: replaced per application, registered names, item limits, round trip.
#include "DbTestSupport.h"

#include <cstring>
#include <string>

namespace veld::test {
using namespace veld::db;
namespace {

class DbXData : public DbTest {
protected:
    DbXData() {
        regApp("APP_A");
        regApp("APP_B");
        line_ = appendLine(0, 0, 1, 1);
        EXPECT_EQ(acdbOpenAcDbObject(object_, line_, AcDb::kForWrite), Acad::eOk);
    }
    ~DbXData() override { object_->close(); }

    Acad::ErrorStatus set(resbuf* chain) {
        const Acad::ErrorStatus es = object_->setXData(chain);
        acutRelRb(chain);
        return es;
    }
    // The data as "code:value" words, for comparison.
    std::string text(const char* app = nullptr) {
        resbuf* chain = object_->xData(app);
        std::string out;
        for (resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
            out += std::to_string(rb->restype) + ":";
            if (rb->restype == 1070) {
                out += std::to_string(rb->resval.rint);
            } else if (rb->restype >= 1000 && rb->restype <= 1005 && rb->restype != 1004) {
                out += rb->resval.rstring;
            }
            out += " ";
        }
        acutRelRb(chain);
        return out;
    }

    AcDbObjectId line_;
    AcDbObject* object_ = nullptr;
};

TEST_F(DbXData, EachApplicationIsReplacedAsAWholeAndTheOthersKept) {
    ASSERT_EQ(set(acutBuildList(1001, "APP_A", 1070, 0, 1000, "A", 1001, "APP_B", 1000, "B", 0)),
              Acad::eOk);
    ASSERT_EQ(set(acutBuildList(1001, "APP_A", 1070, 1, 0)), Acad::eOk);
    EXPECT_EQ(text(), "1001:APP_A 1070:1 1001:APP_B 1000:B ");
    EXPECT_EQ(text("app_b"), "1001:APP_B 1000:B ");
    // A name with nothing after it removes that application's data only.
    ASSERT_EQ(set(acutBuildList(1001, "APP_A", 0)), Acad::eOk);
    EXPECT_EQ(text(), "1001:APP_B 1000:B ");
    EXPECT_EQ(object_->xData("APP_A"), nullptr);
}

TEST_F(DbXData, NamesMustBeRegisteredAndAreStoredUpperCase) {
    EXPECT_EQ(set(acutBuildList(1001, "NOT_THERE", 1000, "x", 0)),
              Acad::eRegisteredApplicationIdNotFound);
    EXPECT_EQ(set(acutBuildList(1001, "app_a", 1000, "x", 0)), Acad::eOk);
    EXPECT_EQ(text(), "1001:APP_A 1000:x ");
    EXPECT_EQ(acdbRegApp("app_a"), RTERROR); // already there, as upper case
}

TEST_F(DbXData, MalformedChainsAreRefusedAndChangeNothing) {
    ASSERT_EQ(set(acutBuildList(1001, "APP_A", 1000, "keep", 0)), Acad::eOk);
    const std::string long256(256, 'x');
    const std::string long255(255, 'x');
    EXPECT_EQ(set(acutBuildList(1000, "no name first", 0)), Acad::eInvalidInput);
    EXPECT_EQ(set(acutBuildList(1001, "APP_A", 1000, long256.c_str(), 0)), Acad::eInvalidInput);
    EXPECT_EQ(set(acutBuildList(1001, "APP_A", 1002, "{", 1000, "x", 0)), Acad::eInvalidInput);
    EXPECT_EQ(set(acutBuildList(1001, "APP_A", 1002, "}", 1002, "{", 0)), Acad::eInvalidInput);
    EXPECT_EQ(set(acutBuildList(1001, "APP_A", 1002, "(", 0)), Acad::eInvalidInput);
    EXPECT_EQ(set(acutBuildList(1001, "APP_A", 1006, "x", 0)), Acad::eInvalidInput);
    EXPECT_EQ(set(acutBuildList(1001, "APP_A", RTSTR, "x", 0)), Acad::eInvalidInput);
    EXPECT_EQ(set(acutBuildList(1001, "APP_A", 1005, "not hex", 0)), Acad::eInvalidInput);
    EXPECT_EQ(object_->setXData(nullptr), Acad::eInvalidInput);
    EXPECT_EQ(text(), "1001:APP_A 1000:keep ");
    EXPECT_EQ(set(acutBuildList(1001, "APP_A", 1000, long255.c_str(), 0)), Acad::eOk);
}

TEST_F(DbXData, SixteenKilobytesPerObjectAcrossApplications) {
    const std::string chunk(250, 'x');
    auto many = [&](const char* app, int n) {
        resbuf* head = acutBuildList(1001, app, 0);
        resbuf* tail = head;
        for (int i = 0; i < n; ++i) {
            tail->rbnext = acutBuildList(1000, chunk.c_str(), 0);
            tail = tail->rbnext;
        }
        return head;
    };
    ASSERT_EQ(set(many("APP_A", 40)), Acad::eOk); // about 10 KB
    EXPECT_EQ(set(many("APP_B", 40)), Acad::eXdataSizeExceeded);
    EXPECT_EQ(object_->xData("APP_B"), nullptr);
    EXPECT_EQ(set(many("APP_B", 20)), Acad::eOk);
    // Replacing an application frees its room first.
    EXPECT_EQ(set(many("APP_A", 40)), Acad::eOk);
}

TEST_F(DbXData, EveryItemKindRoundTrips) {
    const double point[3] = {1.5, -2.25, 3.0};
    char bytes[3] = {'\x00', '\x7f', '\xff'};
    resbuf* chain =
        acutBuildList(1001, "APP_A", 1002, "{", 1000, "三角基礎", 1003, "0", 1005, "1F", 1010,
                      point, 1040, 0.125, 1070, -32768, 1071, 2000000000, 1002, "}", 0);
    resbuf* binary = acutNewRb(1004);
    binary->resval.rbinary.clen = 3;
    binary->resval.rbinary.buf = static_cast<char*>(std::malloc(3));
    std::memcpy(binary->resval.rbinary.buf, bytes, 3);
    binary->rbnext = chain->rbnext;
    chain->rbnext = binary;
    ASSERT_EQ(set(chain), Acad::eOk);
    resbuf* back = object_->xData("APP_A");
    std::vector<int> codes;
    for (resbuf* rb = back; rb != nullptr; rb = rb->rbnext) {
        codes.push_back(rb->restype);
    }
    EXPECT_EQ(codes,
              (std::vector<int>{1001, 1004, 1002, 1000, 1003, 1005, 1010, 1040, 1070, 1071, 1002}));
    const resbuf* rb = back->rbnext;
    EXPECT_EQ(std::memcmp(rb->resval.rbinary.buf, bytes, 3), 0);
    rb = rb->rbnext->rbnext;
    EXPECT_STREQ(rb->resval.rstring, "三角基礎");
    rb = rb->rbnext->rbnext->rbnext;
    EXPECT_EQ(rb->resval.rpoint[1], -2.25);
    EXPECT_EQ(rb->rbnext->resval.rreal, 0.125);
    EXPECT_EQ(rb->rbnext->rbnext->resval.rint, -32768);
    EXPECT_EQ(rb->rbnext->rbnext->rbnext->resval.rlong, 2000000000);
    acutRelRb(back);
}

TEST_F(DbXData, WritingNeedsTheObjectOpenForWrite) {
    object_->downgradeOpen();
    EXPECT_EQ(set(acutBuildList(1001, "APP_A", 1000, "x", 0)), Acad::eNotOpenForWrite);
    object_->upgradeOpen();
}

TEST(DbResBuf, BuildListCopiesStringsAndReleaseFreesThem) {
    const double p[3] = {1, 2, 3};
    resbuf* chain = acutBuildList(RTSTR, "_undo", RTSHORT, 7, RT3DPOINT, p, RTREAL, 2.5, 0);
    ASSERT_NE(chain, nullptr);
    EXPECT_STREQ(chain->resval.rstring, "_undo");
    EXPECT_EQ(chain->rbnext->resval.rint, 7);
    EXPECT_EQ(chain->rbnext->rbnext->resval.rpoint[2], 3.0);
    EXPECT_EQ(chain->rbnext->rbnext->rbnext->resval.rreal, 2.5);
    EXPECT_EQ(chain->rbnext->rbnext->rbnext->rbnext, nullptr);
    EXPECT_EQ(acutRelRb(chain), RTNORM);
    char* copy = nullptr;
    ASSERT_EQ(acutNewString("abc", copy), RTNORM);
    EXPECT_STREQ(copy, "abc");
    acutDelString(copy);
    EXPECT_EQ(copy, nullptr);
}

} // namespace
} // namespace veld::test
