// The text of a hotkey value as rows and the hot-key control show it: "Shift+", "Ctrl+" and
// "Alt+" for the modifiers present, in this order, then the key's name as Windows gives it.
#pragma once

#include "core/Text.h"

// Empty for 0 and for a key that has no name.
String ShortCutToText(int hotkey);
