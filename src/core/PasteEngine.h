// The paste engine: puts a message into the focused window of another program by clipboard
// and Ctrl+V, after expanding the date and time macros; a message with key macros ("<^K=hh>")
// is typed in steps by the menu bar's TimerTabPaste, one piece of text or one key per step.
#pragma once

#include <cstddef>

#include "core/Text.h"

// The step timer of key-macro typing as the engine sees it: TimerTabPaste of the menu bar.
class ITabPasteTimer {
public:
    virtual ~ITabPasteTimer() = default;
    // Sets the interval and enables the timer; the wait begins anew even when it was running.
    virtual void Restart(unsigned intervalMs) = 0;
    virtual void Stop() = 0;
};

constexpr unsigned TabPasteInterval = 50;
constexpr unsigned TabPasteKeyDelay = 50;
constexpr int VK_CONTROL_KEY = 17;
constexpr int VK_MENU_KEY = 18;
constexpr unsigned KeyEventKeyUp = 2; // KEYEVENTF_KEYUP

// The macros as the message editor writes them.
constexpr char16_t DateMacro[] = u"<^DATE>";
constexpr char16_t TimeMacro[] = u"<^TIME>";
// "<^K=", the low 16 bits of virtualKey in upper-case hexadecimal (at least two digits), ">".
String KeyMacroText(int virtualKey);

// Every "<^DATE>" and "<^TIME>" (letter case ignored) replaced by now in the user's short date
// and long time formats.
String ExpandDateTimeMacros(StringView text);
// The position, counted from 1, of the first "<^K=" when a key macro begins there ("<^K=",
// two characters, ">"); 0 when the first "<^K=" begins none or there is none.
std::size_t KeyMacroPosition(StringView text);

// Pastes one message; returns before a key-macro message has been typed.
void PasteMessageText(StringView text);
// One tick of TimerTabPaste: sends the next piece of PendingPasteText.
void SendNextPastePiece();
// Ctrl+key into the focused window: four keyboard events with the keys' scan codes.
void SendCtrlKey(int key);
