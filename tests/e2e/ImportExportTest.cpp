// Import and export as a user does them: in the Organize window, through the system's file
// dialogs, typing the full path into their file-name box.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "DataFileFixture.h"
#include "Driver.h"
#include "FileDialogWindows.h"
#include "UserInput.h"
#include "UserState.h"

namespace {

// A menu holding a message and, last, a folder with a message with a hotkey and a folder inside.
const std::vector<RecordSpec> Snips = {
    {2, 4, 0, u"Alpha", u"alpha text"},
    {2, 6, 0, u"Box", u""},
    {3, 4, 0x6071, u"Hot", u"hot text"},
    {3, 6, 0, u"Inner", u""},
    {4, 4, 0, u"Deep", u"deep\r\ntext"},
};

Bytes SnipsFile() { return DataFileBytes({u"Snips"}, {{}, {}, Snips}); }

// The folder Box as the list exports it: its own record, then what it holds.
Bytes BoxSnippetFile()
{
    Bytes file = DataFileHeader();
    for (std::size_t i = 1; i < Snips.size(); ++i)
        AppendRecord(file, Snips[i]);
    return file;
}

std::wstring TempPath(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
}

struct ImportExportAsUserDoesIt : testing::Test {
    std::wstring exported = TempPath(L"QuorvaneBox.qvn");
    std::wstring truncated = TempPath(L"QuorvaneTruncated.qvn");

    void SetUp() override
    {
        CleanUserState();
        DeleteFileW(exported.c_str());
        DeleteFileW(truncated.c_str());
        MoveMouseTo(640, 700);
        WriteFileBytes(DataFilePath(), SnipsFile());
    }
    void TearDown() override
    {
        DeleteFileW(exported.c_str());
        DeleteFileW(truncated.c_str());
    }

    // Opens the Organize window from the Organize... row of the Snips menu.
    static HWND OpenOrganize(const QuorvaneProcess& quorvane)
    {
        const POINT label =
            BarLabelCentre(ScreenRect(quorvane.Window(L"TFmMenuBar")).left, {L"Manage", L"Clipboards", L"Messages", L"Snips"}, 3);
        HWND menu = quorvane.Window(L"TFmMenu");
        ClickAt(label.x, label.y);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(menu) != FALSE; }, 3000));
        const RECT r = ScreenRect(menu);
        ClickAt(r.left + 40, r.top + 2 + 22 + 11); // the Organize... row
        HWND org = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            org = quorvane.Window(L"TFmOrg");
            return org && IsWindowVisible(org) && GetForegroundWindow() == org;
        }, 5000));
        return org;
    }

    // Clicks the command button at slot (0 New Menu ... 9 Close) of the window's button column.
    static void ClickButton(HWND org, int slot)
    {
        static const int spaceBelow[] = {8, 8, 20, 8, 8, 8, 20, 8, 20, 0};
        RECT client{};
        GetClientRect(org, &client);
        POINT p{client.right - 8 - 107 / 2, 8 + 25 / 2};
        for (int i = 0; i < slot; ++i)
            p.y += 25 + spaceBelow[i];
        ClientToScreen(org, &p);
        ClickAt(p.x, p.y);
    }

    // Types the full path into the open file dialog's file-name box and presses Enter.
    static bool ChooseFile(const QuorvaneProcess& quorvane, const std::wstring& path)
    {
        HWND dialog = WaitForDialog(quorvane.Id(), true);
        if (!dialog)
            return false;
        HWND box = FileNameBox(dialog);
        const RECT r = ScreenRect(box);
        ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PressKey(VK_END);
        PressKeys({VK_SHIFT, VK_HOME});
        TypeText(path);
        PressKey(VK_RETURN);
        return WaitFor([&] { return !IsWindow(dialog); }, 5000);
    }

    // Clicks the list's second item, the folder Box: the list has the focus and only Box selected.
    static void SelectBoxInTheList(HWND org)
    {
        HWND list = FindWindowExW(org, nullptr, WC_LISTVIEWW, nullptr);
        RECT client{};
        GetClientRect(list, &client);
        const auto perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
        const int rowHeight = perPage > 0 ? client.bottom / perPage : 0;
        POINT p{40, rowHeight + rowHeight / 2};
        ClientToScreen(list, &p);
        ClickAt(p.x, p.y);
        EXPECT_TRUE(WaitFor([&] { return SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) == 1; }, 3000));
    }
};

TEST_F(ImportExportAsUserDoesIt, AnExportedFolderDeletedAndImportedComesBackWhole)
{
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    HWND org = OpenOrganize(quorvane);
    ASSERT_TRUE(org);

    HWND tree = FindWindowExW(org, nullptr, WC_TREEVIEWW, nullptr);
    HWND list = FindWindowExW(org, nullptr, WC_LISTVIEWW, nullptr);
    const auto treeCount = [&] { return SendMessageW(tree, TVM_GETCOUNT, 0, 0); };
    const auto listCount = [&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); };
    const LRESULT shownItems = treeCount();
    ASSERT_EQ(listCount(), 2); // Alpha, Box

    SelectBoxInTheList(org);
    ClickButton(org, 8); // Export...
    ASSERT_TRUE(ChooseFile(quorvane, exported));
    ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(exported) == BoxSnippetFile(); }, 3000));

    ClickButton(org, 5); // Delete
    std::wstring question;
    ASSERT_TRUE(WaitFor([&] { return FindMessageBox(quorvane.Id(), &question) != nullptr; }, 3000));
    PressKey('Y');
    ASSERT_TRUE(WaitFor([&] { return FindMessageBox(quorvane.Id()) == nullptr; }, 3000));
    EXPECT_EQ(listCount(), 1);
    EXPECT_EQ(treeCount(), shownItems - 2); // Box and Inner

    ClickButton(org, 7); // Import...
    ASSERT_TRUE(ChooseFile(quorvane, exported));
    EXPECT_TRUE(WaitFor([&] { return listCount() == 2 && treeCount() == shownItems; }, 3000));
    EXPECT_FALSE(FindMessageBox(quorvane.Id()));

    ClickButton(org, 9); // Close: the data file is written
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(DataFilePath()) == SnipsFile(); }, 5000));
}

TEST_F(ImportExportAsUserDoesIt, ATruncatedSnippetFileAddsNothingAndSaysSo)
{
    Bytes file = BoxSnippetFile();
    file.resize(file.size() - 3);
    WriteFileBytes(truncated, file);

    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    HWND org = OpenOrganize(quorvane);
    ASSERT_TRUE(org);

    ClickButton(org, 7); // Import...
    ASSERT_TRUE(ChooseFile(quorvane, truncated));
    std::wstring text;
    ASSERT_TRUE(WaitFor([&] { return FindMessageBox(quorvane.Id(), &text) != nullptr; }, 3000));
    EXPECT_NE(text.find(L"Cannot import \"" + truncated + L"\": the file is damaged."), std::wstring::npos);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return FindMessageBox(quorvane.Id()) == nullptr; }, 3000));

    ClickButton(org, 9); // Close
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(org); }, 5000));
    ASSERT_TRUE(WaitUntilHandled());
    EXPECT_EQ(ReadFileBytes(DataFilePath()), SnipsFile());
}

} // namespace
