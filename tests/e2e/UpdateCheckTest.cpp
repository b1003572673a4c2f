#include <gtest/gtest.h>

#include "Driver.h"

#include <tlhelp32.h>

#include "FakeUpdateServer.h"
#include "UserInput.h"

namespace {

const wchar_t Question[] = L"Quorvane has updated to a new version. Do you want to download now?";

struct UpdateCheckAtStart : testing::Test {
    void SetUp() override { CleanUserState(); }
    static std::string Id()
    {
        std::optional<std::wstring> id = SettingsString(L"InstallationId");
        return id ? std::string(id->begin(), id->end()) : std::string();
    }
    // The question box, once it shows; its text in text.
    static HWND WaitForQuestion(const QuorvaneProcess& quorvane, std::wstring& text)
    {
        HWND box = nullptr;
        WaitFor([&] { return (box = FindMessageBox(quorvane.Id(), &text)) != nullptr; });
        return box;
    }
};

TEST_F(UpdateCheckAtStart, ANewerVersionAsksTheUserAndNoClosesTheQuestion)
{
    FakeUpdateServer server("newer");
    QuorvaneProcess quorvane(server.Address().c_str());
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    std::wstring text;
    HWND box = WaitForQuestion(quorvane, text);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(text.find(Question), std::wstring::npos);
    wchar_t caption[64] = L"";
    GetWindowTextW(box, caption, 64);
    EXPECT_STREQ(caption, L"Quorvane");
    HWND no = FindChild(box, L"Button", L"&No");
    ASSERT_NE(no, nullptr);
    EXPECT_NE(FindChild(box, L"Button", L"&Yes"), nullptr);

    // The report came before the notice, with the identifier kept in the settings.
    const std::string id = Id();
    std::vector<std::vector<std::string>> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0][0], "GET /update/check?id=" + id + " HTTP/1.1");
    EXPECT_EQ(requests[1][0], "GET /update/report?id=" + id + " HTTP/1.1");
    EXPECT_EQ(id.size(), 32u);
    EXPECT_EQ(SettingsDword(L"UpdateReported"), 1u);

    RECT button = ScreenRect(no);
    ClickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    EXPECT_TRUE(quorvane.Alive());
    EXPECT_TRUE(IsWindowVisible(quorvane.Window(L"TFmMenuBar")));
    EXPECT_EQ(FindMessageBox(quorvane.Id()), nullptr);
}

TEST_F(UpdateCheckAtStart, TheSecondStartSendsNoReport)
{
    std::string id;
    {
        FakeUpdateServer server("newer");
        QuorvaneProcess first(server.Address().c_str());
        std::wstring text;
        ASSERT_NE(WaitForQuestion(first, text), nullptr);
        ASSERT_EQ(server.Requests().size(), 2u);
        id = Id();
    }
    FakeUpdateServer server("newer");
    QuorvaneProcess second(server.Address().c_str());
    std::wstring text;
    ASSERT_NE(WaitForQuestion(second, text), nullptr);
    std::vector<std::vector<std::string>> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0][0], "GET /update/check?id=" + id + " HTTP/1.1");
}

// The threads of a process; under Wine an idle Quorvane has its GUI thread only.
int ThreadCount(DWORD process)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == process;
    CloseHandle(snapshot);
    return count;
}

TEST_F(UpdateCheckAtStart, TheCurrentVersionShowsNothing)
{
    FakeUpdateServer server("same");
    QuorvaneProcess quorvane(server.Address().c_str());
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    ASSERT_TRUE(server.WaitForRequests(2));
    EXPECT_EQ(SettingsDword(L"UpdateReported"), 1u);
    // Once the update thread has ended, a notice of it would be queued before a tray click posted
    // now; when the click's menu shows, the question would show too.
    ASSERT_TRUE(WaitFor([&] { return ThreadCount(quorvane.Id()) == 1; }));
    PostMessageW(quorvane.Window(L"TFmMain"), WM_APP + 100, 1, WM_RBUTTONUP);
    ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(quorvane.Id()) != nullptr; }));
    EXPECT_EQ(FindMessageBox(quorvane.Id()), nullptr);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return OpenPopupMenu(quorvane.Id()) == nullptr; }));
    EXPECT_EQ(server.Requests().size(), 2u);
}

} // namespace
