// The message viewer: a message's whole text, read-only and unexpanded, under its name, with a
// switch for line wrapping. Nothing in the tree changes and the hotkeys stay registered.
#pragma once

#include <memory>

#include "core/SnippetTree.h"
#include "settings/win32/UnitLanguage.h"
#include "ui/Dialog.h"

class TFmViewMessage : public TDialogForm, public TLanguageWindow {
public:
    // The viewer of a message with this name and text.
    explicit TFmViewMessage(String name = {}, String text = {});

    static constexpr int LayoutWidth = 624;
    static constexpr int LayoutHeight = 462;
    static constexpr int Panel1Height = 23;

    std::unique_ptr<TMemo> MemoText;
    std::unique_ptr<TCheckBox> CheckBoxWordWarp;

    // The check box as wide as its caption in the window's font, and 20 pixels for its box.
    void SetCheckBoxWidth();
    void CheckBoxWordWarpClick();
    void ApplyLanguageTexts(TLanguageRun& run) override;

protected:
    void CreateControls() override;

private:
    String name_;
    String text_;
};

// Shows the viewer for a message and returns when it has closed. The name and the text are
// taken when it opens: the node may leave the tree while the viewer is open.
void ViewMessage(TTreeNode* node);
