#include <gtest/gtest.h>

#include <string>

#include "Driver.h"
#include "UserInput.h"

namespace {

// The languages folder beside the program.
std::wstring LanguagesFolder()
{
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Languages";
}

std::wstring TemplatePath() { return LanguagesFolder() + L"\\Enlish(Program).ini"; }

// The bar's width when its labels read these texts: 7 + (text + 10 per label) + 7.
int BarWidthFor(std::initializer_list<const wchar_t*> labels)
{
    int width = 7 + 7;
    for (const wchar_t* label : labels)
        width += MenuFontTextWidth(label) + 10;
    return width;
}

// The first lines of a UTF-16 LE file after its byte-order mark.
std::vector<std::wstring> FirstLines(const std::vector<unsigned char>& bytes, size_t count)
{
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8);
    std::vector<std::wstring> lines;
    for (size_t start = 0; lines.size() < count && start < text.size();) {
        const size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::wstring::npos ? text.size() : end + 2;
    }
    return lines;
}

struct LanguageTemplate : testing::Test {
    void SetUp() override
    {
        CleanUserState();
        DeleteTree(LanguagesFolder());
        const std::wstring value = L"getdefaultenglish";
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Quorvane-cn\\1.0", L"CurrentLanguage", REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    void TearDown() override
    {
        DeleteTree(LanguagesFolder());
        CleanUserState();
    }
};

TEST_F(LanguageTemplate, AStartInTemplateModeWritesTheEnglishTemplate)
{
    ASSERT_TRUE(CreateDirectoryW(LanguagesFolder().c_str(), nullptr));
    QuorvaneProcess quorvane;
    ASSERT_TRUE(quorvane.WaitUntilStarted());
    EXPECT_EQ(FindMessageBox(quorvane.Id()), nullptr);
    const std::vector<unsigned char> bytes = ReadFileBytes(TemplatePath());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(FirstLines(bytes, 3), (std::vector<std::wstring>{L"//Program", L"Program/Name=Quorvane",
                                                               L"Program/UpdateMessage=Quorvane has updated to a new "
                                                               L"version. Do you want to download now?"}));
    const std::string text(bytes.begin(), bytes.end());
    for (const char* section : {"//MainMenu", "//OptionsWindow", "//PopupMenu"}) {
        std::string wide;
        for (const char* p = section; *p; ++p)
            wide += std::string{*p, '\0'};
        EXPECT_NE(text.find(wide), std::string::npos) << section;
    }
    // The shown texts come from the built-in table: the labels read Manage, Clipboards, Messages.
    const RECT bar = ScreenRect(quorvane.Window(L"TFmMenuBar"));
    EXPECT_EQ(bar.right - bar.left, BarWidthFor({L"Manage", L"Clipboards", L"Messages"}));
    // The Options window exists for the template, never shown.
    HWND options = quorvane.Window(L"TFmOptions");
    ASSERT_NE(options, nullptr);
    EXPECT_FALSE(IsWindowVisible(options));
    EXPECT_TRUE(WaitFor([&] { return quorvane.TrayIconPresent(); }));
}

TEST_F(LanguageTemplate, ATemplateThatCannotBeWrittenIsReportedAndTheProgramStarts)
{
    const struct {
        const char* what;
        bool folder;
    } cases[] = {{"no languages folder", false}, {"a folder in the template's place", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteTree(LanguagesFolder());
        if (c.folder) {
            CreateDirectoryW(LanguagesFolder().c_str(), nullptr);
            CreateDirectoryW(TemplatePath().c_str(), nullptr);
        }
        QuorvaneProcess quorvane;
        std::wstring text;
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(quorvane.Id(), &text)) != nullptr; }));
        EXPECT_NE(text.find(L"Enlish(Program).ini"), std::wstring::npos) << std::string(text.begin(), text.end());
        HWND ok = FindChild(box, L"Button");
        ASSERT_NE(ok, nullptr);
        SendMessageW(ok, BM_CLICK, 0, 0);
        ASSERT_TRUE(quorvane.WaitUntilStarted());
        EXPECT_TRUE(WaitFor([&] { return quorvane.TrayIconPresent(); }));
        const RECT bar = ScreenRect(quorvane.Window(L"TFmMenuBar"));
        EXPECT_EQ(bar.right - bar.left, BarWidthFor({L"Manage", L"Clipboards", L"Messages"}));
        EXPECT_EQ(c.folder, PathExists(LanguagesFolder())); // nothing creates the folder
    }
}

} // namespace
