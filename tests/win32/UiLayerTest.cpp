#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <stdexcept>

#include "Environment.h"
#include "core/ScopeExit.h"
#include "ui/Application.h"
#include "ui/DragDrop.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/Timer.h"
#include "ui/TrayIcon.h"

namespace {

class TestForm : public TForm {
public:
    TestForm() : TForm(u"TQuorvaneTestForm") {}
    std::function<void()> OnUser;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TForm::CreateParams(params);
        params.Style = WS_POPUP;
        params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    }
    void CreateControls() override { SetBounds(200, 300, 300, 100); }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_USER + 77) {
            if (OnUser)
                OnUser();
            return 0;
        }
        return TForm::WndProc(msg, wParam, lParam);
    }
};

struct UiLayer : testing::Test {
    std::vector<String> errors;
    std::function<void(const String&)> previous;
    void SetUp() override
    {
        previous = Application->OnException;
        Application->OnException = [this](const String& text) { errors.push_back(text); };
    }
    void TearDown() override { Application->OnException = previous; }
};

bool ShellHoldsIcon(HWND owner)
{
    // The shell accepts a change only for an icon it holds; an empty change alters nothing.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = TTrayIcon::IconId;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

TEST_F(UiLayer, ATrayIconWhoseFirstAddFailsComesBackWhenTheShellRestarts)
{
    const auto formWindow = MakeWindow<TestForm>();
    TestForm& form = *formWindow;
    // An icon of the same window and id already there makes the shell refuse the icon's add.
    NOTIFYICONDATAW stale{};
    stale.cbSize = sizeof(stale);
    stale.hWnd = form.Handle();
    stale.uID = TTrayIcon::IconId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &stale));
    {
        TTrayIcon tray;
        tray.SetOwner(form.Handle());
        tray.SetIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
        tray.SetVisible(true);
        EXPECT_TRUE(tray.Visible()) << "still wanted";
        Shell_NotifyIconW(NIM_DELETE, &stale); // a shell that restarts has no icons
        ASSERT_FALSE(ShellHoldsIcon(form.Handle()));

        EXPECT_FALSE(tray.HandleMessage(RegisterWindowMessageW(L"TaskbarCreated"), 0, 0));
        EXPECT_TRUE(ShellHoldsIcon(form.Handle()));
        tray.SetVisible(false);
        EXPECT_FALSE(ShellHoldsIcon(form.Handle()));
        tray.HandleMessage(RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        EXPECT_FALSE(ShellHoldsIcon(form.Handle())) << "a hidden icon stays hidden";
    }
}

TEST_F(UiLayer, WindowFromPointFindsThePanelUnderALabel)
{
    const auto formWindow = MakeWindow<TestForm>();
    TestForm& form = *formWindow;
    const auto panelWindow = MakeWindow<TPanel>(form);
    TPanel& panel = *panelWindow;
    panel.SetBounds(0, 0, 300, 100);
    TLabel& label = panel.AddControl<TLabel>();
    label.SetBounds(10, 10, 50, 20);
    form.Show();
    POINT p = label.ClientOrigin();
    EXPECT_EQ(p.x, 210);
    EXPECT_EQ(p.y, 310);
    p.x += 5;
    p.y += 5;
    EXPECT_EQ(WindowFromPoint(p), panel.Handle());
    EXPECT_EQ(panel.ControlAt({15, 15}), &label);
    EXPECT_EQ(panel.ControlAt({100, 15}), nullptr);
}

TEST_F(UiLayer, MouseInputReachesTheControlUnderThePointer)
{
    const auto formWindow = MakeWindow<TestForm>();
    TestForm& form = *formWindow;
    TLabel& back = form.AddControl<TLabel>();
    back.SetBounds(0, 0, 300, 100);
    TLabel& front = form.AddControl<TLabel>();
    front.SetBounds(20, 20, 40, 20);
    std::vector<std::string> events;
    auto watch = [&](TLabel& label, std::string name) {
        label.OnMouseEnter = [&events, name] { events.push_back(name + " enter"); };
        label.OnMouseLeave = [&events, name] { events.push_back(name + " leave"); };
        label.OnMouseDown = [&events, name](TMouseButton b, WPARAM, int x, int y) {
            events.push_back(name + " down " + std::to_string(int(b)) + " " + std::to_string(x) + "," +
                             std::to_string(y));
        };
        label.OnMouseUp = [&events, name](TMouseButton, WPARAM, int x, int y) {
            events.push_back(name + " up " + std::to_string(x) + "," + std::to_string(y));
        };
    };
    watch(back, "back");
    watch(front, "front");
    form.Show();
    HWND h = form.Handle();
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(25, 25));
    SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(25, 26));
    SendMessageW(h, WM_RBUTTONUP, 0, MAKELPARAM(90, 90)); // released where it was pressed
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"back enter", "back leave", "front enter", "front down 1 5,6",
                                                 "front up 70,70", "front leave"}));
}

