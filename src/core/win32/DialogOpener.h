// The one way a program command opens a modal dialog: the dialog is created without owner into
// its global, with the data it shows, brought to the foreground, run modally and freed on every
// path, with the global back to nullptr, also when an exception passes. What the user confirmed
// is read by the dialog's own class (in Apply) and handed to the opener, which changes the program.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "core/Globals.h"
#include "core/ScopeExit.h"
#include "settings/win32/UnitLanguage.h"
#include "ui/Application.h"
#include "ui/Dialog.h"

static_assert(UM_SETFOREGROUNDWINDOW == WM_DIALOGFOREGROUND, "every dialog brings itself to the front on this message");

template <class TDialog>
struct TDialogCommand {
    std::function<std::unique_ptr<TDialog>()> Create; // the dialog with its data; without, a bare one
    std::function<void(TDialog&)> Prepare;            // before its texts and its modal run
    std::function<void(TDialog&, int modalResult)> Apply;
};

template <class TDialog>
void OpenDialog(TDialog*& global, const TDialogCommand<TDialog>& command)
{
    const ScopeExit clearGlobal([&global] { global = nullptr; });
    std::unique_ptr<TDialog> dialog = command.Create ? command.Create() : MakeWindow<TDialog>();
    global = dialog.get();
    if (command.Prepare)
        command.Prepare(*dialog);
    // The dialog is in its global already: it gets its texts with every other existing window.
    // A language template that cannot be written is reported and the dialog still opens.
    Guarded([] { ApplyLanguage(); });
    SetForegroundWindow(dialog->Handle());
    PostMessageW(dialog->Handle(), UM_SETFOREGROUNDWINDOW, 0, 0);
    const int result = dialog->ShowModal();
    if (command.Apply)
        command.Apply(*dialog, result);
}
