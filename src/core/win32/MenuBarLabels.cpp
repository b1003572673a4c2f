#include "core/win32/MenuBarLabels.h"

#include "core/Globals.h"
#include "core/MenuBarPlacement.h"
#include "core/SnippetTree.h"
#include "menus/win32/UnitMenu.h"
#include "resources/resource.h"
#include "settings/win32/UnitOptions.h"
#include "ui/Application.h"
#include "ui/Font.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"

namespace {
constexpr COLORREF LabelHighlightColor = 0xC56A31; // blue in the high byte: RGB(49, 106, 197)
constexpr COLORREF LabelTextColor = RGB(0, 0, 0);
constexpr COLORREF LabelHighlightTextColor = RGB(255, 255, 255);
constexpr int CapWidth = 6;

HBITMAP BarPicture(int id)
{
    return static_cast<HBITMAP>(
        LoadImageW(Application->Instance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
} // namespace

TMenuBarLabels::TMenuBarLabels(TForm& bar, TPanel& panelMenuBar) : PanelMenuBar(panelMenuBar), bar_(bar)
{
    CreateBarImages();
}

void TMenuBarLabels::CreateBarImages()
{
    auto enter = [this] { ImageMMouseEnter(); };
    ImageL = &PanelMenuBar.AddControl<TImage>();
    ImageM = &PanelMenuBar.AddControl<TImage>();
    ImageR = &PanelMenuBar.AddControl<TImage>();
    const std::pair<TImage*, int> pictures[] = {
        {ImageL, IDB_BARLEFT}, {ImageM, IDB_BARMIDDLE}, {ImageR, IDB_BARRIGHT}};
    for (auto [image, id] : pictures) {
        image->Tag = -1; // kept when the labels are rebuilt
        image->SetPicture(BarPicture(id));
        image->OnMouseEnter = enter;
    }
    ImageM->Stretch = true;
    ImageM->OnMouseDown = [this](TMouseButton, WPARAM, int, int) { ImageMMouseDown(); };
    ImageM->OnMouseMove = [this](WPARAM, int, int) { ImageMMouseMove(); };
    ImageM->OnMouseUp = [this](TMouseButton, WPARAM, int, int) { ImageMMouseUp(); };
    AlignBarImages();
    TimerMenu.SetInterval(1);
    TimerMenu.OnTimer = [this] { TimerMenuTimer(); };
}

void TMenuBarLabels::AlignBarImages()
{
    const int width = PanelMenuBar.Width(), height = PanelMenuBar.Height();
    ImageL->SetBounds(0, 0, CapWidth, height);
    ImageR->SetBounds(width - CapWidth, 0, CapWidth, height);
    ImageM->SetBounds(CapWidth, 0, width - 2 * CapWidth, height);
}

TLabel* TMenuBarLabels::MenuLabel(int index) const
{
    if (index < 0)
        return nullptr;
    for (auto& control : PanelMenuBar.Controls())
        if (control->Tag == index)
            return dynamic_cast<TLabel*>(control.get());
    return nullptr;
}

void TMenuBarLabels::SetLabelHighlighted(TLabel& label, bool highlighted)
{
    label.Transparent = !highlighted;
    label.FontColor = highlighted ? LabelHighlightTextColor : LabelTextColor;
    label.Invalidate();
}

bool TMenuBarLabels::LabelHighlighted(const TLabel& label) { return !label.Transparent; }

void TMenuBarLabels::InitToolBarMenu()
{
    const auto& controls = PanelMenuBar.Controls();
    for (size_t i = controls.size(); i-- > 0;)
        if (controls[i]->Tag >= 0)
            PanelMenuBar.RemoveControl(*controls[i]);
    CaptureTargetNode = nullptr;

    const int barHeight = PanelMenuBar.Height();
    int x = MenuBarMargin;
    for (int i = 0; i < RootNode->Count(); ++i) {
        TLabel& label = PanelMenuBar.AddControl<TLabel>();
        label.Color = LabelHighlightColor;
        label.Transparent = true;
        label.FontColor = LabelTextColor;
        label.Font = MenuFont ? MenuFont->Get() : nullptr;
        label.SetCaption(RootNode->Item(i)->Text);
        label.MinWidth = label.Width() + MenuLabelPadding;
        label.MinHeight = MenuLabelMinHeight;
        label.AdjustSize();
        label.SetBounds(x, MenuLabelTop(barHeight, label.Height()), label.Width(), label.Height());
        x += label.Width();
        label.Tag = i;
        label.OnMouseEnter = [this, &label] { LabelMouseEnter(label); };
        label.OnMouseLeave = [this, &label] { LabelMouseLeave(label); };
        label.OnMouseDown = [this, &label](TMouseButton, WPARAM, int, int) { LabelMouseDown(label); };
        label.OnDragOver = [this, &label](TGraphicControl*, int, int, TDragState state, bool& accept) {
            LabelDragOver(label, state, accept);
        };
        PanelMenuBar.SetWidth(label.Left() + label.Width() + MenuBarMargin);
    }
    AlignBarImages();
    PanelMenuBar.InvalidateRect({0, 0, PanelMenuBar.Width(), barHeight});

    const int width = PanelMenuBar.Width();
    MenuBarLeft = PlacedMenuBarLeft(width, ScreenWidth(), MenuBarLeftSaved, MenuBarLeft);
    bar_.SetBounds(MenuBarLeft, bar_.Top(), width, barHeight);
    bar_.SetTop(AutoHide ? HiddenMenuBarTop(bar_.ClientHeight()) : 0);
}

void TMenuBarLabels::OpenMenuFor(TLabel& label)
{
    const int x = label.ClientOrigin().x;
    const int y = PanelMenuBar.ClientToScreen({0, 0}).y;
    FmMenu->Node = RootNode->Item(label.Tag);
    FmMenu->ShowSubMenuAtRight = true;
    FmMenu->LeftWidth = x + label.Width();
    FmMenu->LoadData(x, y + PanelMenuBar.Height());
    FmMenu->Show();
}

void TMenuBarLabels::DropDownShown() { TimerMenu.SetEnabled(true); }

void TMenuBarLabels::DropDownHidden(int menuIndex)
{
    TLabel* label = MenuLabel(menuIndex);
    if (!label)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT origin = label->ClientOrigin();
    const RECT onScreen{origin.x, origin.y, origin.x + label->Width(), origin.y + label->Height()};
    if (!PtInRect(&onScreen, cursor))
        SetLabelHighlighted(*label, false);
}

void TMenuBarLabels::LabelMouseEnter(TLabel& label)
{
    ImageMMouseEnter();
    for (auto& control : PanelMenuBar.Controls()) {
        auto* other = dynamic_cast<TLabel*>(control.get());
        if (other && other != &label && other->Tag >= 0 && LabelHighlighted(*other))
            SetLabelHighlighted(*other, false);
    }
    SetLabelHighlighted(label, true);
    if (FmMenu->Visible()) {
        FmMenu->Hide();
        OpenMenuFor(label);
    }
}

void TMenuBarLabels::LabelMouseLeave(TLabel& label)
{
    // An open drop-down keeps its label highlighted; hiding it returns the label to normal.
    if (!FmMenu->Visible())
        SetLabelHighlighted(label, false);
}

void TMenuBarLabels::LabelMouseDown(TLabel& label)
{
    if (FmMenu->Visible())
        FmMenu->Hide();
    else
        OpenMenuFor(label);
}

void TMenuBarLabels::LabelDragOver(TLabel& label, TDragState state, bool& accept)
{
    // A row dragged over a label acts as the pointer would: the label lights up and an open
    // drop-down switches to its menu. Nothing is ever dropped on a label.
    if (state == TDragState::dsDragEnter)
        label.DoMouseEnter();
    else if (state == TDragState::dsDragLeave)
        label.DoMouseLeave();
    accept = false;
}

void TMenuBarLabels::ImageMMouseDown()
{
    MouseIsDown = true;
    WndIsDrag = false;
    GetCursorPos(&OldCurPos);
    OldTop = bar_.Top();
    OldLeft = bar_.Left();
    FmMenu->Hide();
}

void TMenuBarLabels::ImageMMouseMove()
{
    if (!MouseIsDown)
        return;
    POINT p{};
    GetCursorPos(&p);
    if (DragStarted(p.x - OldCurPos.x, p.y - OldCurPos.y))
        WndIsDrag = true;
    if (WndIsDrag)
        bar_.SetBounds(p.x - OldCurPos.x + OldLeft, p.y - OldCurPos.y + OldTop, bar_.Width(), bar_.Height());
}

void TMenuBarLabels::ImageMMouseUp()
{
    MouseIsDown = false;
    const int left = ReleasedMenuBarLeft(bar_.Left(), bar_.Width(), ScreenWidth());
    bar_.SetBounds(left, 0, bar_.Width(), bar_.Height()); // back to the top edge, on the screen
    MenuBarLeft = bar_.Left();
    SaveSettings();
}

void TMenuBarLabels::ImageMMouseEnter()
{
    SetWindowPos(bar_.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    bar_.SetTop(0);
    if (AutoHide)
        TimerMenu.SetEnabled(true);
}

void TMenuBarLabels::TimerMenuTimer()
{
    if (GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0) {
        POINT p{};
        GetCursorPos(&p);
        HWND under = WindowFromPoint(p);
        if (GetWindowLongPtrW(under, GWLP_USERDATA) != OwnWindowMarker) {
            HidePreviewAndContextMenu();
            FmMenu->Hide();
            TimerMenu.SetEnabled(false);
            if (AutoHide)
                bar_.SetTop(HiddenMenuBarTop(bar_.Height()));
        }
    }
    if (!AutoHide && !FmMenu->Visible())
        TimerMenu.SetEnabled(false);
}
