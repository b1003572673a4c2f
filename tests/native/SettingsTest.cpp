#include <gtest/gtest.h>

#include "FakeOs.h"
#include "core/Globals.h"
#include "settings/Settings.h"

namespace {

const String Key = SettingsKey;

TRegistryValue Integer(int v) { return {TRegistryType::Integer, v, {}}; }
TRegistryValue Text(String s) { return {TRegistryType::Text, 0, std::move(s)}; }
TRegistryValue Other() { return {TRegistryType::Other, 0, {}}; }

struct Settings : testing::Test {
    FakeOs os;
    std::vector<std::string> RegistryCalls() const
    {
        std::vector<std::string> calls;
        for (auto& c : os.Calls)
            if (c.find("Registry") != std::string::npos)
                calls.push_back(c);
        return calls;
    }
};

TEST_F(Settings, KeyAndInitialValues)
{
    EXPECT_EQ(ToUtf8(Key), "Software\\Quorvane-cn\\1.0");
    EXPECT_FALSE(AutoHide);
    EXPECT_TRUE(TurnOnHotkey && AutoCapture && AutoDelete);
    EXPECT_EQ(ClipboardMaxCount, 20);
    EXPECT_TRUE(CurrentLanguage.empty());
    EXPECT_EQ(MenuBarLeft, -1);
    EXPECT_FALSE(MenuBarLeftSaved);
    EXPECT_EQ(MenuBarTop, -1);
}

TEST_F(Settings, NoKeyReadsNothingAndCreatesNothing)
{
    LoadSettings();
    EXPECT_EQ(os.Calls, (std::vector<std::string>{"OpenRegistryKey Software\\Quorvane-cn\\1.0"}));
    EXPECT_TRUE(os.Registry.empty());
    EXPECT_EQ(ClipboardMaxCount, 20);
    EXPECT_FALSE(MenuBarLeftSaved);
}

TEST_F(Settings, LoadReadsTheValuesInOrderAndCloses)
{
    os.Registry[Key] = {{u"AutoHide", Integer(7)},          {u"TurnOnHotkey", Integer(0)},
                        {u"AutoCapture", Integer(0)},       {u"AutoDelete", Integer(0)},
                        {u"ClipboardMaxCount", Integer(3)}, {u"CurrentLanguage", Text(u"Deutsch")},
                        {u"MenuBarLeft", Integer(-40)},     {u"MenuBarTop", Integer(-23)}};
    LoadSettings();
    EXPECT_TRUE(AutoHide); // any non-zero value
    EXPECT_FALSE(TurnOnHotkey);
    EXPECT_FALSE(AutoCapture);
    EXPECT_FALSE(AutoDelete);
    EXPECT_EQ(ClipboardMaxCount, 3); // taken as stored; users of it bring it into range
    EXPECT_EQ(CurrentLanguage, u"Deutsch");
    EXPECT_TRUE(MenuBarLeftSaved);
    EXPECT_EQ(MenuBarLeft, -40);
    EXPECT_EQ(MenuBarTop, -23);
    EXPECT_EQ(os.Calls, (std::vector<std::string>{
                            "OpenRegistryKey Software\\Quorvane-cn\\1.0", "ReadRegistryValue AutoHide",
                            "ReadRegistryValue TurnOnHotkey", "ReadRegistryValue AutoCapture",
                            "ReadRegistryValue AutoDelete", "ReadRegistryValue ClipboardMaxCount",
                            "ReadRegistryValue CurrentLanguage", "ReadRegistryValue MenuBarLeft",
                            "ReadRegistryValue MenuBarTop", "CloseRegistryKey"}));
}

TEST_F(Settings, MissingValuesKeepTheirSettings)
{
    os.Registry[Key] = {{u"ClipboardMaxCount", Integer(50)}};
    AutoHide = true;
    LoadSettings();
    EXPECT_TRUE(AutoHide);
    EXPECT_EQ(ClipboardMaxCount, 50);
    EXPECT_FALSE(MenuBarLeftSaved);
    EXPECT_EQ(MenuBarLeft, -1);
}

TEST_F(Settings, AValueOfTheWrongTypeIsIgnoredAndLoadingGoesOn)
{
    os.Registry[Key] = {{u"AutoHide", Text(u"1")},           {u"TurnOnHotkey", Other()},
                        {u"ClipboardMaxCount", Text(u"50")}, {u"CurrentLanguage", Integer(4)},
                        {u"MenuBarLeft", Text(u"300")},      {u"MenuBarTop", Integer(0)}};
    EXPECT_NO_THROW(LoadSettings());
    EXPECT_FALSE(AutoHide);
    EXPECT_TRUE(TurnOnHotkey);
    EXPECT_EQ(ClipboardMaxCount, 20);
    EXPECT_TRUE(CurrentLanguage.empty());
    EXPECT_FALSE(MenuBarLeftSaved); // the bar is centred rather than put at an unusable place
    EXPECT_EQ(MenuBarLeft, -1);
    EXPECT_EQ(MenuBarTop, 0); // the values after a bad one are still read
    EXPECT_EQ(os.Calls.back(), "CloseRegistryKey");
}

TEST_F(Settings, SaveWritesTheEightValuesInOrderWithTheBarsPlace)
{
    AutoHide = true;
    AutoCapture = false;
    ClipboardMaxCount = 99999;
    CurrentLanguage = u"Default(English)";
    MenuBarLeft = 5; // the window's place is written, not the variable
    WriteSettings(412, -23);
    EXPECT_EQ(RegistryCalls(),
              (std::vector<std::string>{"OpenRegistryKey Software\\Quorvane-cn\\1.0 create",
                                        "WriteRegistryInteger AutoHide 1", "WriteRegistryInteger TurnOnHotkey 1",
                                        "WriteRegistryInteger AutoCapture 0", "WriteRegistryInteger AutoDelete 1",
                                        "WriteRegistryInteger ClipboardMaxCount 99999",
                                        "WriteRegistryText CurrentLanguage Default(English)",
                                        "WriteRegistryInteger MenuBarLeft 412",
                                        "WriteRegistryInteger MenuBarTop -23", "CloseRegistryKey"}));
    // What was written loads back.
    ResetGlobals();
    LoadSettings();
    EXPECT_TRUE(AutoHide);
    EXPECT_FALSE(AutoCapture);
    EXPECT_EQ(ClipboardMaxCount, 99999);
    EXPECT_EQ(CurrentLanguage, u"Default(English)");
    EXPECT_TRUE(MenuBarLeftSaved);
    EXPECT_EQ(MenuBarLeft, 412);
    EXPECT_EQ(MenuBarTop, -23);
}

TEST_F(Settings, SaveWithoutAKeyWritesNothingAndSaysNothing)
{
    os.FailRegistryOpen = true;
    EXPECT_NO_THROW(WriteSettings(0, 0));
    EXPECT_EQ(RegistryCalls(), (std::vector<std::string>{"OpenRegistryKey Software\\Quorvane-cn\\1.0 create"}));
}

TEST_F(Settings, AFailedWriteRaisesTheRegistryErrorAndClosesTheKey)
{
    os.Registry[Key];
    os.FailRegistryWrites = true;
    try {
        WriteSettings(0, 0);
        FAIL() << "no error";
    } catch (const EAppError& e) {
        EXPECT_EQ(e.Message(), u"Failed to set data for 'AutoHide'");
    }
    EXPECT_EQ(os.Calls.back(), "CloseRegistryKey");
}

TEST_F(Settings, ExtensionIsTheTextFromTheLastDotAfterTheLastSeparator)
{
    const std::pair<String, String> cases[] = {
        {u"Deutsch.ini", u"Deutsch"}, {u"a.b.ini", u"a.b"},  {u"NoExtension", u"NoExtension"},
        {u"dir.x\\name", u"dir.x\\name"}, {u"C:.ini", u"C:"}, {u"c:x.y:z", u"c:x.y:z"},
        {u".ini", u""},              {u" Deutsch .ini ", u" Deutsch "}, {u"", u""},
    };
    for (auto& [name, expected] : cases)
        EXPECT_EQ(WithoutExtension(name), expected) << ToUtf8(name);
}

TEST_F(Settings, DefaultLanguageIsTheFirstLineWithoutItsExtension)
{
    LanguagesFolder = u"C:\\Prog\\Languages";
    const String path = u"C:\\Prog\\Languages\\Default.txt";
    using Bytes = std::vector<std::uint8_t>;
    const struct {
        Bytes file;
        String expected;
        const char* what;
    } cases[] = {
        {Bytes{'D', 'e', '.', 'i', 'n', 'i', '\r', '\n', 'x'}, u"De", "ANSI, CRLF"},
        {Bytes{'F', 'r', '\n'}, u"Fr", "LF, no extension"},
        {Bytes{0xEF, 0xBB, 0xBF, 0xC3, 0xA9, '.', 'i', 'n', 'i'}, u"\u00E9", "UTF-8 with its mark"},
        {Bytes{0xFF, 0xFE, 'J', 0, 'a', 0, '.', 0, 'x', 0, '\r', 0}, u"Ja", "UTF-16 little endian"},
        {Bytes{0xFE, 0xFF, 0, 'K', 0, 'o'}, u"Ko", "UTF-16 big endian"},
        {Bytes{'\r', '\n', 'S', 'e', 'c'}, u"", "an empty first line is a line"},
        {Bytes{0xE9, 'x'}, u"\u00E9x", "ANSI bytes through the code page"},
        {Bytes{0xEF, 0xBB, 0xBF, 0xFF, 'a'}, u"\uFFFDa", "bad UTF-8 does not stop the reading"},
    };
    for (const auto& c : cases) {
        CurrentLanguage = u"unchanged";
        os.Files[path] = c.file;
        LoadDefaultLanguage();
        EXPECT_EQ(CurrentLanguage, c.expected) << c.what;
    }
}

TEST_F(Settings, MissingOrEmptyDefaultFileLeavesTheLanguage)
{
    LanguagesFolder = u"C:\\Prog\\Languages";
    CurrentLanguage = u"kept";
    LoadDefaultLanguage();
    EXPECT_EQ(CurrentLanguage, u"kept");
    os.Files[u"C:\\Prog\\Languages\\Default.txt"] = {};
    LoadDefaultLanguage();
    EXPECT_EQ(CurrentLanguage, u"kept");
    os.Files[u"C:\\Prog\\Languages\\Default.txt"] = {0xFF, 0xFE};
    LoadDefaultLanguage();
    EXPECT_EQ(CurrentLanguage, u"kept");
}

TEST_F(Settings, ARegistryLanguageWinsOverTheDefaultFile)
{
    LanguagesFolder = u"L";
    os.Files[u"L\\Default.txt"] = {'F', 'r', '.', 'i', 'n', 'i'};
    os.Registry[Key] = {{u"CurrentLanguage", Text(u"Deutsch")}};
    LoadDefaultLanguage();
    EXPECT_EQ(CurrentLanguage, u"Fr");
    LoadSettings();
    EXPECT_EQ(CurrentLanguage, u"Deutsch");
}

} // namespace
