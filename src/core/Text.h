// UTF-16 text helpers of the portable core. Text is held as UTF-16 code units, exactly as the
// data file and the 60-character rules count it, on every build.
#pragma once

#include <string>
#include <string_view>

using String = std::u16string;
using StringView = std::u16string_view;

// The first maxUnits code units of text, one fewer when the last of them would be the first half
// of a surrogate pair: a cut name or preview never ends on half a character.
StringView CutKeepingPairs(StringView text, std::size_t maxUnits);

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
