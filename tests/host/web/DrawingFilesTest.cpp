// The browser session's files and picture: uploads stay in the profile whatever name they come
// with, a drawing that cannot be read leaves the open one alone, saving clears the changed flag
// and the picture gets a new revision only when it changes.
#include "host/web/DrawingFiles.h"
#include "host/dxf/DrawingFile.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/HeadlessHost.h"
#include "host/web/DisplayFeed.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using veld::ed::DocumentManager;
using veld::web::DisplayFeed;
using veld::web::DrawingFiles;

namespace {

struct WebDrawingFiles : ::testing::Test {
    veld::test::TempFolder temp{"veld-files"};
    fs::path folder{temp.path()};
    veld::ed::HeadlessHost host;
    std::vector<std::uint64_t> revisions;
    DisplayFeed feed{[this](std::uint64_t r) { revisions.push_back(r); }};
    DrawingFiles files{folder / "profile"};

    ~WebDrawingFiles() override {
        // Drawings opened by the test are closed with it.
        while (auto* doc = DocumentManager::instance().current()) {
            if (doc == host.document()) {
                break;
            }
            DocumentManager::instance().close(doc);
        }
    }
    void addLine() {
        AcDbObjectId id;
        veld::ed::CurrentDrawing::append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 2, 0)),
                                         id);
    }
    void idle() {
        feed.refresh(*DocumentManager::instance().current()->database());
        files.noteState(feed.fingerprint());
    }
};

} // namespace

TEST_F(WebDrawingFiles, AnUploadStaysInTheProfileWhateverItsName) {
    std::string dxf = veld::dxf::drawingToDxf(*host.database());
    std::string error;
    ASSERT_TRUE(files.upload(dxf, "../../etc/passwd", error)) << error;
    fs::path opened = DocumentManager::instance().current()->fileName();
    EXPECT_EQ(opened, folder / "profile" / "uploads" / "passwd.dxf");
    ASSERT_TRUE(files.upload(dxf, "..", error));
    EXPECT_EQ(fs::path(DocumentManager::instance().current()->fileName()).filename(), "upload.dxf");
    EXPECT_FALSE(fs::exists(opened)) << "nothing is written until SAVE";
}

TEST_F(WebDrawingFiles, ADrawingThatCannotBeReadLeavesTheOpenOneAlone) {
    std::string error;
    EXPECT_FALSE(
        files.upload("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnot a number\n", "bad.dxf", error));
    EXPECT_NE(error.find("bad.dxf"), std::string::npos) << error;
    EXPECT_FALSE(files.open((folder / "missing.dxf").string(), error));
    EXPECT_EQ(DocumentManager::instance().current(), host.document());
}

TEST_F(WebDrawingFiles, SavingClearsTheChangedFlag) {
    const std::string path = (folder / "a.dxf").string();
    host.document()->setFileName(path);
    idle();
    EXPECT_FALSE(files.modified());
    addLine();
    idle();
    EXPECT_TRUE(files.modified());
    std::string error;
    ASSERT_TRUE(veld::dxf::saveDrawing(*host.database(), path, error)) << error;
    idle();
    EXPECT_FALSE(files.modified()) << "the file's time changed: saved";
    EXPECT_EQ(files.fileName(), path);
}

TEST_F(WebDrawingFiles, ThePictureGetsARevisionOnlyWhenItChanges) {
    idle();
    idle();
    EXPECT_EQ(revisions, std::vector<std::uint64_t>{1});
    addLine();
    idle();
    EXPECT_EQ(revisions, (std::vector<std::uint64_t>{1, 2}));
    DisplayFeed::Body delta = feed.body(1);
    EXPECT_FALSE(delta.full);
    EXPECT_EQ(delta.revision, 2u);
    EXPECT_TRUE(feed.body(77).full) << "an unknown revision gets the whole picture";
    EXPECT_TRUE(feed.body(std::nullopt).full);
    ASSERT_EQ(feed.snapScene()->segments.size(), 1u) << "the snap shapes follow the picture";
}
