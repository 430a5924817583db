// Look-ahead and text decoding over the tokenizer.
// Only text values are decoded, and only when they hold anything but plain ASCII.
#include "host/dxf/TagSource.h"

#include "host/dxf/GroupCode.h"

namespace veld::dxf {

namespace {

bool needsWork(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80 || c == '^' || c == '\\') {
            return true;
        }
    }
    return false;
}

// "^J" is a line feed, "^ " a caret: how the format writes control characters in text.
void decodeCarets(std::string& text) {
    if (text.find('^') == std::string::npos) {
        return;
    }
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '^' && next >= '@' && next <= '_') {
            out += static_cast<char>(next - '@');
            ++i;
        } else if (text[i] == '^' && next == ' ') {
            out += '^';
            ++i;
        } else {
            out += text[i];
        }
    }
    text = std::move(out);
}

} // namespace

void TagSource::setEncoding(const std::string& acadVersion, const std::string& codePage) {
    legacy_ = acadVersion < "AC1021";
    declared_ = true;
    decoder_ = legacy_ ? TextDecoder::forCodePage(codePage) : TextDecoder();
}

std::string TagSource::where(std::size_t line) const {
    return (reader_.isBinary() ? "byte " : "line ") + std::to_string(line);
}

void TagSource::fail(std::size_t line, const std::string& what) const {
    throw DxfError(where(line) + ": " + what);
}

const ReadTag* TagSource::peek() {
    if (next_) {
        return &*next_;
    }
    Tag tag;
    if (!reader_.next(tag)) {
        return nullptr;
    }
    nextStart_ = reader_.tagStart();
    ReadTag& next = next_.emplace();
    next.code = tag.code;
    next.line = tag.line;
    next.value = tag.value;
    if (tag.transient) {
        next.own(std::string(tag.value));
    }
    if (isTextValue(tag.code) && needsWork(tag.value)) {
        decodeText(next);
    }
    return &next;
}

ReadTag TagSource::take(const char* expected) {
    if (peek() == nullptr) {
        throw DxfError(where(lastLine_ + 1) + ": the file ends where " + expected +
                       " was expected");
    }
    ReadTag tag = std::move(*next_);
    next_.reset();
    lastLine_ = tag.line;
    return tag;
}

void TagSource::decodeText(ReadTag& tag) {
    std::string text;
    if (!declared_ && isValidUtf8(tag.value)) {
        text = tag.value; // a file without header written by a modern program
    } else if (!decoder_.decode(tag.value, text)) {
        fail(valueLine(tag), "the text of group code " + std::to_string(tag.code) +
                                 " is not valid " +
                                 (legacy_ ? decoder_.codePageName() : std::string("UTF-8")));
    }
    if (legacy_) {
        decodeUnicodeEscapes(text);
    }
    if (isFreeText(tag.code)) {
        decodeCarets(text);
    }
    tag.own(std::move(text));
}

} // namespace veld::dxf
