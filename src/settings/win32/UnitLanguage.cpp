#include "settings/win32/UnitLanguage.h"

#include <windows.h>

#include <array>

#include "core/Globals.h"
#include "core/win32/UnitMain.h"
#include "core/Version.h"
#include "resources/resource.h"
#include "ui/Application.h"

namespace {
std::array<TLanguageWindowSlot, static_cast<size_t>(TLanguageSection::Count)>& Slots()
{
    static std::array<TLanguageWindowSlot, static_cast<size_t>(TLanguageSection::Count)> slots;
    return slots;
}
} // namespace

void SetLanguageWindowSlot(TLanguageSection section, TLanguageWindowSlot slot)
{
    Slots()[static_cast<size_t>(section)] = std::move(slot);
}

TStringList LoadBuiltInLanguageTable()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(IDR_LANGUAGETABLE), RT_RCDATA);
    if (!resource)
        return {};
    HGLOBAL loaded = LoadResource(instance, resource);
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
    if (!bytes)
        return {};
    return LanguageTableLines(std::vector<std::uint8_t>(bytes, bytes + SizeofResource(instance, resource)));
}

void ApplyLanguage()
{
    if (IsTemplateMode()) {
        DefaultEnglishLines.clear();
        // Every dialog exists, hidden, so that every section reaches the template.
        for (const TLanguageWindowSlot& slot : Slots())
            if (slot.CreateHidden)
                slot.CreateHidden();
    }
    TLanguageRun run(FmMain ? FmMain->ListBoxChinese : TStringList{});

    ApplyProgramTexts(run);
    Application->SetTitle(ProgramName);
    if (FmMain) {
        FmMain->SetCaption(ProgramName);
        FmMain->TrayIcon1.SetHint(ProgramName + u" " + ProgramVersion);
    }
    if (FmMenuBar)
        ApplyMainMenuTexts(run);
    for (size_t i = 0; i < Slots().size(); ++i) {
        if (i == static_cast<size_t>(TLanguageSection::About))
            ApplyPopupMenuTexts(run);
        const TLanguageWindowSlot& slot = Slots()[i];
        if (TLanguageWindow* window = slot.Existing ? slot.Existing() : nullptr)
            window->ApplyLanguageTexts(run);
    }

    if (IsTemplateMode())
        SaveTemplateFile();
}

void FreeTemplateDialogs()
{
    for (const TLanguageWindowSlot& slot : Slots())
        if (slot.FreeHidden)
            slot.FreeHidden();
}
