#include "settings/Settings.h"

#include "core/Globals.h"
#include "core/OsServices.h"

namespace {
// Closes the open key on every way out.
struct OpenKey {
    OpenKey() = default;
    ~OpenKey() { Os().CloseRegistryKey(); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
};

void ReadBoolean(StringView name, bool& setting)
{
    TRegistryValue value = Os().ReadRegistryValue(name);
    if (value.Type == TRegistryType::Integer)
        setting = value.Integer != 0;
}

void ReadInteger(StringView name, int& setting)
{
    TRegistryValue value = Os().ReadRegistryValue(name);
    if (value.Type == TRegistryType::Integer)
        setting = value.Integer;
}

void ReadText(StringView name, String& setting)
{
    TRegistryValue value = Os().ReadRegistryValue(name);
    if (value.Type == TRegistryType::Text)
        setting = value.Text;
}

void WriteInteger(StringView name, int value)
{
    if (!Os().WriteRegistryInteger(name, value))
        throw EAppError(u"Failed to set data for '" + String(name) + u"'");
}

void WriteText(StringView name, StringView value)
{
    if (!Os().WriteRegistryText(name, value))
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
    return Os().AnsiToText(bytes);
}

String WithoutExtension(StringView name)
{
    const size_t at = name.find_last_of(u".\\:");
    if (at == StringView::npos || name[at] != u'.')
        return String(name);
    return String(name.substr(0, at));
}

void LoadDefaultLanguage()
{
    const String path = LanguagesFolder + u"\\Default.txt";
    if (!Os().FileExists(path))
        return;
    String text;
    try {
        text = DecodeTextFile(Os().ReadWholeFile(path));
    } catch (const EAppError&) {
        return; // an unreadable file is as good as a missing one: start-up goes on
    }
    if (text.empty())
        return;
    CurrentLanguage = WithoutExtension(text.substr(0, text.find_first_of(u"\r\n")));
}

void LoadSettings()
{
    if (!Os().OpenRegistryKey(SettingsKey, false))
        return;
    OpenKey key;
    ReadBoolean(u"AutoHide", AutoHide);
    ReadBoolean(u"TurnOnHotkey", TurnOnHotkey);
    ReadBoolean(u"AutoCapture", AutoCapture);
    ReadBoolean(u"AutoDelete", AutoDelete);
    ReadInteger(u"ClipboardMaxCount", ClipboardMaxCount);
    ReadText(u"CurrentLanguage", CurrentLanguage);
    // A value the bar cannot use counts as not saved, so the bar is centred.
    TRegistryValue left = Os().ReadRegistryValue(u"MenuBarLeft");
    MenuBarLeftSaved = left.Type == TRegistryType::Integer;
    if (MenuBarLeftSaved)
        MenuBarLeft = left.Integer;
    ReadInteger(u"MenuBarTop", MenuBarTop);
}

void WriteSettings(int menuBarLeft, int menuBarTop)
{
    if (!Os().OpenRegistryKey(SettingsKey, true))
        return;
    OpenKey key;
    WriteInteger(u"AutoHide", AutoHide ? 1 : 0);
    WriteInteger(u"TurnOnHotkey", TurnOnHotkey ? 1 : 0);
    WriteInteger(u"AutoCapture", AutoCapture ? 1 : 0);
    WriteInteger(u"AutoDelete", AutoDelete ? 1 : 0);
    WriteInteger(u"ClipboardMaxCount", ClipboardMaxCount);
    WriteText(u"CurrentLanguage", CurrentLanguage);
    WriteInteger(u"MenuBarLeft", menuBarLeft);
    WriteInteger(u"MenuBarTop", menuBarTop);
}
