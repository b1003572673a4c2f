// The Options window: auto hide, hotkeys, clipboard capture and the size of the clipboard
// history. It shows the settings it is given and gives back what the user confirmed with OK; the
// Options command stores and applies them. Its language group is hidden whenever it opens.
#pragma once

#include <memory>
#include <optional>

#include "settings/Settings.h"
#include "settings/win32/UnitLanguage.h"
#include "ui/Dialog.h"

class TFmOptions : public TDialogForm, public TLanguageWindow {
public:
    explicit TFmOptions(TOptionsFields fields = {});

    // Runs the window in FmOptions on fields: what the user confirmed with OK, or nothing.
    static std::optional<TOptionsFields> Edit(const TOptionsFields& fields);
    // What the controls hold now, as OK gives it.
    TOptionsFields Fields() const;

    // The laid-out area inside the form's 8-pixel border: the three groups, 11 pixels and the
    // button row.
    static constexpr int LayoutWidth = 378;
    static constexpr int LayoutHeight = 336;

    void CheckBoxAutoDeleteClick();
    void BtnDefaultClick();
    void BtnOkClick();
    void BtnEditLanguageFileClick();
    void AddLanguagesFileToList(const String& dir);
    void ApplyLanguageTexts(TLanguageRun& run) override;

protected:
    void CreateControls() override;

private:
    friend struct TDialogTestAccess; // the in-process tests act on the controls as a user would

    void FormCreate();
    void AlignButtons();
    // The controls of the settings, all but the language, showing fields.
    void ShowSettings(const TOptionsFields& fields);

    struct {
        std::unique_ptr<TGroupBox> GroupBoxGeneral;
        std::unique_ptr<TCheckBox> CheckBoxAutoHide;
        std::unique_ptr<TCheckBox> CheckBoxTurnOnHotkey;
        std::unique_ptr<TGroupBox> GroupBoxClipboard;
        std::unique_ptr<TCheckBox> CheckBoxAutoCapture;
        std::unique_ptr<TCheckBox> CheckBoxAutoDelete;
        std::unique_ptr<TStaticText> LabelMaxCount;
        std::unique_ptr<TSpinEdit> SpinEditMaxCount;
        std::unique_ptr<TGroupBox> GroupBoxLanguage;
        std::unique_ptr<TStaticText> LabelChangeLanguage;
        std::unique_ptr<TComboBox> ComboBoxLanguages;
        std::unique_ptr<TButton> BtnEditLanguageFile;
        std::unique_ptr<TButton> BtnDefault;
        std::unique_ptr<TButton> BtnOk;
        std::unique_ptr<TButton> BtnCancel;
        String CannotFindLanguageFileMsg = u"Cannot find the program file";
    } Ui;
    TOptionsFields fields_; // shown once the controls are made
};

// SaveSettings: the settings globals and the menu bar's current place into the registry.
void SaveSettings();
