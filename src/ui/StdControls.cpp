#include "ui/StdControls.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "ui/Application.h"
#include "ui/WinText.h"

TStdControl::TStdControl(TWinControl& parent, const wchar_t* className, DWORD style, DWORD exStyle, int id,
                         RECT bounds, StringView caption, HFONT font)
    : id_(id)
{
    handle_.reset(CreateWindowExW(exStyle, className, ToW(caption).c_str(), WS_CHILD | WS_VISIBLE | style,
                                  bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                                  parent.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  Application->Instance(), nullptr));
    if (!handle_)
        throw std::runtime_error("cannot create a control");
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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

bool TStdControl::DispatchCommand(const std::vector<TStdControl*>& controls, WPARAM wParam)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return false;
    for (TStdControl* control : controls) {
        if (control->Id() == LOWORD(wParam) && control->Enabled()) {
            if (control->OnClick)
                control->OnClick();
            return true;
        }
    }
    return false;
}

TButton::TButton(TWinControl& parent, int id, RECT bounds, StringView caption, HFONT font, bool isDefault)
    : TStdControl(parent, L"BUTTON", WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, id, bounds,
                  caption, font)
{
}

TCheckBox::TCheckBox(TWinControl& parent, int id, RECT bounds, StringView caption, HFONT font)
    : TStdControl(parent, L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, id, bounds, caption, font)
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

TGroupBox::TGroupBox(TWinControl& parent, RECT bounds, StringView caption, HFONT font)
    // Clipped by its siblings, so it never paints over the controls standing inside it.
    : TStdControl(parent, L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0, 0, bounds, caption, font)
{
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

namespace {
RECT TextBounds(HWND parent, POINT at, StringView caption, HFONT font)
{
    HDC dc = GetDC(parent);
    SIZE size{};
    {
        ScopedSelectObject select(dc, font);
        std::wstring text = ToW(caption);
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    ReleaseDC(parent, dc);
    return {at.x, at.y, at.x + size.cx, at.y + size.cy};
}
} // namespace

TStaticText::TStaticText(TWinControl& parent, POINT at, StringView caption, HFONT font)
    : TStdControl(parent, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, 0, TextBounds(parent.Handle(), at, caption, font),
                  caption, font)
{
}

void TStaticText::SetText(StringView text)
{
    TStdControl::SetText(text);
    const RECT at = BoundsRect();
    HWND parent = GetParent(Handle());
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    const RECT fit = TextBounds(parent, {at.left, at.top}, text, font);
    SetWindowPos(Handle(), nullptr, 0, 0, fit.right - fit.left, fit.bottom - fit.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TComboBox::TComboBox(TWinControl& parent, int id, RECT bounds, HFONT font)
    // A drop-down list is as high as its edit field plus the list it opens.
    : TStdControl(parent, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, id,
                  {bounds.left, bounds.top, bounds.right, bounds.top + 200}, u"", font)
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

namespace {
// The spin edit's field takes digits and a sign only.
LRESULT CALLBACK NumberKeysOnly(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (msg == WM_CHAR) {
        const wchar_t c = static_cast<wchar_t>(wParam);
        if (c >= L' ' && !(c >= L'0' && c <= L'9') && c != L'-' && c != L'+') {
            MessageBeep(0);
            return 0;
        }
    }
    if (msg == WM_NCDESTROY)
        RemoveWindowSubclass(h, NumberKeysOnly, 0);
    return DefSubclassProc(h, msg, wParam, lParam);
}
} // namespace

TSpinEdit::TSpinEdit(TWinControl& parent, int id, RECT bounds, HFONT font, int minValue, int maxValue,
                     int maxLength)
    : TStdControl(parent, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, id, bounds, u"", font),
      min_(minValue), max_(maxValue)
{
    SendMessageW(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    SetWindowSubclass(Handle(), NumberKeysOnly, 0, 0);
    // The up-down takes its room from the right end of the field.
    upDown_.reset(CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                  WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                      UDS_NOTHOUSANDS | UDS_HOTTRACK,
                                  0, 0, 0, 0, parent.Handle(), nullptr, Application->Instance(), nullptr));
    SendMessageW(upDown_.get(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
    SendMessageW(upDown_.get(), UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    SetValue(min_);
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
