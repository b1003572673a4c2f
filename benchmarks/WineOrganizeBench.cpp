// Under Wine: the Organize window opened on 10,000 messages in 1,000 folders with a folder of
// 5,000 messages selected (creation, tree, list, texts, show and first paint) beside a bare tree
// view and list view filled with the same items and painted in the same run; and the bulk changes
// of its views, each beside one save of the data file of the same collection: a deletion of 1,000
// selected list items, a folder of 3,000 listed messages deleted from the tree, a folder deleted
// whose 500 subfolders are expanded and listed, an import into a node whose 300 subfolders are
// expanded and a reorder drop among 300 subfolders. Prints medians; a reported figure, not a test.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/win32/MainBlock.h"
#include "UserState.h"
#include "WineTiming.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/NodeWatch.h"
#include "core/win32/UnitMain.h"
#include "core/win32/UnitMenuBar.h"
#include "core/win32/Win32Os.h"
#include "organize/FileDialogs.h"
#include "organize/TextFiles.h"
#include "organize/win32/UnitOrg.h"
#include "settings/win32/UnitLanguage.h"
#include "ui/Application.h"
#include "ui/WinText.h"

namespace {

constexpr int Runs = 5;
constexpr int Folders = 1000;
constexpr int BigFolder = 5000;
constexpr int OtherMessages = 5; // in each of the other 999 folders: 4,995, and 5 in the menu
constexpr int Deleted = 1000;

// Every delete question answered Yes.
class YesOs : public TWin32Shell {
public:
    int MessageDialog(StringView, StringView, int) override { return IDYES; }
};

String Numbered(const char16_t* prefix, int i)
{
    String name = prefix;
    for (char c : std::to_string(i))
        name += static_cast<char16_t>(c);
    return name;
}

TTreeNode* Add(TTreeNode* parent, const String& name, int kind)
{
    TTreeNode* node = SnippetTree().AddChild(parent, name);
    node->ImageIndex = kind;
    if (kind == nkMessage)
        node->Data = String(500, u'x'); // as long as the messages of the other figures' collection
    return node;
}

void FillMessages(TTreeNode* folder, int count)
{
    for (int i = 0; i < count; ++i)
        Add(folder, Numbered(u"Message number ", i), nkMessage);
}

// The menu with its folders: the big one first, then groups of ten below ten folders each.
TTreeNode* BuildCollection(TTreeNode* menu)
{
    TTreeNode* big = Add(menu, u"Big folder", nkFolder);
    FillMessages(big, BigFolder);
    int made = 1;
    for (int group = 0; made < Folders; ++group) {
        TTreeNode* top = Add(menu, Numbered(u"Folder ", group), nkFolder);
        FillMessages(top, OtherMessages);
        ++made;
        for (int i = 0; i < 9 && made < Folders; ++i, ++made)
            FillMessages(Add(top, Numbered(u"Subfolder ", i), nkFolder), OtherMessages);
    }
    FillMessages(menu, OtherMessages);
    return big;
}

// The open dialog of an import answered with one file.
class OneFileDialogs : public IFileDialogs {
public:
    explicit OneFileDialogs(String file) : file_(std::move(file)) {}
    std::vector<String> OpenFiles(StringView) override { return {file_}; }
    std::optional<String> SaveFile(StringView, StringView, StringView) override { return std::nullopt; }

private:
    String file_;
};

// A folder of count subfolders, each expanded in the tree with a subfolder and two messages of
// its own.
TTreeNode* AddSubfolders(TTreeNode* parent, const String& name, int count)
{
    TTreeNode* folder = Add(parent, name, nkFolder);
    for (int i = 0; i < count; ++i) {
        TTreeNode* sub = Add(folder, Numbered(u"Subfolder ", i), nkFolder);
        Add(sub, u"Inner folder", nkFolder);
        FillMessages(sub, 2);
    }
    return folder;
}

void PaintNow(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

void AddBareTree(HWND tree, const TTreeNode* node, HTREEITEM parent)
{
    for (int i = 0; i < node->Count(); ++i) {
        const TTreeNode* child = node->Item(i);
        if (child->ImageIndex != nkFolder)
            continue;
        std::wstring text = ToW(child->Text);
        TVINSERTSTRUCTW insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = text.data();
        insert.item.iImage = 6;
        insert.item.iSelectedImage = 7;
        insert.item.lParam = reinterpret_cast<LPARAM>(child);
        auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        AddBareTree(tree, child, item);
    }
}

// A window with a tree view and a list view of the same styles, filled with the same items.
void BareControlsFirstPaint(const TTreeNode* big, HIMAGELIST images)
{
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_CAPTION, 300, 150, 700, 500, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    HWND tree = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                                    TVS_SHOWSELALWAYS,
                                8, 8, 160, 450, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS |
                                    LVS_SHAREIMAGELISTS,
                                171, 8, 384, 450, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    AddBareTree(tree, RootNode, TVI_ROOT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < big->Count(); ++i) {
        std::wstring text = ToW(big->Item(i)->Text);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = i;
        item.pszText = text.data();
        item.iImage = big->Item(i)->ImageIndex;
        item.lParam = reinterpret_cast<LPARAM>(big->Item(i));
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    PaintNow(parent);
    DestroyWindow(parent);
}

} // namespace

int main()
{
    // The figures are of a first start, whatever an earlier run stored in this prefix.
    CleanUserState();
    TMainBlock block(GetModuleHandleW(nullptr));
    while (FmMain->TimerLogin.Tag != 1) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Application->ProcessMessages();
    }
    const TOsServices real = OsServices();
    YesOs os;
    TOsServices answering = real;
    answering.Shell = &os;
    SetOsServices(answering);
    UseBenchDataFolder();

    TTreeNode* menu = Add(RootNode, u"Bench", nkFolder);
    TTreeNode* big = BuildCollection(menu);

    std::unique_ptr<TFmOrg> organize;
    const auto between = [&] {
        Application->ProcessMessages();
        FmOrg = nullptr;
        organize.reset();
        Application->ProcessMessages();
    };
    // The command's steps but the modal loop: create, fill and preselect, texts, show, paint.
    const double open = MedianMs(Runs, [&] {
        organize = MakeWindow<TFmOrg>();
        FmOrg = organize.get();
        organize->LoadTreeNodeFromMenuData(big);
        ApplyLanguage();
        organize->Show();
        PaintNow(organize->Handle());
    }, between);
    const auto imagesWindow = MakeWindow<TFmOrg>();
    TFmOrg& images = *imagesWindow;
    const double bare = MedianMs(Runs, [&] { BareControlsFirstPaint(big, images.ImageList1.Handle()); },
                                 [] { Application->ProcessMessages(); });

    // Deleting 1,000 selected list items, each run on a folder filled anew.
    double deleteMs = 0;
    {
        std::vector<double> times;
        for (int run = 0; run < Runs; ++run) {
            while (big->HasChildren())
                SnippetTree().Delete(big->Item(0));
            FillMessages(big, BigFolder);
            organize = MakeWindow<TFmOrg>();
            FmOrg = organize.get();
            organize->LoadTreeNodeFromMenuData(big);
            organize->Show();
            organize->ListView1->SetFocus();
            for (int i = 0; i < Deleted; ++i)
                organize->ListView1->SetSelected(i, true);
            PaintNow(organize->Handle()); // the selection's own paint is not the deletion's
            // The paint that follows is counted: the list leaves its scroll bars to it.
            times.push_back(MedianMs(1, [&] {
                organize->BtnDeleteClick();
                PaintNow(organize->Handle());
            }));
            between();
        }
        std::sort(times.begin(), times.end());
        deleteMs = times[times.size() / 2];
    }
    const double save = MedianMs(Runs, [] { SaveDataFile(SnippetTree(), RootNode); });

    // A bulk change of the views, each run on its own folder made anew in the collection and
    // shown selected, with its subfolders expanded: the change with the paint that follows it,
    // and one save of the collection as it stands before it.
    struct TBulkFigure {
        double Ms = 0;
        double SaveMs = 0;
    };
    const auto bulk = [&](const std::function<TTreeNode*()>& make, const std::function<void()>& change) {
        std::vector<double> times, saves;
        for (int run = 0; run < Runs; ++run) {
            TNodeRef folder(make());
            saves.push_back(MedianMs(1, [] { SaveDataFile(SnippetTree(), RootNode); }));
            organize = MakeWindow<TFmOrg>();
            FmOrg = organize.get();
            organize->LoadTreeNodeFromMenuData(folder.Get());
            HTREEITEM item = organize->FindOrgTreeNode(folder.Get());
            for (HTREEITEM sub = organize->TreeView1->FirstChild(item); sub; sub = organize->TreeView1->NextSibling(sub))
                organize->TreeView1->Expand(sub);
            organize->Show();
            organize->TreeView1->SetFocus();
            PaintNow(organize->Handle());
            times.push_back(MedianMs(1, [&] {
                change();
                PaintNow(organize->Handle());
            }));
            between();
            if (folder)
                SnippetTree().Delete(folder.Get());
        }
        std::sort(times.begin(), times.end());
        std::sort(saves.begin(), saves.end());
        return TBulkFigure{times[times.size() / 2], saves[saves.size() / 2]};
    };
    const auto deleteFromTree = [&] { organize->BtnDeleteClick(); };
    const TBulkFigure listedMessages = bulk(
        [&] {
            TTreeNode* folder = Add(menu, u"Bulk messages", nkFolder);
            FillMessages(folder, 3000);
            return folder;
        },
        deleteFromTree);
    const TBulkFigure expandedFolders = bulk([&] { return AddSubfolders(menu, u"Bulk folders", 500); }, deleteFromTree);
    const std::wstring importFile = UseBenchDataFolder() + L"\\Imported.txt";
    SaveMessageToFile(u"An imported message", FromW(importFile));
    const TBulkFigure import = bulk([&] { return AddSubfolders(menu, u"Bulk import", 300); },
                                    [&] {
                                        organize->FileDialogs = std::make_unique<OneFileDialogs>(FromW(importFile));
                                        organize->SBtnImportClick();
                                    });
    const TBulkFigure reorder = bulk([&] { return AddSubfolders(menu, u"Bulk reorder", 300); },
                                     [&] {
                                         TListView& list = *organize->ListView1;
                                         list.SetSelected(0, true);
                                         RECT r{};
                                         r.left = LVIR_LABEL;
                                         SendMessageW(list.Handle(), LVM_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&r));
                                         list.DoDragDrop(&list, r.left + 5, (r.top + r.bottom) / 2);
                                     });

    std::printf("Organize on %d folders, a folder of %d messages selected, median of %d runs under Wine:\n",
                Folders, BigFolder, Runs);
    std::printf("  create, fill, texts, show and first paint:    %8.2f ms\n", open);
    std::printf("  bare tree view and list view, same items:     %8.2f ms\n", bare);
    std::printf("  ratio: %.2f\n", open / bare);
    std::printf("  delete %d selected list items:              %8.2f ms\n", Deleted, deleteMs);
    std::printf("  one SaveDataFile of the collection:           %8.2f ms\n", save);
    std::printf("  ratio: %.2f\n", deleteMs / save);
    const auto print = [](const char* what, const TBulkFigure& figure) {
        std::printf("  %-44s %8.2f ms, one SaveDataFile: %8.2f ms, ratio %.2f\n", what, figure.Ms, figure.SaveMs,
                    figure.Ms / figure.SaveMs);
    };
    print("delete from the tree 3,000 listed messages:", listedMessages);
    print("delete 500 expanded and listed subfolders:", expandedFolders);
    print("import under 300 expanded subfolders:", import);
    print("reorder drop among 300 subfolders:", reorder);
    SetOsServices(real);
    return 0;
}
