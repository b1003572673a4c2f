#include "core/ClipboardCapture.h"

#include <algorithm>
#include <optional>

#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/OsServices.h"

namespace {
constexpr std::size_t NameLength = 60;

// The node's content as the data file keeps it (up to its first NUL) when that is exactly length
// units long, else nothing. Decided from the size and one unit for most nodes, without reading
// their whole text.
std::optional<StringView> ContentOfLength(const TTreeNode* node, std::size_t length)
{
    const StringView content = node->Content();
    if (content.size() < length || (content.size() > length && content[length] != u'\0'))
        return std::nullopt;
    const StringView head = content.substr(0, length);
    if (head.find(u'\0') != StringView::npos)
        return std::nullopt;
    return head;
}

TTreeNode* FindEqualEntry(const TTreeNode* folder, int start, StringView text)
{
    for (int i = start; i < folder->Count(); ++i) {
        TTreeNode* child = folder->Item(i);
        const std::optional<StringView> content = ContentOfLength(child, text.size());
        if (content && Os().CompareText(*content, text) == 0)
            return child;
    }
    return nullptr;
}

void InsertEntry(TTreeNodes& items, TTreeNode* folder, int start, const String& text)
{
    TTreeNode* entry = items.AddChild(folder, String(CutKeepingPairs(text, NameLength)));
    entry->Data = text;
    entry->ImageIndex = nkMessage;
    if (start < folder->Count() - 1)
        items.MoveBefore(entry, folder->Item(start));
}
} // namespace

int ClipboardHistoryLimit() { return std::clamp(ClipboardMaxCount, MinClipboardMaxCount, MaxClipboardMaxCount); }

void TrimClipboardHistory(TTreeNodes& items)
{
    // Folders the user put into Clipboards are theirs: they neither count nor go.
    int messages = 0;
    const int limit = ClipboardHistoryLimit();
    items.DeleteChildrenIf(ClipboardsNode, FixedMenuCount, [&](const TTreeNode& entry) {
        return entry.ImageIndex == nkMessage && ++messages > limit;
    });
}

void AddClipboardText(TTreeNodes& items, TTreeNode* folder)
{
    const std::optional<String> read = Os().ReadClipboardText();
    if (!read)
        return;
    const String& text = *read;
    const int start = folder->Level() == 1 ? FixedMenuCount : 0;
    if (TTreeNode* equal = FindEqualEntry(folder, start, text)) {
        items.MoveBefore(equal, folder->Item(start));
    } else {
        InsertEntry(items, folder, start, text);
        if (folder == ClipboardsNode && AutoDelete)
            TrimClipboardHistory(items);
    }
    SaveDataFile(items, RootNode);
}

void HandleDrawClipboard(TTreeNodes& items, bool& firstClipboardMsg, std::uintptr_t nextViewer,
                         std::uintptr_t wParam, std::intptr_t lParam)
{
    try {
        if (!firstClipboardMsg && CaptureNextClipboardChange) {
            // A password manager's copy is neither captured nor kept as a target's text.
            const bool hasText = Os().ClipboardHasText() && !Os().ClipboardExcludedFromHistory();
            if (!CaptureTargetNode) {
                if (hasText && AutoCapture)
                    AddClipboardText(items, ClipboardsNode);
            } else if (hasText && CaptureTargetNode == ClipboardsNode) {
                // Cut or Copy on Clipboards captures whatever AutoCapture says. Another target
                // folder gets its text through the message editor, which asks the user first.
                AddClipboardText(items, ClipboardsNode);
            }
            CaptureTargetNode = nullptr;
        }
    } catch (...) {
        // A failed capture (the data file cannot be written) must not break the chain; the target
        // stays armed for the next change.
    }
    CaptureNextClipboardChange = true;
    firstClipboardMsg = false;
    if (nextViewer)
        Os().SendChainMessage(nextViewer, ClipboardMsgDrawClipboard, wParam, lParam);
}

std::uintptr_t HandleChangeCBChain(std::uintptr_t nextViewer, std::uintptr_t removed, std::intptr_t following)
{
    if (removed == nextViewer)
        return static_cast<std::uintptr_t>(following);
    if (nextViewer)
        Os().SendChainMessage(nextViewer, ClipboardMsgChangeCBChain, removed, following);
    return nextViewer;
}
