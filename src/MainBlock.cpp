#include "MainBlock.h"

#include <commctrl.h>

#include "core/Globals.h"
#include "core/UnitMain.h"
#include "core/UnitMenuBar.h"
#include "core/Win32Os.h"
#include "menus/UnitHint.h"
#include "menus/UnitMenu.h"
#include "menus/UnitPopupMenu.h"
#include "settings/UnitLanguage.h"
#include "ui/Application.h"

struct TMainBlock::Parts {
    TWin32Os os;
    TApplication application;
    std::unique_ptr<TFmMain> main;
    std::unique_ptr<TFmMenuBar> menuBar;
    std::unique_ptr<TFmMenu> menu;
    std::unique_ptr<TFmHint> hint;
    std::unique_ptr<TFmPopupMenu> popupMenu;

    explicit Parts(HINSTANCE instance) : application(instance) {}
};

TMainBlock::TMainBlock(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    ResetGlobals();
    parts_ = std::make_unique<Parts>(instance);
    SetOsServices(&parts_->os);
    TApplication& app = parts_->application;
    app.MainFormOnTaskBar = true;
    app.SetTitle(u"Quorvane");
    parts_->main = std::make_unique<TFmMain>();
    FmMain = parts_->main.get();
    app.MainForm = FmMain;
    parts_->menuBar = std::make_unique<TFmMenuBar>();
    FmMenuBar = parts_->menuBar.get();
    parts_->os.HotkeyWindow = FmMenuBar->Handle();
    parts_->menu = std::make_unique<TFmMenu>();
    FmMenu = parts_->menu.get();
    parts_->hint = std::make_unique<TFmHint>();
    FmHint = parts_->hint.get();
    parts_->popupMenu = std::make_unique<TFmPopupMenu>();
    FmPopupMenu = parts_->popupMenu.get();
}

TMainBlock::~TMainBlock()
{
    FreeTemplateDialogs();
    parts_->popupMenu.reset();
    parts_->hint.reset();
    parts_->menu.reset();
    parts_->menuBar.reset();
    parts_->main.reset();
    FmMain = nullptr;
    FmMenuBar = nullptr;
    FmMenu = nullptr;
    FmHint = nullptr;
    FmPopupMenu = nullptr;
    SetOsServices(nullptr);
}

void TMainBlock::Run() { parts_->application.Run(); }

int RunQuorvane(HINSTANCE instance)
{
    TMainBlock block(instance);
    block.Run();
    return 0;
}
