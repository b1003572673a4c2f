#include "core/Hotkeys.h"

#include "core/Globals.h"
#include "core/OsServices.h"

namespace {
constexpr int ModifierBits = HotkeyShift | HotkeyCtrl | HotkeyAlt;
constexpr int IdKeyBits = 8; // virtual keys are 0 to $FF
} // namespace

int HotkeyId(int hotkey)
{
    hotkey &= 0xFFFF;
    const int key = hotkey & ~ModifierBits;
    if (key > 0xFF)
        return -1;
    return ((hotkey & ModifierBits) >> (13 - IdKeyBits)) | key;
}

int HotkeyValueOfId(int id)
{
    if (id < 0 || id > 0x7FF)
        return -1;
    return ((id >> IdKeyBits) << 13) | (id & 0xFF);
}

unsigned ShiftToHotkeyModifiers(int hotkey)
{
    unsigned modifiers = 0;
    if (hotkey & HotkeyShift)
        modifiers |= ModShift;
    if (hotkey & HotkeyCtrl)
        modifiers |= ModControl;
    if (hotkey & HotkeyAlt)
        modifiers |= ModAlt;
    return modifiers;
}

bool RegisterShortCutHotkey(int hotkey)
{
    const int id = HotkeyId(hotkey);
    if (id < 0)
        return false;
    return OsInput().RegisterHotkey(id, ShiftToHotkeyModifiers(hotkey), static_cast<unsigned>(hotkey & 0x1FFF));
}

bool UnregisterNodeHotkey(int hotkey)
{
    const int id = HotkeyId(hotkey);
    return id >= 0 && OsInput().UnregisterHotkey(id);
}

void ReleaseDeletedNodeHotkey(TTreeNodes& items, const TTreeNode& node)
{
    const int hotkey = node.StateIndex & 0xFFFF;
    if (hotkey == 0 || !UnregisterNodeHotkey(hotkey))
        return;
    items.ForEachNode([&](TTreeNode& other, int) {
        // Never to a node that goes with this one, still in the tree while they are told of.
        if (&other == &node || other.Leaving() || (other.StateIndex & 0xFFFF) != hotkey)
            return false;
        other.Enabled = RegisterShortCutHotkey(hotkey);
        return true;
    });
}

void RegisterAllHotkeys(TTreeNodes& items)
{
    if (!TurnOnHotkey)
        return;
    items.ForEachNode([](TTreeNode& node, int) {
        if (node.StateIndex != 0)
            node.Enabled = RegisterShortCutHotkey(node.StateIndex & 0xFFFF);
        return false;
    });
}

void UnregisterAllHotkeys(TTreeNodes& items)
{
    items.ForEachNode([](TTreeNode& node, int) {
        if (node.StateIndex != 0 && UnregisterNodeHotkey(node.StateIndex))
            node.Enabled = false;
        return false;
    });
}

void WithHotkeysReleased(TTreeNodes& items, const std::function<void()>& work)
{
    UnregisterAllHotkeys(items);
    try {
        work();
    } catch (...) {
        RegisterAllHotkeys(items);
        throw;
    }
    RegisterAllHotkeys(items);
}

bool IsHotkeyInUse(const TTreeNodes& items, const TTreeNode* node, int hotkey)
{
    hotkey &= 0xFFFF;
    if (hotkey == 0)
        return false;
    bool found = false;
    items.ForEachNode([&](TTreeNode& other, int) {
        found = other.StateIndex == hotkey && &other != node;
        return found;
    });
    return found;
}

bool CanRegisterHotkey(int hotkey)
{
    const bool registered = RegisterShortCutHotkey(hotkey);
    UnregisterNodeHotkey(hotkey);
    return registered;
}
