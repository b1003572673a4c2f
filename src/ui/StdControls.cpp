#include "ui/StdControls.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "ui/Application.h"
#include "ui/DeferredRelease.h"
#include "ui/Font.h"
#include "ui/HandleMap.h"
#include "ui/WinText.h"

namespace {
THandleMap<TStdControl>& Controls()
{
    static THandleMap<TStdControl> controls;
    return controls;
}

// The class procedures of the hooked control windows, until each window is destroyed.
std::unordered_map<HWND, WNDPROC>& ClassProcs()
{
    static std::unordered_map<HWND, WNDPROC> procs;
    return procs;
}

// Ids only tell the dialog manager which button is the default; the object is found by handle.
// Unique within the parent, so they never run out however many dialogs a long run opens.
int FreeControlId(HWND parent)
{
    int id = 1000;
    while (GetDlgItem(parent, id))
        ++id;
    return id;
}
} // namespace

HFONT DialogFont()
{
    static TFont font = [] {
        LOGFONTW description{};
        description.lfHeight = -11;
        description.lfCharSet = DEFAULT_CHARSET;
        wcscpy_s(description.lfFaceName, L"Tahoma");
        TFont f;
        f.Assign(description);
        return f;
    }();
    return font.Get();
}

bool IsEditControl(HWND control)
{
    wchar_t className[16] = L"";
    GetClassNameW(control, className, 16);
    return lstrcmpiW(className, L"Edit") == 0;
}

TStdControl::TStdControl(TWinControl& parent, const wchar_t* className, DWORD style, DWORD exStyle, RECT bounds,
                         StringView caption, int id)
    : className_(className), id_(id ? id : FreeControlId(parent.Handle()))
{
    handle_.reset(Create(parent.Handle(), style, exStyle, bounds, caption));
    Attach();
}

TStdControl::~TStdControl()
{
    if (Handle())
        Controls().Remove(Handle(), this);
}

HWND TStdControl::Create(HWND parent, DWORD style, DWORD exStyle, RECT bounds, StringView caption)
{
    HWND h = CreateWindowExW(exStyle, className_, ToW(caption).c_str(), WS_CHILD | style, bounds.left, bounds.top,
                             bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), Application->Instance(), nullptr);
    if (!h)
        throw std::runtime_error("cannot create a control");
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
    return h;
}

void TStdControl::Attach() { Controls().Set(Handle(), this); }

TStdControl* TStdControl::FromHandle(HWND handle)
{
    return Controls().Get(handle);
}

void TStdControl::HookMessages()
{
    if (ClassProcs().count(Handle()))
        return; // hooked already: its class procedure is known
    const auto classProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TStdControl::HookProc)));
    if (!classProc)
        throw std::runtime_error("cannot hook a control's messages");
    ClassProcs()[Handle()] = classProc;
}

LRESULT CALLBACK TStdControl::HookProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto& procs = ClassProcs();
    const auto it = procs.find(h);
    if (it == procs.end())
        return DefWindowProcW(h, msg, wParam, lParam);
    const WNDPROC classProc = it->second;
    if (msg == WM_NCDESTROY) {
        procs.erase(it);
        // The class handles its last message as the window's procedure again, so whatever it
        // sends itself meanwhile still reaches it.
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)) == &TStdControl::HookProc)
            SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc));
        return CallWindowProcW(classProc, h, msg, wParam, lParam);
    }
    // While its object is being destroyed the window gets only what its class does.
    TStdControl* control = Controls().Get(h);
    if (!control)
        return CallWindowProcW(classProc, h, msg, wParam, lParam);
    const TDispatchScope scope;
    try {
        return control->HookedMessage(h, msg, wParam, lParam);
    } catch (...) {
        Application->HandleException();
        return 0;
    }
}

LRESULT TStdControl::HookedMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefaultMessage(h, msg, wParam, lParam);
}

LRESULT TStdControl::DefaultMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto it = ClassProcs().find(h);
    if (it == ClassProcs().end())
        return DefWindowProcW(h, msg, wParam, lParam);
    return CallWindowProcW(it->second, h, msg, wParam, lParam);
}

String TStdControl::Text() const
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(Handle())) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()))));
    return FromW(text);
}

void TStdControl::SetText(StringView text) { SetWindowTextW(Handle(), ToW(text).c_str()); }

