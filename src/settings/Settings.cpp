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

String DecodeUtf8(const std::uint8_t* p, const std::uint8_t* end)
{
    String out;
    while (p < end) {
        const std::uint8_t lead = *p++;
        int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
        char32_t c = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
        bool ok = extra >= 0;
        // A byte that breaks a sequence is not part of it: it starts the next character.
        for (int i = 0; ok && i < extra; ++i)
            if (p < end && (*p >> 6) == 2)
                c = (c << 6) | (*p++ & 0x3F);
            else
                ok = false;
        // An overlong form would let a hidden zero or line break through.
        static constexpr char32_t Shortest[] = {0, 0x80, 0x800, 0x10000};
        if (!ok || c < Shortest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out += u'\xFFFD';
        } else if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

String DecodeUtf16(const std::uint8_t* p, const std::uint8_t* end, bool bigEndian)
{
    String out;
    for (; end - p >= 2; p += 2)
        out += static_cast<char16_t>(bigEndian ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
    return out;
}
} // namespace

String DecodeTextFile(const std::vector<std::uint8_t>& bytes)
{
    const std::uint8_t* p = bytes.data();
    const std::uint8_t* end = p + bytes.size();
    if (bytes.size() >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        return DecodeUtf8(p + 3, end);
    if (bytes.size() >= 2 && p[0] == 0xFF && p[1] == 0xFE)
        return DecodeUtf16(p + 2, end, false);
    if (bytes.size() >= 2 && p[0] == 0xFE && p[1] == 0xFF)
        return DecodeUtf16(p + 2, end, true);
    return OsText().AnsiToText(bytes);
}

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
