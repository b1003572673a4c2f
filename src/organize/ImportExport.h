// Import and export of the Organize window: text files (".txt", the text of one message each) and
// snippet files (".qvn": the data file's header, then node records up to the end of the file).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/SnippetTree.h"
#include "core/Text.h"

class IFileDialogs;

constexpr char16_t ImportFilter[] =
    u"All file(*.txt;*.qvn)|*.txt;*.qvn|Text fFile(*.txt)|*.txt|Quorvane data files (*.qvn)|*.qvn";
constexpr char16_t TextFileFilter[] = u"Text file(*.txt)|*.txt";
constexpr char16_t SnippetFileFilter[] = u"Quorvane data files (*.qvn)|*.qvn";

// The text of a text file as a message holds it: decoded by its byte-order mark (UTF-8, UTF-16
// little-endian, UTF-16 big-endian; without one the ANSI code page), up to the first zero
// character, every line break CR LF.
String TextFileContent(const std::vector<std::uint8_t>& bytes);
// CR LF stays one break; every other CR and every other LF becomes CR LF.
String NormaliseLineBreaks(StringView text);

// The file-name part of a path and its extension (from its last ".", the dot included; empty
// without one).
StringView FileNamePart(StringView path);
StringView FileExtension(StringView path);

// Adds a message made from the text file as the last child of parent: named after the file
// without its folder and extension, holding the file's text. Throws EAppError when the file
// cannot be read; nothing is added then.
void ImportTextFile(TTreeNode* parent, StringView file);
// Adds the records of a snippet file below parent, after its children, when the whole file reads:
// a damaged or truncated file adds nothing and throws EAppError
// "Cannot import "<file>": the file is damaged.". A file without the data file's magic is skipped
// silently (false).
bool ImportSnippetFile(TTreeNode* parent, StringView file);
// The same for bytes already read; file names them in the error.
bool AddSnippetBytes(TTreeNode* parent, const std::vector<std::uint8_t>& bytes, StringView file);

// A snippet file of what lies inside node (not the node itself; a menu's fixed rows left out).
std::vector<std::uint8_t> NodeSnippetFile(const TTreeNode* node);
// A snippet file of the given nodes, in order, each with its own record and its descendants.
std::vector<std::uint8_t> ItemsSnippetFile(const std::vector<const TTreeNode*>& nodes);

// The Organize window's Import: shows the open dialog and adds each chosen ".txt" and ".qvn" file
// (letter case ignored) below target, in the dialog's order; other files are skipped. imported
// runs once the files are in, so the views show them, also when a file stops the import: its
// error is thrown after that, and the files before it stay imported. Nothing happens after a
// cancel, or when target left the tree while the dialog was open.
void ImportFiles(IFileDialogs& dialogs, TTreeNode* target, const std::function<void()>& imported);

enum class TOrgPane { Tree, List };

// What the Organize window's Export acts on: the pane with the keyboard focus and its selection.
struct TExportSource {
    TOrgPane Focus = TOrgPane::Tree;
    const TTreeNode* TreeNode = nullptr;          // the node shown by the tree's selected row
    std::vector<const TTreeNode*> ListNodes;      // the list's selected items, in list order
};

// A file that Export offers to write.
struct TExportFile {
    String FileName; // proposed in the save dialog
    String DefaultExtension;
    String Filter;
    std::optional<String> Message;  // a text file of this message's text, or
    std::vector<std::uint8_t> Bytes; // a snippet file of these bytes
};

// The file for the focused pane and its selection: one message from the list as a text file; one
// folder or several items from the list, or the tree's node, as a snippet file; nothing without a
// selection.
std::optional<TExportFile> ExportFileOf(const TExportSource& source);
// The Organize window's Export: shows the save dialog for ExportFileOf(source) and on OK writes the
// file crash-safe (temporary file, flush, replace), a text file with SaveMessageToFile; a write
// error is thrown. What is written is taken when Export is chosen, so nodes deleted while the
// dialog is open do not matter.
void ExportFiles(IFileDialogs& dialogs, const TExportSource& source);
