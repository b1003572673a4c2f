#include <gtest/gtest.h>
#include <windows.h>

#include "Environment.h"
#include "UserState.h"
#include "core/win32/DialogOpener.h"
#include "core/Globals.h"
#include "core/MenuBarPlacement.h"
#include "core/win32/UnitMain.h"
#include "core/win32/MenuBarLabels.h"
#include "core/win32/UnitMenuBar.h"
#include "menus/win32/UnitMenu.h"
#include "ui/Application.h"

namespace {

// The bar after start-up, rebuilt from settings the test chooses.
struct MenuBar : testing::Test {
    TKeptSettingsKey settingsKey; // what OK in the Options window or a drag of the bar stores
    bool savedAutoHide = false, savedLeftSaved = false;
    int savedLeft = 0;
    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        savedAutoHide = AutoHide;
        savedLeftSaved = MenuBarLeftSaved;
        savedLeft = MenuBarLeft;
        SetCursorPos(5, 700); // away from the bar
        AutoHide = false;
        MenuBarLeftSaved = false;
        FmMenu->Hide();
        FmMenuBar->InitToolBarMenu();
    }
    void TearDown() override
    {
        FmMenu->Hide();
        AutoHide = savedAutoHide;
        MenuBarLeftSaved = savedLeftSaved;
        MenuBarLeft = savedLeft;
        FmMenuBar->InitToolBarMenu();
    }
    static std::vector<TLabel*> Labels()
    {
        std::vector<TLabel*> labels;
        for (int i = 0;; ++i) {
            TLabel* label = FmMenuBar->Labels().MenuLabel(i);
            if (!label)
                return labels;
            labels.push_back(label);
        }
    }
    static int TextWidth(const String& text)
    {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, MenuFont->Get());
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return size.cx;
    }
    static LPARAM At(const TLabel& label) { return MAKELPARAM(label.Left() + 3, label.Top() + 3); }
    static HWND Panel() { return FmMenuBar->Labels().PanelMenuBar.Handle(); }
};

TEST_F(MenuBar, OneLabelPerMenuAbuttingAndTheBarCentred)
{
    std::vector<TLabel*> labels = Labels();
    ASSERT_EQ(labels.size(), static_cast<size_t>(RootNode->Count()));
    int x = 7;
    for (size_t i = 0; i < labels.size(); ++i) {
        const TLabel& label = *labels[i];
        SCOPED_TRACE(ToUtf8(label.Caption()));
        EXPECT_EQ(label.Caption(), RootNode->Item(static_cast<int>(i))->Text);
        EXPECT_EQ(label.Tag, static_cast<int>(i));
        EXPECT_EQ(label.Left(), x);
        EXPECT_EQ(label.Width(), TextWidth(label.Caption()) + 10);
        EXPECT_GE(label.Height(), 18);
        EXPECT_EQ(label.Top(), (26 - label.Height()) / 2);
        EXPECT_TRUE(label.Transparent);
        EXPECT_EQ(label.Font, MenuFont->Get());
        x += label.Width();
    }
    const int width = x + 7, screen = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_EQ(FmMenuBar->Width(), width);
    EXPECT_EQ(FmMenuBar->Height(), 26);
    EXPECT_EQ(FmMenuBar->ClientHeight(), 26);
    EXPECT_EQ(FmMenuBar->Left(), (screen - width) / 2);
    EXPECT_EQ(FmMenuBar->Top(), 0);
    EXPECT_EQ(MenuBarLeft, FmMenuBar->Left());
    EXPECT_EQ(FmMenuBar->Labels().PanelMenuBar.Width(), width);

    const std::pair<TImage*, RECT> images[] = {{FmMenuBar->Labels().ImageL, {0, 0, 6, 26}},
                                               {FmMenuBar->Labels().ImageM, {6, 0, width - 6, 26}},
                                               {FmMenuBar->Labels().ImageR, {width - 6, 0, width, 26}}};
    for (auto& [image, bounds] : images) {
        EXPECT_EQ(image->Tag, -1);
        RECT r = image->BoundsRect();
        EXPECT_TRUE(EqualRect(&r, &bounds)) << r.left << " " << r.right;
    }
    EXPECT_TRUE(FmMenuBar->Labels().ImageM->Stretch);
}

