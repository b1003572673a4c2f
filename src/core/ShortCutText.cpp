#include "core/ShortCutText.h"

#include "core/Hotkeys.h"
#include "core/OsServices.h"

String ShortCutToText(int hotkey)
{
    const int key = hotkey & 0xFF;
    if (key == 0)
        return String();
    const String name = OsInput().KeyName(key);
    if (name.empty())
        return String();
    String text;
    if (hotkey & HotkeyShift)
        text += u"Shift+";
    if (hotkey & HotkeyCtrl)
        text += u"Ctrl+";
    if (hotkey & HotkeyAlt)
        text += u"Alt+";
    return text + name;
}
