// The clipboard history: texts that programs put on the clipboard become entries of Clipboards,
// newest first. The menu bar learns of each change as a member of the clipboard viewer chain and
// hands the chain messages to the two handlers below, which keep the chain intact whatever the
// capture does.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <optional>

#include "core/NodeWatch.h"
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

// A new newest entry of folder holding text, where a capture puts one (after a menu's fixed rows),
// with Clipboards trimmed to its limit when AutoDelete is on; nothing is saved.
TTreeNode* InsertNewestEntry(TTreeNodes& items, TTreeNode* folder, const String& text);

// Stores the clipboard's current text in folder, then saves the data file. An equal entry (same
// length, then the locale comparison) moves to the head of the folder instead of a new one;
// Clipboards is then trimmed to its limit when AutoDelete is on. A clipboard that cannot be read
// changes nothing and saves nothing (false); true once the file is saved.
bool AddClipboardText(TTreeNodes& items, TTreeNode* folder);

// The errors of the saves after captures. A capture whose save fails stays in memory and the
// capturing goes on; the user hears of it once per run of failing saves (not once per copy),
// after the chain message has gone on, and again only after a save has worked.
class TCaptureSaveErrors {
public:
    // An error waits to be shown: the owner arranges a later call of Report.
    std::function<void()> OnPending;

    void Failed(String text);
    void Saved();
    // Hands the waiting error, if any, to show; once.
    void Report(const std::function<void(const String& text)>& show);

private:
    bool failing_ = false;
    std::optional<String> waiting_;
};

// Texts cut or copied to a folder other than Clipboards, waiting for the message editor. The editor
// is modal, so it never opens inside the chain message that brought the text: the owner asks to
// be called back later (the menu bar posts itself a message) and delivers them from there.
class TFolderCaptures {
public:
    // A capture is waiting: the owner arranges a later call of Deliver.
    std::function<void()> OnPending;

    void Add(TTreeNode* folder, String text);
    bool Empty() const { return pending_.empty(); }
    // Asks for a Deliver again when captures wait (after something that kept them waiting).
    void Resume();
    // Hands each waiting capture, oldest first, to open with its folder, or with MessagesNode when
    // that folder was deleted meanwhile. A Deliver from inside open returns at once: the running
    // one takes the captures that came meanwhile, one editor after the other.
    void Deliver(const std::function<void(TTreeNode* folder, const String& text)>& open);

private:
    struct TPending {
        TPending(TTreeNode* folder, String text) : Folder(folder), Text(std::move(text)) {}
        TNodeRef Folder;
        String Text;
    };
    std::list<TPending> pending_;
    bool delivering_ = false;
};

// WM_DRAWCLIPBOARD reached the menu bar: captures the text as CaptureNextClipboardChange,
// CaptureTargetNode and AutoCapture say (never on the first message after joining), then passes
// the message on to nextViewer. A text for a folder other than Clipboards goes to folderCaptures.
// A save that fails goes to saveErrors, other errors of the capture are dropped; the chain always
// gets the message.
void HandleDrawClipboard(TTreeNodes& items, TFolderCaptures& folderCaptures, TCaptureSaveErrors& saveErrors,
                         bool& firstClipboardMsg, std::uintptr_t nextViewer, std::uintptr_t wParam,
                         std::intptr_t lParam);

// WM_CHANGECBCHAIN reached the menu bar: the viewer `removed` leaves the chain and `following`
// came after it. Returns the bar's next viewer afterwards; a change further down the chain is
// passed on.
std::uintptr_t HandleChangeCBChain(std::uintptr_t nextViewer, std::uintptr_t removed, std::intptr_t following);
