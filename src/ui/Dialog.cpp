#include "ui/Dialog.h"

#include <windowsx.h>

TDialogForm::TDialogForm(String className, TBorder border) : TForm(std::move(className)), border_(border) {}

void TDialogForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    // Not clipping its children: group boxes leave their inside to the form's background.
    params.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    params.ExStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;
    if (border_ == TBorder::Sizeable) {
        params.Style |= WS_THICKFRAME;
    } else {
        params.Style |= DS_MODALFRAME;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
    }
}

void TDialogForm::SetDefaultButton(TButton* button)
{
    if (defaultButton_)
        defaultButton_->SetDefault(false);
    defaultButton_ = button;
    if (defaultButton_)
        defaultButton_->SetDefault(true);
}

void CenterWindowOnScreen(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDialogForm::CenterOnScreen() { CenterWindowOnScreen(Handle()); }

bool TDialogForm::FormCommand(int id)
{
    if (id == IDCANCEL && InModal() && CancelOnEscape && CancelButton) {
        CancelButton->WMCommand(BN_CLICKED);
        return true;
    }
    return TForm::FormCommand(id);
}

void TDialogForm::Activated()
{
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus))
        return;
    if (!lastFocus_ || !IsWindow(lastFocus_) || !IsChild(Handle(), lastFocus_) || !IsWindowEnabled(lastFocus_) ||
        !IsWindowVisible(lastFocus_))
        lastFocus_ = GetNextDlgTabItem(Handle(), nullptr, FALSE);
    if (lastFocus_)
        ::SetFocus(lastFocus_);
}

void TDialogForm::WMNextDlgCtl(WPARAM wParam, bool toControl)
{
    HWND focus = GetFocus();
    if (focus && !IsChild(Handle(), focus))
        focus = nullptr;
    HWND next = toControl ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(Handle(), focus, wParam != 0);
    if (next && IsChild(Handle(), next))
        FocusControl(next);
}

void TDialogForm::FocusControl(HWND control)
{
    const LRESULT code = SendMessageW(control, WM_GETDLGCODE, 0, 0);
    if (code & DLGC_HASSETSEL)
        SendMessageW(control, EM_SETSEL, 0, -1);
    ::SetFocus(control);
    const bool pushButton = (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
    HWND shownDefault = pushButton ? control : defaultButton_ ? defaultButton_->Handle() : nullptr;
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LRESULT childCode = SendMessageW(child, WM_GETDLGCODE, 0, 0);
        if (childCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
            SendMessageW(child, BM_SETSTYLE, child == shownDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

bool TDialogForm::PreTranslateKey(const MSG& msg)
{
    if (TForm::PreTranslateKey(msg))
        return true;
    // Alt and a label's access key: the focus goes to the label's control.
    if (msg.message != WM_SYSCHAR || !(msg.hwnd == Handle() || IsChild(Handle(), msg.hwnd)))
        return false;
    // In a hot-key field Alt with a key is the hotkey being entered: it is no access key, and
    // the control has taken it from the key press already.
    if (dynamic_cast<THotKey*>(TStdControl::FromHandle(msg.hwnd)))
        return true;
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        auto* label = dynamic_cast<TStaticLabel*>(TStdControl::FromHandle(child));
        if (label && label->Visible() && label->HasAccessKey(static_cast<wchar_t>(msg.wParam)))
            return label->FocusTarget();
    }
    return false;
}

LRESULT TDialogForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_DIALOGFOREGROUND:
        UserMsgSetForegroundWindow();
        return 0;
    case WM_ACTIVATE: {
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus))
                lastFocus_ = focus;
        }
        // The system gives the focus to the window itself; a control takes it over.
        const LRESULT result = TForm::WndProc(msg, wParam, lParam);
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            Activated();
        return result;
    }
    case WM_NEXTDLGCTL:
        WMNextDlgCtl(wParam, LOWORD(lParam) != 0);
        return 0;
    case DM_GETDEFID:
        if (defaultButton_ && defaultButton_->Enabled())
            return MAKELRESULT(defaultButton_->Id(), DC_HASDEFID);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Texts and check boxes on the form's own face colour; a read-only edit that can be used
        // stays white, as a text to read and select.
        HWND control = reinterpret_cast<HWND>(lParam);
        const int colour = IsEditControl(control) && IsWindowEnabled(control) ? COLOR_WINDOW : COLOR_BTNFACE;
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(colour));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(colour));
    }
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (MinWidth > 0)
            info->ptMinTrackSize.x = MinWidth;
        if (MinHeight > 0)
            info->ptMinTrackSize.y = MinHeight;
        return 0;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            const int width = GET_X_LPARAM(lParam);
            const int height = GET_Y_LPARAM(lParam);
            for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (TStdControl* control = TStdControl::FromHandle(child))
                    control->ParentResized(width, height);
            // A window is sized while it is made, before its controls are there.
            if (ControlsCreated())
                Resized();
            ::InvalidateRect(Handle(), nullptr, FALSE);
        }
        return 0;
    default:
        break;
    }
    return TForm::WndProc(msg, wParam, lParam);
}
