// The clipboard history as a user sees it: another program copies texts, and the data file then
// holds them in Clipboards, newest first. The driver also takes part in the clipboard viewer chain
// itself, as any other viewer program would, to see that Quorvane keeps the chain intact.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "DataFileFixture.h"
#include "Driver.h"
#include "UserForm.h"

namespace {

// A clipboard viewer of the driver: a hidden window that counts the notifications it gets and
// follows the chain protocol like a well-behaved program.
class TestViewer {
public:
    TestViewer()
    {
        static const ATOM windowClass = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"QuorvaneE2EViewer";
            return RegisterClassW(&wc);
        }();
        window_ = CreateWindowExW(0, MAKEINTATOM(windowClass), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        next_ = SetClipboardViewer(window_);
        joined_ = true;
    }
    ~TestViewer()
    {
        Leave();
        DestroyWindow(window_);
    }
    TestViewer(const TestViewer&) = delete;
    TestViewer& operator=(const TestViewer&) = delete;

    void Leave()
    {
        if (joined_)
            ChangeClipboardChain(window_, next_);
        joined_ = false;
    }
    HWND Window() const { return window_; }
    int Draws() const { return draws_; }
    int ChainChanges() const { return chainChanges_; }

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<TestViewer*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        if (!self || (msg != WM_DRAWCLIPBOARD && msg != WM_CHANGECBCHAIN))
            return DefWindowProcW(h, msg, wParam, lParam);
        if (msg == WM_DRAWCLIPBOARD) {
            ++self->draws_;
            if (self->next_)
                SendMessageW(self->next_, msg, wParam, lParam);
        } else {
            ++self->chainChanges_;
            if (reinterpret_cast<HWND>(wParam) == self->next_)
                self->next_ = reinterpret_cast<HWND>(lParam);
            else if (self->next_)
                SendMessageW(self->next_, msg, wParam, lParam);
        }
        return 0;
    }

    HWND window_ = nullptr;
    HWND next_ = nullptr;
    bool joined_ = false;
    int draws_ = 0;
    int chainChanges_ = 0;
};

// Copies the text and waits until the viewer has seen the change, which it does only after every
// viewer before it in the chain (Quorvane) has handled it.
bool CopyAndWait(TestViewer& viewer, const std::u16string& text)
{
    const int before = viewer.Draws();
    return PutOnClipboard(viewer.Window(), &text) && WaitFor([&] { return viewer.Draws() > before; });
}

// The data file holding only these Clipboards entries, newest first, each named by its first 60
// code units.
Bytes ClipboardsFile(const std::vector<std::u16string>& entries)
{
    std::vector<RecordSpec> records;
    for (const auto& text : entries)
        records.push_back({2, 4, 0, text.substr(0, 60), text});
    return DataFileBytes({}, {records});
}

std::u16string Numbered(const char16_t* prefix, int n)
{
    std::u16string text = prefix;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

// Each test starts as a user who never ran the program and leaves no history behind.
struct ClipboardHistory : testing::Test {
    void SetUp() override { CleanUserState(); }
    void TearDown() override { CleanUserState(); }
};

TEST_F(ClipboardHistory, CopiedTextsAreSavedNewestFirstAndACopiedEntryMovesUp)
{
    TestViewer viewer;
    const std::u16string before = u"on the clipboard before the start";
    ASSERT_TRUE(CopyAndWait(viewer, before));
    const int drawsBeforeStart = viewer.Draws();
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    ASSERT_TRUE(WaitUntilHandled());
    // Joining the chain shows Quorvane the clipboard once; that is neither captured nor passed on.
    EXPECT_EQ(viewer.Draws(), drawsBeforeStart);
    EXPECT_EQ(ReadFileBytes(DataFilePath()), ClipboardsFile({}));

    const std::u16string longText =
        u"A text of two lines\r\nwhose name is cut after its sixtieth code unit, \U0001F600 and on";
    const struct {
        std::u16string copy;
        std::vector<std::u16string> history;
    } steps[] = {
        {u"first", {u"first"}},
        {u"second", {u"second", u"first"}},
        {longText, {longText, u"second", u"first"}},
        {u"first", {u"first", longText, u"second"}},
        {u"FIRST", {u"FIRST", u"first", longText, u"second"}},
        {longText, {longText, u"FIRST", u"first", u"second"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.copy.begin(), step.copy.end()));
        ASSERT_TRUE(CopyAndWait(viewer, step.copy));
        EXPECT_EQ(ReadFileBytes(DataFilePath()), ClipboardsFile(step.history));
    }
}

// The number of visible message boxes of the process.
int MessageBoxCount(DWORD process)
{
    int count = 0;
    for (HWND h = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); h; h = FindWindowExW(nullptr, h, L"#32770", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        count += owner == process && IsWindowVisible(h);
    }
    return count;
}

TEST_F(ClipboardHistory, ADataFileThatCannotBeReplacedIsReportedOnceAndTheCopiesAreKept)
{
    TestViewer viewer;
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    ASSERT_TRUE(WaitUntilHandled());
    // Another program holds the data file open without sharing it: no save can replace it.
    HANDLE lock = CreateFileW(DataFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(CopyAndWait(viewer, u"one"));
    std::wstring text;
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(quorvane.Id(), &text)) != nullptr; }));
    EXPECT_NE(text.find(L"Quorvane.db"), std::wstring::npos) << std::string(text.begin(), text.end());
    // Copies while the box is up are captured as before, and bring no box of their own.
    ASSERT_TRUE(CopyAndWait(viewer, u"two"));
    ASSERT_TRUE(CopyAndWait(viewer, u"three"));
    EXPECT_EQ(MessageBoxCount(quorvane.Id()), 1);
    PostMessageW(box, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));

    // Once the file is free again, the next capture's save writes every copy.
    CloseHandle(lock);
    ASSERT_TRUE(CopyAndWait(viewer, u"four"));
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(DataFilePath()) == ClipboardsFile({u"four", u"three", u"two", u"one"}); }));
    EXPECT_EQ(MessageBoxCount(quorvane.Id()), 0);
    EXPECT_TRUE(quorvane.Alive());
}

