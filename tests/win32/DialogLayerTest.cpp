#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "Environment.h"
#include "ModalDriver.h"
#include "core/Globals.h"
#include "core/SharedRoutines.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "ui/Application.h"
#include "ui/ComCtrls.h"
#include "ui/Dialog.h"
#include "ui/ImageList.h"
#include "ui/PopupMenu.h"
#include "ui/WinText.h"

namespace {

// A sizeable dialog with one control of each kind the dialogs use.
class TTestDialog : public TDialogForm {
public:
    TTestDialog() : TDialogForm(u"TTestDialog", TBorder::Sizeable) {}
    void CreateControls() override
    {
        SetClientSize(300, 200);
        Edit = std::make_unique<TEdit>(*this, RECT{10, 30, 290, 51});
        Label = std::make_unique<TStaticLabel>(*this, RECT{10, 10, 290, 23}, u"&Name:", Edit.get());
        Memo = std::make_unique<TMemo>(*this, RECT{10, 60, 290, 150});
        Check = std::make_unique<TCheckBox>(*this, RECT{10, 160, 100, 177}, u"Check");
        Ok = std::make_unique<TButton>(*this, RECT{130, 165, 205, 190}, u"&Ok", mrOk);
        Cancel = std::make_unique<TButton>(*this, RECT{215, 165, 290, 190}, u"&Cancel", mrCancel);
        SetDefaultButton(Ok.get());
        CancelButton = Cancel.get();
        Edit->Anchor(akLeft | akTop | akRight);
        Memo->Anchor(akLeft | akTop | akRight | akBottom);
        Check->Anchor(akLeft | akBottom);
        Ok->Anchor(akRight | akBottom);
        Cancel->Anchor(akRight | akBottom);
        MinWidth = 250;
        MinHeight = 220;
    }
    std::unique_ptr<TEdit> Edit;
    std::unique_ptr<TStaticLabel> Label;
    std::unique_ptr<TMemo> Memo;
    std::unique_ptr<TCheckBox> Check;
    std::unique_ptr<TButton> Ok;
    std::unique_ptr<TButton> Cancel;
};

struct DialogLayer : testing::Test {
    void SetUp() override { ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; })); }
};

