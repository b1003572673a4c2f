#include "menus/win32/UnitPopupMenu.h"

#include <optional>

#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/PasteEngine.h"
#include "core/ScopeExit.h"
#include "core/SharedRoutines.h"
#include "core/TreeRoutines.h"
#include "core/win32/UnitMain.h"
#include "menus/win32/UnitMenu.h"
#include "menus/win32/UnitWideMenuItem.h"
#include "organize/TextFiles.h"
#include "organize/win32/UnitMessage.h"
#include "organize/win32/UnitRename.h"
#include "organize/win32/UnitViewMessage.h"
#include "organize/win32/Win32FileDialogs.h"
#include "ui/Application.h"
#include "ui/DeferredRelease.h"
#include "ui/Font.h"
#include "ui/Handles.h"
#include "ui/WinText.h"

namespace {
constexpr COLORREF PopupHotColor = 0x00C56A31;
constexpr COLORREF PopupBackColor = RGB(255, 255, 255);
constexpr UINT PopupCaptionFlags = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

HGDIOBJ PopupFont() { return MenuFont && MenuFont->Get() ? MenuFont->Get() : GetStockObject(DEFAULT_GUI_FONT); }

void HideMenus()
{
    if (FmMenu)
        FmMenu->Hide();
}

} // namespace

TPopupMenuItem::TPopupMenuItem(TWinControl& parent, TPopupCommand command)
    : TGraphicControl(parent), Command(command), IsLine(command == TPopupCommand::Line)
{
}

void TPopupMenuItem::CMMouseEnter()
{
    if (IsLine)
        return;
    Color = PopupHotColor;
    FontColor = RGB(255, 255, 255);
    Invalidate();
}

void TPopupMenuItem::CMMouseLeave()
{
    Color = PopupBackColor;
    FontColor = RGB(0, 0, 0);
    Invalidate();
}

void TPopupMenuItem::Paint(HDC dc)
{
    RECT r = BoundsRect();
    UniqueGdiObject brush(CreateSolidBrush(Color));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
    DoDrawText(dc, r);
}

void TPopupMenuItem::DoDrawText(HDC dc, RECT rect)
{
    if (IsLine) {
        UniqueGdiObject pen(CreatePen(PS_SOLID, 1, MenuLineColor));
        ScopedSelectObject select(dc, pen.get());
        const int y = rect.top + (rect.bottom - rect.top) / 2;
        MoveToEx(dc, rect.left, y, nullptr);
        LineTo(dc, rect.right, y);
        return;
    }
    rect.left += PopupCaptionIndent;
    ScopedSelectObject font(dc, Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    // A disabled row is drawn flat in the shadow colour, not embossed.
    SetTextColor(dc, Enabled ? FontColor : GetSysColor(COLOR_BTNSHADOW));
    const std::wstring text = ToW(Caption);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, PopupCaptionFlags);
}

void TPopupMenuItem::Click()
{
    if (!IsLine && Enabled && OnItemClick)
        OnItemClick(*this);
}

TFmPopupMenu::TFmPopupMenu() : TNonActivatingForm(u"TFmPopupMenu") {}

void TFmPopupMenu::CreateControls()
{
    PanelBorder = MakeWindow<TPanel>(*this, u"TPanelBorder");
    PanelBack = MakeWindow<TPanel>(*PanelBorder, u"TPanelBack");
    SaveDialog1Execute = [this](const String& proposed) { return SaveDialog1(proposed); };
    FormCreate();
}

TFmPopupMenu::~TFmPopupMenu() { FormDestroy(); }

void TFmPopupMenu::FormCreate()
{
    for (TWinControl* window : {static_cast<TWinControl*>(this), static_cast<TWinControl*>(PanelBack.get()),
                                static_cast<TWinControl*>(PanelBorder.get())})
        SetWindowLongPtrW(window->Handle(), GWLP_USERDATA, OwnWindowMarker);
    PanelBorder->Color = GetSysColor(COLOR_BTNSHADOW);
    PanelBack->Color = PopupBackColor;
}

void TFmPopupMenu::FormDestroy()
{
    LabelItem.clear();
    PanelBack->TakeControls();
}

void TFmPopupMenu::NodeDeleted(TTreeNode& node)
{
    if (&node != ParentNode && &node != SelectedNode)
        return;
    ParentNode = nullptr;
    SelectedNode = nullptr;
    Hide();
}

