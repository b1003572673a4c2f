// Text files of one message: the file names offered for them and the saving, with the bytes of
// TextFileBytes (core/Text.h).
#pragma once

#include "core/Text.h"

// A name the file system accepts, made from a proposed one (a message's name, perhaps captured
// from the clipboard): each of \ / : * ? " < > | and each control character becomes "_",
// trailing dots and blanks are cut, and an empty result becomes "Message".
String ValidFileName(StringView name);

// Creates or replaces the file with the text's bytes; throws EAppError when it cannot be written.
void SaveMessageToFile(StringView text, StringView fileName);
