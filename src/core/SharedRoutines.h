// Small routines used throughout the program.
#pragma once

#include <memory>

#include "core/OsServices.h"
#include "core/Text.h"

constexpr int CSIDL_APPDATA_FOLDER = 26;

// The one way to show a question or warning: counts the open boxes in OpenMessageBoxCount.
int ShowMessageBox(StringView text, StringView caption, int flags);
// Starts a program and returns at once; nullptr when nothing was started.
std::unique_ptr<IProcess> RunProgram(StringView commandLine);
String GetSpecialFolderPath(int folder);
// The MD5 digest of the text as 32 upper-case hexadecimal digits: MD5Hex for the update check,
// HeaderMD5Hex, the same digest, for the file headers.
String MD5Hex(StringView text);
String HeaderMD5Hex(StringView text);
