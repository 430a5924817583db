// A host without a screen, for tests and tools.
#include "host/ed/HeadlessHost.h"

#include "host/ed/CommandProcessor.h"

namespace veld::ed {

HeadlessHost::HeadlessHost(std::vector<std::string> answers) : scope_(session_) {
    session_.setOutput([this](std::string_view text) { transcript_.append(text); });
    answer(std::move(answers));
    document_ = DocumentManager::instance().open(std::make_unique<AcDbDatabase>(), "");
}

HeadlessHost::~HeadlessHost() {
    session_.setInput(nullptr);
    DocumentManager::instance().close(document_);
}

void HeadlessHost::answer(std::vector<std::string> lines) {
    input_ = std::make_unique<LineListInput>(std::move(lines));
    session_.setInput(input_.get());
}

void HeadlessHost::runCommands(std::vector<std::string> lines) {
    answer(std::move(lines));
    CommandProcessor::run();
}

} // namespace veld::ed
