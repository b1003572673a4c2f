// The menu bar as a member of the clipboard viewer chain: it turns the chain messages into calls of
// the clipboard history and leaves the chain when it goes. A text cut or copied to a folder other
// than Clipboards reaches the message editor through a message the bar posts itself, after the
// chain message has gone on.
#include "core/ClipboardCapture.h"
#include "core/Globals.h"
#include "core/UnitMenuBar.h"
#include "organize/UnitMessage.h"
#include "ui/Application.h"

void TFmMenuBar::CreateFolderCaptures()
{
    FolderCaptures.OnPending = [this] { PostMessageW(Handle(), UM_FOLDERCAPTURE, 0, 0); };
    CaptureSaveErrors.OnPending = [this] { PostMessageW(Handle(), UM_CAPTURESAVEERROR, 0, 0); };
    // Captures that waited for a modal window go on once the last one has closed.
    Application->OnModalEnd = [] {
        if (FmMenuBar)
            FmMenuBar->FolderCaptures.Resume();
    };
}

LRESULT TFmMenuBar::WMDrawClipboard(WPARAM wParam, LPARAM lParam)
{
    HandleDrawClipboard(TreeViewData, FolderCaptures, CaptureSaveErrors, FirstClipboardMsg,
                        reinterpret_cast<std::uintptr_t>(hNextClip), wParam, lParam);
    return 0;
}

void TFmMenuBar::UserMsgFolderCapture()
{
    // The editor opens over no other modal window or message box (it would bring the hotkeys back
    // under the Options window): the captures wait until the last of them closes.
    if (ModalWindowOpen() || Application->MessageBoxLevel > 0)
        return;
    FolderCaptures.Deliver([](TTreeNode* folder, const String& text) {
        Guarded([&] { NewMessageFromClipboard(folder, text); });
    });
}

void TFmMenuBar::UserMsgCaptureSaveError()
{
    // The default error box, as for every other save the user starts.
    CaptureSaveErrors.Report([](const String& text) { Guarded([&] { throw EAppError(text); }); });
}

LRESULT TFmMenuBar::WMChangeCBChain(WPARAM wParam, LPARAM lParam)
{
    hNextClip = reinterpret_cast<HWND>(HandleChangeCBChain(reinterpret_cast<std::uintptr_t>(hNextClip), wParam, lParam));
    return 0;
}

void TFmMenuBar::LeaveClipboardChain() { ChangeClipboardChain(Handle(), hNextClip); }