void TFmPopupMenu::OpenPopupMenu()
{
    // The caller put the window's corner one pixel below the pointer.
    const int pointerX = Left();
    const int pointerY = Top() - 1;
    Hide();
    // A row may be running the click that led here: the old rows go once it has returned.
    LabelItem.clear();
    ReleaseLater(std::make_unique<std::vector<std::unique_ptr<TGraphicControl>>>(PanelBack->TakeControls()));
    if (!ParentNode)
        return;

    TPopupLayout layout;
    {
        WindowDC dc(Handle());
        ScopedSelectObject font(dc.Get(), PopupFont());
        layout = LayoutPopupMenu([&dc](StringView text) {
            SIZE size{};
            GetTextExtentPoint32W(dc.Get(), reinterpret_cast<const wchar_t*>(text.data()),
                                  static_cast<int>(text.size()), &size);
            return static_cast<int>(size.cx);
        });
    }
    const int kind = SelectedNode ? SelectedNode->ImageIndex : -1;
    const HFONT font = MenuFont ? MenuFont->Get() : nullptr;
    const int rowWidth = layout.Width - 4; // inside the frame and PanelBack's own 1-pixel border
    for (size_t i = 0; i < layout.Rows.size(); ++i) {
        const TPopupCommand command = PopupMenuRows()[i];
        TPopupMenuItem& row = PanelBack->AddControl<TPopupMenuItem>(command);
        LabelItem.push_back(&row);
        row.Caption = PopupCaption(command);
        row.Font = font;
        row.Enabled = row.IsLine || PopupRowEnabled(command, kind, *ParentNode);
        row.OnItemClick = [this](TPopupMenuItem& sender) { MainMenuPopupMenuItemClick(sender); };
        row.Place(1, layout.Rows[i].Top, rowWidth, layout.Rows[i].Height);
    }

    const RECT area = WorkArea();
    const TPopupPlace place = PlacePopupMenu(pointerX, pointerY, layout.Width, layout.Height,
                                             {area.left, area.top, area.right, area.bottom});
    SetBounds(place.Left, place.Top, layout.Width, layout.Height);
    PanelBorder->SetBounds(0, 0, layout.Width, layout.Height);
    PanelBack->SetBounds(1, 1, layout.Width - 2, layout.Height - 2);
    Show();
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFmPopupMenu::MainMenuPopupMenuItemClick(TPopupMenuItem& sender)
{
    // The row is not touched after this: a later opening may retire it.
    const TPopupCommand command = sender.Command;
    Hide();
    TTreeNode* parent = ParentNode;
    TTreeNode* selected = SelectedNode;
    const HWND menuWnd = hMenuWnd;
    if (!parent)
        return;
    switch (command) {
    case TPopupCommand::CutTo:
    case TPopupCommand::CopyTo:
        HideMenus();
        CaptureTargetNode = parent;
        SendCtrlKey(command == TPopupCommand::CutTo ? 'X' : 'C');
        return;
    case TPopupCommand::NewMenu:
        HideMenus();
        NewMenu();
        return;
    case TPopupCommand::NewFolder:
        HideMenus();
        NewFolder(parent);
        return;
    case TPopupCommand::NewMessage:
        HideMenus();
        NewMessage(parent);
        return;
    case TPopupCommand::Rename:
        HideMenus();
        if (selected)
            RenameNode(selected);
        return;
    case TPopupCommand::Edit:
        HideMenus();
        if (selected && selected->ImageIndex == nkMessage)
            EditMessage(selected);
        return;
    case TPopupCommand::Delete:
        HideMenus();
        if (selected)
            DeleteSelectedNode(selected);
        return;
    case TPopupCommand::Sort:
        SortNodeChildren(parent);
        // The menu window shows the sorted rows at once and stays open.
        if (dynamic_cast<TFmMenu*>(TWinControl::FromHandle(menuWnd)))
            SendMessageW(menuWnd, UM_LOADDATA, 0, 0);
        return;
    case TPopupCommand::View:
        HideMenus();
        if (selected && selected->ImageIndex == nkMessage)
            ViewMessage(selected);
        return;
    case TPopupCommand::SaveAs:
        HideMenus();
        if (selected && selected->ImageIndex == nkMessage)
            SaveSelectedNodeAs(*selected);
        return;
    case TPopupCommand::Line:
        return;
    }
}

void TFmPopupMenu::DeleteSelectedNode(TTreeNode* node)
{
    TNodeRef target(node);
    const String& question = node->ImageIndex == nkMessage ? PopupDeleteMessageMsg : PopupDeleteFolderMsg;
    SetForegroundWindow(Handle());
    if (ShowMessageBox(question, ProgramName, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return;
    // A capture's trim may have taken the node while the question was open.
    if (!target)
        return;
    DeleteNodeTree(target.Get());
    SaveDataFile(RootNode->Owner(), RootNode);
}

void TFmPopupMenu::SaveSelectedNodeAs(const TTreeNode& node)
{
    // Name and text are taken now: the node may leave the tree while the dialog is open.
    const String text(node.Content());
    const std::optional<String> file = SaveDialog1Execute(ValidFileName(node.Text));
    if (file)
        SaveMessageToFile(text, *file);
}

std::optional<String> TFmPopupMenu::SaveDialog1(const String& proposed)
{
    TWin32FileDialogs dialog(FmMain ? FmMain->Handle() : nullptr);
    // The owner is the main window, hidden and of no size off the screen's corner: the system
    // would put the dialog at that corner, over the menu bar.
    dialog.CenterOnScreen = true;
    dialog.OnShow = [this](HWND window) { SaveDialog1Show(window); };
    // The program's windows are disabled and its modal level raised while the system's dialog
    // runs, as for any modal window of the program: a hotkey or a tray click only beeps meanwhile.
    const TWindowDisabler disabled(nullptr);
    ++Application->ModalLevel;
    const ScopeExit modalEnd([] { --Application->ModalLevel; });
    return dialog.SaveFile(proposed, u"txt", u"Text files (*.txt)|*.TXT");
}

void TFmPopupMenu::SaveDialog1Show(HWND dialog)
{
    SetForegroundWindow(dialog);
    // The dialog was made active before it was on the screen (its owner is hidden), and its
    // frame can keep the inactive title: it is drawn again as what it is.
    SendMessageW(dialog, WM_NCACTIVATE, GetActiveWindow() == dialog, 0);
}

void OpenContextMenu(TTreeNode* parentNode, TTreeNode* selectedNode, HWND menuWnd)
{
    if (!FmPopupMenu || !parentNode)
        return;
    POINT p{};
    GetCursorPos(&p);
    FmPopupMenu->SetBounds(p.x, p.y + 1, FmPopupMenu->Width(), FmPopupMenu->Height());
    FmPopupMenu->ParentNode = parentNode;
    FmPopupMenu->SelectedNode = selectedNode;
    FmPopupMenu->hMenuWnd = menuWnd;
    if (menuWnd && IsWindow(menuWnd))
        SendMessageW(menuWnd, UM_CLOSESUBMENU, 0, 0);
    FmPopupMenu->OpenPopupMenu();
}