TEST_F(DialogLayer, EveryWayOfClosingEndsTheLoopWithItsResultAndGivesTheOtherWindowsBack)
{
    FmMenuBar->InitToolBarMenu();
    ASSERT_TRUE(FmMenuBar->Visible());
    const struct {
        const char* name;
        bool cancelOnEscape;
        std::function<void(TTestDialog&)> act;
        int expected;
    } cases[] = {
        {"Esc where it must not cancel, then the close box", false,
         [](TTestDialog& d) {
             PostKey(d.Edit->Handle(), VK_ESCAPE);
             PostMessageW(d.Handle(), WM_CLOSE, 0, 0);
         },
         mrCancel},
        {"close box", true, [](TTestDialog& d) { PostMessageW(d.Handle(), WM_CLOSE, 0, 0); }, mrCancel},
        {"system close", true, [](TTestDialog& d) { PostMessageW(d.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
         mrCancel},
        {"Esc in the edit", true, [](TTestDialog& d) { PostKey(d.Edit->Handle(), VK_ESCAPE); }, mrCancel},
        {"Enter in the edit presses the default button", true,
         [](TTestDialog& d) { PostKey(d.Edit->Handle(), VK_RETURN); }, mrOk},
        {"a button's result", true, [](TTestDialog& d) { SendMessageW(d.Cancel->Handle(), BM_CLICK, 0, 0); },
         mrCancel},
        {"Esc presses the cancel button, with its own result", true,
         [](TTestDialog& d) {
             d.Cancel->ModalResult = mrClose;
             PostKey(d.Edit->Handle(), VK_ESCAPE);
         },
         mrClose},
        {"Esc without a cancel button", true,
         [](TTestDialog& d) {
             d.CancelButton = nullptr;
             PostKey(d.Edit->Handle(), VK_ESCAPE);
         },
         mrCancel},
        {"the window destroyed", true, [](TTestDialog& d) { DestroyWindow(d.Handle()); }, mrCancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto dialogWindow = MakeWindow<TTestDialog>();
        TTestDialog& dialog = *dialogWindow;
        dialog.CancelOnEscape = c.cancelOnEscape;
        bool barDisabledWhileOpen = false;
        int levelWhileOpen = 0;
        TWhileModal driver([&] { return dialog.Visible(); },
                           [&] {
                               barDisabledWhileOpen = !IsWindowEnabled(FmMenuBar->Handle());
                               levelWhileOpen = Application->ModalLevel;
                               dialog.Edit->SetFocus();
                               c.act(dialog);
                           });
        EXPECT_EQ(dialog.ShowModal(), c.expected);
        EXPECT_TRUE(driver.Acted());
        EXPECT_TRUE(barDisabledWhileOpen);
        EXPECT_EQ(levelWhileOpen, 1);
        EXPECT_EQ(Application->ModalLevel, 0);
        EXPECT_TRUE(IsWindowEnabled(FmMenuBar->Handle()));
    }
}

TEST_F(DialogLayer, WhereEscMustNotCancelItReachesNeitherTheDialogNorTheMultiLineEdit)
{
    const auto dialogWindow = MakeWindow<TTestDialog>();
    TTestDialog& dialog = *dialogWindow;
    dialog.CancelOnEscape = false;
    dialog.Memo->SetText(u"typed text");
    bool openAfterEsc = false;
    TWhileModal esc([&] { return dialog.Visible(); },
                    [&] {
                        dialog.Memo->SetFocus();
                        PostKey(dialog.Memo->Handle(), VK_ESCAPE);
                        PostKey(dialog.Edit->Handle(), VK_ESCAPE);
                    });
    // The posted keys are handled before the next tick: the window is still up; then OK closes it.
    TWhileModal ok([&] { return esc.Acted() && dialog.Visible(); },
                   [&] {
                       openAfterEsc = dialog.Visible() && dialog.ModalResult == 0;
                       SendMessageW(dialog.Ok->Handle(), BM_CLICK, 0, 0);
                   });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_TRUE(openAfterEsc);
    EXPECT_EQ(ToUtf8(dialog.Memo->Text()), "typed text");
}

TEST_F(DialogLayer, NotificationsReachTheObjectOfTheControlThatSentThem)
{
    const auto dialogWindow = MakeWindow<TTestDialog>();
    TTestDialog& dialog = *dialogWindow;
    int checks = 0, oks = 0;
    dialog.Check->OnClick = [&] { ++checks; };
    dialog.Ok->OnClick = [&] { ++oks; };
    dialog.Ok->ModalResult = 0;
    SendMessageW(dialog.Check->Handle(), BM_CLICK, 0, 0);
    SendMessageW(dialog.Ok->Handle(), BM_CLICK, 0, 0);
    SendMessageW(dialog.Ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(oks, 2);
    EXPECT_TRUE(dialog.Check->Checked());
    EXPECT_EQ(TStdControl::FromHandle(dialog.Memo->Handle()), dialog.Memo.get());
    EXPECT_EQ(TStdControl::FromHandle(dialog.Handle()), nullptr);
    // One font for every control of every dialog.
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(dialog.Edit->Handle(), WM_GETFONT, 0, 0)), DialogFont());
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(dialog.Ok->Handle(), WM_GETFONT, 0, 0)), DialogFont());
    EXPECT_TRUE(GetWindowLongW(dialog.Ok->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    // Owned by the hidden main window, so no taskbar button.
    EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), FmMain->Handle());
}

TEST_F(DialogLayer, AnchoredControlsFollowTheWindowDownToItsMinimumSize)
{
    const auto dialogWindow = MakeWindow<TTestDialog>();
    TTestDialog& dialog = *dialogWindow;
    dialog.SetBounds(dialog.Left(), dialog.Top(), dialog.Width() + 100, dialog.Height() + 50);
    EXPECT_EQ(dialog.ClientWidth(), 400);
    EXPECT_EQ(dialog.ClientHeight(), 250);
    auto bounds = [](const TStdControl& c) { return c.BoundsRect(); };
    EXPECT_EQ(bounds(*dialog.Edit).left, 10);
    EXPECT_EQ(bounds(*dialog.Edit).right, 390);
    EXPECT_EQ(bounds(*dialog.Edit).top, 30);
    EXPECT_EQ(bounds(*dialog.Memo).bottom, 200);
    EXPECT_EQ(bounds(*dialog.Memo).right, 390);
    EXPECT_EQ(bounds(*dialog.Check).top, 210);
    EXPECT_EQ(bounds(*dialog.Check).left, 10);
    EXPECT_EQ(bounds(*dialog.Ok).left, 230);
    EXPECT_EQ(bounds(*dialog.Ok).top, 215);
    EXPECT_EQ(bounds(*dialog.Cancel).right, 390);

    MINMAXINFO info{};
    SendMessageW(dialog.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 250);
    EXPECT_EQ(info.ptMinTrackSize.y, 220);
}

