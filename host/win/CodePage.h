// Code-page conversion at the file boundary: everything inside the program is UTF-8, files of the
// original platform are Shift-JIS (code page 932) or another ANSI code page named by a DXF file.
//
// What happens to bytes that do not convert (the functions never fail and never throw):
// - reading (to UTF-8): every byte that does not start a valid character of the code page becomes
//   U+FFFD (REPLACEMENT CHARACTER) and decoding goes on with the next byte (so a lead byte cut
//   off by the end of the text is one U+FFFD);
// - writing (from UTF-8): a character that has no form in the code page becomes '?', and so does
//   every byte of the UTF-8 text that is not part of a valid UTF-8 sequence.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace veld::win {

// Shift-JIS (Windows code page 932, with the NEC and IBM extensions) to UTF-8 and back.
std::string sjisToUtf8(std::string_view sjis);
std::string utf8ToSjis(std::string_view utf8);

// Number of bytes of the Shift-JIS character that starts with `lead`: 2 for a lead byte
// (0x81-0x9F, 0xE0-0xFC), 1 otherwise (ASCII, half-width katakana 0xA1-0xDF, invalid bytes).
int sjisCharLength(unsigned char lead);

// The longest prefix of `sjis` that has at most `maxBytes` bytes and does not end inside a
// double-byte character. A lead byte at the very end of the text counts as a whole character.
std::size_t sjisPrefixLength(std::string_view sjis, std::size_t maxBytes);

// Code pages by the names DXF files give in $DWGCODEPAGE ("ANSI_1252", "ANSI_932", "ANSI_936",
// "ANSI_949", "ANSI_950", "ANSI_1250".."ANSI_1258", "ANSI_874", "DOS437", "DOS850" and the other
// DOS pages, "ISO8859-1".."ISO8859-10", "GB2312", "BIG5", "KSC5601", "JOHAB", "ASCII"). Also
// accepted: "CPnnn" for the same pages, "SJIS", "SHIFT_JIS", "WINDOWS-31J" (all code page 932)
// and "UTF-8"/"UTF8". Names are compared without regard to case. An empty or unknown name means
// ANSI_1252, the code page a DXF file without (or with an unusable) $DWGCODEPAGE is read with.
std::string toUtf8(std::string_view bytes, std::string_view codePageName);
std::string fromUtf8(std::string_view utf8, std::string_view codePageName);

// True when `codePageName` names a code page this layer can convert (false for names that would
// fall back to ANSI_1252).
bool isKnownCodePage(std::string_view codePageName);

// Length of the valid UTF-8 sequence starting at `text[0]`, or 0 when the bytes there are not a
// valid sequence (overlong forms, surrogates and values above U+10FFFF are invalid).
std::size_t utf8SequenceLength(std::string_view text);

} // namespace veld::win
