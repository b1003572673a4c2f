#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "FileDialogWindows.h"
#include "UserState.h"
#include "core/DataFile.h"
#include "core/NodeKinds.h"
#include "core/OsServices.h"
#include "organize/ImportExport.h"
#include "organize/win32/Win32FileDialogs.h"

namespace {

// The file dialog, or another dialog such as its question, of this process.
HWND OwnDialogNow(bool fileDialog) { return FindDialogNow(GetCurrentProcessId(), fileDialog); }
HWND WaitForOwnDialog(bool fileDialog) { return WaitForDialog(GetCurrentProcessId(), fileDialog); }

// Acts on the dialogs from another thread, as a user would, while the test's thread runs them.
class DialogUser {
public:
    using Step = std::function<bool()>;
    explicit DialogUser(std::vector<Step> steps) : thread_([this, steps] { Run(steps); }) {}
    ~DialogUser() { Failed(); }
    // Waits until the user is done; true when a step found no dialog to act on, or a dialog was
    // still open long after the last step.
    bool Failed()
    {
        done_ = true;
        if (thread_.joinable())
            thread_.join();
        return failed_;
    }

    // Types text into the file-name box and presses the OK button.
    static Step Type(const std::wstring& text)
    {
        return [text] {
            HWND dialog = WaitForOwnDialog(true);
            HWND box = dialog ? FileNameBox(dialog) : nullptr;
            if (!box)
                return false;
            SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            // The next step's text, sent, would overtake the posted OK.
            return PostAndWaitUntilHandled(dialog, IDOK);
        };
    }
    static Step Cancel()
    {
        return [] {
            HWND dialog = WaitForOwnDialog(true);
            return dialog && PostAndWaitUntilGone(dialog, IDCANCEL);
        };
    }
    // Notes what the file dialog shows: "sizable", "read-only box" when that is visible, and the
    // chosen file type.
    static Step Look(std::wstring* seen)
    {
        return [seen] {
            HWND dialog = WaitForOwnDialog(true);
            if (!dialog)
                return false;
            if (GetWindowLongPtrW(dialog, GWL_STYLE) & WS_THICKFRAME)
                *seen += L"sizable|";
            HWND readOnly = GetDlgItem(dialog, chx1);
            if (readOnly && IsWindowVisible(readOnly))
                *seen += L"read-only box|";
            wchar_t type[256] = L"";
            GetWindowTextW(GetDlgItem(dialog, cmb1), type, 256);
            *seen += type;
            return true;
        };
    }
    // Answers the dialog's question (the overwrite question) with the button id.
    static Step Answer(int button, std::wstring* text)
    {
        return [button, text] {
            HWND question = WaitForOwnDialog(false);
            if (!question)
                return false;
            for (HWND child = GetWindow(question, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                wchar_t words[512] = L"";
                GetWindowTextW(child, words, 512);
                *text += std::wstring(words) + L"|";
            }
            return PostAndWaitUntilGone(question, button);
        };
    }

private:
    // Presses a button of the dialog and waits until the dialog has handled it: it takes a paint
    // only when no posted message waits for it.
    // The first dialog of a new Wine prefix can take more than ten seconds to show a folder, as it
    // can to open, so a step waits as long as the dialog's opening may take.
    static constexpr int StepWaits = 6000; // of 10 ms
    static bool PostAndWaitUntilHandled(HWND dialog, int button)
    {
        if (!PostMessageW(dialog, WM_COMMAND, button, 0))
            return false;
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE);
        for (int i = 0; i < StepWaits && IsWindow(dialog) && GetUpdateRect(dialog, nullptr, FALSE); ++i)
            Sleep(10);
        return !IsWindow(dialog) || !GetUpdateRect(dialog, nullptr, FALSE);
    }
    // Presses a button of the dialog; the next step acts only once the dialog is gone.
    static bool PostAndWaitUntilGone(HWND dialog, int button)
    {
        if (!PostMessageW(dialog, WM_COMMAND, button, 0))
            return false;
        for (int i = 0; i < StepWaits && IsWindow(dialog); ++i)
            Sleep(10);
        return !IsWindow(dialog);
    }

    void Run(const std::vector<Step>& steps)
    {
        for (const Step& step : steps)
            if (!step()) {
                failed_ = true;
                break;
            }
        // A dialog the steps did not end would keep the test's thread forever.
        for (int i = 0; i < 1000 && !done_; ++i)
            Sleep(10);
        while (!done_) {
            failed_ = true;
            for (bool fileDialog : {false, true})
                if (HWND dialog = OwnDialogNow(fileDialog))
                    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            Sleep(100);
        }
    }

