#include "core/Hotkeys.h"

#include "core/OsServices.h"

void UnregisterNodeHotkey(int hotkey) { Os().UnregisterHotkey(hotkey); }
