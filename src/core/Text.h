// UTF-16 text helpers of the portable core. Text is held as UTF-16 code units, exactly as the
// data file and the 60-character rules count it, on every build.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using String = std::u16string;
using StringView = std::u16string_view;

// The longest name the program makes or lets the user type: 60 code units.
constexpr std::size_t MaxNameLength = 60;

// The modifier bits of a hotkey value, a 16-bit word with the virtual key in its low bits; the
// hotkey routines and the window layer's hot-key control both read and make such values.
constexpr int HotkeyShift = 0x2000;
constexpr int HotkeyCtrl = 0x4000;
constexpr int HotkeyAlt = 0x8000;

// The first count code units of text, one fewer where the cut would leave the first half of a
// surrogate pair alone at the end.
String LeadingText(StringView text, std::size_t count);

// Text of a file: a byte-order mark selects UTF-8 or UTF-16; without one, the ANSI code page.
String DecodeTextFile(const std::vector<std::uint8_t>& bytes);
// The bytes of a text file the program writes: FF FE, then the text's code units little-endian,
// unchanged: no terminating NUL, no line break added.
std::vector<std::uint8_t> TextFileBytes(StringView text);

// For messages of the C++ runtime (what()) and for test output.
std::string ToUtf8(StringView text);

// Errors the program raises carry their text for the default error box.
class EAppError : public std::exception {
public:
    explicit EAppError(String message);
    const String& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    String message_;
    std::string utf8_;
};
