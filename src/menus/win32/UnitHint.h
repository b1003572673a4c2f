// The preview window that shows the beginning of a message's text below its row. It never
// takes the activation and carries no own-window marker: a press on it counts as outside the
// program and closes the menus.
#pragma once

#include "core/Text.h"
#include "ui/Form.h"

class TFmHint : public TNonActivatingForm {
public:
    TFmHint();

    // The kind of the row previewed; sizing and painting act only for messages.
    int ImageIndex = 0;
    String HintText;

    // The rectangle the text needs, word-wrapped at most maxWidth wide (its bottom may pass maxHeight).
    RECT CalcHintRect(int maxWidth, int maxHeight, const String& hint);
    // Sizes the window for HintText and places it against pt: the pointer's x and the screen y
    // of the previewed row's bottom edge.
    void SetHint(POINT pt);
    void Show() override;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormPaint(HDC dc);
    void FormShow();
};
