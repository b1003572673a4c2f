// Child controls of the system's own classes inside a form: push buttons, check boxes, group
// boxes, labels, one-line and multi-line edits, the hot-key control, drop-down lists and a spin
// edit. Each control's object is attached to its window, so the form hands every WM_COMMAND and
// WM_NOTIFY to the object of the control that sent it; no form keeps a list of its controls.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "core/Text.h"
#include "ui/Form.h"
#include "ui/Handles.h"

// Sides of its parent a control keeps its distance to when the parent is resized. A control
// anchored to both opposite sides stretches; to neither of them, it keeps its place.
enum TAnchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

// The one font of every dialog.
HFONT DialogFont();
// A control of the system's edit class.
bool IsEditControl(HWND control);
// The size of a line of text in that font.
SIZE DialogTextSize(StringView text);
// A caption as drawn: "&&" shows one ampersand, a single one marks the access key and is not drawn.
String ShownCaption(StringView caption);

class TStdControl {
public:
    TStdControl(TWinControl& parent, const wchar_t* className, DWORD style, DWORD exStyle, RECT bounds,
                StringView caption, int id = 0);
    virtual ~TStdControl();
    TStdControl(const TStdControl&) = delete;
    TStdControl& operator=(const TStdControl&) = delete;

    // The object of a control window; nullptr for any other window.
    static TStdControl* FromHandle(HWND handle);

    HWND Handle() const { return handle_.get(); }
    int Id() const { return id_; }
    String Text() const;
    virtual void SetText(StringView text);
    bool Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }
    virtual void SetEnabled(bool enabled) { EnableWindow(Handle(), enabled); }
    bool Visible() const { return (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }
    virtual void SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE); }
    bool Focused() const { return GetFocus() == Handle(); }
    void SetFocus() { ::SetFocus(Handle()); }
    // The control's rectangle in its parent's client coordinates.
    RECT BoundsRect() const;
    virtual void SetBounds(RECT bounds);

    // Keeps the control's present distances to the given sides of its parent (TAnchor flags).
    void Anchor(unsigned anchors);
    // Moves or stretches the control for a new client size of its parent, as its anchors say.
    void ParentResized(int clientWidth, int clientHeight);

    // A notification the control sent to its parent (the code of its WM_COMMAND).
    virtual void WMCommand(int code);
    // A WM_NOTIFY the control sent; true when handled, with the message's result.
    virtual bool WMNotify(NMHDR&, LRESULT&) { return false; }

    std::function<void()> OnClick;

protected:
    // Replaces the control's window by one of the same place, text, font, order and state with
    // other styles, for styles the system reads only at creation.
    void Recreate(DWORD style, DWORD exStyle);

    // From now on the window's messages reach HookedMessage first (after Recreate, call it again
    // for the new window). The system's own subclassing finds its data in a window property on
    // every message, a round trip to the window server under Wine: on a list of thousands of
    // items that made each message cost a tenth of a millisecond, and opening and deleting in the
    // Organize window a second each.
    void HookMessages();
    // A message to the hooked window h; what it does not take it passes on to DefaultMessage.
    virtual LRESULT HookedMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
    // The control class's own handling of a message to h. It reads nothing of the object, so a
    // handler that ran before it may have freed or recreated the control.
    static LRESULT DefaultMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    HWND Create(HWND parent, DWORD style, DWORD exStyle, RECT bounds, StringView caption);
    void Attach();
    static LRESULT CALLBACK HookProc(HWND, UINT, WPARAM, LPARAM);

    const wchar_t* className_;
    UniqueWindow handle_;
    int id_;
    unsigned anchors_ = 0;
    RECT margins_{}; // distances to the parent's sides when anchored
};

class TButton : public TStdControl {
public:
    // A push button; a nonzero modalResult closes its modal form with that result after OnClick.
    TButton(TWinControl& parent, RECT bounds, StringView caption, int modalResult = 0, int id = 0);
    int ModalResult;
    void WMCommand(int code) override;
    // Shows an image list's first picture at the right end of the button, beside its caption.
    void SetImageRight(HIMAGELIST images);
    // The button Enter presses: drawn with the heavier frame.
    void SetDefault(bool isDefault);
};

