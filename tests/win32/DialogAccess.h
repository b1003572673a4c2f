// The in-process tests act on a dialog's controls as its user would: they reach the controls,
// which are the dialog's own, through this one friend of the dialogs.
#pragma once

struct TDialogTestAccess {
    template <class TDialog>
    static auto& Ui(TDialog& dialog)
    {
        return dialog.Ui;
    }
    template <class TEditor>
    static auto CurNode(const TEditor& editor)
    {
        return editor.CurNode.Get();
    }
};

// The controls (and the menu and texts) of dialog.
template <class TDialog>
auto& Ui(TDialog& dialog)
{
    return TDialogTestAccess::Ui(dialog);
}
