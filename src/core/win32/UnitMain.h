// The main window: never visible to the user. It owns the tray icon and the start-up timer,
// runs the deferred start-up once, and asks the user when an update was advertised.
#pragma once

#include "settings/Language.h"
#include "ui/Form.h"
#include "ui/Timer.h"
#include "ui/TrayIcon.h"

class TFmMain : public TForm {
public:
    TFmMain();

    TTrayIcon TrayIcon1;
    TTimer TimerLogin;
    // The hidden list box's items: the built-in language table, one line an item.
    TStringList ListBoxChinese;

    void TimerLoginTimer();
    // The start-up step ran to its end: the settings in use are the user's, read from the registry.
    bool StartupFinished() const { return startupFinished_; }
    void TrayIcon1MouseDown(TMouseButton button, int x, int y);
    void TrayIcon1MouseUp(TMouseButton button, int x, int y);

protected:
    void CreateControls() override;
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void UserMsg(WPARAM code);

    bool startupFinished_ = false;
};
