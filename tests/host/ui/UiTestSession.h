// Test set-up for the dialog framework: a session of its own with scripted input lines and a
// captured transcript, and the module's embedded resources made current.
#pragma once
#include "afxwin.h"
#include "host/ed/Session.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace veld::test {

// Input lines given by the test; interactive when a person is being simulated.
class LineInput : public veld::ed::InputSource {
public:
    explicit LineInput(std::vector<std::string> lines, bool interactive = false)
        : lines_(std::move(lines)), interactive_(interactive) {}
    std::optional<std::string> nextLine() override {
        if (next_ >= lines_.size()) {
            return std::nullopt;
        }
        return lines_[next_++];
    }
    int lineNumber() const override { return static_cast<int>(next_); }
    bool isInteractive() const override { return interactive_; }
    std::size_t consumed() const { return next_; }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    bool interactive_;
};

// The module's resources current, a fresh session current, its transcript in `transcript`.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        static HINSTANCE module =
            veldCreateModuleInstance("VeldFoundationApp", veldModuleResourceTable());
        previousResource_ = AfxGetResourceHandle();
        AfxSetResourceHandle(module);
        session_.setOutput([this](std::string_view text) { transcript.append(text); });
    }
    void TearDown() override { AfxSetResourceHandle(previousResource_); }

    void giveInput(std::vector<std::string> lines, bool interactive = false) {
        input_ = std::make_unique<LineInput>(std::move(lines), interactive);
        session_.setInput(input_.get());
    }
    veld::ed::Session& session() { return session_; }
    LineInput& input() { return *input_; }

    std::string transcript;

private:
    veld::ed::Session session_;
    veld::ed::Session::Scope scope_{session_};
    std::unique_ptr<LineInput> input_;
    HINSTANCE previousResource_ = nullptr;
};

} // namespace veld::test
