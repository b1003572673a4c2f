#include "organize/UnitViewMessage.h"

#include "core/DialogOpener.h"
#include "core/Globals.h"

namespace {
constexpr int Bevel1Width = 6;
constexpr int CheckBoxHeight = 17;
constexpr int CheckBoxBoxWidth = 20;
} // namespace

TFmViewMessage::TFmViewMessage() : TDialogForm(u"TFmViewMessage", TBorder::Sizeable) {}

void TFmViewMessage::CreateControls()
{
    SetClientSize(LayoutWidth, LayoutHeight);
    const int panelTop = LayoutHeight - Panel1Height;
    MemoText = std::make_unique<TMemo>(*this, RECT{0, 0, LayoutWidth, panelTop});
    MemoText->SetReadOnly(true);
    MemoText->Anchor(akLeft | akTop | akRight | akBottom);
    const int boxTop = panelTop + (Panel1Height - CheckBoxHeight) / 2;
    CheckBoxWordWarp = std::make_unique<TCheckBox>(
        *this, RECT{Bevel1Width, boxTop, Bevel1Width + 100, boxTop + CheckBoxHeight}, u"Word Warp");
    CheckBoxWordWarp->SetChecked(true);
    CheckBoxWordWarp->OnClick = [this] { CheckBoxWordWarpClick(); };
    CheckBoxWordWarp->Anchor(akLeft | akBottom);
    SetCheckBoxWidth();
    CenterOnScreen();
}

void TFmViewMessage::SetCheckBoxWidth()
{
    RECT bounds = CheckBoxWordWarp->BoundsRect();
    bounds.right = bounds.left + DialogTextSize(ShownCaption(CheckBoxWordWarp->Text())).cx + CheckBoxBoxWidth;
    CheckBoxWordWarp->SetBounds(bounds);
}

void TFmViewMessage::CheckBoxWordWarpClick() { MemoText->SetWordWrap(CheckBoxWordWarp->Checked()); }

void ViewMessage(TTreeNode* node)
{
    if (!node)
        return;
    const String name = node->Text;
    const String text(node->Content());
    TDialogCommand<TFmViewMessage> command;
    command.Prepare = [&](TFmViewMessage& viewer) {
        viewer.SetCaption(name);
        viewer.MemoText->SetText(text);
    };
    OpenDialog(FmViewMessage, command);
}
