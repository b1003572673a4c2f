#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "Environment.h"
#include "FakeUpdateServer.h"
#include "OsDoubles.h"
#include "core/Globals.h"
#include "core/win32/UnitMain.h"
#include "settings/Settings.h"
#include "settings/win32/UnitCheckForUpdate.h"
#include "ui/WinText.h"

namespace {

const std::string Newer = "[1001]CA57DFE400CF7BAAF6E94F55A34EB7B7";

String Text(const std::wstring& text) { return FromW(text); }

struct HttpCase {
    const char* answer;
    std::optional<std::string> body;
};

class WinHttpClient : public testing::TestWithParam<HttpCase> {};

TEST_P(WinHttpClient, OnlyA200WithAShortBodyGivesTheBody)
{
    FakeUpdateServer server(GetParam().answer);
    TWinHttpClient client;
    std::optional<std::string> body = client.Get(Text(server.Address() + L"/update/check?id=7"), 256);
    EXPECT_EQ(body, GetParam().body);
    // The request arrived once, and a redirect was not followed.
    std::vector<std::vector<std::string>> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0][0], "GET /update/check?id=7 HTTP/1.1");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, WinHttpClient,
    testing::Values(HttpCase{"newer", Newer}, HttpCase{"crlf", Newer + "\r\n"}, HttpCase{"empty", ""},
                    HttpCase{"notfound", std::nullopt}, HttpCase{"error", std::nullopt},
                    HttpCase{"redirect", std::nullopt}, HttpCase{"long", std::nullopt},
                    HttpCase{"drop", std::nullopt}),
    [](const testing::TestParamInfo<HttpCase>& info) { return std::string(info.param.answer); });

struct SendCase {
    const char* answer;
    bool answered;
};

class WinHttpSend : public testing::TestWithParam<SendCase> {};

TEST_P(WinHttpSend, AnyTwoHundredStatusIsAnAnswerWhateverTheBody)
{
    FakeUpdateServer server("newer", GetParam().answer);
    TWinHttpClient client;
    EXPECT_EQ(client.Send(Text(server.Address() + L"/update/report?id=7")), GetParam().answered);
    std::vector<std::vector<std::string>> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0][0], "GET /update/report?id=7 HTTP/1.1");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, WinHttpSend,
    testing::Values(SendCase{"ok", true}, SendCase{"okpage", true}, SendCase{"created", true},
                    SendCase{"nocontent", true}, SendCase{"empty", true}, SendCase{"notfound", false},
                    SendCase{"error", false}, SendCase{"redirect", false}, SendCase{"drop", false}),
    [](const testing::TestParamInfo<SendCase>& info) { return std::string(info.param.answer); });

TEST(WinHttpClientHeaders, ProductAgentAndOneAcceptList)
{
    FakeUpdateServer server("newer");
    TWinHttpClient client;
    ASSERT_TRUE(client.Get(Text(server.Address() + L"/update/check?id=7"), 256));
    std::vector<std::string> request = server.Requests().at(0);
    EXPECT_EQ(HeaderValue(request, "User-Agent"), "Quorvane/1.0");
    EXPECT_EQ(HeaderValue(request, "Accept"), "text/html, */*");
    const std::wstring host = server.Address().substr(7);
    EXPECT_EQ(HeaderValue(request, "Host"), std::string(host.begin(), host.end()));
}

TEST(WinHttpClientHeaders, AClosedPortIsAFailure)
{
    TWinHttpClient client;
    EXPECT_EQ(client.Get(Text(std::wstring(ClosedUpdateServer) + L"/update/check"), 256), std::nullopt);
}

// Leaves copies of a handle's value on the stack where the next calls' frames will lie, as the
// calls of an earlier test may.
__attribute__((noinline)) void LeaveOnTheStack(HANDLE handle)
{
    volatile HANDLE copies[16384];
    for (volatile HANDLE& copy : copies)
        copy = handle;
}

TEST(FakeUpdateServerProcess, StartingAndStoppingItClosesNoHandleOfTheTestProgram)
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    LeaveOnTheStack(event);
    { FakeUpdateServer server("newer"); }
    // Still this event, not closed and not a later handle given the same value.
    EXPECT_TRUE(SetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    CloseHandle(event);
}

