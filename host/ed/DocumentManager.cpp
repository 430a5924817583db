// The documents of the host and their locks. Locks nest: each lock needs one unlock.
#include "host/ed/DocumentManager.h"

#include "host/db/DatabaseImpl.h"

#include <algorithm>

namespace veld::ed {

Document::Document(std::unique_ptr<AcDbDatabase> database, std::string fileName)
    : database_(std::move(database)), fileName_(std::move(fileName)) {
    noteSaved();
}

bool Document::hasUnsavedChanges() const {
    return database_ && database_->impl().journal().changeCount() != savedChangeCount_;
}

void Document::noteSaved() {
    savedChangeCount_ = database_ ? database_->impl().journal().changeCount() : 0;
}

AcAp::DocLockMode Document::myLockMode() const {
    return locks_.empty() ? AcAp::kNone : locks_.back();
}

Acad::ErrorStatus Document::lock(AcAp::DocLockMode mode) {
    locks_.push_back(mode == AcAp::kNone ? AcAp::kWrite : mode);
    return Acad::eOk;
}

Acad::ErrorStatus Document::unlock() {
    if (locks_.empty()) {
        return Acad::eNotApplicable;
    }
    locks_.pop_back();
    return Acad::eOk;
}

DocumentManager& DocumentManager::instance() {
    static DocumentManager manager;
    return manager;
}

Document* DocumentManager::open(std::unique_ptr<AcDbDatabase> database, std::string fileName) {
    documents_.push_back(std::make_unique<Document>(std::move(database), std::move(fileName)));
    makeWorking(documents_.back().get());
    return documents_.back().get();
}

void DocumentManager::close(Document* document) {
    bool wasCurrent = document == current();
    std::erase_if(documents_, [&](const auto& d) { return d.get() == document; });
    if (wasCurrent) {
        makeWorking(current());
    }
}

Document* DocumentManager::current() const {
    return documents_.empty() ? nullptr : documents_.back().get();
}

void DocumentManager::makeWorking(Document* document) {
    acdbHostApplicationServices()->setWorkingDatabase(document != nullptr ? document->database()
                                                                          : nullptr);
}

Document* DocumentManager::find(AcApDocument* doc) const {
    auto it = std::find_if(documents_.begin(), documents_.end(),
                           [&](const auto& d) { return d.get() == doc; });
    return it != documents_.end() ? it->get() : nullptr;
}

Acad::ErrorStatus DocumentManager::lockDocument(AcApDocument* doc, AcAp::DocLockMode mode,
                                                const char*, const char*, bool) {
    Document* document = find(doc);
    return document != nullptr ? document->lock(mode) : Acad::eInvalidInput;
}

Acad::ErrorStatus DocumentManager::unlockDocument(AcApDocument* doc) {
    Document* document = find(doc);
    return document != nullptr ? document->unlock() : Acad::eInvalidInput;
}

} // namespace veld::ed

AcApDocManager* acDocManagerPtr() {
    return &veld::ed::DocumentManager::instance();
}
