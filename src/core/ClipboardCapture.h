// The clipboard history: texts that programs put on the clipboard become entries of Clipboards,
// newest first. The menu bar learns of each change as a member of the clipboard viewer chain and
// hands the chain messages to the two handlers below, which keep the chain intact whatever the
// capture does.
#pragma once

#include <cstdint>

#include "core/SnippetTree.h"

// The chain messages the menu bar takes part in.
constexpr unsigned ClipboardMsgDrawClipboard = 0x0308;  // WM_DRAWCLIPBOARD
constexpr unsigned ClipboardMsgChangeCBChain = 0x030D;  // WM_CHANGECBCHAIN

// The number of entries Clipboards keeps when AutoDelete is on: ClipboardMaxCount brought into
// the range the Options window allows, so that an edited registry value can neither delete the
// fixed rows nor disable the limit.
int ClipboardHistoryLimit();
// Deletes the oldest messages of Clipboards beyond that limit, with their hotkeys; the fixed rows
// and every other row (a folder the user put there) stay and do not count. Callers decide by
// AutoDelete; nothing is saved.
void TrimClipboardHistory(TTreeNodes& items);

// Stores the clipboard's current text in folder, then saves the data file. An equal entry (same
// length, then the locale comparison) moves to the head of the folder instead of a new one;
// Clipboards is then trimmed to its limit when AutoDelete is on. A clipboard that cannot be read
// changes nothing and saves nothing.
void AddClipboardText(TTreeNodes& items, TTreeNode* folder);

// WM_DRAWCLIPBOARD reached the menu bar: captures the text as CaptureNextClipboardChange,
// CaptureTargetNode and AutoCapture say (never on the first message after joining, never a
// content its writer marked as not for clipboard managers), then passes the message on to
// nextViewer. Errors of the capture are dropped; the chain always gets the
// message.
void HandleDrawClipboard(TTreeNodes& items, bool& firstClipboardMsg, std::uintptr_t nextViewer,
                         std::uintptr_t wParam, std::intptr_t lParam);

// WM_CHANGECBCHAIN reached the menu bar: the viewer `removed` leaves the chain and `following`
// came after it. Returns the bar's next viewer afterwards; a change further down the chain is
// passed on.
std::uintptr_t HandleChangeCBChain(std::uintptr_t nextViewer, std::uintptr_t removed, std::intptr_t following);