TEST_F(MenuBar, PlacementFromTheSettings)
{
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    const int width = FmMenuBar->Width();
    const struct {
        bool saved, autoHide;
        int left, expectedLeft, expectedTop;
    } cases[] = {{true, false, 100, 100, 0},
                 {true, false, 5000, screen - width, 0},
                 {true, false, -40, 0, 0},
                 {false, true, 100, (screen - width) / 2, -23}};
    for (const auto& c : cases) {
        MenuBarLeftSaved = c.saved;
        MenuBarLeft = c.left;
        AutoHide = c.autoHide;
        CaptureTargetNode = RootNode;
        FmMenuBar->InitToolBarMenu();
        EXPECT_EQ(FmMenuBar->Left(), c.expectedLeft) << c.left;
        EXPECT_EQ(MenuBarLeft, c.expectedLeft);
        EXPECT_EQ(FmMenuBar->Top(), c.expectedTop);
        EXPECT_EQ(CaptureTargetNode, nullptr); // a pending capture target is dropped
        EXPECT_EQ(Labels().size(), static_cast<size_t>(RootNode->Count()));
    }
}

TEST_F(MenuBar, HoverHighlightsOneLabelInTheBarsBlue)
{
    std::vector<TLabel*> labels = Labels();
    SendMessageW(Panel(), WM_MOUSEMOVE, 0, At(*labels[0]));
    EXPECT_TRUE(TMenuBarLabels::LabelHighlighted(*labels[0]));
    EXPECT_EQ(labels[0]->Color, RGB(49, 106, 197));
    EXPECT_EQ(labels[0]->FontColor, RGB(255, 255, 255));
    UpdateWindow(Panel());
    HDC dc = GetDC(Panel());
    EXPECT_EQ(GetPixel(dc, labels[0]->Left() + 1, labels[0]->Top() + 1), RGB(49, 106, 197));
    EXPECT_NE(GetPixel(dc, labels[1]->Left() + 1, labels[1]->Top() + 1), RGB(49, 106, 197));
    ReleaseDC(Panel(), dc);

    SendMessageW(Panel(), WM_MOUSEMOVE, 0, At(*labels[1]));
    EXPECT_FALSE(TMenuBarLabels::LabelHighlighted(*labels[0]));
    EXPECT_EQ(labels[0]->FontColor, RGB(0, 0, 0));
    EXPECT_TRUE(TMenuBarLabels::LabelHighlighted(*labels[1]));
    SendMessageW(Panel(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(TMenuBarLabels::LabelHighlighted(*labels[1]));
    EXPECT_FALSE(FmMenu->Visible()); // hovering alone opens nothing
}

TEST_F(MenuBar, APressOpensTheDropDownUnderTheLabelAndASecondClosesIt)
{
    // Another window is in front, whatever earlier tests activated: the press must not change that.
    HWND front = CreateWindowExW(0, L"STATIC", L"front", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(front);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == front; }));
    std::vector<TLabel*> labels = Labels();
    const TMouseButton buttons[] = {TMouseButton::Left, TMouseButton::Right};
    for (TMouseButton button : buttons) {
        const UINT down = button == TMouseButton::Left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        SendMessageW(Panel(), WM_MOUSEMOVE, 0, At(*labels[1]));
        SendMessageW(Panel(), down, 0, At(*labels[1]));
        SendMessageW(Panel(), down + 1, 0, At(*labels[1]));
        ASSERT_TRUE(FmMenu->Visible());
        EXPECT_EQ(FmMenu->Node, ClipboardsNode);
        EXPECT_TRUE(FmMenu->ShowSubMenuAtRight);
        const POINT origin = labels[1]->ClientOrigin();
        EXPECT_EQ(FmMenu->Left(), origin.x);
        EXPECT_EQ(FmMenu->Top(), FmMenuBar->Top() + 26);
        EXPECT_EQ(FmMenu->LeftWidth, origin.x + labels[1]->Width());
        EXPECT_TRUE(FmMenuBar->Labels().TimerMenu.Enabled());
        EXPECT_EQ(GetForegroundWindow() == FmMenuBar->Handle(), false);

        // Sliding to the next label switches the open menu.
        SendMessageW(Panel(), WM_MOUSEMOVE, 0, At(*labels[2]));
        EXPECT_TRUE(FmMenu->Visible());
        EXPECT_EQ(FmMenu->Node, MessagesNode);
        EXPECT_FALSE(TMenuBarLabels::LabelHighlighted(*labels[1]));
        SendMessageW(Panel(), WM_MOUSELEAVE, 0, 0);
        EXPECT_TRUE(TMenuBarLabels::LabelHighlighted(*labels[2])); // stays while its menu is open

        SendMessageW(Panel(), WM_MOUSEMOVE, 0, At(*labels[2]));
        SendMessageW(Panel(), down, 0, At(*labels[2]));
        SendMessageW(Panel(), down + 1, 0, At(*labels[2]));
        EXPECT_FALSE(FmMenu->Visible());
        // The real pointer is not over the label, so hiding the menu returned it to normal.
        EXPECT_FALSE(TMenuBarLabels::LabelHighlighted(*labels[2]));
        SendMessageW(Panel(), WM_MOUSELEAVE, 0, 0);
        EXPECT_TRUE(PumpUntil([] { return !FmMenuBar->Labels().TimerMenu.Enabled(); }));
    }
    // The second press of a double click is a press too: it opens, or closes, the menu.
    SendMessageW(Panel(), WM_LBUTTONDOWN, 0, At(*labels[0]));
    SendMessageW(Panel(), WM_LBUTTONUP, 0, At(*labels[0]));
    SendMessageW(Panel(), WM_LBUTTONDBLCLK, 0, At(*labels[0]));
    SendMessageW(Panel(), WM_LBUTTONUP, 0, At(*labels[0]));
    EXPECT_FALSE(FmMenu->Visible());
    DestroyWindow(front);
}

