// The documents of the host: one per open drawing, each with its database, file name and lock.
// The current document's database is the working database.
#pragma once
#include "aced.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace veld::ed {

class Document : public AcApDocument {
public:
    Document(std::unique_ptr<AcDbDatabase> database, std::string fileName);
    AcDbDatabase* database() const override { return database_.get(); }
    AcAp::DocLockMode myLockMode() const override;
    const char* fileName() const override { return fileName_.c_str(); }
    void setFileName(std::string fileName) { fileName_ = std::move(fileName); }
    // Changes made (or undone) since the drawing was opened or last saved.
    bool hasUnsavedChanges() const;
    void noteSaved();
    // Hands the database over, leaving the document without one (for a process about to exit
    // that leaves the memory to the system).
    std::unique_ptr<AcDbDatabase> takeDatabase() { return std::move(database_); }

    Acad::ErrorStatus lock(AcAp::DocLockMode mode);
    Acad::ErrorStatus unlock();
    int lockDepth() const { return static_cast<int>(locks_.size()); }

private:
    std::unique_ptr<AcDbDatabase> database_;
    std::string fileName_;
    std::vector<AcAp::DocLockMode> locks_;
    std::uint64_t savedChangeCount_ = 0;
};

class DocumentManager : public AcApDocManager {
public:
    static DocumentManager& instance();

    // Takes the database, makes its document current and its database the working database.
    Document* open(std::unique_ptr<AcDbDatabase> database, std::string fileName);
    // Closes the document; the previous one (if any) becomes current.
    void close(Document* document);
    Document* current() const;

    AcApDocument* curDocument() const override { return current(); }
    AcApDocument* mdiActiveDocument() const override { return current(); }
    Acad::ErrorStatus lockDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kWrite,
                                   const char* globalCmdName = nullptr,
                                   const char* localCmdName = nullptr, bool prompt = true) override;
    Acad::ErrorStatus unlockDocument(AcApDocument* doc) override;

private:
    Document* find(AcApDocument* doc) const;
    void makeWorking(Document* document);

    std::vector<std::unique_ptr<Document>> documents_;
};

} // namespace veld::ed
