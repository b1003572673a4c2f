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
}

LRESULT TFmMenuBar::WMDrawClipboard(WPARAM wParam, LPARAM lParam)
{
    HandleDrawClipboard(TreeViewData, FolderCaptures, FirstClipboardMsg, reinterpret_cast<std::uintptr_t>(hNextClip),
                        wParam, lParam);
    return 0;
}

void TFmMenuBar::UserMsgFolderCapture()
{
    // One editor at a time: an open editor keeps the captures waiting, and its opener resumes
    // them when it closes. (Template mode keeps a hidden editor that is never open.)
    if (FmMessage && FmMessage->InModal())
        return;
    FolderCaptures.Deliver([](TTreeNode* folder, const String& text) {
        Guarded([&] { NewMessageFromClipboard(folder, text); });
    });
}

LRESULT TFmMenuBar::WMChangeCBChain(WPARAM wParam, LPARAM lParam)
{
    hNextClip = reinterpret_cast<HWND>(HandleChangeCBChain(reinterpret_cast<std::uintptr_t>(hNextClip), wParam, lParam));
    return 0;
}

void TFmMenuBar::LeaveClipboardChain() { ChangeClipboardChain(Handle(), hNextClip); }
