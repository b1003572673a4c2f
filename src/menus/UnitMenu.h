// The drop-down menu window: a non-activating popup listing a menu's rows.
#pragma once

#include "ui/Form.h"

class TTreeNode;

class TFmMenu : public TNonActivatingForm {
public:
    TFmMenu();

    int SelectedItem = -1;
    TTreeNode* Node = nullptr; // the menu shown
    bool ShowSubMenuAtRight = false;
    int LeftWidth = 0;

    // Builds the rows for Node and puts the window's top-left corner at the screen point.
    void LoadData(int left, int top);
    void Show() override;
    void Hide() override;

private:
    void FormCreate();
    void FormShow();
    void FormHide();
};
