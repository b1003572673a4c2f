// The Options window: auto hide, hotkeys, clipboard capture and the size of the clipboard
// history. It copies its controls into the settings globals on OK; the Options command applies
// them. Its language group is hidden whenever it opens.
#pragma once

#include <memory>

#include "ui/Dialog.h"

class TFmOptions : public TDialogForm {
public:
    TFmOptions();

    // The laid-out area inside the form's 8-pixel border: the three groups, 11 pixels and the
    // button row.
    static constexpr int LayoutWidth = 378;
    static constexpr int LayoutHeight = 336;

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

    void CheckBoxAutoDeleteClick();
    void BtnDefaultClick();
    void BtnOkClick();
    void BtnEditLanguageFileClick();
    void AddLanguagesFileToList(const String& dir);

protected:
    void CreateControls() override;

private:
    void FormCreate();
    void AlignButtons();
};

// SaveSettings: the settings globals and the menu bar's current place into the registry.
void SaveSettings();
