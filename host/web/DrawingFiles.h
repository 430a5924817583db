// The files of a browser session, worked on the session thread: the current drawing as DXF for
// a download, opening another drawing by path or from uploaded bytes (uploads are kept in the
// profile's "uploads" folder, so SAVE writes nowhere else), and whether the drawing has
// changed since it was opened or last saved.
#pragma once
#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

namespace veld::web {

class DrawingFiles {
public:
    explicit DrawingFiles(std::filesystem::path profile) : profile_(std::move(profile)) {}
    const std::filesystem::path& profile() const { return profile_; }

    // Session thread, whenever it waits: notes a save (the file's name or time changed) and
    // compares the picture's fingerprint with the saved one; true when the name or the changed
    // flag differ from the last time.
    bool noteState(std::size_t fingerprint);
    // Any thread.
    bool modified() const { return modified_; }
    std::string fileName() const;

    // Session thread: the DXF text of the current drawing and a file name for it.
    std::string currentDxf(std::string& name) const;
    bool open(const std::string& path, std::string& error);
    bool upload(std::string_view data, std::string_view name, std::string& error);

private:
    bool replace(std::string_view data, const std::string& fileName, std::string& error);

    std::filesystem::path profile_;
    std::string seenName_;
    std::filesystem::file_time_type seenTime_{};
    std::size_t savedFingerprint_ = 0;
    bool baselineTaken_ = false;
    std::atomic<bool> modified_{false};
    mutable std::mutex nameMutex_;
    std::string fileName_;
};

} // namespace veld::web
