#include "core/win32/MainBlock.h"

#include <commctrl.h>

#include <exception>

#include "core/Globals.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "core/win32/Win32Os.h"
#include "menus/win32/UnitHint.h"
#include "menus/win32/UnitMenu.h"
#include "menus/win32/UnitPopupMenu.h"
#include "organize/win32/UnitMessage.h"
#include "organize/win32/UnitNew.h"
#include "organize/win32/UnitOrg.h"
#include "organize/win32/UnitRename.h"
#include "organize/win32/UnitViewMessage.h"
#include "resources/resource.h"
#include "settings/win32/UnitAbout.h"
#include "settings/win32/UnitLanguage.h"
#include "settings/win32/UnitOptions.h"
#include "ui/Application.h"

namespace {
template <class TWindow, class... Args>
void HoldLanguageWindow(TLanguageSection section, TWindow*& global, Args... args)
{
    SetLanguageWindowSlot(section,
                          LanguageWindowSlot<TWindow>(global, [args...] { return MakeWindow<TWindow>(args...); }));
}

// Where each section's window is held: ApplyLanguage asks the ones that exist for their texts.
void HoldLanguageWindows()
{
    HoldLanguageWindow(TLanguageSection::Options, FmOptions);
    HoldLanguageWindow(TLanguageSection::New, FmNew);
    HoldLanguageWindow(TLanguageSection::NewMenu, FmNewMenu, TNameDialogUse::NewMenu);
    HoldLanguageWindow(TLanguageSection::NewFolder, FmNewFolder, TNameDialogUse::NewFolder);
    HoldLanguageWindow(TLanguageSection::Message, FmMessage);
    HoldLanguageWindow(TLanguageSection::Organize, FmOrg);
    HoldLanguageWindow(TLanguageSection::ViewMessage, FmViewMessage);
    HoldLanguageWindow(TLanguageSection::Rename, FmRename, TNameDialogUse::Rename);
    HoldLanguageWindow(TLanguageSection::About, FmAbout);
}
} // namespace

struct TMainBlock::Parts {
    TWin32Os os;
    TApplication application;
    std::unique_ptr<TFmMain> main;
    std::unique_ptr<TFmMenuBar> menuBar;
    std::unique_ptr<TFmMenu> menu;
    std::unique_ptr<TFmHint> hint;
    std::unique_ptr<TFmPopupMenu> popupMenu;

    explicit Parts(HINSTANCE instance) : application(instance, IDI_QUORVANE) {}
};

TMainBlock::TMainBlock(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    ResetGlobals();
    HoldLanguageWindows();
    parts_ = std::make_unique<Parts>(instance);
    SetOsServices(parts_->os.Services());
    TApplication& app = parts_->application;
    app.MainFormOnTaskBar = true;
    app.SetTitle(u"Quorvane");
    parts_->main = MakeWindow<TFmMain>();
    FmMain = parts_->main.get();
    app.MainForm = FmMain;
    parts_->menuBar = MakeWindow<TFmMenuBar>();
    FmMenuBar = parts_->menuBar.get();
    parts_->os.Input.HotkeyWindow = FmMenuBar->Handle();
    parts_->menu = MakeWindow<TFmMenu>();
    FmMenu = parts_->menu.get();
    parts_->hint = MakeWindow<TFmHint>();
    FmHint = parts_->hint.get();
    parts_->popupMenu = MakeWindow<TFmPopupMenu>();
    FmPopupMenu = parts_->popupMenu.get();
}

TMainBlock::~TMainBlock()
{
    FreeTemplateDialogs();
    // Each global goes with its window, so the windows destroyed after it never reach a dead one.
    FmPopupMenu = nullptr;
    parts_->popupMenu.reset();
    FmHint = nullptr;
    parts_->hint.reset();
    FmMenu = nullptr;
    parts_->menu.reset();
    FmMenuBar = nullptr;
    parts_->menuBar.reset();
    FmMain = nullptr;
    parts_->main.reset();
    SetOsServices({});
}

void TMainBlock::Run() { parts_->application.Run(); }

int RunQuorvane(HINSTANCE instance)
{
    try {
        TMainBlock block(instance);
        block.Run();
        return 0;
    } catch (const std::exception& e) {
        // The windows could not be made: there is no program to show the default error box.
        MessageBoxA(nullptr, e.what(), "Quorvane", MB_OK | MB_ICONERROR);
        return 1;
    }
}
