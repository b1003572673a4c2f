#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "Environment.h"
#include "ui/Dialog.h"
#include "ui/ImageList.h"

namespace {

class TwoFieldDialog : public TDialogForm {
public:
    TwoFieldDialog() : TDialogForm(u"TQuorvaneTwoFieldDialog", TBorder::Fixed)
    {
        CreateForm();
        SetClientSize(200, 100);
        Label = std::make_unique<TStaticLabel>(*this, RECT{8, 8, 100, 28}, u"&Label:");
        First = std::make_unique<TEdit>(*this, RECT{8, 30, 190, 51});
        Second = std::make_unique<TEdit>(*this, RECT{8, 60, 190, 81});
    }
    std::unique_ptr<TStaticLabel> Label;
    std::unique_ptr<TEdit> First;
    std::unique_ptr<TEdit> Second;
};

TEST(DialogLayer, ADialogFocusesItsFirstControlAndGetsBackTheFocusedOneWhenItComesBack)
{
    TwoFieldDialog dialog;
    dialog.Show();
    SetForegroundWindow(dialog.Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == dialog.Handle(); }));
    EXPECT_TRUE(dialog.First->Focused());
    dialog.Second->SetFocus();

    {
        TwoFieldDialog other;
        other.Show();
        SetForegroundWindow(other.Handle());
        ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == other.Handle(); }));
        EXPECT_TRUE(other.First->Focused());
        SetForegroundWindow(dialog.Handle());
        ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == dialog.Handle(); }));
        EXPECT_TRUE(dialog.Second->Focused());
    }
    dialog.Hide();
}

TEST(DialogLayer, ADrawnImageKeepsItsMaskColourClear)
{
    TImageList images;
    ASSERT_TRUE(images.CreateDrawn(4, 2, RGB(255, 0, 255), [](HDC dc) { SetPixel(dc, 1, 0, RGB(0, 0, 255)); }));
    EXPECT_EQ(images.Count(), 1);
    const std::vector<COLORREF> pixels = PicturePixels(images, 0, 4, 2);
    EXPECT_EQ(pixels[1], RGB(0, 0, 255));
    EXPECT_EQ(pixels[0], RGB(255, 255, 255));
    EXPECT_EQ(pixels[7], RGB(255, 255, 255));
}

TEST(DialogLayer, DialogTextSizeGrowsWithTheText)
{
    EXPECT_EQ(DialogTextSize(u"").cx, 0);
    EXPECT_GT(DialogTextSize(u"Word Warp").cx, DialogTextSize(u"Word").cx);
    EXPECT_GT(DialogTextSize(u"W").cy, 0);
}

} // namespace
