#include "settings/Settings.h"

#include "core/ClipboardCapture.h"
#include "core/Globals.h"
#include "core/OsServices.h"

namespace {
void ReadBoolean(IRegistryKey& key, StringView name, bool& setting)
{
    TRegistryValue value = key.Read(name);
    if (value.Type == TRegistryType::Integer)
        setting = value.Integer != 0;
}

void ReadInteger(IRegistryKey& key, StringView name, int& setting)
{
    TRegistryValue value = key.Read(name);
    if (value.Type == TRegistryType::Integer)
        setting = value.Integer;
}

void ReadText(IRegistryKey& key, StringView name, String& setting)
{
    TRegistryValue value = key.Read(name);
    if (value.Type == TRegistryType::Text)
        setting = value.Text;
}

void WriteInteger(IRegistryKey& key, StringView name, int value)
{
    if (!key.WriteInteger(name, value))
        throw EAppError(u"Failed to set data for '" + String(name) + u"'");
}

void WriteText(IRegistryKey& key, StringView name, StringView value)
{
    if (!key.WriteText(name, value))
        throw EAppError(u"Failed to set data for '" + String(name) + u"'");
}
} // namespace

String WithoutExtension(StringView name)
{
    const size_t at = name.find_last_of(u".\\:");
    if (at == StringView::npos || name[at] != u'.')
        return String(name);
    return String(name.substr(0, at));
}

TOptionsFields CurrentOptions()
{
    return {AutoHide, TurnOnHotkey, AutoCapture, AutoDelete, ClipboardHistoryLimit(), CurrentLanguage};
}

void SetOptions(const TOptionsFields& options)
{
    AutoHide = options.AutoHide;
    TurnOnHotkey = options.TurnOnHotkey;
    AutoCapture = options.AutoCapture;
    AutoDelete = options.AutoDelete;
    ClipboardMaxCount = options.ClipboardMaxCount;
    CurrentLanguage = options.CurrentLanguage;
}

void LoadDefaultLanguage()
{
    const String path = LanguagesFolder + u"\\Default.txt";
    if (!OsFiles().FileExists(path))
        return;
    String text;
    try {
        text = DecodeTextFile(OsFiles().ReadWholeFile(path));
    } catch (const EAppError&) {
        return; // an unreadable file is as good as a missing one: start-up goes on
    }
    if (text.empty())
        return;
    CurrentLanguage = WithoutExtension(text.substr(0, text.find_first_of(u"\r\n")));
}

void LoadSettings()
{
    const std::unique_ptr<IRegistryKey> key = OsRegistry().OpenKey(SettingsKey, false);
    if (!key)
        return;
    ReadBoolean(*key, u"AutoHide", AutoHide);
    ReadBoolean(*key, u"TurnOnHotkey", TurnOnHotkey);
    ReadBoolean(*key, u"AutoCapture", AutoCapture);
    ReadBoolean(*key, u"AutoDelete", AutoDelete);
    ReadInteger(*key, u"ClipboardMaxCount", ClipboardMaxCount);
    ReadText(*key, u"CurrentLanguage", CurrentLanguage);
    // A value the bar cannot use counts as not saved, so the bar is centred.
    TRegistryValue left = key->Read(u"MenuBarLeft");
    MenuBarLeftSaved = left.Type == TRegistryType::Integer;
    if (MenuBarLeftSaved)
        MenuBarLeft = left.Integer;
    ReadInteger(*key, u"MenuBarTop", MenuBarTop);
}

void WriteSettings(int menuBarLeft, int menuBarTop)
{
    const std::unique_ptr<IRegistryKey> key = OsRegistry().OpenKey(SettingsKey, true);
    if (!key)
        return;
    WriteInteger(*key, u"AutoHide", AutoHide ? 1 : 0);
    WriteInteger(*key, u"TurnOnHotkey", TurnOnHotkey ? 1 : 0);
    WriteInteger(*key, u"AutoCapture", AutoCapture ? 1 : 0);
    WriteInteger(*key, u"AutoDelete", AutoDelete ? 1 : 0);
    WriteInteger(*key, u"ClipboardMaxCount", ClipboardMaxCount);
    WriteText(*key, u"CurrentLanguage", CurrentLanguage);
    WriteInteger(*key, u"MenuBarLeft", menuBarLeft);
    WriteInteger(*key, u"MenuBarTop", menuBarTop);
}
