// A fresh profile for a test or benchmark: the checkout's support folder installed into
// `<folder>/profile`, made the profile folder with a fresh search path, and (when asked) the
// empty `<folder>/cwd` made the current folder, so nothing is found beside the process by
// chance. All of it is undone at the end; the folder itself belongs to the caller.
#pragma once
#include <filesystem>
#include <string>

namespace veld::test {

class TestProfile {
public:
    enum class CurrentFolder { Keep, Empty };
    explicit TestProfile(const std::string& folder, CurrentFolder current = CurrentFolder::Empty);
    ~TestProfile();
    TestProfile(const TestProfile&) = delete;
    TestProfile& operator=(const TestProfile&) = delete;

    // Whether the support files were copied (a test fails at once when not).
    bool installed() const { return installed_; }
    // The profile folder.
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
    bool installed_ = false;
    std::filesystem::path previousFolder_;
};

} // namespace veld::test