// A window of this thread that receives the notice; the settings values of the check removed
// before and after, so every test starts as a new installation.
struct UpdateCheck : testing::Test {
    HWND window = nullptr;
    void SetUp() override
    {
        window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ForgetInstallation();
    }
    void TearDown() override
    {
        ForgetInstallation();
        DestroyWindow(window);
    }
    static void ForgetInstallation()
    {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Quorvane-cn\\1.0", L"InstallationId");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Quorvane-cn\\1.0", L"UpdateReported");
    }
    static std::optional<std::wstring> Value(const wchar_t* name)
    {
        wchar_t text[100] = L"";
        DWORD size = sizeof(text);
        if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quorvane-cn\\1.0", name, RRF_RT_ANY, nullptr, text, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return std::wstring(text);
    }
    static std::optional<DWORD> Marker()
    {
        DWORD marker = 0, size = sizeof(marker);
        if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quorvane-cn\\1.0", L"UpdateReported", RRF_RT_REG_DWORD, nullptr,
                         &marker, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return marker;
    }
    // Runs the thread's body here, so its notice is in this thread's queue when it returns.
    void Run(const FakeUpdateServer& server)
    {
        TCheckForUpdate(window, UpdateAddresses(Text(server.Address()))).Execute();
    }
    bool NoticePosted()
    {
        MSG msg{};
        bool posted = false;
        while (PeekMessageW(&msg, window, UM_USERMSG, UM_USERMSG, PM_REMOVE))
            posted = posted || (msg.wParam == UserMsgUpdateAvailable && msg.lParam == 0);
        return posted;
    }
    static std::string Id()
    {
        std::optional<std::wstring> id = Value(L"InstallationId");
        return id ? std::string(id->begin(), id->end()) : std::string();
    }
};

TEST_F(UpdateCheck, FirstStartKeepsARandomIdReportsOnceAndNotifies)
{
    FakeUpdateServer server("newer");
    Run(server);
    EXPECT_TRUE(NoticePosted());
    const std::string id = Id();
    ASSERT_TRUE(IsInstallationId(Text(std::wstring(id.begin(), id.end())))) << id;
    EXPECT_EQ(Marker(), 1u);
    std::vector<std::vector<std::string>> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0][0], "GET /update/check?id=" + id + " HTTP/1.1");
    EXPECT_EQ(requests[1][0], "GET /update/report?id=" + id + " HTTP/1.1");
    for (const auto& request : requests) {
        EXPECT_EQ(HeaderValue(request, "User-Agent"), "Quorvane/1.0");
        EXPECT_EQ(HeaderValue(request, "Accept"), "text/html, */*");
    }

    FakeUpdateServer second("newer");
    Run(second);
    EXPECT_TRUE(NoticePosted());
    requests = second.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0][0], "GET /update/check?id=" + id + " HTTP/1.1");
}

TEST_F(UpdateCheck, TwoInstallationsSendDifferentIds)
{
    FakeUpdateServer server("newer");
    Run(server);
    const std::string first = Id();
    ForgetInstallation();
    Run(server);
    EXPECT_NE(Id(), first);
    EXPECT_EQ(server.Requests().size(), 4u);
}

TEST_F(UpdateCheck, CurrentOrLowerVersionIsReportedButNotNotified)
{
    for (const char* answer : {"same", "lower"}) {
        ForgetInstallation();
        FakeUpdateServer server(answer);
        Run(server);
        EXPECT_FALSE(NoticePosted()) << answer;
        EXPECT_EQ(Marker(), 1u) << answer;
        EXPECT_EQ(server.Requests().size(), 2u) << answer;
    }
}

TEST_F(UpdateCheck, AFailedReportKeepsItsMarkerAndTheNextStartNotifies)
{
    FakeUpdateServer server("newer", "drop");
    Run(server);
    EXPECT_FALSE(NoticePosted());
    EXPECT_EQ(Marker(), 1u);
    EXPECT_EQ(server.Requests().size(), 2u);

    Run(server);
    EXPECT_TRUE(NoticePosted());
    EXPECT_EQ(server.Requests().size(), 3u);
}

