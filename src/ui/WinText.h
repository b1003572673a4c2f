// UTF-16 text between the portable core (char16_t) and Win32 (wchar_t): the same code units.
#pragma once

#include <string>

#include "core/Text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 text is UTF-16");

inline std::wstring ToW(StringView text) { return std::wstring(text.begin(), text.end()); }
inline String FromW(const wchar_t* text) { return text ? String(reinterpret_cast<const char16_t*>(text)) : String(); }
inline String FromW(const std::wstring& text) { return String(text.begin(), text.end()); }

// The system's text for a Win32 error code, without the trailing line break.
String SystemErrorText(unsigned long code);
