#include "organize/win32/UnitViewMessage.h"

#include "core/win32/DialogOpener.h"
#include "core/Globals.h"

namespace {
constexpr int Bevel1Width = 6;
constexpr int CheckBoxHeight = 17;
constexpr int CheckBoxBoxWidth = 20;
} // namespace

TFmViewMessage::TFmViewMessage(String name, String text)
    : TDialogForm(u"TFmViewMessage", TBorder::Sizeable), name_(std::move(name)), text_(std::move(text))
{
}

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
    SetCaption(name_);
    MemoText->SetText(text_);
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
    TDialogCommand<TFmViewMessage> command;
    command.Create = [node] { return MakeWindow<TFmViewMessage>(node->Text, String(node->Content())); };
    OpenDialog(FmViewMessage, command);
}

void TFmViewMessage::ApplyLanguageTexts(TLanguageRun& run)
{
    run.Section(u"ViewMessageWindow");
    CheckBoxWordWarp->SetText(run.Text(u"ViewMessageWindow/CheckBox/WordWarp", u"Word Warp"));
    SetCheckBoxWidth();
}