TEST_F(ClipboardHistory, TheFirstCopyAfterAStartOnAnEmptyClipboardIsCaptured)
{
    ASSERT_TRUE(PutOnClipboard(nullptr, nullptr));
    TestViewer viewer;
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    ASSERT_TRUE(WaitUntilHandled());
    ASSERT_TRUE(CopyAndWait(viewer, u"only"));
    EXPECT_EQ(ReadFileBytes(DataFilePath()), ClipboardsFile({u"only"}));
}

// A program that copies one text after another, each time waiting until its own viewer has seen
// the change, loses none of them; the default limit keeps the newest 20.
class ClipboardBurst : public ClipboardHistory, public testing::WithParamInterface<int> {};

TEST_P(ClipboardBurst, KeepsTheNewestTwentyInOrderAndEveryViewerSeesEveryChange)
{
    const int copies = GetParam();
    TestViewer viewer;
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    ASSERT_TRUE(WaitUntilHandled());
    const int drawsBefore = viewer.Draws();
    for (int i = 1; i <= copies; ++i)
        ASSERT_TRUE(CopyAndWait(viewer, Numbered(u"copy number ", i))) << i;
    ASSERT_TRUE(WaitUntilHandled());
    EXPECT_EQ(viewer.Draws() - drawsBefore, copies);
    std::vector<std::u16string> newest;
    for (int i = copies; i > copies - 20; --i)
        newest.push_back(Numbered(u"copy number ", i));
    EXPECT_EQ(ReadFileBytes(DataFilePath()), ClipboardsFile(newest));
    EXPECT_TRUE(quorvane.Alive());
}

INSTANTIATE_TEST_SUITE_P(Copies, ClipboardBurst, testing::Values(25, 200));

TEST_F(ClipboardHistory, ViewersLeavingBehindQuorvaneKeepTheChainWhole)
{
    auto first = std::make_unique<TestViewer>();  // last in the chain
    auto second = std::make_unique<TestViewer>(); // between Quorvane and the first
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    ASSERT_TRUE(WaitUntilHandled());

    const int firstDraws = first->Draws(), secondDraws = second->Draws();
    ASSERT_TRUE(CopyAndWait(*first, u"one"));
    EXPECT_EQ(second->Draws(), secondDraws + 1);

    // The last viewer leaves: Quorvane passes the change on to the second, which follows it.
    const int secondChanges = second->ChainChanges();
    first->Leave();
    ASSERT_TRUE(WaitFor([&] { return second->ChainChanges() > secondChanges; }));
    ASSERT_TRUE(CopyAndWait(*second, u"two"));
    EXPECT_EQ(first->Draws(), firstDraws + 1);

    // Quorvane's own next viewer leaves: Quorvane follows it and sends it nothing more.
    const int secondAfter = second->Draws();
    second->Leave();
    ASSERT_TRUE(WaitUntilHandled());
    const std::u16string three = u"three";
    ASSERT_TRUE(PutOnClipboard(second->Window(), &three));
    // The capture is saved while the program handles the change.
    ASSERT_TRUE(WaitUntilHandled());
    EXPECT_EQ(ReadFileBytes(DataFilePath()), ClipboardsFile({u"three", u"two", u"one"}));
    EXPECT_EQ(second->Draws(), secondAfter);
    EXPECT_EQ(first->Draws(), firstDraws + 1);
    EXPECT_TRUE(quorvane.Alive());
}

// A user's window with the keyboard focus in an edit box, where a paste lands.
class FocusedEdit {
public:
    FocusedEdit()
    {
        form_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 300, 200, 360, 120,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 320, 24,
                                form_, nullptr, GetModuleHandleW(nullptr), nullptr);
        TakeForeground(form_, edit_);
    }
    ~FocusedEdit() { DestroyWindow(form_); }
    FocusedEdit(const FocusedEdit&) = delete;
    FocusedEdit& operator=(const FocusedEdit&) = delete;

    std::u16string Text() const
    {
        wchar_t text[256] = L"";
        GetWindowTextW(edit_, text, 256);
        return std::u16string(text, text + wcslen(text));
    }

private:
    HWND form_ = nullptr;
    HWND edit_ = nullptr;
};

TEST_F(ClipboardHistory, APasteByHotkeyIsNotCapturedAndTheNextCopyIs)
{
    const RecordSpec message = {2, 4, 0x4000 | VK_F7, u"Greeting", u"pasted by hotkey"};
    const Bytes collection = DataFileBytes({}, {{}, {message}});
    WriteFileBytes(DataFilePath(), collection);
    TestViewer viewer;
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    FocusedEdit edit;

    const int draws = viewer.Draws();
    Key(VK_CONTROL, false);
    Key(VK_F7, false);
    Key(VK_F7, true);
    Key(VK_CONTROL, true);
    ASSERT_TRUE(WaitFor([&] { return edit.Text() == u"pasted by hotkey"; }));
    EXPECT_EQ(viewer.Draws(), draws + 1); // the paste's clipboard write went down the chain
    EXPECT_EQ(ReadFileBytes(DataFilePath()), collection);

    ASSERT_TRUE(CopyAndWait(viewer, u"copied after the paste"));
    EXPECT_EQ(ReadFileBytes(DataFilePath()), DataFileBytes({}, {{{2, 4, 0, u"copied after the paste",
                                                                  u"copied after the paste"}},
                                                                 {message}}));
}

} // namespace
