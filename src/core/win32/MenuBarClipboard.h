// The menu bar as a member of the clipboard viewer chain: joined by Join, left when this goes. It
// turns the chain messages into calls of the clipboard history. A text cut or copied to a folder
// other than Clipboards reaches the message editor through a message the bar posts itself, after
// the chain message has gone on.
#pragma once

#include <windows.h>

#include "core/ClipboardCapture.h"
#include "core/SnippetTree.h"

class TMenuBarClipboard {
public:
    // window: the bar's, which joins the chain and receives its messages.
    TMenuBarClipboard(HWND window, TTreeNodes& treeViewData);
    ~TMenuBarClipboard();
    TMenuBarClipboard(const TMenuBarClipboard&) = delete;
    TMenuBarClipboard& operator=(const TMenuBarClipboard&) = delete;

    static constexpr UINT UM_FOLDERCAPTURE = WM_USER + 7;
    static constexpr UINT UM_CAPTURESAVEERROR = WM_USER + 8;

    void Join();
    // Handles the chain messages, UM_FOLDERCAPTURE and UM_CAPTURESAVEERROR.
    void HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hNextClip = nullptr;
    bool FirstClipboardMsg = true;
    // Texts cut or copied to a folder other than Clipboards, waiting for the message editor.
    TFolderCaptures FolderCaptures;
    // The error of a capture's failed save, waiting to be shown; the bar posts itself
    // UM_CAPTURESAVEERROR to show it once the chain message has gone on.
    TCaptureSaveErrors CaptureSaveErrors;

private:
    void WMDrawClipboard(WPARAM wParam, LPARAM lParam);
    void WMChangeCBChain(WPARAM wParam, LPARAM lParam);
    void UserMsgFolderCapture();
    void UserMsgCaptureSaveError();

    HWND window_;
    TTreeNodes& treeViewData_;
    bool joined_ = false;
};
