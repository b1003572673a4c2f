// The program's state: the core's globals, in one place. ResetGlobals gives tests a clean start.
#pragma once

#include <cstdint>
#include <vector>

#include "core/NodeWatch.h"
#include "core/OsServices.h"
#include "core/Text.h"

class TTreeNode;
class TFmMain;
class TFmMenuBar;
class TFmMenu;
class TFmHint;
class TFmPopupMenu;
class TFmOptions;
class TFmAddFolderRename;
class TFmNew;
class TFmMessage;
class TFmViewMessage;
class TFmOrg;
class TFmAbout;
struct TFont;
class ITabPasteTimer;

extern String AppFolder;       // folder of the program file, with a trailing backslash
extern String DataFolder;      // application-data folder + "\Quorvane\" + ProgramVersion
extern String DataFile;        // DataFolder + "\Quorvane.db"
extern String LanguagesFolder; // AppFolder + "Languages", no trailing backslash
extern String ProgramName;
extern String UpdateMessage;
extern String CutCaption;
extern String CopyCaption;
extern String NewCaption;
extern String OrganizeCaption;
extern String EmptyCaption;

// The context menu's row captions and delete questions; its rows are told apart by these texts.
extern String PopupCutToCaption;
extern String PopupCopyToCaption;
extern String PopupNewMenuCaption;
extern String PopupNewFolderCaption;
extern String PopupNewMessageCaption;
extern String PopupRenameCaption;
extern String PopupEditCaption;
extern String PopupDeleteCaption;
extern String PopupDeleteMessageMsg;
extern String PopupDeleteFolderMsg;
extern String PopupSortCaption;
extern String PopupViewCaption;
extern String PopupSaveAsCaption;

// The English defaults collected by the lookups of a template-mode language run.
extern std::vector<String> DefaultEnglishLines;

// The menu bar's font, taken from the system menu font; every menu window and row copies it.
extern TFont* MenuFont;

// The nodes kept across message loops; each becomes nullptr when its node is deleted.
// The folder that receives the next clipboard text, armed by Cut and Copy.
extern TNodeRef CaptureTargetNode;
// The message of an Alt hotkey, waiting for Alt to go up.
extern TNodeRef AltHotkeyNode;
extern bool CaptureNextClipboardChange;
extern String PendingPasteText;
// The menu bar's TimerTabPaste, through which the paste engine types key-macro messages.
extern ITabPasteTimer* TabPasteTimer;
extern int OpenMessageBoxCount;
// The text hashed into every file header's digest; nothing ever assigns it.
extern String HeaderDigestText;

// The bytes of the last SaveDataFile, kept for the next one to encode into memory already in place.
extern std::vector<std::uint8_t> DataFileBuffer;

// Node globals, set once by the start-up step.
extern TTreeNode* RootNode;
extern TTreeNode* ProgramMenuNode;
extern TTreeNode* ClipboardsNode;
extern TTreeNode* MessagesNode;
extern TTreeNode* OptionsNode;
extern TTreeNode* OrganizeNode;
extern TTreeNode* HelpNode;
extern TTreeNode* AboutNode;
extern TTreeNode* MinimizeToTrayNode;
extern TTreeNode* ExitNode;
extern int FixedMenuCount;

// The five long-lived windows, created once by the main block.
extern TFmMain* FmMain;
extern TFmMenuBar* FmMenuBar;
extern TFmMenu* FmMenu;
extern TFmHint* FmHint;
extern TFmPopupMenu* FmPopupMenu;

// Dialog windows, each non-null only while its dialog exists.
extern TFmOptions* FmOptions;
extern TFmAddFolderRename* FmNewMenu;
extern TFmAddFolderRename* FmNewFolder;
extern TFmAddFolderRename* FmRename;
extern TFmNew* FmNew;
extern TFmMessage* FmMessage;
extern TFmViewMessage* FmViewMessage;
extern TFmOrg* FmOrg;
extern TFmAbout* FmAbout;

// The settings, read from the registry at start-up and written back by the Options window, the
// end of a bar drag and Exit.
extern bool AutoHide;
extern bool TurnOnHotkey;
extern bool AutoCapture;
extern bool AutoDelete;
extern int ClipboardMaxCount;
// The history sizes the Options window allows; a stored count outside them is brought inside
// wherever it is used.
constexpr int MinClipboardMaxCount = 5;
constexpr int MaxClipboardMaxCount = 99999;
// The history size of a new installation, which the Options window's Default button brings back.
constexpr int DefaultClipboardMaxCount = 20;
extern String CurrentLanguage;
extern int MenuBarLeft;
extern bool MenuBarLeftSaved; // MenuBarLeft existed in the registry at loading
extern int MenuBarTop;

// Row drag and drop in the drop-down menus, shared by all rows. The drop and the end of a drag
// work from these alone, never from the row where the drag began, which may be gone by then.
extern bool Dragging;                   // a row drag is under way
extern bool MouseIsDownOnRow;           // a button went down on a row and is not up yet
extern TScreenPoint DragStartPos;       // pointer at the last press on a row
extern TNodeRef DragNode;               // node of the dragged row
extern TNodeRef DragStartMenuNode;      // node of FmMenu when the drag began
extern std::uintptr_t DragSourceMenuWnd; // window of the row where the drag began

constexpr int OwnWindowMarker = 0x15467435;

// Window messages between the program's own windows (WM_USER = 0x400).
constexpr unsigned UM_SETFOREGROUNDWINDOW = 0x400 + 1;
constexpr unsigned UM_USERMSG = 0x400 + 3;
constexpr unsigned UM_MENUITEMSELECTED = 0x400 + 3;
constexpr unsigned UM_MENUITEMSELECTING = 0x400 + 4;
constexpr unsigned UM_LOADDATA = 0x400 + 5;
constexpr unsigned UM_CLOSESUBMENU = 0x400 + 6;
constexpr int UserMsgStartup = 100;
constexpr int UserMsgUpdateAvailable = 500;

void ResetGlobals();

// Points a global at an object while the binding lives; the global goes back to nullptr with the
// binding unless something else has taken it over meanwhile.
template <class T>
class TGlobalBinding {
public:
    TGlobalBinding(T*& global, T* object) : global_(global), object_(object) { global_ = object; }
    ~TGlobalBinding()
    {
        if (global_ == object_)
            global_ = nullptr;
    }
    TGlobalBinding(const TGlobalBinding&) = delete;
    TGlobalBinding& operator=(const TGlobalBinding&) = delete;

private:
    T*& global_;
    T* object_;
};
