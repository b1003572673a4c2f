#include "menus/UnitMenu.h"

#include "core/Globals.h"
#include "core/SnippetTree.h"
#include "core/UnitMenuBar.h"

TFmMenu::TFmMenu() : TNonActivatingForm(u"TFmMenu")
{
    CreateForm();
    FormCreate();
}

void TFmMenu::FormCreate()
{
    SelectedItem = -1;
    SetWindowLongPtrW(Handle(), GWLP_USERDATA, OwnWindowMarker);
}

void TFmMenu::LoadData(int left, int top) { SetBounds(left, top, Width(), Height()); }

void TFmMenu::Show()
{
    const bool wasVisible = Visible();
    TNonActivatingForm::Show();
    if (!wasVisible)
        FormShow();
}

void TFmMenu::Hide()
{
    const bool wasVisible = Visible();
    TNonActivatingForm::Hide();
    if (wasVisible)
        FormHide();
}

void TFmMenu::FormShow()
{
    // The outside-press watch runs while a drop-down is open.
    if (FmMenuBar)
        FmMenuBar->TimerMenu.SetEnabled(true);
}

void TFmMenu::FormHide()
{
    if (!FmMenuBar || !Node)
        return;
    TLabel* label = FmMenuBar->MenuLabel(Node->Index());
    if (!label)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT origin = label->ClientOrigin();
    const RECT onScreen{origin.x, origin.y, origin.x + label->Width(), origin.y + label->Height()};
    if (!PtInRect(&onScreen, cursor))
        FmMenuBar->SetLabelHighlighted(*label, false);
}