    std::atomic<bool> done_{false};
    std::atomic<bool> failed_{false};
    std::thread thread_;
};

struct FileDialogs : testing::Test {
    TWin32FileDialogs dialogs{nullptr};
    std::wstring folder;

    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"QuorvaneFileDialogsTest";
        DeleteTree(folder);
        CreateDirectoryW(folder.c_str(), nullptr);
        for (const wchar_t* name : {L"a.txt", L"b.qvn", L"old.qvn"})
            CloseHandle(CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    void TearDown() override { DeleteTree(folder); }

    String Path(const wchar_t* name) const
    {
        const std::wstring path = folder + L"\\" + name;
        return String(path.begin(), path.end());
    }
};

TEST_F(FileDialogs, OpenReturnsOneTypedFileByItsFullPath)
{
    std::wstring seen;
    DialogUser user({DialogUser::Look(&seen), DialogUser::Type(folder + L"\\a.txt")});
    EXPECT_EQ(dialogs.OpenFiles(ImportFilter), std::vector<String>{Path(L"a.txt")});
    EXPECT_FALSE(user.Failed());
    EXPECT_EQ(seen, L"sizable|All file(*.txt;*.qvn)");
}

TEST_F(FileDialogs, OpenTakesOnlyExistingFiles)
{
    std::wstring question;
    DialogUser user({DialogUser::Type(folder + L"\\missing.txt"), DialogUser::Answer(IDOK, &question),
                     DialogUser::Cancel()});
    EXPECT_TRUE(dialogs.OpenFiles(ImportFilter).empty());
    EXPECT_FALSE(user.Failed());
    EXPECT_FALSE(question.empty());
}

TEST_F(FileDialogs, OpenReturnsSeveralFilesOfOneFolder)
{
    DialogUser user({DialogUser::Type(folder), DialogUser::Type(L"\"b.qvn\" \"a.txt\"")});
    std::vector<String> files = dialogs.OpenFiles(ImportFilter);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<String>{Path(L"a.txt"), Path(L"b.qvn")}));
    EXPECT_FALSE(user.Failed());
}

TEST_F(FileDialogs, CancelReturnsNothing)
{
    DialogUser user({DialogUser::Cancel(), DialogUser::Cancel()});
    EXPECT_TRUE(dialogs.OpenFiles(ImportFilter).empty());
    EXPECT_FALSE(dialogs.SaveFile(u"name", u"qvn", SnippetFileFilter));
    EXPECT_FALSE(user.Failed());
}

TEST_F(FileDialogs, SaveAddsTheDefaultExtension)
{
    std::wstring seen;
    DialogUser user({DialogUser::Look(&seen), DialogUser::Type(folder + L"\\new")});
    EXPECT_EQ(dialogs.SaveFile(u"Proposed", u"qvn", SnippetFileFilter), Path(L"new.qvn"));
    EXPECT_FALSE(user.Failed());
    EXPECT_EQ(seen, L"sizable|Quorvane data files (*.qvn)");
}

TEST_F(FileDialogs, SaveAsksBeforeReplacingAFile)
{
    std::wstring question;
    DialogUser user({DialogUser::Type(folder + L"\\old.qvn"), DialogUser::Answer(IDNO, &question),
                     DialogUser::Type(folder + L"\\old"), DialogUser::Answer(IDYES, &question)});
    EXPECT_EQ(dialogs.SaveFile(u"x", u"qvn", SnippetFileFilter), Path(L"old.qvn"));
    EXPECT_FALSE(user.Failed());
    EXPECT_NE(question.find(L"replace"), std::wstring::npos) << std::string(question.begin(), question.end());
}

TEST_F(FileDialogs, NameThatCannotBeAFileNameIsNotProposed)
{
    DialogUser user({DialogUser::Type(folder + L"\\fine")});
    EXPECT_EQ(dialogs.SaveFile(u"a<b>:c|d", u"txt", TextFileFilter), Path(L"fine.txt"));
    EXPECT_FALSE(user.Failed());
}

// Export and import on the real file system through the real dialogs, as the Organize window
// runs them.
TEST_F(FileDialogs, ExportedFolderAndTextComeBackThroughTheDialogs)
{
    TTreeNodes items;
    TTreeNode* root = items.AddChild(nullptr, u"root");
    TTreeNode* menu = items.AddChild(root, u"Menu");
    TTreeNode* saved = items.AddChild(menu, u"Folder");
    saved->ImageIndex = nkFolder;
    TTreeNode* hot = items.AddChild(saved, u"Hot");
    hot->ImageIndex = nkMessage;
    hot->StateIndex = 0x4041;
    hot->Data = u"one\r\ntwo \u00E9";
    const std::vector<std::uint8_t> folderFile = ItemsSnippetFile({saved});

    DialogUser saving({DialogUser::Type(folder + L"\\out")});
    ExportFiles(dialogs, {TOrgPane::List, menu, {saved}});
    EXPECT_FALSE(saving.Failed());
    EXPECT_EQ(OsFiles().ReadWholeFile(Path(L"out.qvn")), folderFile);

    // A text file of UTF-16 with lone LF breaks, as another program may write it.
    const std::vector<std::uint8_t> text = {0xFE, 0xFF, 0, 'h', 0, 'i', 0, '\n', 0, '!'};
    OsFiles().WriteWholeFile(Path(L"Note.TXT"), text);
    TTreeNode* target = items.AddChild(root, u"Other");
    int refreshed = 0;
    DialogUser opening({DialogUser::Type(folder), DialogUser::Type(L"\"Note.TXT\" \"out.qvn\" \"a.txt\"")});
    ImportFiles(dialogs, target, [&] { ++refreshed; });
    EXPECT_FALSE(opening.Failed());
    EXPECT_EQ(refreshed, 1);
    ASSERT_EQ(target->Count(), 3);
    std::vector<String> names;
    for (int i = 0; i < target->Count(); ++i)
        names.push_back(target->Item(i)->Text);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<String>{u"Folder", u"Note", u"a"}));
    for (int i = 0; i < target->Count(); ++i) {
        const TTreeNode* node = target->Item(i);
        if (node->Text == u"Note") {
            EXPECT_EQ(node->Data, u"hi\r\n!");
        } else if (node->Text == u"Folder") {
            EXPECT_EQ(ItemsSnippetFile({node}), folderFile);
        }
    }
}

} // namespace
