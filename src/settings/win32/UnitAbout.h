// The About window: the program's name and version, the product's contact links and a button
// that opens the download page. It changes no program data.
#pragma once

#include <memory>

#include "settings/win32/UnitLanguage.h"
#include "ui/Dialog.h"
#include "ui/Font.h"
#include "ui/GraphicControl.h"

class TFmAbout : public TDialogForm, public TLanguageWindow {
public:
    TFmAbout();

    // The laid-out area inside the form's 8-pixel border.
    static constexpr int LayoutWidth = 298;
    static constexpr int LayoutHeight = 196;

    TLabel* LabelAppName = nullptr;
    std::unique_ptr<TStaticLabel> LabelVersion;
    std::unique_ptr<TStaticLabel> LabelVersionNumber;
    std::unique_ptr<TStaticLabel> LabelHomePage;
    TLabel* LabelHomePaggeURL = nullptr;
    std::unique_ptr<TStaticLabel> LabelEmail;
    TLabel* LabelEMailURL = nullptr;
    std::unique_ptr<TStaticLabel> Label2;
    TLabel* LabelQQ = nullptr;
    std::unique_ptr<TButton> BtnCheckForUpdates;
    std::unique_ptr<TButton> BtnOk;

    void LabelHomePaggeURLMouseEnter(TLabel& sender);
    void LabelHomePaggeURLMouseLeave(TLabel& sender);
    void LabelHomePaggeURLClick();
    void LabelEMailURLClick();
    void LabelQQClick();
    void BtnCheckForUpdatesClick();
    void ApplyLanguageTexts(TLanguageRun& run) override;

protected:
    void CreateControls() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormShow();
    // A row below the name: its caption label, and its value label or link, at the row's top.
    std::unique_ptr<TStaticLabel> AddCaption(int top, StringView caption);
    std::unique_ptr<TStaticLabel> AddValue(int top);
    TLabel& AddLink(int top, void (TFmAbout::*click)());
    bool IsLink(const TGraphicControl* control) const;

    TFont appNameFont_;
    TFont linkFont_;
    TFont linkHotFont_;
};
