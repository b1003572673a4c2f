// Child controls of the system's own classes inside a form: push buttons, check boxes, group
// boxes, static texts, drop-down lists and a spin edit (an edit with an up-down). They are
// windows of the system, not of our layer: their notifications reach the form as WM_COMMAND,
// which the form passes to DispatchCommand.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "core/Text.h"
#include "ui/Form.h"
#include "ui/Handles.h"

class TStdControl {
public:
    TStdControl(TWinControl& parent, const wchar_t* className, DWORD style, DWORD exStyle, int id, RECT bounds,
                StringView caption, HFONT font);
    virtual ~TStdControl() = default;
    TStdControl(const TStdControl&) = delete;
    TStdControl& operator=(const TStdControl&) = delete;

    HWND Handle() const { return handle_.get(); }
    int Id() const { return id_; }
    String Text() const;
    void SetText(StringView text);
    bool Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }
    void SetEnabled(bool enabled) { EnableWindow(Handle(), enabled); }
    bool Visible() const { return (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }
    void SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE); }
    // The control's rectangle in its parent's client coordinates.
    RECT BoundsRect() const;

    std::function<void()> OnClick;

    // Runs the click handler of the control that sent this WM_COMMAND; false when none did.
    static bool DispatchCommand(const std::vector<TStdControl*>& controls, WPARAM wParam);

private:
    UniqueWindow handle_;
    int id_;
};

class TButton : public TStdControl {
public:
    TButton(TWinControl& parent, int id, RECT bounds, StringView caption, HFONT font, bool isDefault = false);
};

class TCheckBox : public TStdControl {
public:
    TCheckBox(TWinControl& parent, int id, RECT bounds, StringView caption, HFONT font);
    bool Checked() const;
    // A change of state runs OnClick, as a click would.
    void SetChecked(bool checked);
};

class TGroupBox : public TStdControl {
public:
    TGroupBox(TWinControl& parent, RECT bounds, StringView caption, HFONT font);
};

class TStaticText : public TStdControl {
public:
    // Sized to its text, at creation and at every new text.
    TStaticText(TWinControl& parent, POINT at, StringView caption, HFONT font);
    void SetText(StringView text);
};

class TComboBox : public TStdControl {
public:
    // A drop-down list: the text is the selected item.
    TComboBox(TWinControl& parent, int id, RECT bounds, HFONT font);
    void AddItem(StringView text);
    int Count() const;
    String Item(int index) const;
    int ItemIndex() const;
    void SetItemIndex(int index);
};

class TSpinEdit : public TStdControl {
public:
    TSpinEdit(TWinControl& parent, int id, RECT bounds, HFONT font, int minValue, int maxValue, int maxLength);
    HWND UpDown() const { return upDown_.get(); }
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    // The number in the field brought into MinValue..MaxValue; text that is no number is MinValue.
    int Value() const;
    void SetValue(int value);
    void SetEnabled(bool enabled);

private:
    UniqueWindow upDown_;
    int min_;
    int max_;
};
