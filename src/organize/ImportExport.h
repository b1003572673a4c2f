// Import and export of the Organize window: text files (".txt", the text of one message each) and
// snippet files (".qvn": the data file's header, then node records up to the end of the file).
#pragma once

#include <cstdint>
#include <vector>

#include "core/SnippetTree.h"
#include "core/Text.h"

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
