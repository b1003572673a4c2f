// The language table: lines of "key=text", section lines ("//Name") and blank lines. Every text
// the user sees is looked up here by key and falls back to its English default. In template mode
// (CurrentLanguage "GetDefaultEnglish") the lookups also collect the English defaults, which are
// then written out as a language file. The parts that touch only the core's globals live here;
// ApplyLanguage (settings/win32/UnitLanguage.h) runs them with the windows' own sections.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Text.h"

using TStringList = std::vector<String>;

constexpr char16_t TemplateModeLanguage[] = u"GetDefaultEnglish";
// The template's name in the languages folder, spelt so.
constexpr char16_t TemplateFileName[] = u"Enlish(Program).ini";

// Equal when they differ only in the case of the ASCII letters a to z.
bool SameAsciiText(StringView a, StringView b);
// CurrentLanguage equals "GetDefaultEnglish", ASCII letter case ignored.
bool IsTemplateMode();

// The text for key, or def: the first line whose part before its first "=" equals key (ASCII
// case ignored, nothing trimmed) gives the rest of the line, cut at a NUL. In template mode the
// key and its default are recorded first.
String GetLanguageText(const TStringList& lines, StringView key, StringView def);
// Appends "key=def" to DefaultEnglishLines, or def alone when key is empty.
void AddDefaultEnglishLine(StringView key, StringView def);

// Text split into lines at CR LF, CR or LF; a line break at the end opens no further line.
TStringList SplitLines(StringView text);
// The lines of the built-in table as the program carries it (UTF-8 or UTF-16 with its byte-order mark).
TStringList LanguageTableLines(const std::vector<std::uint8_t>& bytes);
// The template file: FF FE, then every line in UTF-16 LE followed by CR LF.
std::vector<std::uint8_t> TemplateFileBytes(const TStringList& lines);

// One run of ApplyLanguage: its working list, made afresh from the table's items (joined by line
// breaks and split again), and the section lines that template mode records.
class TLanguageRun {
public:
    explicit TLanguageRun(const TStringList& items);
    // Starts a section: in template mode a blank line (before every section but the first) and
    // the section line "//name" are recorded.
    void Section(StringView name);
    String Text(StringView key, StringView def) const { return GetLanguageText(lines_, key, def); }
    const TStringList& Lines() const { return lines_; }

private:
    TStringList lines_;
    bool first_ = true;
};

// //Program: ProgramName and UpdateMessage.
void ApplyProgramTexts(TLanguageRun& run);
// //MainMenu: the fixed menus' and program-menu rows' texts and the fixed-row captions, then the
// fixed-row pass over the root's menus.
void ApplyMainMenuTexts(TLanguageRun& run);
// Re-captions rows 0 and 1 of every menu after the program menu that has more than 2 children.
void RecaptionFixedRows();
// //PopupMenu: the context menu's caption and question globals.
void ApplyPopupMenuTexts(TLanguageRun& run);
// Writes DefaultEnglishLines to LanguagesFolder + "\Enlish(Program).ini"; throws EAppError when
// the file cannot be written.
void SaveTemplateFile();
