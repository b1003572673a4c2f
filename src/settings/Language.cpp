#include "settings/Language.h"

#include "core/Globals.h"
#include "core/OsServices.h"
#include "core/SnippetTree.h"

namespace {
char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }

void SetText(TTreeNode* node, String text)
{
    if (node)
        node->Text = std::move(text);
}
} // namespace

bool SameAsciiText(StringView a, StringView b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

bool IsTemplateMode() { return SameAsciiText(CurrentLanguage, TemplateModeLanguage); }

String GetLanguageText(const TStringList& lines, StringView key, StringView def)
{
    if (IsTemplateMode())
        AddDefaultEnglishLine(key, def);
    for (const String& line : lines) {
        const size_t equals = line.find(u'=');
        if (equals == String::npos || !SameAsciiText(StringView(line).substr(0, equals), key))
            continue;
        const StringView text = StringView(line).substr(equals + 1);
        return String(text.substr(0, text.find(u'\0')));
    }
    return String(def);
}

void AddDefaultEnglishLine(StringView key, StringView def)
{
    if (key.empty())
        DefaultEnglishLines.emplace_back(def);
    else
        DefaultEnglishLines.push_back(String(key) + u"=" + String(def));
}

TStringList SplitLines(StringView text)
{
    TStringList lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(u"\r\n", start);
        if (end == StringView::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }
    return lines;
}

TStringList LanguageTableLines(const std::vector<std::uint8_t>& bytes) { return SplitLines(DecodeTextFile(bytes)); }

std::vector<std::uint8_t> TemplateFileBytes(const TStringList& lines)
{
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    auto put = [&bytes](char16_t c) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    };
    for (const String& line : lines) {
        for (char16_t c : line)
            put(c);
        put(u'\r');
        put(u'\n');
    }
    return bytes;
}

TLanguageRun::TLanguageRun(const TStringList& items)
{
    String text;
    for (const String& item : items)
        text += item + u"\r\n";
    lines_ = SplitLines(text);
}

void TLanguageRun::Section(StringView name)
{
    // Recorded through the lookup with an empty key; what the lookup finds is of no use.
    if (IsTemplateMode()) {
        if (!first_)
            GetLanguageText(lines_, u"", u"");
        GetLanguageText(lines_, u"", u"//" + String(name));
    }
    first_ = false;
}

void ApplyProgramTexts(TLanguageRun& run)
{
    run.Section(u"Program");
    ProgramName = run.Text(u"Program/Name", u"Quorvane");
    UpdateMessage =
        run.Text(u"Program/UpdateMessage", u"Quorvane has updated to a new version. Do you want to download now?");
}

void ApplyMainMenuTexts(TLanguageRun& run)
{
    run.Section(u"MainMenu");
    SetText(ProgramMenuNode, run.Text(u"MainMenu/Manage", u"Manage"));
    SetText(OptionsNode, run.Text(u"MainMenu/Manage/Options", u"Options..."));
    SetText(OrganizeNode, run.Text(u"MainMenu/Manage/Organize", u"Organize..."));
    SetText(HelpNode, run.Text(u"MainMenu/Manage/Help", u"Help"));
    SetText(AboutNode, run.Text(u"MainMenu/Manage/About", u"About..."));
    SetText(MinimizeToTrayNode, run.Text(u"MainMenu/Manage/MinimizeToTray", u"Minimize to Tray"));
    SetText(ExitNode, run.Text(u"MainMenu/Manage/Exit", u"Exit"));
    SetText(ClipboardsNode, run.Text(u"MainMenu/Clipboards", u"Clipboards"));
    CutCaption = run.Text(u"MainMenu/Clipboards/Cut", u"Cut");
    CopyCaption = run.Text(u"MainMenu/Clipboards/Copy", u"Copy");
    SetText(MessagesNode, run.Text(u"MainMenu/Messages", u"Messages"));
    NewCaption = run.Text(u"MainMenu/Messages/New", u"New...");
    OrganizeCaption = run.Text(u"MainMenu/Messages/Organize", u"Organize...");
    EmptyCaption = run.Text(u"MainMenu/Messages/Empty", u"(Empty)");
    RecaptionFixedRows();
}

void RecaptionFixedRows()
{
    if (!RootNode)
        return;
    for (int i = 1; i < RootNode->Count(); ++i) {
        TTreeNode* menu = RootNode->Item(i);
        if (menu->Count() <= 2)
            continue;
        menu->Item(0)->Text = i == 1 ? CutCaption : NewCaption;
        menu->Item(1)->Text = i == 1 ? CopyCaption : OrganizeCaption;
    }
}

void ApplyPopupMenuTexts(TLanguageRun& run)
{
    run.Section(u"PopupMenu");
    PopupCutToCaption = run.Text(u"PopupMenu/CutTo", u"Cut to");
    PopupCopyToCaption = run.Text(u"PopupMenu/CopyTo", u"Copy to");
    PopupNewMenuCaption = run.Text(u"PopupMenu/NewMenu", u"New Menu...");
    PopupNewFolderCaption = run.Text(u"PopupMenu/NewFolder", u"New Folder...");
    PopupNewMessageCaption = run.Text(u"PopupMenu/NewMessage", u"New Message...");
    PopupRenameCaption = run.Text(u"PopupMenu/Rename", u"Rename...");
    PopupEditCaption = run.Text(u"PopupMenu/Edit", u"Edit...");
    PopupDeleteCaption = run.Text(u"PopupMenu/Delete", u"Delete...");
    PopupDeleteMessageMsg =
        run.Text(u"PopupMenu/Delete/DeleteMessage", u"Are you sure you want to delete this message?");
    PopupDeleteFolderMsg = run.Text(u"PopupMenu/Delete/DeleteFolder", u"Are you sure you want to delete this folder?");
    PopupSortCaption = run.Text(u"PopupMenu/Sort", u"Sort");
    PopupViewCaption = run.Text(u"PopupMenu/View", u"View...");
    PopupSaveAsCaption = run.Text(u"PopupMenu/SaveAs", u"Save As...");
}

void SaveTemplateFile()
{
    OsFiles().WriteWholeFile(LanguagesFolder + u"\\" + TemplateFileName, TemplateFileBytes(DefaultEnglishLines));
}
