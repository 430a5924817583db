// Section structure of a DXF file: HEADER, CLASSES, TABLES, BLOCKS, ENTITIES, OBJECTS (any
// missing, unknown ones skipped), ended by EOF; anything after EOF is ignored.
#include "host/dxf/DxfReader.h"

#include "host/dxf/DrawingBuilder.h"

#include <cstdint>
#include <dbsymtb.h>
#include <sys/mman.h>
#include <unordered_set>

namespace veld::dxf {

namespace {

// Every handle of a file without a handle seed, so that objects without one get free ones. A
// malformed rest is left to the reading proper.
std::unordered_set<std::uint64_t> handlesOf(std::string_view data) {
    std::unordered_set<std::uint64_t> handles;
    try {
        TagReader reader(data);
        Tag tag;
        while (reader.next(tag)) {
            std::uint64_t h = 0;
            if ((tag.code == 5 || tag.code == 105) && parseHandle(tag.value, h)) {
                handles.insert(h);
            }
        }
    } catch (const DxfError&) {
    }
    return handles;
}

class Reader {
public:
    Reader(std::string_view data, bool releaseAsRead)
        : data_(data), in_(data), releaseAsRead_(releaseAsRead) {}

    std::unique_ptr<AcDbDatabase> run(std::vector<std::string>* notes) {
        if (in_.atEnd()) {
            throw DxfError("line 1: the file is empty");
        }
        builder_.expectFileSize(data_.size());
        if (data_.find("$HANDSEED") == std::string_view::npos) {
            builder_.setFileHandles(handlesOf(data_));
        }
        const bool leading = leadingTags();
        while (const ReadTag* tag = in_.peek()) {
            if (tag->code == 0 && tag->value == "EOF") {
                break;
            }
            if (tag->code == 0 && tag->value == "TABLE" && legacyR12()) {
                table(); // some R12 writers put a table outside the TABLES section
                continue;
            }
            expect(0, "SECTION");
            const ReadTag name = in_.take("the section name");
            if (name.code != 2) {
                in_.fail(name.line,
                         "expected group code 2 with the section name, found group code " +
                             std::to_string(name.code));
            }
            section(std::string(name.value));
            ++sections_;
        }
        if (leading && sections_ == 0) {
            throw DxfError(in_.where(1) + ": no \"0 SECTION\" found");
        }
        return builder_.finish(notes);
    }

private:
    ReadTag expect(int code, const char* value) {
        const std::string what = "\"" + std::to_string(code) + " " + value + "\"";
        ReadTag tag = in_.take(what.c_str());
        if (tag.code != code || tag.value != value) {
            in_.fail(tag.line, "expected " + what + ", found \"" + std::to_string(tag.code) + " " +
                                   std::string(tag.value.substr(0, 40)) + "\"");
        }
        return tag;
    }

    // True when the next tag is "0 <value>"; throws when the data ends inside `section`.
    bool nextIs(const char* value, const std::string& section) {
        const ReadTag* tag = in_.peek();
        if (tag == nullptr) {
            throw DxfError(in_.where(in_.lastLine() + 2) + ": the file ends inside the " + section +
                           " section (\"0 ENDSEC\" expected)");
        }
        return tag->code == 0 && tag->value == value;
    }

    void section(const std::string& name) {
        if (name == "HEADER") {
            header();
        } else if (legacyR12() && (name == "CLASSES" || name == "OBJECTS")) {
            // Not part of R12: a file that says it is R12 is read as R12 programs read it. (Its
            // objects would point at records that such files leave without handles.)
            skipSection(name);
        } else if (name == "CLASSES") {
            classes();
        } else if (name == "TABLES") {
            tables();
        } else if (name == "BLOCKS") {
            blocks();
        } else if (name == "ENTITIES") {
            entities(builder_.modelSpace(), "ENTITIES");
        } else if (name == "OBJECTS") {
            objects();
        } else {
            skipSection(name);
        }
        expect(0, "ENDSEC");
    }

    bool legacyR12() const { return version_ <= "AC1009"; }

    void skipSection(const std::string& name) {
        while (!nextIs("ENDSEC", name)) {
            in_.take("a tag");
        }
    }

    void header() {
        while (!nextIs("ENDSEC", "HEADER")) {
            headerVariable();
        }
    }

    void headerVariable() {
        std::string& version = version_;
        {
            ReadTag var = in_.take("a header variable");
            if (var.code != 9) {
                in_.fail(var.line,
                         "expected group code 9 with a header variable name, found group code " +
                             std::to_string(var.code));
            }
            std::vector<OwnedTag> tags;
            while (const ReadTag* next = in_.peek()) {
                if (next->code == 9 || next->code == 0) {
                    break;
                }
                ReadTag value = in_.take("a value");
                tags.push_back({value.code, std::string(value.value)});
            }
            if (var.value == "$ACADVER" && !tags.empty()) {
                version = tags.front().value;
                in_.setEncoding(version, codePage_);
            } else if (var.value == "$DWGCODEPAGE" && !tags.empty()) {
                codePage_ = tags.front().value;
                in_.setEncoding(version, codePage_);
            }
            builder_.headerVariable(std::string(var.value), std::move(tags));
        }
    }