RECT TStdControl::BoundsRect() const
{
    RECT r{};
    GetWindowRect(Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void TStdControl::SetBounds(RECT bounds)
{
    SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TStdControl::Anchor(unsigned anchors)
{
    anchors_ = anchors;
    RECT client{};
    GetClientRect(GetParent(Handle()), &client);
    const RECT r = BoundsRect();
    margins_ = {r.left, r.top, client.right - r.right, client.bottom - r.bottom};
}

void TStdControl::ParentResized(int clientWidth, int clientHeight)
{
    if (!anchors_)
        return;
    RECT r = BoundsRect();
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if ((anchors_ & akLeft) && (anchors_ & akRight)) {
        r.left = margins_.left;
        r.right = std::max<int>(r.left, clientWidth - margins_.right);
    } else if (anchors_ & akRight) {
        r.right = clientWidth - margins_.right;
        r.left = r.right - width;
    }
    if ((anchors_ & akTop) && (anchors_ & akBottom)) {
        r.top = margins_.top;
        r.bottom = std::max<int>(r.top, clientHeight - margins_.bottom);
    } else if (anchors_ & akBottom) {
        r.bottom = clientHeight - margins_.bottom;
        r.top = r.bottom - height;
    }
    SetBounds(r);
}

void TStdControl::WMCommand(int code)
{
    if (code == BN_CLICKED && OnClick)
        OnClick();
}

void TStdControl::Recreate(DWORD style, DWORD exStyle)
{
    HWND old = Handle();
    HWND parent = GetParent(old);
    const bool hadFocus = GetFocus() == old;
    const DWORD visible = GetWindowLongW(old, GWL_STYLE) & WS_VISIBLE;
    HWND created = Create(parent, style | visible, exStyle, BoundsRect(), Text());
    // The new window takes the old one's place in the tab order.
    SetWindowPos(created, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EnableWindow(created, IsWindowEnabled(old));
    Controls().Remove(old, this);
    handle_.reset(created);
    Attach();
    if (hadFocus)
        SetFocus();
}

TButton::TButton(TWinControl& parent, RECT bounds, StringView caption, int modalResult, int id)
    : TStdControl(parent, L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, bounds, caption, id),
      ModalResult(modalResult)
{
}

void TButton::WMCommand(int code)
{
    if (code != BN_CLICKED || !Enabled())
        return;
    const int result = ModalResult;
    HWND form = GetAncestor(Handle(), GA_ROOT);
    // The handler may end the form; the result is set on whatever form is still there.
    TStdControl::WMCommand(code);
    if (result != 0)
        if (auto* owner = dynamic_cast<TForm*>(TWinControl::FromHandle(form)))
            owner->ModalResult = result;
}

void TButton::SetImageRight(HIMAGELIST images)
{
    BUTTON_IMAGELIST list{};
    list.himl = images;
    list.margin = {0, 0, 4, 0};
    list.uAlign = BUTTON_IMAGELIST_ALIGN_RIGHT;
    SendMessageW(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

void TButton::SetDefault(bool isDefault)
{
    SendMessageW(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

TCheckBox::TCheckBox(TWinControl& parent, RECT bounds, StringView caption, int id)
    : TStdControl(parent, L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, bounds, caption, id)
{
}

bool TCheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked)
{
    if (checked == Checked())
        return;
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick)
        OnClick();
}

TGroupBox::TGroupBox(TWinControl& parent, RECT bounds, StringView caption)
    // Clipped by its siblings, so it never paints over the controls standing inside it.
    : TStdControl(parent, L"BUTTON", WS_VISIBLE | BS_GROUPBOX | WS_CLIPSIBLINGS, 0, bounds, caption)
{
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

SIZE DialogTextSize(StringView text)
{
    WindowDC dc(nullptr);
    SIZE size{};
    ScopedSelectObject select(dc.Get(), DialogFont());
    const std::wstring line = ToW(text);
    GetTextExtentPoint32W(dc.Get(), line.c_str(), static_cast<int>(line.size()), &size);
    return size;
}

String ShownCaption(StringView caption)
{
    String shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

namespace {
RECT TextBounds(POINT at, StringView caption)
{
    const SIZE size = DialogTextSize(caption);
    return {at.x, at.y, at.x + size.cx, at.y + size.cy};
}
} // namespace

TStaticText::TStaticText(TWinControl& parent, POINT at, StringView caption)
    : TStdControl(parent, L"STATIC", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, TextBounds(at, caption),
                  caption)
{
}

void TStaticText::SetText(StringView text)
{
    TStdControl::SetText(text);
    const RECT at = BoundsRect();
    const RECT fit = TextBounds({at.left, at.top}, text);
    SetWindowPos(Handle(), nullptr, 0, 0, fit.right - fit.left, fit.bottom - fit.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TStaticLabel::TStaticLabel(TWinControl& parent, RECT bounds, StringView caption, TStdControl* focusControl, bool centreVertically)
    : TStdControl(parent, L"STATIC", WS_VISIBLE | SS_LEFT | (centreVertically ? SS_CENTERIMAGE : 0), 0, bounds,
                  caption),
      FocusControl(focusControl)
{
    // The dialog manager gives a label's access key to the next control in the tab order: the
    // label stands right before its control.
    if (focusControl) {
        HWND before = GetWindow(focusControl->Handle(), GW_HWNDPREV);
        SetWindowPos(Handle(), before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

bool TStaticLabel::HasAccessKey(wchar_t key) const
{
    const String text = Text();
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i; // "&&" is a plain ampersand
            continue;
        }
        return CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<wchar_t>(text[i + 1])))) ==
               CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(key)));
    }
    return false;
}

bool TStaticLabel::FocusTarget()
{
    if (!FocusControl || !FocusControl->Visible() || !FocusControl->Enabled())
        return false;
    FocusControl->SetFocus();
    if (IsEditControl(FocusControl->Handle()) && !(GetWindowLongW(FocusControl->Handle(), GWL_STYLE) & ES_MULTILINE))
        SendMessageW(FocusControl->Handle(), EM_SETSEL, 0, -1);
    return true;
}

TBevel::TBevel(TWinControl& parent, RECT bounds)
    : TStdControl(parent, L"STATIC", WS_VISIBLE | SS_ETCHEDHORZ, 0,
                  {bounds.left, bounds.bottom - 2, bounds.right, bounds.bottom}, u"")
{
}

TEdit::TEdit(TWinControl& parent, RECT bounds, int id)
    : TStdControl(parent, L"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, bounds, u"", id)
{
}

void TEdit::SetMaxLength(int length) { SendMessageW(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(length), 0); }

void TEdit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }

DWORD TMemo::Style(bool wrap)
{
    const DWORD style = WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
    return wrap ? style : style | ES_AUTOHSCROLL | WS_HSCROLL;
}

TMemo::TMemo(TWinControl& parent, RECT bounds, int id)
    : TStdControl(parent, L"EDIT", WS_VISIBLE | Style(true), WS_EX_CLIENTEDGE, bounds, u"", id)
{
    Subclass();
}

void TMemo::Subclass()
{
    // 0 lifts the 32 K limit on what the user types.
    SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
    HookMessages();
}

LRESULT TMemo::HookedMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) && OnKeyDown) {
        bool kept = false;
        Guarded([&] { kept = OnKeyDown(static_cast<unsigned>(wParam)); });
        if (kept)
            return 0;
    }
    return DefaultMessage(h, msg, wParam, lParam);
}

void TMemo::InsertText(StringView text)
{
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(ToW(text).c_str()));
}

bool TMemo::ReadOnly() const { return (GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY) != 0; }

void TMemo::SetReadOnly(bool readOnly) { SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0); }

void TMemo::GetSelection(int& start, int& end) const
{
    DWORD from = 0, to = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    start = static_cast<int>(from);
    end = static_cast<int>(to);
}

void TMemo::SetSelection(int start, int end) { SendMessageW(Handle(), EM_SETSEL, start, end); }

void TMemo::SetWordWrap(bool wrap)
{
    if (wrap == wordWrap_)
        return;
    wordWrap_ = wrap;
    int start = 0, end = 0;
    GetSelection(start, end);
    const LRESULT firstLine = SendMessageW(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
    const bool readOnly = ReadOnly();
    const BOOL modified = static_cast<BOOL>(SendMessageW(Handle(), EM_GETMODIFY, 0, 0));
    Recreate(Style(wrap) | (readOnly ? ES_READONLY : 0), WS_EX_CLIENTEDGE);
    Subclass();
    SetSelection(start, end);
    SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
    const LRESULT nowFirst = SendMessageW(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(Handle(), EM_LINESCROLL, 0, firstLine - nowFirst);
    SendMessageW(Handle(), EM_SETMODIFY, modified, 0);
}

THotKey::THotKey(TWinControl& parent, RECT bounds, int id)
    : TStdControl(parent, HOTKEY_CLASSW, WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE, bounds, u"", id)
{
}

int THotKey::Value() const
{
    const auto word = static_cast<unsigned>(SendMessageW(Handle(), HKM_GETHOTKEY, 0, 0));
    const int key = static_cast<int>(word & 0xFF);
    if (key == 0)
        return 0;
    const unsigned modifiers = (word >> 8) & 0xFF;
    return key | ((modifiers & HOTKEYF_SHIFT) ? HotkeyShift : 0) | ((modifiers & HOTKEYF_CONTROL) ? HotkeyCtrl : 0) |
           ((modifiers & HOTKEYF_ALT) ? HotkeyAlt : 0);
}

void THotKey::SetValue(int value)
{
    const unsigned key = static_cast<unsigned>(value) & 0xFF;
    unsigned modifiers = 0;
    if (key != 0) {
        modifiers |= (value & HotkeyShift) ? HOTKEYF_SHIFT : 0;
        modifiers |= (value & HotkeyCtrl) ? HOTKEYF_CONTROL : 0;
        modifiers |= (value & HotkeyAlt) ? HOTKEYF_ALT : 0;
    }
    SendMessageW(Handle(), HKM_SETHOTKEY, MAKEWORD(key, modifiers), 0);
}

TComboBox::TComboBox(TWinControl& parent, RECT bounds, int id)
    // A drop-down list is as high as its edit field plus the list it opens.
    : TStdControl(parent, L"COMBOBOX", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                  {bounds.left, bounds.top, bounds.right, bounds.top + 200}, u"", id)
{
}

void TComboBox::AddItem(StringView text)
{
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToW(text).c_str()));
}

int TComboBox::Count() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }

