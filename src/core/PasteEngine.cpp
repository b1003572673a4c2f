#include "core/PasteEngine.h"

#include "core/Globals.h"
#include "core/OsServices.h"

namespace {

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

// Replaces every occurrence of an upper-case ASCII pattern, letter case ignored.
String ReplaceAllIgnoringCase(StringView text, StringView pattern, StringView by)
{
    String out;
    std::size_t i = 0;
    while (i < text.size()) {
        bool hit = text.size() - i >= pattern.size();
        for (std::size_t k = 0; hit && k < pattern.size(); ++k)
            hit = AsciiUpper(text[i + k]) == pattern[k];
        if (hit) {
            out += by;
            i += pattern.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

// The program's own clipboard writes must not come back as captured texts.
void PasteByClipboard(StringView text)
{
    CaptureNextClipboardChange = false;
    try {
        OsClipboard().SetClipboardText(text);
    } catch (...) {
        // Nothing was written, so the next change is another program's and must be captured.
        CaptureNextClipboardChange = true;
        throw;
    }
    SendCtrlKey('V');
}

int HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// The macro's code read as the integer text "$hh"; the framework's conversion error otherwise.
int MacroKey(StringView digits)
{
    const int high = HexDigit(digits[0]), low = HexDigit(digits[1]);
    if (high < 0 || low < 0)
        throw EAppError(u"''$" + String(digits) + u"'' is not a valid integer value");
    return high * 16 + low;
}

} // namespace

String KeyMacroText(int virtualKey)
{
    constexpr char16_t digits[] = u"0123456789ABCDEF";
    unsigned value = static_cast<unsigned>(virtualKey) & 0xFFFF;
    String hex;
    do {
        hex.insert(hex.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (hex.size() < 2)
        hex.insert(hex.begin(), u'0');
    return u"<^K=" + hex + u">";
}

String ExpandDateTimeMacros(StringView text)
{
    const TDateTimeText now = OsText().CurrentDateTimeText();
    return ReplaceAllIgnoringCase(ReplaceAllIgnoringCase(text, DateMacro, now.Date), TimeMacro, now.Time);
}

std::size_t KeyMacroPosition(StringView text)
{
    const std::size_t at = text.find(u"<^K=");
    if (at == StringView::npos || text.size() < at + 7 || text[at + 6] != u'>')
        return 0;
    return at + 1;
}

void PasteMessageText(StringView text)
{
    String s = ExpandDateTimeMacros(text);
    if (KeyMacroPosition(s) > 0) {
        PendingPasteText = std::move(s);
        if (TabPasteTimer)
            TabPasteTimer->Restart(TabPasteInterval);
        return;
    }
    PasteByClipboard(s);
}

void SendNextPastePiece()
{
    if (TabPasteTimer)
        TabPasteTimer->Stop();
    const std::size_t p = KeyMacroPosition(PendingPasteText);
    if (p == 0) {
        PasteByClipboard(PendingPasteText);
        return;
    }
    const int key = MacroKey(StringView(PendingPasteText).substr(p + 3, 2));
    PasteByClipboard(StringView(PendingPasteText).substr(0, p - 1));
    OsInput().Sleep(TabPasteKeyDelay);
    OsInput().KeybdEvent(key, 0, 0);
    OsInput().KeybdEvent(key, 0, KeyEventKeyUp);
    PendingPasteText.erase(0, p + 6);
    if (TabPasteTimer)
        TabPasteTimer->Restart(TabPasteInterval);
}

void SendCtrlKey(int key)
{
    IInput& os = OsInput();
    const int ctrlScan = os.VirtualKeyScanCode(VK_CONTROL_KEY);
    const int keyScan = os.VirtualKeyScanCode(key);
    os.KeybdEvent(VK_CONTROL_KEY, ctrlScan, 0);
    os.KeybdEvent(key, keyScan, 0);
    os.KeybdEvent(key, keyScan, KeyEventKeyUp);
    os.KeybdEvent(VK_CONTROL_KEY, ctrlScan, KeyEventKeyUp);
}
