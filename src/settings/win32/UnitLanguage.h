// ApplyLanguage: the built-in table's texts put where they belong, in every window and global
// that exists now; in template mode the English template is written too (settings/Language.h).
// A window with a section of its own applies that section itself: ApplyLanguage only asks each
// window that exists, in the order of the table's sections.
#pragma once

#include <functional>
#include <memory>

#include "settings/Language.h"

// A window whose texts come from a section of its own in the language table.
class TLanguageWindow {
public:
    // Starts the window's section in run and puts each text of it in its place.
    virtual void ApplyLanguageTexts(TLanguageRun& run) = 0;

protected:
    ~TLanguageWindow() = default;
};

// The windows' sections, in the table's order. //Program and //MainMenu come first, and
// //PopupMenu, which belongs to no window, stands between //RenameWindow and //AboutWindow.
enum class TLanguageSection { Options, New, NewMenu, NewFolder, Message, Organize, ViewMessage, Rename, About, Count };

// Where ApplyLanguage finds the window of one section: the window the section's global holds now
// (nullptr for none); in template mode a hidden one is first made into that global when it is
// empty, and kept (hidden, in its global) until FreeTemplateDialogs.
struct TLanguageWindowSlot {
    std::function<TLanguageWindow*()> Existing;
    std::function<void()> CreateHidden;
    std::function<void()> FreeHidden;
};

// The slot of a window class held in global, made by make when template mode needs it.
template <class TWindow>
TLanguageWindowSlot LanguageWindowSlot(TWindow*& global, std::function<std::unique_ptr<TWindow>()> make)
{
    auto kept = std::make_shared<std::unique_ptr<TWindow>>();
    TLanguageWindowSlot slot;
    slot.Existing = [&global]() -> TLanguageWindow* { return global; };
    slot.CreateHidden = [&global, kept, make = std::move(make)] {
        if (global)
            return;
        // A later run that finds the global empty again (an opener freed its own dialog) takes
        // the kept one back.
        if (!*kept)
            *kept = make();
        global = kept->get();
    };
    slot.FreeHidden = [&global, kept] {
        if (global == kept->get())
            global = nullptr;
        kept->reset();
    };
    return slot;
}

// Tells ApplyLanguage where the window of section is held; the main block does it for every
// section before anything applies the language.
void SetLanguageWindowSlot(TLanguageSection section, TLanguageWindowSlot slot);

// Throws EAppError when the template cannot be written; every text applied before stays.
void ApplyLanguage();
// The lines of the built-in table, from the program's resources.
TStringList LoadBuiltInLanguageTable();
// Frees the dialogs that template mode created hidden; the main block calls it at the end.
void FreeTemplateDialogs();