String TComboBox::Item(int index) const
{
    const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return String();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return FromW(text.c_str());
}

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

TSpinEdit::TSpinEdit(TWinControl& parent, RECT bounds, int minValue, int maxValue, int maxLength, int id)
    : TStdControl(parent, L"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, bounds, u"", id),
      min_(minValue), max_(maxValue)
{
    SendMessageW(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    HookMessages();
    // The up-down takes its room from the right end of the field.
    upDown_.reset(CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                  WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                      UDS_NOTHOUSANDS | UDS_HOTTRACK,
                                  0, 0, 0, 0, parent.Handle(), nullptr, Application->Instance(), nullptr));
    SendMessageW(upDown_.get(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
    SendMessageW(upDown_.get(), UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    SetValue(min_);
}

LRESULT TSpinEdit::HookedMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CHAR) {
        const wchar_t c = static_cast<wchar_t>(wParam);
        if (c >= L' ' && !(c >= L'0' && c <= L'9') && c != L'-' && c != L'+') {
            MessageBeep(0);
            return 0;
        }
    }
    return DefaultMessage(h, msg, wParam, lParam);
}

int TSpinEdit::Value() const
{
    const String text = Text();
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    if (i == text.size())
        return min_;
    long long number = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return min_;
        number = std::min<long long>(number * 10 + (text[i] - u'0'), 1LL << 40);
    }
    if (negative)
        number = -number;
    return static_cast<int>(std::clamp<long long>(number, min_, max_));
}

void TSpinEdit::SetValue(int value)
{
    value = std::clamp(value, min_, max_);
    SendMessageW(upDown_.get(), UDM_SETPOS32, 0, value);
    const std::string digits = std::to_string(value);
    SetText(String(digits.begin(), digits.end()));
}

void TSpinEdit::SetEnabled(bool enabled)
{
    TStdControl::SetEnabled(enabled);
    EnableWindow(upDown_.get(), enabled);
}

void TSpinEdit::SetVisible(bool visible)
{
    TStdControl::SetVisible(visible);
    ShowWindow(upDown_.get(), visible ? SW_SHOWNA : SW_HIDE);
}
