// A splitter bar between two panes and the speed button: a window-less push button that never
// takes the keyboard focus, so the focus stays in the pane the user works in.
#pragma once

#include <windows.h>

#include <functional>

#include "core/Text.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"

// A vertical bar the user drags sideways; it reports where its left edge is to go.
class TSplitter : public TPanel {
public:
    explicit TSplitter(TWinControl& parent);

    // x: the wanted left edge in the parent's client coordinates.
    std::function<void(int x)> OnMoved;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int grip_ = -1; // where in the bar the press was, -1 when not dragging
};

class TSpeedButton : public TGraphicControl {
public:
    TSpeedButton(TWinControl& parent, StringView caption);

    const String& Caption() const { return caption_; }
    void SetCaption(StringView caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    void Paint(HDC dc) override;
    void MouseDown(TMouseButton button, WPARAM keys, int x, int y) override;
    void MouseUp(TMouseButton button, WPARAM keys, int x, int y) override;
    // Runs OnClick, whatever the enabled state; a mouse click on a disabled button never comes here.
    void Click() override;

private:
    String caption_;
    bool enabled_ = true;
    bool down_ = false;     // drawn pressed
    bool pressing_ = false; // the left button went down on the button and is not up yet
    bool armed_ = false;    // that press began on an enabled button
};
