// ApplyLanguage: the built-in table's texts put where they belong, in every window and global
// that exists now; in template mode the English template is written too (settings/Language.h).
#pragma once

#include "settings/Language.h"

class TFmMessage;
class TFmOptions;
class TFmViewMessage;
class TFmAbout;

// Throws EAppError when the template cannot be written; every text applied before stays.
void ApplyLanguage();
// //OptionsWindow.
void ApplyOptionsWindowTexts(TLanguageRun& run, TFmOptions& options);
// //MessageWindow.
void ApplyMessageWindowTexts(TLanguageRun& run, TFmMessage& editor);
// //ViewMessageWindow.
void ApplyViewMessageWindowTexts(TLanguageRun& run, TFmViewMessage& viewer);
// //AboutWindow.
void ApplyAboutWindowTexts(TLanguageRun& run, TFmAbout& about);
// The lines of the built-in table, from the program's resources.
TStringList LoadBuiltInLanguageTable();
// Frees the dialogs that template mode created hidden; the main block calls it at the end.
void FreeTemplateDialogs();
