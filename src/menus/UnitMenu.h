// The drop-down menu window: a non-activating popup listing a menu's rows.
#pragma once

#include "ui/Form.h"

class TFmMenu : public TNonActivatingForm {
public:
    TFmMenu();

    int SelectedItem = -1;

private:
    void FormCreate();
};
