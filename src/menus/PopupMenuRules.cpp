#include "menus/PopupMenuRules.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/NodeKinds.h"

const std::array<TPopupCommand, PopupMenuRowCount>& PopupMenuRows()
{
    using enum TPopupCommand;
    static constexpr std::array<TPopupCommand, PopupMenuRowCount> rows{
        CutTo, CopyTo, Line, NewMenu, NewFolder, NewMessage, Line, Rename, Edit, Delete, Sort, Line, View, SaveAs};
    return rows;
}

String PopupCaption(TPopupCommand command)
{
    switch (command) {
    case TPopupCommand::CutTo: return PopupCutToCaption;
    case TPopupCommand::CopyTo: return PopupCopyToCaption;
    case TPopupCommand::NewMenu: return PopupNewMenuCaption;
    case TPopupCommand::NewFolder: return PopupNewFolderCaption;
    case TPopupCommand::NewMessage: return PopupNewMessageCaption;
    case TPopupCommand::Rename: return PopupRenameCaption;
    case TPopupCommand::Edit: return PopupEditCaption;
    case TPopupCommand::Delete: return PopupDeleteCaption;
    case TPopupCommand::Sort: return PopupSortCaption;
    case TPopupCommand::View: return PopupViewCaption;
    case TPopupCommand::SaveAs: return PopupSaveAsCaption;
    case TPopupCommand::Line: break;
    }
    return u"-";
}

bool PopupRowEnabled(TPopupCommand command, int selectedKind, const TTreeNode& parentNode)
{
    switch (command) {
    case TPopupCommand::Rename:
    case TPopupCommand::Delete: return selectedKind == nkMessage || selectedKind == nkFolder;
    case TPopupCommand::Edit:
    case TPopupCommand::View:
    case TPopupCommand::SaveAs: return selectedKind == nkMessage;
    case TPopupCommand::Sort: {
        const int level = parentNode.Level();
        // A menu's three fixed rows do not count.
        return (level > 1 && parentNode.Count() >= 1) || (level == 1 && parentNode.Count() > FixedMenuCount);
    }
    default: return true;
    }
}

TPopupLayout LayoutPopupMenu(const std::function<int(StringView)>& textWidth)
{
    TPopupLayout layout;
    int widest = 0;
    int top = 1;
    for (TPopupCommand command : PopupMenuRows()) {
        widest = std::max(widest, textWidth(PopupCaption(command)));
        const int height = command == TPopupCommand::Line ? PopupLineHeight : PopupRowHeight;
        layout.Rows.push_back({top, height});
        top += height;
    }
    layout.Width = std::max(PopupMenuMinWidth, widest + 44);
    layout.Height = top + 3;
    return layout;
}

TPopupPlace PlacePopupMenu(int x, int y, int width, int height, const TWorkArea& area)
{
    TPopupPlace place{x, y + 1};
    if (place.Left + width > area.Right)
        place.Left = x - width;
    if (place.Top + height > area.Bottom)
        place.Top = y - height;
    place.Left = std::max(area.Left, std::min(place.Left, area.Right - width));
    place.Top = std::max(area.Top, std::min(place.Top, area.Bottom - height));
    return place;
}
