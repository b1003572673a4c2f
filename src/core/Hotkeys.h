// Hotkey values and their registration with the system.
#pragma once

// Releases the system registration of a hotkey value; the one place that maps values to ids.
void UnregisterNodeHotkey(int hotkey);
