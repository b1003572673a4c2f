#include "core/win32/UnitMenuBar.h"

#include "core/win32/MenuBarClipboard.h"
#include "core/win32/MenuBarHotkeys.h"
#include "core/win32/MenuBarLabels.h"
#include "core/MenuBarPlacement.h"
#include "core/win32/MenuBarRowPictures.h"
#include "core/NodeWatch.h"
#include "core/OsServices.h"
#include "core/TreeRoutines.h"
#include "ui/Application.h"

TFmMenuBar::TFmMenuBar() : TNonActivatingForm(u"TFmMenuBar")
{
    TreeViewData.OnDeletion = TreeViewDataDeletion;
    TreeViewData.OnDeletionBegin = NotifyDeletionBegins;
    TreeViewData.OnDeletionEnd = NotifyDeletionEnded;
    BuildDefaultTree(TreeViewData);
}

void TFmMenuBar::CreateControls()
{
    PanelMenuBar = MakeWindow<TPanel>(*this, u"TPanelMenuBar");
    PanelMenuBar->SetBounds(0, 0, LayoutWidth, BarHeight);
    labels_ = std::make_unique<TMenuBarLabels>(*this, *PanelMenuBar);
    rowPictures_ = std::make_unique<TMenuBarRowPictures>(*PanelMenuBar);
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    FormCreate();
    clipboard_ = std::make_unique<TMenuBarClipboard>(Handle(), TreeViewData);
    hotkeys_ = std::make_unique<TMenuBarHotkeys>(TreeViewData);
}

TFmMenuBar::~TFmMenuBar() = default;

TTreeNodes& SnippetTree() { return FmMenuBar->TreeViewData; }

void TFmMenuBar::CreateParams(TCreateParams& params)
{
    TNonActivatingForm::CreateParams(params);
    params.Width = 498;
    params.Height = 141;
}

LRESULT TFmMenuBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Only their own messages reach the parts: the window outlives them.
    switch (msg) {
    case WM_HOTKEY:
        if (hotkeys_)
            hotkeys_->MyHotKey(wParam, lParam);
        return 0;
    case WM_DRAWCLIPBOARD:
    case WM_CHANGECBCHAIN:
    case TMenuBarClipboard::UM_FOLDERCAPTURE:
    case TMenuBarClipboard::UM_CAPTURESAVEERROR:
        if (clipboard_)
            clipboard_->HandleMessage(msg, wParam, lParam);
        return 0;
    case WM_CLOSE: return 0; // the bar lives as long as the program; Exit ends both
    default: return TNonActivatingForm::WndProc(msg, wParam, lParam);
    }
}

LRESULT TFmMenuBar::WMMouseActivate()
{
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    return MA_NOACTIVATE;
}

void TFmMenuBar::FormCreate()
{
    SetWindowLongPtrW(Handle(), GWLP_USERDATA, OwnWindowMarker);
    SetWindowLongPtrW(PanelMenuBar->Handle(), GWLP_USERDATA, OwnWindowMarker);
    // Off screen until the labels are built and the bar is placed.
    SetBounds(GetSystemMetrics(SM_CXSCREEN), 0, Width(), Height());
    SetClientSize(PanelMenuBar->Width(), PanelMenuBar->Height());
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    Font.Assign(metrics.lfMenuFont);
}

void TFmMenuBar::InitToolBarMenu() { labels_->InitToolBarMenu(); }

void TFmMenuBar::JoinClipboardChain() { clipboard_->Join(); }

void TFmMenuBar::DropDownShown() { labels_->DropDownShown(); }

void TFmMenuBar::DropDownHidden(int menuIndex) { labels_->DropDownHidden(menuIndex); }

bool ModalWindowOpen() { return Application->ModalLevel > 0 || OpenMessageBoxCount > 0; }

void ModalClickAndBeep()
{
    IInput& os = OsInput();
    // A hidden bar (minimized to the tray) has another program's window where it would be: a
    // click there would reach that program, so only the beep is left; so too for a bar whose
    // every pixel is off the screen.
    std::optional<TScreenPoint> point;
    if (FmMenuBar->Visible()) {
        const POINT origin = FmMenuBar->ClientToScreen({0, 0});
        point = ModalClickPoint({origin.x, origin.y}, FmMenuBar->ClientWidth(), FmMenuBar->ClientHeight(),
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    }
    if (point) {
        const TScreenPoint old = os.CursorPos();
        os.SetCursorPos(*point);
        os.MouseEvent(MOUSEEVENTF_LEFTDOWN);
        os.MouseEvent(MOUSEEVENTF_LEFTUP);
        os.SetCursorPos(old);
    }
    os.MessageBeep(0);
}
