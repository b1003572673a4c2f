// Text files of one message: the UTF-16 little-endian bytes with their byte-order mark, and the
// file names offered for them.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Text.h"

// FF FE, then the text's code units little-endian, unchanged: no terminating NUL, no line break
// added.
std::vector<std::uint8_t> TextFileBytes(StringView text);

// A name the file system accepts, made from a proposed one (a message's name, perhaps captured
// from the clipboard): each of \ / : * ? " < > | and each control character becomes "_",
// trailing dots and blanks are cut, and an empty result becomes "Message".
String ValidFileName(StringView name);

// Creates or replaces the file with the text's bytes; throws EAppError when it cannot be written.
void SaveMessageToFile(StringView text, StringView fileName);
