// The system's file dialogs as a user finds them on the screen: the dialog window of a process,
// its file-name box, and the question boxes it asks.
#pragma once

#include <windows.h>

// The file-name box of a file dialog (an edit, or the edit inside the file-name combo box);
// nullptr when the window is no file dialog.
HWND FileNameBox(HWND dialog);
// A visible dialog window of the process: a file dialog, or (fileDialog false) another dialog such
// as a file dialog's question; nullptr when none is open.
HWND FindDialogNow(DWORD process, bool fileDialog);
// The same, waiting up to a minute for it to open.
HWND WaitForDialog(DWORD process, bool fileDialog);
