// The undo journal: a flat list of entries (each knows how to take its change back) and the
// frames of steps over it (see UndoJournal.h for the rules).
#include "UndoJournal.h"

#include "DatabaseImpl.h"
#include "ObjectAccess.h"

#include <utility>

namespace veld::db {

namespace {

enum FrameKind { kHistory = 0, kGroup = 1, kCommand = 2 };
const char* const kGroupName = "GROUP";

} // namespace

namespace {

struct RemovedEntry {
    std::string key;
    AcDbStub* value = nullptr;
};

} // namespace

// One change. 24 bytes; the payload's type depends on the kind.
struct UndoJournal::Entry {
    enum class Kind : std::uint8_t {
        Created,        // -
        Modified,       // AcDbObject* state before (owned)
        XData,          // std::string* encoded xdata before (owned)
        Erased,         // index: erased flag before
        ReactorAdded,   // AcDbStub* reactor
        ReactorRemoved, // AcDbStub* reactor, index: its position
        DictInsert,     // index: position of the new entry
        DictRemove,     // Dictionary::Entries::Entry* (owned), index: its position
        DictReplace,    // AcDbStub* old value, index: position
        Owner,          // AcDbStub* previous owner
        CurrentLayer,   // AcDbStub* the current layer before (null: none was set)
        UserReal,       // double* value before (owned), index: USERRn's n
    };

    Kind kind;
    std::uint32_t index = 0;
    AcDbStub* stub = nullptr;
    void* payload = nullptr;

    Entry(Kind k, AcDbStub* s, std::size_t i = 0, void* p = nullptr)
        : kind(k), index(static_cast<std::uint32_t>(i)), stub(s), payload(p) {}
    Entry(Entry&& other) noexcept
        : kind(other.kind), index(other.index), stub(other.stub),
          payload(std::exchange(other.payload, nullptr)) {}
    Entry& operator=(Entry&& other) noexcept {
        if (this != &other) {
            release();
            kind = other.kind;
            index = other.index;
            stub = other.stub;
            payload = std::exchange(other.payload, nullptr);
        }
        return *this;
    }
    ~Entry() { release(); }

