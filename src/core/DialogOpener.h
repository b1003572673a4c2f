// The one way a program command opens a modal dialog: the dialog is created without owner into
// its global, brought to the foreground, run modally and freed on every path, with the global
// back to nullptr, also when an exception passes.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "core/Globals.h"
#include "core/ScopeExit.h"
#include "settings/UnitLanguage.h"
#include "ui/Application.h"
#include "ui/Dialog.h"

static_assert(UM_SETFOREGROUNDWINDOW == WM_DIALOGFOREGROUND, "every dialog brings itself to the front on this message");

template <class TDialog>
struct TDialogCommand {
    std::function<void()> Before;                      // after creation, outside the protected part
    std::function<void(TDialog&)> Prepare;             // first step of the protected part
    std::function<void(TDialog&, int modalResult)> Apply;
    std::function<void()> Always;                      // after the protected part, on every path
};

template <class TDialog>
void OpenDialog(TDialog*& global, const TDialogCommand<TDialog>& command)
{
    const ScopeExit clearGlobal([&global] { global = nullptr; });
    auto dialog = MakeWindow<TDialog>();
    global = dialog.get();
    if (command.Before)
        command.Before();
    try {
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
    } catch (...) {
        if (command.Always)
            command.Always();
        throw;
    }
    if (command.Always)
        command.Always();
}
