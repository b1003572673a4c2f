#include "core/ClipboardCapture.h"

#include <algorithm>
#include <optional>

#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/OsServices.h"
#include "core/ScopeExit.h"
#include "core/TreeRoutines.h"

namespace {

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
        if (content && OsText().CompareText(*content, text) == 0)
            return child;
    }
    return nullptr;
}

int EntriesStart(const TTreeNode* folder) { return folder->Level() == 1 ? FixedMenuCount : 0; }
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

TTreeNode* InsertNewestEntry(TTreeNodes& items, TTreeNode* folder, const String& text)
{
    const int start = EntriesStart(folder);
    TTreeNode* entry = items.AddChild(folder, LeadingText(text, MaxNameLength));
    entry->Data = text;
    entry->ImageIndex = nkMessage;
    if (start < folder->Count() - 1)
        items.MoveBefore(entry, folder->Item(start));
    if (folder == ClipboardsNode && AutoDelete)
        TrimClipboardHistory(items);
    return entry;
}

bool AddClipboardText(TTreeNodes& items, TTreeNode* folder)
{
    const std::optional<String> read = OsClipboard().ReadClipboardText();
    if (!read)
        return false;
    const String& text = *read;
    const int start = EntriesStart(folder);
    if (TTreeNode* equal = FindEqualEntry(folder, start, text))
        items.MoveBefore(equal, folder->Item(start));
    else
        InsertNewestEntry(items, folder, text);
    SaveDataFile(items, RootNode);
    return true;
}

void TCaptureSaveErrors::Failed(String text)
{
    if (failing_)
        return;
    failing_ = true;
    waiting_ = std::move(text);
    if (OnPending)
        OnPending();
}

void TCaptureSaveErrors::Saved() { failing_ = false; }

void TCaptureSaveErrors::Report(const std::function<void(const String& text)>& show)
{
    if (!waiting_)
        return;
    const String text = std::move(*waiting_);
    waiting_.reset();
    show(text);
}

void TFolderCaptures::Add(TTreeNode* folder, String text)
{
    pending_.emplace_back(folder, std::move(text));
    if (OnPending)
        OnPending();
}

void TFolderCaptures::Resume()
{
    if (!pending_.empty() && OnPending)
        OnPending();
}

void TFolderCaptures::Deliver(const std::function<void(TTreeNode* folder, const String& text)>& open)
{
    if (delivering_)
        return;
    delivering_ = true;
    const ScopeExit done([this] { delivering_ = false; });
    while (!pending_.empty()) {
        TTreeNode* folder = FolderOrMessages(pending_.front().Folder.Get());
        const String text = std::move(pending_.front().Text);
        pending_.pop_front();
        open(folder, text);
    }
}

void HandleDrawClipboard(TTreeNodes& items, TFolderCaptures& folderCaptures, TCaptureSaveErrors& saveErrors,
                         bool& firstClipboardMsg, std::uintptr_t nextViewer, std::uintptr_t wParam,
                         std::intptr_t lParam)
{
    // Only the store into Clipboards saves; its error is the user's to know.
    auto addToClipboards = [&] {
        try {
            if (AddClipboardText(items, ClipboardsNode))
                saveErrors.Saved();
        } catch (const EAppError& e) {
            saveErrors.Failed(e.Message());
            throw;
        }
    };
    try {
        if (!firstClipboardMsg && CaptureNextClipboardChange) {
            // A password manager's copy is neither captured nor kept as a target's text.
            const bool hasText = OsClipboard().ClipboardHasText() && !OsClipboard().ClipboardExcludedFromHistory();
            if (!CaptureTargetNode) {
                if (hasText && AutoCapture)
                    addToClipboards();
            } else if (hasText && CaptureTargetNode == ClipboardsNode) {
                // Cut or Copy on Clipboards captures whatever AutoCapture says.
                addToClipboards();
            } else if (hasText) {
                // Another target folder gets its text through the message editor, which asks the
                // user first, once this message has gone down the chain.
                if (std::optional<String> text = OsClipboard().ReadClipboardText())
                    folderCaptures.Add(CaptureTargetNode, std::move(*text));
            }
            CaptureTargetNode = nullptr;
        }
    } catch (...) {
        // A failed capture (the data file cannot be written) must not break the chain; the target
        // stays armed for the next change, and a failed save is shown once the message went on.
    }
    CaptureNextClipboardChange = true;
    firstClipboardMsg = false;
    if (nextViewer)
        OsClipboard().SendChainMessage(nextViewer, ClipboardMsgDrawClipboard, wParam, lParam);
}

std::uintptr_t HandleChangeCBChain(std::uintptr_t nextViewer, std::uintptr_t removed, std::intptr_t following)
{
    if (removed == nextViewer)
        return static_cast<std::uintptr_t>(following);
    if (nextViewer)
        OsClipboard().SendChainMessage(nextViewer, ClipboardMsgChangeCBChain, removed, following);
    return nextViewer;
}