TEST_F(DialogLayer, TheMemoSwitchesWrappingKeepingTextSelectionAndFocusAndHasNoTypingLimit)
{
    const auto dialogWindow = MakeWindow<TTestDialog>();
    TTestDialog& dialog = *dialogWindow;
    dialog.Show();
    String text;
    for (int i = 0; i < 50; ++i)
        text += u"line of text that is long enough to wrap inside the box when wrapping is on\r\n";
    dialog.Memo->SetText(text);
    dialog.Memo->SetSelection(120, 135);
    dialog.Memo->SetFocus();
    HWND before = dialog.Memo->Handle();
    EXPECT_TRUE(dialog.Memo->WordWrap());
    EXPECT_FALSE(GetWindowLongW(before, GWL_STYLE) & WS_HSCROLL);

    dialog.Memo->SetWordWrap(false);
    HWND after = dialog.Memo->Handle();
    EXPECT_TRUE(GetWindowLongW(after, GWL_STYLE) & WS_HSCROLL);
    EXPECT_TRUE(GetWindowLongW(after, GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_EQ(dialog.Memo->Text(), text);
    int start = 0, end = 0;
    dialog.Memo->GetSelection(start, end);
    EXPECT_EQ(start, 120);
    EXPECT_EQ(end, 135);
    EXPECT_EQ(GetFocus(), after);
    EXPECT_EQ(TStdControl::FromHandle(after), dialog.Memo.get());
    // Its place in the tab order: after the edit, before the check box.
    EXPECT_EQ(GetWindow(after, GW_HWNDNEXT), dialog.Check->Handle());

    dialog.Memo->SetWordWrap(true);
    EXPECT_FALSE(GetWindowLongW(dialog.Memo->Handle(), GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(dialog.Memo->Text(), text);

    EXPECT_GT(static_cast<unsigned>(SendMessageW(dialog.Memo->Handle(), EM_GETLIMITTEXT, 0, 0)), 65535u);
    dialog.Memo->SetSelection(0, 0);
    dialog.Memo->InsertText(u"<^DATE>");
    EXPECT_EQ(dialog.Memo->Text().substr(0, 11), u"<^DATE>line");
    dialog.Memo->SetReadOnly(true);
    EXPECT_TRUE(dialog.Memo->ReadOnly());
    dialog.Memo->SetWordWrap(false);
    EXPECT_TRUE(dialog.Memo->ReadOnly());
}

TEST_F(DialogLayer, ALabelsAccessKeyFocusesItsControl)
{
    const auto dialogWindow = MakeWindow<TTestDialog>();
    TTestDialog& dialog = *dialogWindow;
    TWhileModal driver([&] { return dialog.Visible(); },
                       [&] {
                           dialog.Ok->SetFocus();
                           PostMessageW(dialog.Ok->Handle(), WM_SYSCHAR, 'n', 1 << 29);
                       });
    TWhileModal close([&] { return driver.Acted() && dialog.Edit->Focused(); },
                      [&] { PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0); });
    TModalDeadline deadline([&] { return dialog.Handle(); });
    dialog.ShowModal();
    EXPECT_TRUE(close.Acted()) << "Alt+N never focused the edit";
}

TEST_F(DialogLayer, TheHotKeyControlSpeaksTheProgramsHotkeyValues)
{
    const auto dialogWindow = MakeWindow<TTestDialog>();
    TTestDialog& dialog = *dialogWindow;
    THotKey hotKey(dialog, RECT{10, 10, 138, 29});
    const struct {
        int value;
        WORD control;
    } cases[] = {
        {0, 0},
        {VK_F8 | 0x2000 | 0x4000, MAKEWORD(VK_F8, HOTKEYF_SHIFT | HOTKEYF_CONTROL)},
        {'A' | 0x8000, MAKEWORD('A', HOTKEYF_ALT)},
        {VK_HOME | 0x2000 | 0x4000 | 0x8000, MAKEWORD(VK_HOME, HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT)},
        {VK_F1, MAKEWORD(VK_F1, 0)},
    };
    for (const auto& c : cases) {
        hotKey.SetValue(c.value);
        EXPECT_EQ(static_cast<WORD>(SendMessageW(hotKey.Handle(), HKM_GETHOTKEY, 0, 0)), c.control) << c.value;
        EXPECT_EQ(hotKey.Value(), c.value);
    }
    // The extended-key flag of the control is no part of a hotkey value.
    SendMessageW(hotKey.Handle(), HKM_SETHOTKEY, MAKEWORD(VK_DELETE, HOTKEYF_CONTROL | HOTKEYF_EXT), 0);
    EXPECT_EQ(hotKey.Value(), VK_DELETE | 0x4000);
}

TEST_F(DialogLayer, PopupMenuItemsKeepTheirTagsShortcutsAndSubmenus)
{
    TPopupMenu menu;
    int clicked = -1;
    menu.Add(u"First");
    TMenuItem& sub = menu.Add(u"Sub");
    TMenuItem& item = sub.Add(u"Tab", [&](TMenuItem& sender) { clicked = sender.Tag; });
    item.Tag = 9;
    item.ShortCut = u"F3";
    TMenuItem& hidden = menu.Add(u"Hidden");
    hidden.Visible = false;
    // Adding more items keeps the references good.
    for (int i = 0; i < 20; ++i)
        sub.Add(u"more");
    item.Click();
    EXPECT_EQ(clicked, 9);
    EXPECT_EQ(menu.Items().size(), 3u);
    EXPECT_EQ(sub.Items.size(), 21u);
}

TEST_F(DialogLayer, AMessageBoxIsModalToEveryWindowOfTheProgram)
{
    FmMenuBar->InitToolBarMenu();
    ASSERT_TRUE(FmMenuBar->Visible());
    bool barEnabled = true;
    HWND box = nullptr;
    TWhileModal answer(
        [&] {
            box = FindWindowW(L"#32770", ToW(ProgramName).c_str());
            return box != nullptr && IsWindowVisible(box);
        },
        [&] {
            barEnabled = IsWindowEnabled(FmMenuBar->Handle()) != FALSE;
            PostMessageW(box, WM_COMMAND, IDNO, 0);
        });
    const int pressed = Application->MessageDialog(u"A question", ProgramName, MB_YESNO | MB_ICONWARNING);
    EXPECT_TRUE(answer.Acted());
    EXPECT_EQ(pressed, IDNO);
    EXPECT_FALSE(barEnabled);
    EXPECT_TRUE(IsWindowEnabled(FmMenuBar->Handle()));
}

TEST_F(DialogLayer, ADialogFocusesItsFirstControlAndGetsBackTheFocusedOneWhenItComesBack)
{
    const auto dialogWindow = MakeWindow<TTestDialog>();
    TTestDialog& dialog = *dialogWindow;
    dialog.Show();
    SetForegroundWindow(dialog.Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == dialog.Handle(); }));
    EXPECT_TRUE(dialog.Edit->Focused());
    dialog.Memo->SetFocus();
    {
        const auto otherWindow = MakeWindow<TTestDialog>();
        TTestDialog& other = *otherWindow;
        other.Show();
        SetForegroundWindow(other.Handle());
        ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == other.Handle(); }));
        EXPECT_TRUE(other.Edit->Focused());
        SetForegroundWindow(dialog.Handle());
        ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == dialog.Handle(); }));
        EXPECT_TRUE(dialog.Memo->Focused());
    }
    dialog.Hide();
}

