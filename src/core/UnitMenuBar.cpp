#include "core/UnitMenuBar.h"

#include "core/Globals.h"
#include "core/Hotkeys.h"
#include "core/MenuBarPlacement.h"
#include "core/OsServices.h"
#include "core/TreeRoutines.h"
#include "ui/Application.h"

TFmMenuBar::TFmMenuBar() : TNonActivatingForm(u"TFmMenuBar")
{
    TreeViewData.OnDeletion = TreeViewDataDeletion;
    BuildDefaultTree(TreeViewData);
}

void TFmMenuBar::CreateControls()
{
    PanelMenuBar = MakeWindow<TPanel>(*this, u"TPanelMenuBar");
    PanelMenuBar->SetBounds(0, 0, LayoutWidth, BarHeight);
    CreateBarImages();
    CreateRowPictures();
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    FormCreate();
}

TFmMenuBar::~TFmMenuBar() { FormDestroy(); }

void TFmMenuBar::CreateParams(TCreateParams& params)
{
    TNonActivatingForm::CreateParams(params);
    params.Width = 498;
    params.Height = 141;
}

LRESULT TFmMenuBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_HOTKEY: MyHotKey(wParam, lParam); return 0;
    case WM_DRAWCLIPBOARD: return WMDrawClipboard(wParam, lParam);
    case WM_CHANGECBCHAIN: return WMChangeCBChain(wParam, lParam);
    case UM_FOLDERCAPTURE: UserMsgFolderCapture(); return 0;
    case UM_CAPTURESAVEERROR: UserMsgCaptureSaveError(); return 0;
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
    MenuFont = &Font;
    FirstClipboardMsg = true;
    CreateFolderCaptures();
    CreateHotkeyTimers();
}

void TFmMenuBar::FormDestroy()
{
    if (FmMenuBar == this)
        Application->OnModalEnd = nullptr;
    UnregisterAllHotkeys(TreeViewData);
    if (TabPasteTimer == this)
        TabPasteTimer = nullptr;
    if (MenuFont == &Font)
        MenuFont = nullptr;
    LeaveClipboardChain();
}

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
