// Under Wine: LoadData plus the first paint of a folder of 5,000 messages in a real menu window,
// beside creating, filling and first painting a plain owner-drawn list box of 5,000 items in
// the same run. Prints medians; a reported figure, not a test.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/win32/MainBlock.h"
#include "UserState.h"
#include "WineTiming.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/win32/UnitMenuBar.h"
#include "menus/win32/UnitMenu.h"
#include "ui/Application.h"

namespace {

constexpr int Runs = 15;
constexpr int Rows = 5000;

// Each run ends with the paint and other messages it queued.
double Timed(const std::function<void()>& work)
{
    return MedianMs(Runs, work, [] { Application->ProcessMessages(); });
}


LRESULT CALLBACK ListParentProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 22;
        return TRUE;
    }
    if (msg == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        wchar_t text[64] = {};
        SendMessageW(item->hwndItem, LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(text));
        FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT r = item->rcItem;
        r.left += 26;
        DrawTextW(item->hDC, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        return TRUE;
    }
    return DefWindowProcW(h, msg, wParam, lParam);
}

void ListBoxFirstPaint(HWND parent, HFONT font)
{
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL,
                                0, 0, 300, 760, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < Rows; ++i) {
        std::wstring text = L"Message number " + std::to_wstring(i);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ShowWindow(list, SW_SHOWNOACTIVATE);
    UpdateWindow(list);
    DestroyWindow(list);
}

} // namespace

int main()
{
    // The figures are of a first start, whatever an earlier run stored in this prefix.
    CleanUserState();
    TMainBlock block(GetModuleHandleW(nullptr));
    TTreeNodes& items = SnippetTree();
    TTreeNode* root = items.AddChild(nullptr, u"Bench");
    TTreeNode* menu = items.AddChild(root, u"Menu");
    TTreeNode* folder = items.AddChild(menu, u"Folder");
    folder->ImageIndex = nkFolder;
    for (int i = 0; i < Rows; ++i) {
        std::u16string name = u"Message number ";
        for (char c : std::to_string(i))
            name += static_cast<char16_t>(c);
        TTreeNode* node = items.AddChild(folder, name);
        node->ImageIndex = nkMessage;
        node->Data = u"text";
    }
    FmMenu->Node = folder;
    FmMenu->LoadData(100, 26);
    FmMenu->Show();
    const double menuMs = Timed([] {
        FmMenu->LoadData(100, 26);
        UpdateWindow(FmMenu->Handle());
        UpdateWindow(FmMenu->PanelData->Handle());
    });
    FmMenu->Hide();

    WNDCLASSW wc{};
    wc.lpfnWndProc = ListParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BenchListParent";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"BenchListParent", L"",
                                  WS_POPUP, 100, 26, 300, 760, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    const double listMs = Timed([&] { ListBoxFirstPaint(parent, MenuFont->Get()); });
    DestroyWindow(parent);

    std::printf("Folder of %d messages, median of %d runs under Wine:\n", Rows, Runs);
    std::printf("  TFmMenu LoadData + first paint:               %8.2f ms\n", menuMs);
    std::printf("  owner-drawn list box fill + first paint:      %8.2f ms\n", listMs);
    std::printf("  ratio: %.2f\n", menuMs / listMs);
    return 0;
}
