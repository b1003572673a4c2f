#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DataFileFixture.h"
#include "Driver.h"
#include "UserForm.h"

namespace {

// The messages of the collection under test, with their hotkeys.
constexpr int FillHotkey = CtrlHotkey | VK_F7;
constexpr int DateHotkey = CtrlHotkey | VK_F8;
constexpr int AltHotkey = AltHotkeyBit | VK_F9;
constexpr int PlainHotkey = CtrlHotkey | VK_F6;

std::wstring ShortDate()
{
    wchar_t text[128] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 128);
    return text;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class HotkeyPaste : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CleanUserState();
        const std::vector<RecordSpec> messages = {
            {2, 4, FillHotkey, u"Fill", u"John<^K=09>Doe<^K=0D>"},
            {2, 4, DateHotkey, u"Date", u"<^date>"},
            {2, 4, AltHotkey, u"Alt", u"after alt"},
            {2, 4, PlainHotkey, u"Plain", u"plain"},
        };
        WriteFileBytes(DataFilePath(), DataFileBytes({}, {{}, messages}));
        quorvane = new QuorvaneProcess;
        started = quorvane->WaitUntilStarted();
        form = new UserForm;
    }
    static void TearDownTestSuite()
    {
        delete form;
        delete quorvane;
        form = nullptr;
        quorvane = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(started);
        form->StartOver();
    }
    void TearDown() override { EXPECT_FALSE(form->focusLeft) << "the focus left the user's form"; }

    static QuorvaneProcess* quorvane;
    static bool Wait(const std::function<bool()>& done, int timeoutMs) { return form->Wait(done, timeoutMs); }

    static UserForm* form;
    static bool started;
};
QuorvaneProcess* HotkeyPaste::quorvane = nullptr;
UserForm* HotkeyPaste::form = nullptr;
bool HotkeyPaste::started = false;

TEST_F(HotkeyPaste, OneMessageFillsTwoFieldsAndSubmits)
{
    PressHotkey(FillHotkey);
    EXPECT_TRUE(form->PumpUntil([] { return form->submitted > 0; }));
    // The last piece is empty: it is pasted once the clipboard holds no text.
    EXPECT_TRUE(form->PumpUntil(ClipboardHolds(u"")));
    ASSERT_TRUE(WaitUntilHandled(Wait));
    EXPECT_EQ(Narrow(UserForm::Text(form->first)), "John");
    EXPECT_EQ(Narrow(UserForm::Text(form->second)), "Doe");
    EXPECT_EQ(form->submitted, 1);
}

TEST_F(HotkeyPaste, TheDateMacroIsTheUsersShortDate)
{
    PressHotkey(DateHotkey);
    EXPECT_TRUE(form->PumpUntil([] { return !UserForm::Text(form->first).empty(); }));
    EXPECT_EQ(Narrow(UserForm::Text(form->first)), Narrow(ShortDate()));
}

TEST_F(HotkeyPaste, AnAltHotkeyPastesOnlyAfterAltIsReleased)
{
    PressHotkey(AltHotkey, false);
    ASSERT_TRUE(WaitUntilHandled(Wait));
    // The program watches the Alt key from a timer: the user's hand holds it a while.
    form->Pump(400);
    ASSERT_TRUE(WaitUntilHandled(Wait));
    EXPECT_EQ(Narrow(UserForm::Text(form->first)), "");
    Key(VK_MENU, true);
    EXPECT_TRUE(form->PumpUntil([] { return !UserForm::Text(form->first).empty(); }, 2000));
    EXPECT_EQ(Narrow(UserForm::Text(form->first)), "after alt");
}

// Every press pastes (the press-to-text time beside a bare paste is one of the benchmarks).
TEST_F(HotkeyPaste, EveryPressPastes)
{
    for (int press = 0; press < 15; ++press) {
        form->StartOver();
        PressHotkey(PlainHotkey);
        EXPECT_TRUE(form->PumpUntil([] { return UserForm::Text(form->first) == L"plain"; }, 3000)) << press;
    }
}

} // namespace
