// The context menu of a menu row.
#pragma once

#include "ui/Form.h"

class TFmPopupMenu : public TNonActivatingForm {
public:
    TFmPopupMenu();

private:
    void FormCreate();
};
