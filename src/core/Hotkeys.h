// Hotkey values and their registration with the system for the menu-bar window.
//
// A hotkey value is a 16-bit word: the virtual key in bits 0 to 12, Shift $2000, Ctrl $4000,
// Alt $8000 (HotkeyShift, HotkeyCtrl and HotkeyAlt of core/Text.h); 0 for none. The system takes
// application hotkey ids only from 0 to $BFFF, while Ctrl+Alt values reach $C000 and above, so
// every registration, unregistration and WM_HOTKEY goes through HotkeyId / HotkeyValueOfId, a
// one-to-one mapping of the values the system can register (virtual keys 0 to $FF) onto ids 0 to
// $7FF.
#pragma once

#include <functional>

#include "core/SnippetTree.h"

// Modifier flags of RegisterHotKey and of WM_HOTKEY's lParam.
constexpr unsigned ModAlt = 1;
constexpr unsigned ModControl = 2;
constexpr unsigned ModShift = 4;

// The system id of a hotkey value (its low 16 bits); -1 for a value whose key part is no virtual
// key (above $FF), which no registration can hold.
int HotkeyId(int hotkey);
// The hotkey value that HotkeyId maps to id; -1 for an id outside the mapping.
int HotkeyValueOfId(int id);

// Shift -> 4, Ctrl -> 2, Alt -> 1, or-ed, from the modifier bits of a hotkey value.
unsigned ShiftToHotkeyModifiers(int hotkey);
// Registers the value with the system; true when the system accepted it.
bool RegisterShortCutHotkey(int hotkey);
// Releases the system registration of a hotkey value; true when there was one to release.
bool UnregisterNodeHotkey(int hotkey);

// A node carrying the hotkey is being deleted: its registration is released and, when there was
// one, the first other node in pre-order that carries the same value takes it over (the release
// took the combination from every node sharing it). Nothing is registered when nothing was
// released: hotkeys are off, or unregistered while an editor or Options is open.
void ReleaseDeletedNodeHotkey(TTreeNodes& items, const TTreeNode& node);

// Registers the hotkey of every node that has one, when TurnOnHotkey is on; each node's Enabled
// tells whether its registration worked. Of nodes sharing a value the first in pre-order gets it.
void RegisterAllHotkeys(TTreeNodes& items);
// Unregisters the hotkey of every node that has one; Enabled goes False where that worked.
void UnregisterAllHotkeys(TTreeNodes& items);
// Runs work with every hotkey of items unregistered (no hotkey pastes while a window edits them)
// and registers them again after it, also when an exception passes, so what work changed counts.
void WithHotkeysReleased(TTreeNodes& items, const std::function<void()>& work);
// True when a node of the tree other than node (nullptr for a message not yet in the tree)
// carries the value; its low 16 bits count.
bool IsHotkeyInUse(const TTreeNodes& items, const TTreeNode* node, int hotkey);
// Whether the system lets the program have the value: registers and at once unregisters it.
bool CanRegisterHotkey(int hotkey);