TEST_F(DialogLayer, TabInAMultiLineEditMovesTheFocusAsInAnyDialog)
{
    const auto dialogWindow = MakeWindow<TTestDialog>();
    TTestDialog& dialog = *dialogWindow;
    dialog.Memo->SetText(u"typed");
    HWND focusAfterTab = nullptr;
    TWhileModal tab([&] { return dialog.Visible(); },
                    [&] {
                        dialog.Memo->SetFocus();
                        PostKey(dialog.Memo->Handle(), VK_TAB);
                    });
    // The posted key is handled before the next tick.
    TWhileModal check([&] { return tab.Acted(); },
                      [&] {
                          focusAfterTab = GetFocus();
                          SendMessageW(dialog.Cancel->Handle(), BM_CLICK, 0, 0);
                      });
    TModalDeadline deadline([&] { return dialog.Handle(); });
    dialog.ShowModal();
    EXPECT_EQ(focusAfterTab, dialog.Check->Handle());
    EXPECT_EQ(ToUtf8(dialog.Memo->Text()), "typed"); // no tab character typed
}

TEST_F(DialogLayer, NextControlMovesTheFocusBackAndForthSelectsTextAndShowsTheDefaultButton)
{
    const auto dialogWindow = MakeWindow<TTestDialog>();
    TTestDialog& dialog = *dialogWindow;
    dialog.Memo->SetText(u"typed");
    dialog.Show();
    SetForegroundWindow(dialog.Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == dialog.Handle(); }));
    auto isDefault = [](const std::unique_ptr<TButton>& button) {
        return (SendMessageW(button->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
    };
    dialog.Check->SetFocus();
    SendMessageW(dialog.Handle(), WM_NEXTDLGCTL, 1, 0); // previous: back into the memo
    EXPECT_TRUE(dialog.Memo->Focused());
    int start = -1, end = -1;
    dialog.Memo->GetSelection(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    SendMessageW(dialog.Handle(), WM_NEXTDLGCTL, 0, 0);
    EXPECT_TRUE(dialog.Check->Focused());
    SendMessageW(dialog.Handle(), WM_NEXTDLGCTL, 0, 0);
    EXPECT_TRUE(dialog.Ok->Focused());
    SendMessageW(dialog.Handle(), WM_NEXTDLGCTL, 0, 0);
    EXPECT_TRUE(dialog.Cancel->Focused());
    EXPECT_TRUE(isDefault(dialog.Cancel)); // the focused push button is the one Enter presses
    EXPECT_FALSE(isDefault(dialog.Ok));
    SendMessageW(dialog.Handle(), WM_NEXTDLGCTL, 0, 0); // past the last control: the first
    EXPECT_TRUE(dialog.Edit->Focused());
    EXPECT_TRUE(isDefault(dialog.Ok));
    EXPECT_FALSE(isDefault(dialog.Cancel));
    SendMessageW(dialog.Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dialog.Check->Handle()), TRUE);
    EXPECT_TRUE(dialog.Check->Focused());
    dialog.Hide();
}

TEST_F(DialogLayer, ADrawnImageKeepsItsMaskColourClear)
{
    TImageList images;
    ASSERT_TRUE(images.CreateDrawn(4, 2, RGB(255, 0, 255), [](HDC dc) { SetPixel(dc, 1, 0, RGB(0, 0, 255)); }));
    EXPECT_EQ(images.Count(), 1);
    const std::vector<COLORREF> pixels = PicturePixels(images, 0, 4, 2);
    EXPECT_EQ(pixels[1], RGB(0, 0, 255));
    EXPECT_EQ(pixels[0], RGB(255, 255, 255));
    EXPECT_EQ(pixels[7], RGB(255, 255, 255));
}

TEST_F(DialogLayer, AListViewLeavesTheImagesItShowsToTheirOwner)
{
    // The Organize window gives one image list to its tree and its list; a list that destroyed
    // it with its window would leave the tree and the owner a freed handle.
    const auto dialogWindow = MakeWindow<TTestDialog>();
    TTestDialog& dialog = *dialogWindow;
    TImageList images;
    ASSERT_TRUE(images.CreateDrawn(16, 16, RGB(255, 0, 255), [](HDC) {}));
    {
        TListView list(dialog, {8, 8, 200, 100});
        list.SetSmallImages(images.Handle());
    }
    EXPECT_EQ(ImageList_GetImageCount(images.Handle()), 1);
}

TEST_F(DialogLayer, DialogTextSizeGrowsWithTheText)
{
    EXPECT_EQ(DialogTextSize(u"").cx, 0);
    EXPECT_GT(DialogTextSize(u"Word Warp").cx, DialogTextSize(u"Word").cx);
    EXPECT_GT(DialogTextSize(u"W").cy, 0);
}

} // namespace