TEST_F(UiLayer, TimerTicksWithItsIntervalAndTag)
{
    TTimer timer;
    int ticks = 0;
    timer.Tag = 7;
    timer.OnTimer = [&] {
        if (++ticks == 3)
            timer.SetEnabled(false);
    };
    timer.SetInterval(10);
    EXPECT_FALSE(timer.Enabled());
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks == 3; }));
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(timer.Tag, 7);
}

TEST_F(UiLayer, AnExceptionInAHandlerReachesTheDefaultErrorBoxAndTheProgramGoesOn)
{
    TTimer timer;
    timer.OnTimer = [&] {
        timer.SetEnabled(false);
        throw EAppError(u"Cannot create file \"x\". Access is denied.");
    };
    timer.SetInterval(10);
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(errors[0], u"Cannot create file \"x\". Access is denied.");

    const auto formWindow = MakeWindow<TestForm>();

    TestForm& form = *formWindow;
    form.OnUser = [] { throw std::runtime_error("stream write error"); };
    EXPECT_EQ(SendMessageW(form.Handle(), WM_USER + 77, 0, 0), 0);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], u"stream write error.");
}

TEST_F(UiLayer, ShowModalDisablesTheOtherWindowsAndRaisesTheModalLevel)
{
    const auto otherWindow = MakeWindow<TestForm>();
    TestForm& other = *otherWindow;
    other.Show();
    const auto dialogWindow = MakeWindow<TestForm>();
    TestForm& dialog = *dialogWindow;
    int levelInside = -1;
    bool otherEnabledInside = true;
    dialog.OnUser = [&] {
        levelInside = Application->ModalLevel;
        otherEnabledInside = IsWindowEnabled(other.Handle());
        dialog.ModalResult = IDOK;
    };
    PostMessageW(dialog.Handle(), WM_USER + 77, 0, 0);
    EXPECT_EQ(dialog.ShowModal(), IDOK);
    EXPECT_EQ(levelInside, 1);
    EXPECT_FALSE(otherEnabledInside);
    EXPECT_EQ(Application->ModalLevel, 0);
    EXPECT_TRUE(IsWindowEnabled(other.Handle()));
    EXPECT_FALSE(dialog.Visible());
}

// A drag source that takes no drops, ended with Esc at once.
struct StillSource : TDragControl {
    bool AcceptsDrags() const override { return false; }
    void DoDragOver(TDragControl*, int, int, TDragState, bool&) override {}
    void DoDragDrop(TDragControl*, int, int) override {}
};

// Begins a drag of source and ends it; returns the window that held the capture meanwhile.
HWND DragAndCancel(StillSource& source)
{
    int ended = 0;
    BeginDrag(source, false, 5, [&] { ++ended; });
    const HWND capture = GetCapture();
    if (capture)
        SendMessageW(capture, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(DragInProgress());
    return capture;
}

TEST_F(UiLayer, ADragsCaptureWindowGoesWithTheApplicationAndTheNextDragGetsANewOne)
{
    StillSource source;
    TApplication* const program = Application;
    const ScopeExit restore([program] { Application = program; }); // a second one took its place
    // The drags of earlier tests left their window: gone, it is replaced at the next drag.
    DestroyWindow(DragAndCancel(source));
    HWND earlier = nullptr;
    {
        TApplication other(program->Instance(), 1);
        earlier = DragAndCancel(source);
        ASSERT_NE(earlier, nullptr);
        EXPECT_TRUE(IsWindow(earlier));
    }
    Application = program;
    EXPECT_FALSE(IsWindow(earlier));
    const HWND later = DragAndCancel(source);
    ASSERT_NE(later, nullptr);
    EXPECT_TRUE(IsWindow(later));
    EXPECT_EQ(GetWindow(later, GW_OWNER), Application->Handle());
}

} // namespace
