// The resources of one module's table: dialog templates, control keys, pictures.
#include "host/ui/ResourceDirectory.h"

#include "host/ui/RcParser.h"
#include "host/ui/RcSource.h"

#include <charconv>

namespace veld::ui {

namespace {

std::string entryName(const VeldResourceEntry& entry) {
    return entry.name != nullptr ? entry.name : std::string("resource ") + std::to_string(entry.id);
}

} // namespace

ResourceDirectory ResourceDirectory::current() {
    return ResourceDirectory(veldModuleResources(AfxGetResourceHandle()));
}

ResourceDirectory::ResourceDirectory(const VeldResourceTable* table) {
    if (table == nullptr || table->entries == nullptr) {
        return;
    }
    for (unsigned long i = 0; i < table->count; ++i) {
        const VeldResourceEntry& entry = table->entries[i];
        if (entry.name != nullptr && entry.data != nullptr) {
            files_[entry.name] = std::string_view(entry.data, entry.size);
        }
    }
    for (unsigned long i = 0; i < table->count; ++i) {
        read(table->entries[i]);
    }
}

void ResourceDirectory::read(const VeldResourceEntry& entry) {
    if (entry.type == nullptr || std::string_view(entry.type) != "RC" || entry.data == nullptr) {
        return;
    }
    const std::string name = entryName(entry);
    try {
        ResourceScript script = parseResourceScript(std::string_view(entry.data, entry.size));
        for (auto& [id, dialog] : script.dialogs) {
            dialogs_[id] = std::move(dialog);
        }
        for (const auto& [id, lines] : script.data["CONTROLKEYS"]) {
            addControlKeys(name, id, lines);
        }
        for (const auto& [id, file] : script.files["BITMAP"]) {
            pictures_[id] = file;
        }
    } catch (const RcError& error) {
        errors_.push_back(name + " " + error.what());
    }
}

// Each line is "KEY ID"; a malformed line is reported and skipped.
void ResourceDirectory::addControlKeys(const std::string& script, int dialogId,
                                       const std::vector<std::string>& lines) {
    auto& keys = controlKeys_[dialogId];
    for (const auto& line : lines) {
        const auto blank = line.find(' ');
        int id = 0;
        const char* first = blank == std::string::npos ? nullptr : line.data() + blank + 1;
        const char* last = line.data() + line.size();
        const auto parsed = first != nullptr
                                ? std::from_chars(first, last, id)
                                : std::from_chars_result{last, std::errc::invalid_argument};
        if (blank == 0 || parsed.ec != std::errc() || parsed.ptr != last) {
            errors_.push_back(script + ": CONTROLKEYS " + std::to_string(dialogId) +
                              ": bad entry \"" + line + "\"");
            continue;
        }
        keys[line.substr(0, blank)] = id;
    }
}

const DialogTemplate* ResourceDirectory::dialog(int id) const {
    const auto found = dialogs_.find(id);
    return found != dialogs_.end() ? &found->second : nullptr;
}

std::map<std::string, int> ResourceDirectory::controlKeys(int dialogId) const {
    const auto found = controlKeys_.find(dialogId);
    return found != controlKeys_.end() ? found->second : std::map<std::string, int>();
}

std::string ResourceDirectory::pictureFile(int id) const {
    const auto found = pictures_.find(id);
    return found != pictures_.end() ? found->second : std::string();
}

std::string_view ResourceDirectory::file(const std::string& name) const {
    const auto found = files_.find(name);
    return found != files_.end() ? found->second : std::string_view();
}

} // namespace veld::ui
