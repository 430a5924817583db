// GetPrivateProfileStringA and WritePrivateProfileStringA over IniDocument: the file is read
// afresh on every call (nothing is cached), converted at the boundary between the UTF-8 of the
// program and the Shift-JIS of the file, and written back through a temporary file.
#include "winprofile.h"

#include "host/files/FileRead.h"
#include "host/files/SafeReplace.h"
#include "host/win/CodePage.h"
#include "host/win/IniDocument.h"
#include "host/win/Paths.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using veld::win::IniDocument;

// The original platform's profile file for a null file name.
constexpr const char* kDefaultProfileFile = "win.ini";

std::string profilePath(LPCSTR fileName) {
    return veld::win::resolveProfileFile(fileName != nullptr ? fileName : kDefaultProfileFile);
}

IniDocument loadDocument(const std::string& path) {
    return IniDocument(veld::files::readFileBytes(path).value_or(std::string()));
}

std::string toSjis(LPCSTR utf8) {
    return veld::win::utf8ToSjis(utf8 != nullptr ? utf8 : "");
}

// Copies a Shift-JIS text into the caller's UTF-8 buffer, cut to nSize-1 Shift-JIS bytes at a
// character boundary. Returns the Shift-JIS length copied, or nSize-1 when the text was cut.
DWORD copyValue(const std::string& sjis, LPSTR returned, DWORD nSize) {
    const std::size_t limit = nSize - 1;
    const std::size_t length = veld::win::sjisPrefixLength(sjis, limit);
    const std::string utf8 = veld::win::sjisToUtf8(std::string_view(sjis).substr(0, length));
    std::memcpy(returned, utf8.c_str(), utf8.size() + 1);
    return static_cast<DWORD>(length < sjis.size() ? limit : length);
}

// Copies a list of names, each followed by a NUL, with a final NUL. When the list does not fit,
// it is cut to nSize-2 Shift-JIS bytes (at a character boundary), closed by two NULs, and
// nSize-2 is returned.
DWORD copyList(const std::vector<std::string>& names, LPSTR returned, DWORD nSize) {
    if (nSize < 2) {
        returned[0] = '\0';
        return 0;
    }
    std::string joined;
    for (const std::string& name : names) {
        joined += name;
        joined += '\0';
    }
    DWORD result = static_cast<DWORD>(joined.size());
    if (joined.size() + 1 > nSize) {
        joined.resize(veld::win::sjisPrefixLength(joined, nSize - 2));
        joined += '\0';
        result = nSize - 2;
    }
    // NUL bytes convert to NUL bytes, so the list converts as one text.
    const std::string utf8 = veld::win::sjisToUtf8(joined);
    std::memcpy(returned, utf8.data(), utf8.size());
    returned[utf8.size()] = '\0';
    return result;
}

// Text that would break the file's line structure if it were written.
bool breaksLines(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

bool isWritableKey(const std::string& key) {
    const std::string_view trimmed = veld::win::trimBlanks(key);
    return !trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '[' &&
           trimmed.find('=') == std::string_view::npos && !breaksLines(key);
}

} // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR returned,
                               DWORD nSize, LPCSTR fileName) {
    if (returned == nullptr || nSize == 0) {
        return 0;
    }
    const IniDocument document = loadDocument(profilePath(fileName));
    if (section == nullptr) {
        return copyList(document.sectionNames(), returned, nSize);
    }
    if (key == nullptr) {
        return copyList(document.keyNames(toSjis(section)), returned, nSize);
    }
    if (auto value = document.value(toSjis(section), toSjis(key))) {
        return copyValue(*value, returned, nSize);
    }
    std::string fallback = toSjis(defaultValue);
    while (!fallback.empty() && (fallback.back() == ' ' || fallback.back() == '\t')) {
        fallback.pop_back();
    }
    return copyValue(fallback, returned, nSize);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
    if (section == nullptr) {
        return FALSE;
    }
    const std::string sjisSection = toSjis(section);
    const std::string sjisKey = toSjis(key);
    const std::string sjisValue = toSjis(value);
    if (breaksLines(sjisSection) || (key != nullptr && !isWritableKey(sjisKey)) ||
        breaksLines(sjisValue)) {
        return FALSE;
    }
    const std::string path = profilePath(fileName);
    const auto existing = veld::files::readFileBytes(path);
    std::error_code error;
    if (!existing && std::filesystem::exists(path, error)) {
        return FALSE; // there, but not a readable file: rewriting it would lose its contents
    }
    const bool deleting = key == nullptr || value == nullptr;
    if (!existing && deleting) {
        return TRUE; // nothing to delete, and no file is created for it
    }
    IniDocument document(existing.value_or(std::string()));
    if (key == nullptr) {
        document.removeSection(sjisSection);
    } else if (value == nullptr) {
        document.removeKey(sjisSection, sjisKey);
    } else {
        document.setValue(sjisSection, sjisKey, sjisValue);
    }
    const std::string bytes = document.bytes();
    if (existing && bytes == *existing) {
        return TRUE;
    }
    std::string ignored;
    return veld::files::replaceFile(path, bytes, {}, ignored) ? TRUE : FALSE;
}
