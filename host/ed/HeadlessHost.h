// A host without a screen, for tests and tools: a fresh session whose answers come from a list
// of lines and whose transcript is kept in memory, and a fresh drawing as the current document.
// Destroying it closes the drawing and gives the previous session back.
#pragma once
#include "host/ed/CommandLine.h"
#include "host/ed/DocumentManager.h"
#include "host/ed/LineListInput.h"
#include "host/ed/Session.h"

#include <memory>
#include <string>
#include <vector>

namespace veld::ed {

class HeadlessHost {
public:
    explicit HeadlessHost(std::vector<std::string> answers = {});
    ~HeadlessHost();
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    // The answers the next prompts take (replacing those not used yet).
    void answer(std::vector<std::string> lines);
    // Runs the command prompt on these lines until they end (or QUIT, or a stopped run).
    void runCommands(std::vector<std::string> lines);
    // Answers not used yet.
    std::size_t unusedAnswers() const { return input_ ? input_->remaining() : 0; }

    const std::string& transcript() const { return transcript_; }
    void clearTranscript() { transcript_.clear(); }

    AcDbDatabase* database() const { return document_->database(); }
    Document* document() const { return document_; }
    ed::Session& session() { return session_; }
    CommandLine& commandLine() { return session_.commandLine(); }

private:
    ed::Session session_;
    ed::Session::Scope scope_;
    std::unique_ptr<LineListInput> input_;
    std::string transcript_;
    Document* document_ = nullptr;
};

} // namespace veld::ed
