// One command as one undo step, and the report of objects a command left open.
#include "host/ed/CommandJournal.h"

#include "host/db/DatabaseImpl.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CurrentDrawing.h"

namespace veld::ed {

namespace {

veld::db::DatabaseImpl* workingImpl() {
    AcDbDatabase* db = CurrentDrawing::database();
    return db != nullptr ? &db->impl() : nullptr;
}

// An object still open when its command ends is a fault of the command: it is named in the
// transcript (tests look for this line).
void reportOpenObjects(const std::string& command) {
    veld::db::DatabaseImpl* impl = workingImpl();
    if (impl == nullptr || impl->openObjectCount() == 0) {
        return;
    }
    for (AcDbObjectId id : impl->openObjects()) {
        AcRxClass* cls = id.objectClass();
        commandLine().message("\n** " + command + " left " + (cls != nullptr ? cls->name() : "?") +
                              " " + id.handle().text() + " open **");
    }
}

} // namespace

CommandJournal::CommandJournal(bool recorded, std::string name)
    : recorded_(recorded), name_(std::move(name)) {
    if (recorded_) {
        if (veld::db::DatabaseImpl* impl = workingImpl()) {
            impl->journal().beginCommand(name_);
        }
    }
}

CommandJournal::~CommandJournal() {
    if (!recorded_) {
        return;
    }
    if (veld::db::DatabaseImpl* impl = workingImpl()) {
        if (impl->journal().commandRunning()) {
            impl->journal().endCommand();
        }
    }
    reportOpenObjects(name_);
}

} // namespace veld::ed