    void release() {
        switch (kind) {
        case Kind::Modified:
            delete static_cast<AcDbObject*>(payload);
            break;
        case Kind::XData:
            delete static_cast<std::string*>(payload);
            break;
        case Kind::DictRemove:
            delete static_cast<RemovedEntry*>(payload);
            break;
        case Kind::UserReal:
            delete static_cast<double*>(payload);
            break;
        default:
            break;
        }
        payload = nullptr;
    }
};

struct UndoJournal::Step {
    std::string name;
    std::size_t begin = 0;
    bool isMark = false;
};

struct UndoJournal::Frame {
    int kind = kHistory;
    std::string name;
    std::size_t begin = 0;
    std::vector<Step> steps;
    std::size_t sealed = 0; // entries before this index belong to steps
};

UndoJournal::UndoJournal(DatabaseImpl& database) : database_(database) {
    frames_.push_back(std::make_unique<Frame>());
    startRun();
}

UndoJournal::~UndoJournal() = default;

std::size_t UndoJournal::entryCount() const {
    return entries_.size();
}

UndoJournal::Frame& UndoJournal::innermost() {
    return *frames_.back();
}
const UndoJournal::Frame& UndoJournal::innermost() const {
    return *frames_.back();
}

void UndoJournal::push(Entry&& entry) {
    ++changeCount_;
    entries_.push_back(std::move(entry));
}

void UndoJournal::sealLooseEntries(Frame& frame) {
    if (entries_.size() > frame.sealed) {
        frame.steps.push_back({frame.name, frame.sealed, false});
        frame.sealed = entries_.size();
    }
    startRun();
}

void UndoJournal::startRun() {
    runSeed_ = database_.handseed();
}

void UndoJournal::setRecording(bool on) {
    recording_ = on;
    startRun(); // objects made while off have no creation entry to cover their changes
}

bool UndoJournal::needsEntry(const AcDbStub* stub) const {
    return recording_ && stub->handle < runSeed_;
}

void UndoJournal::openFrame(int kind, const std::string& name) {
    sealLooseEntries(innermost());
    auto frame = std::make_unique<Frame>();
    frame->kind = kind;
    frame->name = name;
    frame->begin = frame->sealed = entries_.size();
    frames_.push_back(std::move(frame));
    startRun();
}

void UndoJournal::closeFrame() {
    std::unique_ptr<Frame> frame = std::move(frames_.back());
    frames_.pop_back();
    Frame& parent = innermost();
    parent.steps.push_back({frame->name, frame->begin, false});
    parent.sealed = entries_.size();
    startRun();
}

void UndoJournal::beginCommand(const std::string& name) {
    openFrame(kCommand, name);
}

void UndoJournal::endCommand() {
    if (!commandRunning()) {
        return;
    }
    while (innermost().kind != kCommand) {
        closeFrame();
    }
    closeFrame();
}

bool UndoJournal::commandRunning() const {
    for (const auto& frame : frames_) {
        if (frame->kind == kCommand) {
            return true;
        }
    }
    return false;
}

void UndoJournal::beginGroup() {
    if (groupOpen()) {
        closeFrame();
    }
    openFrame(kGroup, kGroupName);
}

void UndoJournal::endGroup() {
    if (groupOpen()) {
        closeFrame();
    }
}

bool UndoJournal::groupOpen() const {
    return innermost().kind == kGroup;
}

std::string UndoJournal::undoStep(Frame& frame) {
    Step step = std::move(frame.steps.back());
    frame.steps.pop_back();
    undoEntriesFrom(step.begin);
    frame.sealed = step.begin;
    startRun();
    return step.name;
}

std::vector<std::string> UndoJournal::undo(int n) {
    std::vector<std::string> names;
    Frame& frame = innermost();
    sealLooseEntries(frame);
    while (n > 0 && !frame.steps.empty()) {
        const bool isMark = frame.steps.back().isMark;
        std::string name = undoStep(frame);
        if (!isMark) {
            names.push_back(std::move(name));
            --n;
        }
    }
    return names;
}

void UndoJournal::mark() {
    Frame& frame = innermost();
    sealLooseEntries(frame);
    frame.steps.push_back({"MARK", entries_.size(), true});
}

int UndoJournal::back() {
    Frame& frame = innermost();
    sealLooseEntries(frame);
    int count = 0;
    while (!frame.steps.empty()) {
        const bool isMark = frame.steps.back().isMark;
        undoStep(frame);
        if (isMark) {
            break;
        }
        ++count;
    }
    return count;
}

bool UndoJournal::canUndo() const {
    const Frame& frame = innermost();
    if (entries_.size() > frame.sealed) {
        return true;
    }
    for (const Step& step : frame.steps) {
        if (!step.isMark) {
            return true;
        }
    }
    return false;
}

void UndoJournal::clear() {
    std::vector<Entry>().swap(entries_); // gives the memory back, not only the entries
    for (auto& frame : frames_) {
        frame->begin = frame->sealed = 0;
        frame->steps.clear();
    }
    startRun();
}

void UndoJournal::undoEntriesFrom(std::size_t begin) {
    if (begin < entries_.size()) {
        ++changeCount_;
    }
    const bool wasRecording = recording_;
    recording_ = false;
    for (std::size_t i = entries_.size(); i > begin; --i) {
        undoEntry(entries_[i - 1]);
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(begin), entries_.end());
    recording_ = wasRecording;
}

// --- Recording ------------------------------------------------------------------------------

void UndoJournal::recordCreated(AcDbStub* stub) {
    if (recording_) {
        push(Entry(Entry::Kind::Created, stub));
    }
}

void UndoJournal::recordModified(AcDbStub* stub, AcDbObject* stateBefore) {
    if (needsEntry(stub)) {
        push(Entry(Entry::Kind::Modified, stub, 0, stateBefore));
    } else {
        delete stateBefore;
    }
}

void UndoJournal::recordXData(AcDbStub* stub, std::string encodedBefore) {
    if (needsEntry(stub)) {
        push(Entry(Entry::Kind::XData, stub, 0, new std::string(std::move(encodedBefore))));
    }
}

void UndoJournal::recordErased(AcDbStub* stub, bool wasErased) {
    if (needsEntry(stub)) {
        push(Entry(Entry::Kind::Erased, stub, wasErased ? 1 : 0));
    }
}

void UndoJournal::recordReactor(AcDbStub* stub, AcDbStub* reactor, bool added, std::size_t index) {
    if (needsEntry(stub)) {
        push(Entry(added ? Entry::Kind::ReactorAdded : Entry::Kind::ReactorRemoved, stub, index,
                   reactor));
    }
}

void UndoJournal::recordDictionaryInsert(AcDbStub* dictionary, std::size_t index) {
    if (needsEntry(dictionary)) {
        push(Entry(Entry::Kind::DictInsert, dictionary, index));
    }
}

void UndoJournal::recordDictionaryRemove(AcDbStub* dictionary, std::size_t index, std::string key,
                                         AcDbStub* value) {
    if (needsEntry(dictionary)) {
        auto* removed = new RemovedEntry{std::move(key), value};
        push(Entry(Entry::Kind::DictRemove, dictionary, index, removed));
    }
}

void UndoJournal::recordDictionaryReplace(AcDbStub* dictionary, std::size_t index,
                                          AcDbStub* oldValue) {
    if (needsEntry(dictionary)) {
        push(Entry(Entry::Kind::DictReplace, dictionary, index, oldValue));
    }
}

void UndoJournal::recordOwner(AcDbStub* stub, AcDbStub* previousOwner) {
    if (needsEntry(stub)) {
        push(Entry(Entry::Kind::Owner, stub, 0, previousOwner));
    }
}

void UndoJournal::recordCurrentLayer(AcDbStub* layerBefore) {
    if (recording_) {
        push(Entry(Entry::Kind::CurrentLayer, nullptr, 0, layerBefore));
    }
}

void UndoJournal::recordUserReal(int index, double before) {
    if (recording_) {
        push(Entry(Entry::Kind::UserReal, nullptr, static_cast<std::size_t>(index),
                   new double(before)));
    }
}

// --- Taking changes back --------------------------------------------------------------------

void UndoJournal::undoEntry(Entry& entry) {
    AcDbStub* stub = entry.stub;
    database_.noteChanged(stub);
    switch (entry.kind) {
    case Entry::Kind::Created:
        ObjectAccess::uncreate(database_, stub);
        break;
    case Entry::Kind::Modified:
        stub->object->restoreState(*static_cast<AcDbObject*>(entry.payload));
        break;
    case Entry::Kind::XData:
        ObjectAccess::setXDataBytes(*stub->object, *static_cast<std::string*>(entry.payload));
        break;
    case Entry::Kind::Erased:
        stub->erased = entry.index != 0;
        database_.groupIndex().noteListingChanged(stub);
        break;
    case Entry::Kind::ReactorAdded:
        ObjectAccess::eraseReactor(*stub->object, static_cast<AcDbStub*>(entry.payload), nullptr);
        break;
    case Entry::Kind::ReactorRemoved:
        ObjectAccess::insertReactor(*stub->object, static_cast<AcDbStub*>(entry.payload),
                                    entry.index);
        break;
    case Entry::Kind::DictInsert:
        ObjectAccess::dictionaryEraseAt(*stub->object, entry.index);
        break;
    case Entry::Kind::DictRemove: {
        const auto* removed = static_cast<RemovedEntry*>(entry.payload);
        ObjectAccess::dictionaryInsertAt(*stub->object, entry.index, removed->key, removed->value);
        break;
    }
    case Entry::Kind::DictReplace:
        ObjectAccess::dictionarySetValueAt(*stub->object, entry.index,
                                           static_cast<AcDbStub*>(entry.payload));
        break;
    case Entry::Kind::Owner:
        stub->owner = static_cast<AcDbStub*>(entry.payload);
        break;
    case Entry::Kind::CurrentLayer:
        database_.ids().clayer = AcDbObjectId(static_cast<AcDbStub*>(entry.payload));
        break;
    case Entry::Kind::UserReal:
        database_.setUserR(static_cast<int>(entry.index), *static_cast<double*>(entry.payload));
        break;
    }
}

} // namespace veld::db
