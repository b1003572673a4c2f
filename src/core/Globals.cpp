#include "core/Globals.h"

String AppFolder;
String DataFolder;
String DataFile;
String LanguagesFolder;
String ProgramName;
String UpdateMessage;
String CutCaption;
String CopyCaption;
String NewCaption;
String OrganizeCaption;
String EmptyCaption;
String PopupCutToCaption;
String PopupCopyToCaption;
String PopupNewMenuCaption;
String PopupNewFolderCaption;
String PopupNewMessageCaption;
String PopupRenameCaption;
String PopupEditCaption;
String PopupDeleteCaption;
String PopupDeleteMessageMsg;
String PopupDeleteFolderMsg;
String PopupSortCaption;
String PopupViewCaption;
String PopupSaveAsCaption;
std::vector<String> DefaultEnglishLines;

TFont* MenuFont;
TNodeRef CaptureTargetNode;
TNodeRef AltHotkeyNode;
bool CaptureNextClipboardChange;
bool Dragging;
bool MouseIsDownOnRow;
TScreenPoint DragStartPos;
TNodeRef DragNode;
TNodeRef DragStartMenuNode;
std::uintptr_t DragSourceMenuWnd;
String PendingPasteText;
ITabPasteTimer* TabPasteTimer;
int OpenMessageBoxCount;
String HeaderDigestText;
std::vector<std::uint8_t> DataFileBuffer;

TTreeNode* RootNode;
TTreeNode* ProgramMenuNode;
TTreeNode* ClipboardsNode;
TTreeNode* MessagesNode;
TTreeNode* OptionsNode;
TTreeNode* OrganizeNode;
TTreeNode* HelpNode;
TTreeNode* AboutNode;
TTreeNode* MinimizeToTrayNode;
TTreeNode* ExitNode;
int FixedMenuCount;

bool AutoHide;
bool TurnOnHotkey;
bool AutoCapture;
bool AutoDelete;
int ClipboardMaxCount;
String CurrentLanguage;
int MenuBarLeft;
bool MenuBarLeftSaved;
int MenuBarTop;

TFmMain* FmMain;
TFmMenuBar* FmMenuBar;
TFmMenu* FmMenu;
TFmHint* FmHint;
TFmPopupMenu* FmPopupMenu;
TFmOptions* FmOptions;
TFmAddFolderRename* FmNewMenu;
TFmAddFolderRename* FmNewFolder;
TFmAddFolderRename* FmRename;
TFmNew* FmNew;
TFmMessage* FmMessage;
TFmViewMessage* FmViewMessage;
TFmOrg* FmOrg;
TFmAbout* FmAbout;

void ResetGlobals()
{
    AppFolder.clear();
    DataFolder.clear();
    DataFile.clear();
    LanguagesFolder.clear();
    ProgramName = u"Quorvane";
    UpdateMessage.clear();
    CutCaption = u"Cut";
    CopyCaption = u"Copy";
    NewCaption = u"New...";
    OrganizeCaption = u"Organize...";
    EmptyCaption = u"Empty";
    PopupCutToCaption = u"Cut to";
    PopupCopyToCaption = u"Copy to";
    PopupNewMenuCaption = u"New Menu...";
    PopupNewFolderCaption = u"New Folder...";
    PopupNewMessageCaption = u"New Message...";
    PopupRenameCaption = u"Rename...";
    PopupEditCaption = u"Edit...";
    PopupDeleteCaption = u"Delete...";
    PopupDeleteMessageMsg = u"Are you sure you want to delete this message?";
    PopupDeleteFolderMsg = u"Are you sure you want to delete this folder?";
    PopupSortCaption = u"Sort";
    PopupViewCaption = u"View...";
    PopupSaveAsCaption = u"Save As...";
    DefaultEnglishLines.clear();
    CaptureTargetNode = nullptr;
    AltHotkeyNode = nullptr;
    CaptureNextClipboardChange = true;
    Dragging = false;
    MouseIsDownOnRow = false;
    DragStartPos = {};
    DragNode = nullptr;
    DragStartMenuNode = nullptr;
    DragSourceMenuWnd = 0;
    PendingPasteText.clear();
    TabPasteTimer = nullptr;
    OpenMessageBoxCount = 0;
    HeaderDigestText.clear();
    RootNode = ProgramMenuNode = ClipboardsNode = MessagesNode = nullptr;
    OptionsNode = OrganizeNode = HelpNode = AboutNode = MinimizeToTrayNode = ExitNode = nullptr;
    FixedMenuCount = 0;
    AutoHide = false;
    TurnOnHotkey = true;
    AutoCapture = true;
    AutoDelete = true;
    ClipboardMaxCount = DefaultClipboardMaxCount;
    CurrentLanguage.clear();
    MenuBarLeft = -1;
    MenuBarLeftSaved = false;
    MenuBarTop = -1;
}

namespace {
// The globals start with their initial values before any code of the program runs.
struct InitialValues {
    InitialValues() { ResetGlobals(); }
} initialValues;
} // namespace