class TCheckBox : public TStdControl {
public:
    TCheckBox(TWinControl& parent, RECT bounds, StringView caption, int id = 0);
    bool Checked() const;
    // A change of state runs OnClick, as a click would.
    void SetChecked(bool checked);
};

class TGroupBox : public TStdControl {
public:
    TGroupBox(TWinControl& parent, RECT bounds, StringView caption);
};

class TStaticText : public TStdControl {
public:
    // Sized to its text, at creation and at every new text.
    TStaticText(TWinControl& parent, POINT at, StringView caption);
    void SetText(StringView text) override;
};

// A label whose access key ("&Name:") moves the focus to its control.
class TStaticLabel : public TStdControl {
public:
    TStaticLabel(TWinControl& parent, RECT bounds, StringView caption, TStdControl* focusControl = nullptr,
                 bool centreVertically = false);
    TStdControl* FocusControl;
    // The caption marks key as its access key ("&N" for n or N).
    bool HasAccessKey(wchar_t key) const;
    // Moves the focus to FocusControl when it can take it (an edit's text selected, as the
    // dialog manager does); true when it did.
    bool FocusTarget();
};

// A sunken line across its width, at its bottom.
class TBevel : public TStdControl {
public:
    TBevel(TWinControl& parent, RECT bounds);
};

class TEdit : public TStdControl {
public:
    TEdit(TWinControl& parent, RECT bounds, int id = 0);
    // What the user can type at most; text set by the program is not cut.
    void SetMaxLength(int length);
    void SelectAll();
};

class TMemo : public TStdControl {
public:
    // A multi-line edit without a typing limit; Enter makes a line break.
    TMemo(TWinControl& parent, RECT bounds, int id = 0);

    // Replaces the selection (at the caret when there is none) by text, as typing would.
    void InsertText(StringView text);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    bool WordWrap() const { return wordWrap_; }
    // Lines wrap at the width (vertical scroll bar only) or scroll sideways (both scroll bars);
    // the text, the selection, the scroll position and the focus stay.
    void SetWordWrap(bool wrap);
    // The selection as code-unit positions.
    void GetSelection(int& start, int& end) const;
    void SetSelection(int start, int end);

    // A key going down in the field (F10 and keys with Alt included, which come as system keys),
    // with the modifiers held; true keeps it from the field and from the window's system menu.
    std::function<bool(unsigned key)> OnKeyDown;

protected:
    LRESULT HookedMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    static DWORD Style(bool wrap);
    void Subclass();
    bool wordWrap_ = true;
};

// The system's hot-key control, speaking the program's hotkey values.
class THotKey : public TStdControl {
public:
    THotKey(TWinControl& parent, RECT bounds, int id = 0);
    // The key with its modifiers as a hotkey value; 0 when none is set.
    int Value() const;
    void SetValue(int value);
};

class TComboBox : public TStdControl {
public:
    // A drop-down list: the text is the selected item.
    TComboBox(TWinControl& parent, RECT bounds, int id = 0);
    void AddItem(StringView text);
    int Count() const;
    String Item(int index) const;
    int ItemIndex() const;
    void SetItemIndex(int index);
};

class TSpinEdit : public TStdControl {
public:
    TSpinEdit(TWinControl& parent, RECT bounds, int minValue, int maxValue, int maxLength, int id = 0);
    HWND UpDown() const { return upDown_.get(); }
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    // The number in the field brought into MinValue..MaxValue; text that is no number is MinValue.
    int Value() const;
    void SetValue(int value);
    void SetEnabled(bool enabled) override;
    void SetVisible(bool visible) override;

protected:
    // The field takes digits and a sign only.
    LRESULT HookedMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    UniqueWindow upDown_;
    int min_;
    int max_;
};
