// Download, open, upload and the changed flag of a browser session.
#include "host/web/DrawingFiles.h"

#include "host/dxf/DrawingFile.h"
#include "host/ed/DocumentManager.h"
#include "host/win/FileSearch.h"

#include <fstream>
#include <sstream>

namespace veld::web {

namespace fs = std::filesystem;

namespace {

fs::file_time_type writeTime(const std::string& path) {
    std::error_code ec;
    fs::file_time_type t = path.empty() ? fs::file_time_type{} : fs::last_write_time(path, ec);
    return ec ? fs::file_time_type{} : t;
}

// A plain file name from what the browser says the upload was called.
std::string safeName(std::string_view name) {
    std::string base = fs::path(std::string(name)).filename().string();
    std::string out;
    for (char c : base) {
        out += (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) ? '_' : c;
    }
    if (out.empty() || out == "." || out == "..") {
        out = "upload";
    }
    return fs::path(out).extension() == ".dxf" ? out : out + ".dxf";
}

} // namespace

bool DrawingFiles::noteState(std::size_t fingerprint) {
    const bool wasModified = modified_;
    const std::string wasName = fileName();
    ed::Document* doc = ed::DocumentManager::instance().current();
    std::string name = doc != nullptr ? doc->fileName() : "";
    fs::file_time_type time = writeTime(name);
    if (!baselineTaken_ || name != seenName_ || time != seenTime_) {
        baselineTaken_ = true;
        seenName_ = name;
        seenTime_ = time;
        savedFingerprint_ = fingerprint;
        std::lock_guard lock(nameMutex_);
        fileName_ = name;
    }
    modified_ = fingerprint != savedFingerprint_;
    return wasModified != modified_ || wasName != name;
}

std::string DrawingFiles::fileName() const {
    std::lock_guard lock(nameMutex_);
    return fileName_;
}

std::string DrawingFiles::currentDxf(std::string& name) const {
    ed::Document* doc = ed::DocumentManager::instance().current();
    if (doc == nullptr) {
        return {};
    }
    name = *doc->fileName() != '\0' ? fs::path(doc->fileName()).filename().string()
                                    : std::string("Drawing1.dxf");
    return dxf::drawingToDxf(*doc->database());
}

bool DrawingFiles::open(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::ostringstream data;
    data << in.rdbuf();
    return replace(data.str(), path, error);
}

bool DrawingFiles::upload(std::string_view data, std::string_view name, std::string& error) {
    fs::path folder = profile_ / "uploads";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return replace(data, (folder / safeName(name)).string(), error);
}

// The new drawing becomes the current document; the old one is closed only once the new one
// has been read completely.
bool DrawingFiles::replace(std::string_view data, const std::string& fileName, std::string& error) {
    std::unique_ptr<AcDbDatabase> db = dxf::readDrawingData(data, error);
    if (!db) {
        error = fs::path(fileName).filename().string() + ": " + error;
        return false;
    }
    ed::DocumentManager& documents = ed::DocumentManager::instance();
    ed::Document* old = documents.current();
    documents.open(std::move(db), fileName);
    if (old != nullptr) {
        documents.close(old);
    }
    win::SearchPath::setDrawingFolder(fs::absolute(fileName).parent_path().string());
    baselineTaken_ = false; // the new drawing is unchanged
    return true;
}

} // namespace veld::web
