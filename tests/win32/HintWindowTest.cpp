#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Environment.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/win32/UnitMain.h"
#include "menus/win32/UnitHint.h"
#include "ui/Font.h"

namespace {

struct PreviewWindow : testing::Test {
    RECT work{};
    void SetUp() override
    {
        ASSERT_TRUE(PumpUntil([] { return FmMain->TimerLogin.Tag == 1; }));
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        FmHint->ImageIndex = nkMessage;
    }
    void TearDown() override
    {
        FmHint->Hide();
        FmHint->ImageIndex = 0;
        FmHint->HintText.clear();
    }
    int WorkWidth() const { return work.right - work.left; }
    int WorkHeight() const { return work.bottom - work.top; }
    // What the text needs in the menu font, word-wrapped within the width.
    static RECT TextRect(const std::wstring& text, int maxWidth, int maxHeight)
    {
        RECT r{0, 0, maxWidth, maxHeight};
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, MenuFont->Get());
        DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return r;
    }
    static RECT Bounds()
    {
        RECT r{};
        GetWindowRect(FmHint->Handle(), &r);
        return r;
    }
};

TEST_F(PreviewWindow, IsATopMostPopupThatNeverActivatesAndCarriesNoMarker)
{
    HWND h = FmHint->Handle();
    EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS), static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(GetWindowLongW(h, GWL_EXSTYLE) & 0x08000088, 0x08000088);
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_USERDATA), 0) << "a press on it counts as outside the program";
    EXPECT_EQ(SendMessageW(h, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    HWND foreground = GetForegroundWindow();
    FmHint->HintText = u"Hello";
    FmHint->SetHint({200, 100});
    FmHint->Show();
    EXPECT_TRUE(FmHint->Visible());
    EXPECT_EQ(GetForegroundWindow(), foreground);
    EXPECT_NE(GetActiveWindow(), h);
}

TEST_F(PreviewWindow, AShortMessageGetsItsTextPlusEightTwelvePixelsBelowTheRow)
{
    FmHint->HintText = u"Kind regards, Anna";
    const RECT text = TextRect(L"Kind regards, Anna", WorkWidth() / 2 - 4, WorkHeight() / 2 - 44);
    const RECT calc = FmHint->CalcHintRect(WorkWidth() / 2 - 4, WorkHeight() / 2 - 44, FmHint->HintText);
    EXPECT_EQ(calc.right, text.right);
    EXPECT_EQ(calc.bottom, text.bottom);
    FmHint->SetHint({300, 150});
    const RECT r = Bounds();
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 150 + 12);
    EXPECT_EQ(r.right - r.left, text.right + 8);
    EXPECT_EQ(r.bottom - r.top, text.bottom + 8);
}

TEST_F(PreviewWindow, ALongMessageIsLimitedToHalfTheWorkArea)
{
    std::u16string words;
    while (words.size() < 2000)
        words += words.size() % 400 < 200 ? u"lorem ipsum dolor " : u"line\r\n";
    FmHint->HintText = words.substr(0, 2000);
    FmHint->SetHint({10, 30});
    const RECT r = Bounds();
    EXPECT_LE(r.right - r.left, WorkWidth() / 2 - 4);
    EXPECT_GT(r.right - r.left, WorkWidth() / 2 - 4 - 100) << "wrapped close to the largest width";
    EXPECT_EQ(r.bottom - r.top, WorkHeight() / 2 - 44);
}

TEST_F(PreviewWindow, FlipsToThePointersLeftAndAboveTheRowAtTheWorkAreasEdges)
{
    FmHint->HintText = u"Near the corner";
    FmHint->SetHint({0, 0});
    const int w = Bounds().right - Bounds().left, h = Bounds().bottom - Bounds().top;
    const struct {
        POINT pt;
        int left, top;
    } cases[] = {
        {{WorkWidth() - w, 100}, WorkWidth() - w, 112},
        {{WorkWidth() - w + 1, 100}, WorkWidth() - 2 * w + 1, 112},
        {{100, WorkHeight() - 12 - h}, 100, WorkHeight() - h},
        {{100, WorkHeight() - 12 - h + 1}, 100, WorkHeight() - 12 - h + 1 - 34 - h},
    };
    for (const auto& c : cases) {
        FmHint->SetHint(c.pt);
        EXPECT_EQ(Bounds().left, c.left) << c.pt.x;
        EXPECT_EQ(Bounds().top, c.top) << c.pt.y;
    }
}

TEST_F(PreviewWindow, AnAmpersandIsMeasuredAsItself)
{
    const RECT r = FmHint->CalcHintRect(600, 300, u"&&&&");
    EXPECT_EQ(r.right, TextRect(L"&&&&", 600, 300).right);
    EXPECT_GT(r.right, TextRect(L"&&", 600, 300).right);
}

TEST_F(PreviewWindow, PaintsABlackFramePaleYellowInsideAndTheTextInBlack)
{
    FmHint->HintText = u"WWWW MMMM";
    FmHint->SetHint({120, 200});
    FmHint->Show();
    UpdateWindow(FmHint->Handle());
    const RECT r = Bounds();
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC dc = GetDC(FmHint->Handle());
    const COLORREF black = RGB(0, 0, 0), paleYellow = RGB(255, 255, 225);
    EXPECT_EQ(GetPixel(dc, 0, 0), black);
    EXPECT_EQ(GetPixel(dc, w - 1, h - 1), black);
    EXPECT_EQ(GetPixel(dc, w / 2, 0), black);
    EXPECT_EQ(GetPixel(dc, 0, h / 2), black);
    EXPECT_EQ(GetPixel(dc, 1, 1), paleYellow);
    EXPECT_EQ(GetPixel(dc, w - 2, h - 2), paleYellow);
    EXPECT_EQ(GetPixel(dc, 3, h / 2), paleYellow) << "the margin stays pale yellow";
    int textPixels = 0;
    for (int y = 4; y < h - 4; ++y)
        for (int x = 4; x < w - 4; ++x)
            textPixels += GetPixel(dc, x, y) != paleYellow;
    ReleaseDC(FmHint->Handle(), dc);
    EXPECT_GT(textPixels, 20);
}

TEST_F(PreviewWindow, OtherKindsAreNeitherSizedNorPainted)
{
    FmHint->HintText = u"short";
    FmHint->SetHint({100, 100});
    const RECT before = Bounds();
    FmHint->ImageIndex = nkFolder;
    FmHint->HintText = u"a much longer text than before, it would need a wider window";
    FmHint->SetHint({400, 300});
    const RECT after = Bounds();
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.left, 400);
    EXPECT_EQ(after.top, 312);
    FmHint->Show();
    UpdateWindow(FmHint->Handle());
    HDC dc = GetDC(FmHint->Handle());
    EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(FmHint->Handle(), dc);
}

} // namespace
