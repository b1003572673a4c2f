// The message editor: name, text and hotkey of a message, with macro insertion. Every opener
// unregisters the program's hotkeys while the editor is open and registers them again after it,
// and writes the data file after OK.
#pragma once

#include "core/Text.h"
#include "core/SnippetTree.h"

// A new message as the last child of folder; nullptr when the user cancelled.
TTreeNode* NewMessage(TTreeNode* folder);
// A new message in folder from a text captured from the clipboard (name: its first 60 code
// units); nullptr when the user cancelled.
TTreeNode* NewMessageFromClipboard(TTreeNode* folder, const String& text);
// Edits a message in place.
void EditMessage(TTreeNode* node);
