// The menu bar as a member of the clipboard viewer chain: it turns the chain messages into calls of
// the clipboard history and leaves the chain when it goes.
#include "core/ClipboardCapture.h"
#include "core/UnitMenuBar.h"

LRESULT TFmMenuBar::WMDrawClipboard(WPARAM wParam, LPARAM lParam)
{
    HandleDrawClipboard(TreeViewData, FirstClipboardMsg, reinterpret_cast<std::uintptr_t>(hNextClip), wParam,
                        lParam);
    return 0;
}

LRESULT TFmMenuBar::WMChangeCBChain(WPARAM wParam, LPARAM lParam)
{
    hNextClip = reinterpret_cast<HWND>(HandleChangeCBChain(reinterpret_cast<std::uintptr_t>(hNextClip), wParam, lParam));
    return 0;
}

void TFmMenuBar::LeaveClipboardChain() { ChangeClipboardChain(Handle(), hNextClip); }