TEST_F(MenuBar, ADragOfTheBackgroundMovesTheBarAndBringsItBackToTheTop)
{
    const int startLeft = FmMenuBar->Left();
    const int width = FmMenuBar->Width();
    const LPARAM background = MAKELPARAM(width / 2, 1); // above the labels
    SetCursorPos(startLeft + width / 2, 1);
    SendMessageW(Panel(), WM_LBUTTONDOWN, MK_LBUTTON, background);
    const struct {
        int dx, dy, expectedLeft, expectedTop;
    } moves[] = {{5, 5, startLeft, 0}, {-5, 0, startLeft, 0}, {6, 0, startLeft + 6, 0}, {-100, 40, startLeft - 100, 40}};
    for (const auto& m : moves) {
        SetCursorPos(startLeft + width / 2 + m.dx, 1 + m.dy);
        SendMessageW(Panel(), WM_MOUSEMOVE, MK_LBUTTON, background);
        EXPECT_EQ(FmMenuBar->Left(), m.expectedLeft) << m.dx;
        EXPECT_EQ(FmMenuBar->Top(), m.expectedTop) << m.dy;
    }
    SendMessageW(Panel(), WM_LBUTTONUP, 0, background);
    EXPECT_FALSE(FmMenuBar->Labels().MouseIsDown);
    EXPECT_EQ(FmMenuBar->Top(), 0);
    EXPECT_EQ(FmMenuBar->Left(), startLeft - 100);
    EXPECT_EQ(MenuBarLeft, startLeft - 100);
    DWORD stored = 0, size = sizeof(stored);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quorvane-cn\\1.0", L"MenuBarLeft", RRF_RT_REG_DWORD,
                           nullptr, &stored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(static_cast<int>(stored), startLeft - 100);

    // Released past the right edge: flush with it.
    SetCursorPos(startLeft + width / 2, 1);
    SendMessageW(Panel(), WM_LBUTTONDOWN, MK_LBUTTON, background);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, 1);
    SendMessageW(Panel(), WM_MOUSEMOVE, MK_LBUTTON, background);
    SendMessageW(Panel(), WM_LBUTTONUP, 0, background);
    EXPECT_EQ(FmMenuBar->Left(), GetSystemMetrics(SM_CXSCREEN) - width);
}

