#include "core/win32/MenuBarClipboard.h"

#include "core/Globals.h"
#include "core/win32/UnitMenuBar.h"
#include "organize/win32/UnitMessage.h"
#include "ui/Application.h"

TMenuBarClipboard::TMenuBarClipboard(HWND window, TTreeNodes& treeViewData)
    : window_(window), treeViewData_(treeViewData)
{
    FolderCaptures.OnPending = [this] { PostMessageW(window_, UM_FOLDERCAPTURE, 0, 0); };
    CaptureSaveErrors.OnPending = [this] { PostMessageW(window_, UM_CAPTURESAVEERROR, 0, 0); };
    // Captures that waited for a modal window go on once the last one has closed, through
    // whichever bar is the program's: the handler outlives any one bar.
    Application->OnModalEnd = [] {
        if (FmMenuBar)
            FmMenuBar->Clipboard().FolderCaptures.Resume();
    };
}

TMenuBarClipboard::~TMenuBarClipboard()
{
    if (joined_)
        ChangeClipboardChain(window_, hNextClip);
}

void TMenuBarClipboard::Join()
{
    if (joined_)
        return;
    // The system shows the new viewer the clipboard once during the call, before hNextClip is
    // known; FirstClipboardMsg keeps that message from being captured or passed on.
    hNextClip = SetClipboardViewer(window_);
    joined_ = true;
}

void TMenuBarClipboard::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_DRAWCLIPBOARD: WMDrawClipboard(wParam, lParam); break;
    case WM_CHANGECBCHAIN: WMChangeCBChain(wParam, lParam); break;
    case UM_FOLDERCAPTURE: UserMsgFolderCapture(); break;
    case UM_CAPTURESAVEERROR: UserMsgCaptureSaveError(); break;
    default: break;
    }
}

void TMenuBarClipboard::WMDrawClipboard(WPARAM wParam, LPARAM lParam)
{
    HandleDrawClipboard(treeViewData_, FolderCaptures, CaptureSaveErrors, FirstClipboardMsg,
                        reinterpret_cast<std::uintptr_t>(hNextClip), wParam, lParam);
}

void TMenuBarClipboard::UserMsgFolderCapture()
{
    // The editor opens over no other modal window or message box (it would bring the hotkeys back
    // under the Options window): the captures wait until the last of them closes.
    if (ModalWindowOpen() || Application->MessageBoxLevel > 0)
        return;
    FolderCaptures.Deliver([](TTreeNode* folder, const String& text) {
        Guarded([&] { NewMessageFromClipboard(folder, text); });
    });
}

void TMenuBarClipboard::UserMsgCaptureSaveError()
{
    // The default error box, as for every other save the user starts.
    CaptureSaveErrors.Report([](const String& text) { Guarded([&] { throw EAppError(text); }); });
}

void TMenuBarClipboard::WMChangeCBChain(WPARAM wParam, LPARAM lParam)
{
    hNextClip = reinterpret_cast<HWND>(HandleChangeCBChain(reinterpret_cast<std::uintptr_t>(hNextClip), wParam, lParam));
}
