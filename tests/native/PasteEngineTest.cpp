#include <gtest/gtest.h>

#include "FakeOs.h"
#include "core/Globals.h"
#include "core/PasteEngine.h"

namespace {

using Calls = std::vector<std::string>;

// TimerTabPaste as the engine drives it, writing into the same record as the OS calls.
struct FakeTabPasteTimer : ITabPasteTimer {
    explicit FakeTabPasteTimer(Calls& calls) : calls(calls) {}
    void Restart(unsigned ms) override
    {
        calls.push_back("Timer " + std::to_string(ms));
        running = true;
    }
    void Stop() override
    {
        calls.push_back("Timer off");
        running = false;
    }
    Calls& calls;
    bool running = false;
};

// Clipboard write and Ctrl+V (the fake's scan code of a key is the key + 100).
Calls Paste(const std::string& text)
{
    return {"Clipboard \"" + text + "\"", "Key 17 117 down", "Key 86 186 down", "Key 86 186 up", "Key 17 117 up"};
}
// The blocking wait and the macro key, without scan code.
Calls Press(int key) { return {"Sleep 50", "Key " + std::to_string(key) + " 0 down", "Key " + std::to_string(key) + " 0 up"}; }
const Calls Tick = {"Timer off"};
const Calls Rearm = {"Timer 50"};
Calls Error(const std::string& text) { return {"Error " + text}; }

Calls Join(std::initializer_list<Calls> parts)
{
    Calls all;
    for (auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct PasteEngine : testing::Test {
    FakeOs os;
    FakeTabPasteTimer timer{os.Calls};

    void SetUp() override { TabPasteTimer = &timer; }
    void TearDown() override { TabPasteTimer = nullptr; }

    // A call of PasteMessageText and then the ticks of TimerTabPaste until it stays off; errors
    // end up in the record as the default error box would show them.
    void Type(const std::u16string& text)
    {
        Guard([&] { PasteMessageText(text); });
        for (int ticks = 0; timer.running && ticks < 100; ++ticks)
            Guard([] { SendNextPastePiece(); });
    }
    void Guard(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const EAppError& e) {
            os.Calls.push_back("Error " + ToUtf8(e.Message()));
        }
    }
};

TEST_F(PasteEngine, SequencesOfTheSystemCalls)
{
    const struct {
        const char* what;
        std::u16string content;
        Calls calls;
        std::u16string pending;
    } cases[] = {
        {"plain text at once", u"Hello", Paste("Hello"), u""},
        {"empty message", u"", Paste(""), u""},
        {"date and time in any letter case", u"D=<^date> T=<^TiMe> <^DATE>",
         Paste("D=24.12.2024 T=18:05:09 24.12.2024"), u""},
        {"lower-case k is literal", u"a<^k=09>b", Paste("a<^k=09>b"), u""},
        {"one character before >", u"a<^K=9>b<^K=09>c", Paste("a<^K=9>b<^K=09>c"), u""},
        {"prefix within the last six", u"abc<^K=0", Paste("abc<^K=0"), u""},
        {"worked example", u"John<^K=09>Doe<^K=0D>",
         Join({Rearm, Tick, Paste("John"), Press(9), Rearm, Tick, Paste("Doe"), Press(13), Rearm, Tick, Paste("")}),
         u""},
        {"lower-case hex digits", u"x<^K=0d>", Join({Rearm, Tick, Paste("x"), Press(13), Rearm, Tick, Paste("")}),
         u""},
        {"begins with a key macro", u"<^K=09>x", Join({Rearm, Tick, Paste(""), Press(9), Rearm, Tick, Paste("x")}),
         u"x"},
        {"adjacent key macros", u"<^K=09><^K=0D>",
         Join({Rearm, Tick, Paste(""), Press(9), Rearm, Tick, Paste(""), Press(13), Rearm, Tick, Paste("")}), u""},
        {"date and time fixed at the call", u"<^Date><^K=41><^TIME>",
         Join({Rearm, Tick, Paste("24.12.2024"), Press(0x41), Rearm, Tick, Paste("18:05:09")}), u"18:05:09"},
        {"malformed first key macro sends nothing", u"ab<^K=zz>cd",
         Join({Rearm, Tick, Error("''$zz'' is not a valid integer value")}), u"ab<^K=zz>cd"},
        {"blank is no hex digit", u"<^K= 9>", Join({Rearm, Tick, Error("''$ 9'' is not a valid integer value")}),
         u"<^K= 9>"},
        {"malformed later key macro stops there", u"ab<^K=09>cd<^K=G1>ef",
         Join({Rearm, Tick, Paste("ab"), Press(9), Rearm, Tick, Error("''$G1'' is not a valid integer value")}),
         u"cd<^K=G1>ef"},
        {"highest key code", u"<^K=fF>", Join({Rearm, Tick, Paste(""), Press(255), Rearm, Tick, Paste("")}), u""},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        os.Calls.clear();
        PendingPasteText.clear();
        Type(c.content);
        EXPECT_EQ(os.Calls, c.calls);
        EXPECT_EQ(ToUtf8(PendingPasteText), ToUtf8(c.pending));
        EXPECT_FALSE(timer.running);
        EXPECT_TRUE(CaptureNextClipboardChange); // cleared before every write, none captured
    }
}

TEST_F(PasteEngine, TheClipboardKeepsThePastedTextOrTheLastPiece)
{
    os.ClipboardText = u"before";
    Type(u"Hello");
    EXPECT_EQ(os.ClipboardText, u"Hello");
    Type(u"a<^K=09>");
    EXPECT_EQ(os.ClipboardText, u"");
}

TEST_F(PasteEngine, AClipboardHeldByAnotherProgramStopsThePaste)
{
    os.ClipboardLocked = true;
    Type(u"Hello");
    EXPECT_EQ(os.Calls, Join({{"Clipboard \"Hello\""}, Error("Cannot open clipboard: Access is denied.")}));
    // Nothing was written, so the next change, another program's, is captured.
    EXPECT_TRUE(CaptureNextClipboardChange);

    os.Calls.clear();
    CaptureNextClipboardChange = true;
    Type(u"a<^K=09>b");
    EXPECT_EQ(os.Calls,
              Join({Rearm, Tick, {"Clipboard \"a\""}, Error("Cannot open clipboard: Access is denied.")}));
    EXPECT_EQ(PendingPasteText, u"a<^K=09>b");
    EXPECT_FALSE(timer.running);
}

TEST_F(PasteEngine, ANewMessageDuringTypingReplacesOrSlipsBetweenSteps)
{
    PasteMessageText(u"one<^K=09>two<^K=09>three");
    SendNextPastePiece();
    os.Calls.clear();
    PasteMessageText(u"plain");
    EXPECT_EQ(os.Calls, Paste("plain"));
    EXPECT_TRUE(timer.running);
    EXPECT_EQ(PendingPasteText, u"two<^K=09>three");

    os.Calls.clear();
    PasteMessageText(u"new<^K=0D>");
    EXPECT_EQ(os.Calls, Rearm); // the wait starts anew
    EXPECT_EQ(PendingPasteText, u"new<^K=0D>");
    Type(u"new<^K=0D>");
    EXPECT_EQ(PendingPasteText, u"");
}

TEST_F(PasteEngine, CtrlKeyIsFourEventsWithScanCodes)
{
    for (int key : {'V', 'X', 'C'}) {
        os.Calls.clear();
        SendCtrlKey(key);
        const std::string k = std::to_string(key), scan = std::to_string(key + 100);
        EXPECT_EQ(os.Calls, (Calls{"Key 17 117 down", "Key " + k + " " + scan + " down", "Key " + k + " " + scan + " up",
                                   "Key 17 117 up"}));
    }
}

TEST(KeyMacroTest, OnlyTheFirstPrefixCounts)
{
    const std::pair<std::u16string, size_t> cases[] = {
        {u"", 0},           {u"<^K=09>", 1},       {u"abcd<^K=09>", 5},  {u"<^K=0>", 0},
        {u"<^K=0>x<^K=09>", 0}, {u"<^K=xyz", 0},    {u"<^K=xy>", 1},      {u"<^k=09>", 0},
        {u"<^K=09", 0},     {u"<^K=<^K=09>", 0},   {u"a<^K=\u00e9\u00e9>", 2},
    };
    for (auto& [text, position] : cases)
        EXPECT_EQ(KeyMacroPosition(text), position) << ToUtf8(text);
}

TEST(KeyMacroTest, TheEditorsKeyMacrosAreUpperCaseHexOfTheKeysLowWordAndTypeTheirKey)
{
    const std::pair<int, const char*> cases[] = {
        {9, "<^K=09>"},   {13, "<^K=0D>"},  {33, "<^K=21>"},   {40, "<^K=28>"},
        {0, "<^K=00>"},   {0xAB, "<^K=AB>"}, {0x1FF, "<^K=1FF>"}, {0x1000D, "<^K=0D>"},
    };
    for (auto [key, text] : cases) {
        EXPECT_EQ(ToUtf8(KeyMacroText(key)), text) << key;
        if ((key & 0xFFFF) <= 0xFF) { // two digits: a macro the paste engine types
            EXPECT_EQ(KeyMacroPosition(KeyMacroText(key)), 1u) << key;
        }
    }
}

} // namespace