TEST_F(MenuBar, TheTrayMenuIsTheProgramMenuWithoutMinimizeToTray)
{
    FmMenuBar->PopupMenu1Popup();
    FmMenuBar->PopupMenu1Popup(); // rebuilt, not appended
    const auto& items = FmMenuBar->TrayMenu().Items();
    std::vector<String> captions;
    for (auto& item : items)
        captions.push_back(item.Caption);
    std::vector<String> expected;
    for (int i = 0; i < ProgramMenuNode->Count(); ++i)
        if (ProgramMenuNode->Item(i) != MinimizeToTrayNode)
            expected.push_back(ProgramMenuNode->Item(i)->Text);
    EXPECT_EQ(captions, expected);
    ASSERT_EQ(items.size(), 7u);
    const bool bound[] = {true, true, false, true, true, false, true}; // all but the separators and Minimize to Tray
    size_t i = 0;
    for (auto& item : items) {
        EXPECT_EQ(static_cast<bool>(item.OnClick), bound[i]) << i;
        ++i;
    }
}

TEST_F(MenuBar, MinimizeToTrayHidesTheBarAndATrayClickBringsItBack)
{
    AutoHide = true;
    FmMenuBar->InitToolBarMenu();
    FmMenuBar->ActionTrayExecute();
    EXPECT_FALSE(FmMenuBar->Visible());
    FmMain->TrayIcon1MouseDown(TMouseButton::Left, 0, 0);
    EXPECT_TRUE(FmMenuBar->Visible());
    EXPECT_EQ(FmMenuBar->Top(), 0);
}

// A dialog that closes with OK as soon as its modal loop brings it forward.
class QuickDialog : public TForm {
public:
    QuickDialog() : TForm(u"TQuorvaneQuickDialog") {}

protected:
    void CreateParams(TCreateParams& params) override
    {
        TForm::CreateParams(params);
        params.Style = WS_POPUP;
        params.WndParent = nullptr;
    }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == UM_SETFOREGROUNDWINDOW) {
            ModalResult = mrOk;
            return 0;
        }
        return TForm::WndProc(msg, wParam, lParam);
    }
};

TEST(DialogOpener, StepsInOrderAndTheDialogFreedAlsoWhenAnErrorPasses)
{
    for (bool fail : {false, true}) {
        QuickDialog* global = nullptr;
        std::vector<std::string> steps;
        TDialogCommand<QuickDialog> command;
        command.Create = [&] {
            steps.push_back(global ? "create with a dialog in the global" : "create");
            return MakeWindow<QuickDialog>();
        };
        HWND window = nullptr;
        command.Prepare = [&](QuickDialog& dialog) {
            window = dialog.Handle();
            steps.push_back(&dialog == global ? "prepare" : "?");
        };
        command.Apply = [&](QuickDialog&, int result) {
            steps.push_back("apply " + std::to_string(result));
            if (fail)
                throw EAppError(u"Failed to set data for 'AutoHide'");
        };
        if (fail)
            EXPECT_THROW(OpenDialog(global, command), EAppError);
        else
            OpenDialog(global, command);
        EXPECT_EQ(global, nullptr);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(steps, (std::vector<std::string>{"create", "prepare", "apply 1"}));
        EXPECT_EQ(Application->ModalLevel, 0);
    }
}

} // namespace