    void classes() {
        while (!nextIs("ENDSEC", "CLASSES")) {
            Record r = readRecord(in_);
            builder_.addClass(r.keptTags());
        }
    }

    void tables() {
        while (!nextIs("ENDSEC", "TABLES")) {
            table();
        }
    }

    void table() {
        Record table = readRecord(in_);
        if (table.type != "TABLE") {
            in_.fail(table.line, "expected \"0 TABLE\", found \"0 " + table.type + "\"");
        }
        const std::string name = table.text(2);
        builder_.beginTable(name, table);
        while (!nextIs("ENDTAB", "TABLES")) {
            Record record = readRecord(in_);
            builder_.tableRecord(name, record);
        }
        expect(0, "ENDTAB");
    }

    // Before the first section some programs write comments and header variables (a
    // "9 $ACADVER" of their own); the variables count, anything else there is passed over.
    bool leadingTags() {
        bool any = false;
        while (const ReadTag* tag = in_.peek()) {
            if (tag->code == 0) {
                return any;
            }
            any = true;
            if (tag->code == 9) {
                headerVariable();
            } else {
                in_.take("a tag");
            }
        }
        return any;
    }

    void blocks() {
        while (!nextIs("ENDSEC", "BLOCKS")) {
            Record block = readRecord(in_);
            if (block.type != "BLOCK") {
                in_.fail(block.line, "expected \"0 BLOCK\", found \"0 " + block.type + "\"");
            }
            const AcDbObjectId record = builder_.beginBlock(block);
            entities(record, "BLOCKS", "ENDBLK");
            builder_.endBlock(record, readRecord(in_));
        }
    }

    void entities(AcDbObjectId space, const char* section, const char* end = "ENDSEC") {
        while (!nextIs(end, section)) {
            if (std::string_view(end) != "ENDSEC" && nextIs("ENDSEC", section)) {
                in_.fail(in_.peek()->line, "the block has no \"0 ENDBLK\"");
            }
            Record& r = entity_;
            readRecord(in_, r);
            if (r.type == "ENDSEC" || r.type == "BLOCK" || r.type == "SECTION") {
                in_.fail(r.line, std::string("unexpected \"0 ") + r.type + "\" in the " + section +
                                     " section");
            }
            AcDbObjectId owner = space;
            if (std::string_view(section) == "ENTITIES" && r.integer(67) == 1) {
                owner = builder_.paperSpace();
            }
            const bool withAttributes = r.type == "INSERT" && r.integer(66) == 1;
            const AcDbObjectId id = builder_.entity(r, owner);
            if (withAttributes) {
                attributes(id, section);
            }
            releaseRead();
        }
    }

    // Between entities nothing but the next tag points into the bytes before it: the pages
    // behind it go back to the system, some megabytes at a time.
    void releaseRead() {
        constexpr std::size_t kPage = 4096, kStep = std::size_t{16} << 20;
        if (!releaseAsRead_ || in_.heldFrom() < released_ + kStep) {
            return;
        }
        const auto base = reinterpret_cast<std::uintptr_t>(data_.data());
        const std::uintptr_t first = (base + released_ + kPage - 1) & ~(kPage - 1);
        const std::uintptr_t last = (base + in_.heldFrom()) & ~(kPage - 1);
        if (last > first) {
            ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
        }
        released_ = last - base;
    }

    void attributes(AcDbObjectId insert, const char* section) {
        while (!nextIs("SEQEND", section)) {
            const ReadTag* next = in_.peek();
            if (next->value != "ATTRIB") {
                return; // a file that ends the list without SEQEND
            }
            readRecord(in_, attribute_);
            builder_.attribute(attribute_, insert);
        }
        builder_.sequenceEnd(readRecord(in_), insert);
    }

    void objects() {
        std::vector<Record> records;
        while (!nextIs("ENDSEC", "OBJECTS")) {
            records.push_back(readRecord(in_));
        }
        builder_.objects(std::move(records));
    }

    std::string_view data_;
    std::string version_ = "AC1015"; // files without a header are taken as R2000
    std::string codePage_;
    int sections_ = 0;
    TagSource in_;
    DrawingBuilder builder_;
    Record entity_, attribute_; // read into again and again
    bool releaseAsRead_ = false;
    std::size_t released_ = 0; // bytes of data_ handed back
};

} // namespace

std::unique_ptr<AcDbDatabase> readDrawing(std::string_view data, std::vector<std::string>* notes,
                                          bool releaseAsRead) {
    return Reader(data, releaseAsRead).run(notes);
}

} // namespace veld::dxf
