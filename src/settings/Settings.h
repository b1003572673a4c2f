// The program's settings: the registry key of the current user and the default-language file.
// They live in the settings globals (core/Globals.h); SaveSettings itself is the Win32 shell's,
// which reads the bar's place from its window and hands it to WriteSettings.
#pragma once

#include "core/Globals.h"
#include "core/Text.h"
#include "core/Version.h"

constexpr char16_t SettingsKey[] = u"Software\\Quorvane-cn\\" QV_VERSION_TEXT;

// The settings the Options window edits; the defaults are its Default button's.
struct TOptionsFields {
    bool AutoHide = false;
    bool TurnOnHotkey = true;
    bool AutoCapture = true;
    bool AutoDelete = true;
    int ClipboardMaxCount = DefaultClipboardMaxCount;
    String CurrentLanguage;
};
// The settings globals as the window shows them (the history size brought into its range).
TOptionsFields CurrentOptions();
// The settings globals := options.
void SetOptions(const TOptionsFields& options);

// CurrentLanguage := the first line of LanguagesFolder + "\Default.txt" without its extension.
void LoadDefaultLanguage();
// The settings globals from the registry; a missing key or value keeps the setting's value, and
// so does a value of another type than the setting's (start-up must go on).
void LoadSettings();
// Writes the eight values in their order; the bar's place comes from its window. Throws EAppError
// when a value cannot be written; writes nothing when the key can be neither opened nor created.
void WriteSettings(int menuBarLeft, int menuBarTop);

// A file name without its extension: the text from the last "." on, when that "." stands after
// the last "\" and ":".
String WithoutExtension(StringView name);
