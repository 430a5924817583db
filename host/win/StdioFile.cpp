// CStdioFile: a Shift-JIS text file with CR LF line ends on disk, UTF-8 in the program.
#include "afxfile.h"

#include "host/win/CodePage.h"
#include "host/win/Paths.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Creates the file when it is missing, without emptying an existing one.
bool touch(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

const char* fopenMode(UINT flags) {
    const bool create = (flags & CFile::modeCreate) != 0;
    const bool truncate = create && (flags & CFile::modeNoTruncate) == 0;
    if ((flags & CFile::modeReadWrite) != 0) {
        return truncate ? "w+be" : "r+be";
    }
    if ((flags & CFile::modeWrite) != 0) {
        return truncate ? "wbe" : "r+be";
    }
    return "rbe";
}

} // namespace

BOOL CStdioFile::Open(const char* fileName, UINT openFlags, void* /*error*/) {
    Close();
    failed_ = false;
    if (fileName == nullptr) {
        return FALSE;
    }
    const std::string path = veld::win::nativePath(fileName);
    const bool create = (openFlags & modeCreate) != 0;
    if (create && (openFlags & modeNoTruncate) != 0 && !touch(path)) {
        return FALSE;
    }
    text_ = (openFlags & typeBinary) == 0;
    stream_ = std::fopen(path.c_str(), fopenMode(openFlags));
    return stream_ != nullptr ? TRUE : FALSE;
}

void CStdioFile::WriteString(const char* text) {
    if (stream_ == nullptr || text == nullptr) {
        failed_ = true;
        return;
    }
    std::string bytes = veld::win::utf8ToSjis(text);
    if (text_) {
        std::string withCrLf;
        withCrLf.reserve(bytes.size() + 8);
        for (char c : bytes) {
            if (c == '\n') {
                withCrLf += '\r';
            }
            withCrLf += c;
        }
        bytes.swap(withCrLf);
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
        failed_ = true;
    }
}

BOOL CStdioFile::ReadString(std::string& line) {
    line.clear();
    if (stream_ == nullptr) {
        return FALSE;
    }
    std::string bytes;
    int c = 0;
    while ((c = std::fgetc(stream_)) != EOF) {
        bytes.push_back(static_cast<char>(c));
        if (c == '\n') {
            break;
        }
    }
    if (bytes.empty()) {
        return FALSE;
    }
    if (text_ && bytes.size() >= 2 && bytes.ends_with("\r\n")) {
        bytes.erase(bytes.size() - 2, 1);
    }
    line = veld::win::sjisToUtf8(bytes);
    return TRUE;
}

BOOL CStdioFile::Close() {
    if (stream_ == nullptr) {
        return failed_ ? FALSE : TRUE;
    }
    if (std::fclose(stream_) != 0) {
        failed_ = true;
    }
    stream_ = nullptr;
    return failed_ ? FALSE : TRUE;
}
