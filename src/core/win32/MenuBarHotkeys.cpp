#include "core/win32/MenuBarHotkeys.h"

#include "core/Hotkeys.h"
#include "core/OsServices.h"
#include "core/win32/UnitMenuBar.h"

TMenuBarHotkeys::TMenuBarHotkeys(TTreeNodes& treeViewData)
    : treeViewData_(treeViewData), tabPasteTimer_(TabPasteTimer, this)
{
    TimerHotkey.SetInterval(10);
    TimerHotkey.OnTimer = [this] { TimerHotkeyTimer(); };
    TimerTabPaste.SetInterval(100); // the engine sets 50 ms whenever it starts the timer
    TimerTabPaste.OnTimer = [this] { TimerTabPasteTimer(); };
}

TMenuBarHotkeys::~TMenuBarHotkeys() { UnregisterAllHotkeys(treeViewData_); }

void TMenuBarHotkeys::Restart(unsigned intervalMs)
{
    // Disabled first so that a running wait starts over even at an unchanged interval.
    TimerTabPaste.SetEnabled(false);
    TimerTabPaste.SetInterval(intervalMs);
    TimerTabPaste.SetEnabled(true);
}

void TMenuBarHotkeys::Stop() { TimerTabPaste.SetEnabled(false); }

void TMenuBarHotkeys::MyHotKey(WPARAM id, LPARAM keys)
{
    if (ModalWindowOpen()) {
        ModalClickAndBeep();
        return;
    }
    AltHotkeyNode = nullptr;
    const int hotkey = HotkeyValueOfId(static_cast<int>(id));
    if (hotkey <= 0)
        return; // not one of the program's registrations
    const bool alt = (LOWORD(keys) & ModAlt) != 0;
    TTreeNode* found = nullptr;
    treeViewData_.ForEachNode([&](TTreeNode& node, int index) {
        if (index == 0 || node.StateIndex != hotkey)
            return false; // the root is never matched
        found = &node;
        return true;
    });
    if (!found)
        return;
    if (alt) {
        AltHotkeyNode = found;
        TimerHotkey.SetEnabled(true);
        return;
    }
    // Pasted after the walk: the paste may show an error box, and the tree must not change under it.
    PasteMessageText(found->Content());
}

void TMenuBarHotkeys::TimerHotkeyTimer()
{
    if (OsInput().KeyState(VK_MENU_KEY) & 0x80)
        return;
    TimerHotkey.SetEnabled(false);
    TTreeNode* node = AltHotkeyNode;
    AltHotkeyNode = nullptr;
    if (node)
        PasteMessageText(node->Content());
}

void TMenuBarHotkeys::TimerTabPasteTimer() { SendNextPastePiece(); }
