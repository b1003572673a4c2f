// The message editor: name, text and hotkey of a message, with macro insertion. Every opener
// unregisters the program's hotkeys while the editor is open and registers them again after it,
// and writes the data file after OK.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "core/NodeWatch.h"
#include "core/SnippetTree.h"
#include "core/Text.h"
#include "settings/win32/UnitLanguage.h"
#include "ui/Dialog.h"
#include "ui/ImageList.h"
#include "ui/PopupMenu.h"

// What the editor edits: a message's name, its text and its hotkey value (0 for none).
struct TMessageFields {
    String Name;
    String Text;
    int Hotkey = 0;
};

class TFmMessage : public TDialogForm, public TLanguageWindow {
public:
    // The editor showing fields; node is the message being edited (nullptr for a new one): it
    // chooses the title and is left out of the hotkey check.
    explicit TFmMessage(TMessageFields fields = {}, TTreeNode* node = nullptr);

    // Runs the editor in FmMessage on fields: what the user confirmed with OK, or nothing.
    static std::optional<TMessageFields> Edit(const TMessageFields& fields, TTreeNode* node);

    // The client area as laid out: an 8-pixel border around the controls.
    static constexpr int LayoutWidth = 608;
    static constexpr int LayoutHeight = 426;
    // The smallest outer size the user can drag the window to.
    static constexpr int MinOuterWidth = 600;
    static constexpr int MinOuterHeight = 420;

    void SetCheckBoxWidth();
    void BtnInsertClick();
    void MnInsertDateClick();
    void MnInsertTimeClick();
    void MnTabClick(TMenuItem& sender);
    void CheckBoxWordWarpClick();
    // True when the key was one of the F-key shortcuts.
    bool MemoTextKeyDown(unsigned key);
    void BtnOkClick();
    void ApplyLanguageTexts(TLanguageRun& run) override;

protected:
    void CreateControls() override;
    void Resized() override { Panel4Resize(); }

private:
    friend struct TDialogTestAccess; // the in-process tests act on the controls as a user would

    void FormCreate();
    void CreateInsertMenu();
    void Panel4Resize();
    void InsertMacro(StringView macro);

    struct {
        std::unique_ptr<TStaticLabel> LabelName;
        std::unique_ptr<TEdit> EditName;
        std::unique_ptr<TButton> BtnInsert;
        std::unique_ptr<THotKey> HotKey1;
        std::unique_ptr<TStaticLabel> LabelHotkey;
        std::unique_ptr<TCheckBox> CheckBoxWordWarp;
        std::unique_ptr<TButton> BtnOk;
        std::unique_ptr<TButton> BtnCancel;
        std::unique_ptr<TMemo> MemoText;
        std::unique_ptr<TStaticLabel> LabelContent;
        std::unique_ptr<TBevel> Bevel1;
        TImageList ImageListButton;

        // The Insert menu and its items (the items of a menu keep their places).
        TPopupMenu PopupMenuKey;
        TMenuItem* MnInsertDate = nullptr;
        TMenuItem* MnInsertTime = nullptr;
        TMenuItem* MnInsertKey = nullptr;
        TMenuItem* InsertKeystroke1 = nullptr;
        TMenuItem* InsertMosee1 = nullptr;
        TMenuItem* InsertVariable1 = nullptr;
        // The items F1 to F12 click, in key order.
        std::array<TMenuItem*, 12> FunctionKeyItems{};

        String HotkeyAlreadyExistsMsg = u"The hotkey already exists. Do you want to select another hotkey?";
        String HotkeyRegistrationFailedMsg = u"Hotkey registration failed. Do you want to select another hotkey?";
    } Ui;
    // The message being edited; empty for a new one, and when the message was deleted meanwhile.
    TNodeRef CurNode;
    TMessageFields fields_; // shown once the controls are made
};

// A new message as the last child of folder; nullptr when the user cancelled. A folder deleted
// while the editor is open gives the message to Messages.
TTreeNode* NewMessage(TTreeNode* folder);
// A new message in folder from a text captured from the clipboard (name: its first 60 code
// units, no surrogate pair split); nullptr when the user cancelled.
TTreeNode* NewMessageFromClipboard(TTreeNode* folder, const String& text);
// Edits a message in place. A message deleted while the editor is open comes back on OK: a
// Clipboards entry as the newest entry there, any other message in Messages.
void EditMessage(TTreeNode* node);
