// The preview window that shows the beginning of a message's text beside its row. It carries
// no own-window marker: a press on it counts as outside the program and closes the menus.
#pragma once

#include "ui/Form.h"

class TFmHint : public TNonActivatingForm {
public:
    TFmHint();
};