TEST_F(UpdateCheck, AReportAnsweredWithAnyTwoHundredStatusAndBodyIsSentAndTheNoticeComes)
{
    for (const char* answer : {"okpage", "created", "nocontent"}) {
        ForgetInstallation();
        FakeUpdateServer server("newer", answer);
        Run(server);
        EXPECT_TRUE(NoticePosted()) << answer;
        EXPECT_EQ(Marker(), 1u) << answer;
        EXPECT_EQ(server.Requests().size(), 2u) << answer;
    }
}

class UpdateCheckFailure : public UpdateCheck, public testing::WithParamInterface<const char*> {};

TEST_P(UpdateCheckFailure, LeavesNoTrace)
{
    FakeUpdateServer server(GetParam());
    Run(server);
    EXPECT_FALSE(NoticePosted());
    EXPECT_EQ(Value(L"InstallationId"), std::nullopt);
    EXPECT_EQ(Marker(), std::nullopt);
    std::vector<std::vector<std::string>> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0][0].rfind("GET /update/check?id=", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Answers, UpdateCheckFailure,
                         testing::Values("crlf", "lowercase", "empty", "notfound", "error", "redirect", "long",
                                         "drop"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

TEST_F(UpdateCheck, AClosedPortLeavesNoTrace)
{
    TCheckForUpdate(window, UpdateAddresses(Text(ClosedUpdateServer))).Execute();
    EXPECT_FALSE(NoticePosted());
    EXPECT_EQ(Value(L"InstallationId"), std::nullopt);
    EXPECT_EQ(Marker(), std::nullopt);
}

TEST_F(UpdateCheck, StartRunsOnAThreadOfItsOwnAgainstTheServerOfTheVariable)
{
    FakeUpdateServer server("newer");
    SetUpdateServerVariable(server.Address().c_str());
    TCheckForUpdate::Start(window);
    SetUpdateServerVariable(nullptr);
    // Only the notice is taken from the queue while waiting: pumping would hand it to the window.
    MSG msg{};
    const DWORD start = GetTickCount();
    while (!PeekMessageW(&msg, window, UM_USERMSG, UM_USERMSG, PM_REMOVE) && GetTickCount() - start < 10000)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
    EXPECT_EQ(msg.message, UM_USERMSG);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(UserMsgUpdateAvailable));
    EXPECT_EQ(server.Requests().size(), 2u);
}

// The shell of the main window's answer, recording the pages it would open.
class RecordingShell : public TWin32Shell {
public:
    std::vector<String> Pages;
    void ShellOpen(std::uintptr_t, StringView target, int) override { Pages.emplace_back(target); }
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found)
{
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

struct UpdateQuestion : testing::TestWithParam<int> {};

TEST_P(UpdateQuestion, YesOpensTheDownloadPageNoOpensNothing)
{
    ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
    const TOsServices real = OsServices();
    RecordingShell browser;
    SetOsServices(WithDouble(real, browser));
    const int answer = GetParam();
    const DWORD guiThread = GetCurrentThreadId();
    std::atomic<bool> answered{false};
    std::wstring text, caption;
    std::thread user([&] {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 10000) {
            HWND box = nullptr;
            EnumThreadWindows(guiThread, FindVisibleDialog, reinterpret_cast<LPARAM>(&box));
            if (box) {
                wchar_t buffer[256] = L"";
                GetDlgItemTextW(box, 0xFFFF, buffer, 256);
                text = buffer;
                GetWindowTextW(box, buffer, 256);
                caption = buffer;
                PostMessageW(box, WM_COMMAND, answer, 0);
                answered = true;
                return;
            }
            Sleep(10);
        }
    });
    PostMessageW(FmMain->Handle(), UM_USERMSG, UserMsgUpdateAvailable, 0);
    EXPECT_TRUE(PumpUntil([&] { return answered.load(); }, 12000));
    user.join();
    SetOsServices(real);
    EXPECT_EQ(Text(text), UpdateMessage);
    EXPECT_EQ(Text(caption), ProgramName);
    if (answer == IDYES) {
        ASSERT_EQ(browser.Pages.size(), 1u);
        EXPECT_EQ(ToUtf8(browser.Pages[0]), "https://www.quorvane.com/download.htm");
    } else {
        EXPECT_TRUE(browser.Pages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, UpdateQuestion, testing::Values(IDYES, IDNO),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(info.param == IDYES ? "Yes" : "No");
                         });

} // namespace
