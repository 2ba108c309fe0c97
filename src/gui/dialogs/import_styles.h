#pragma once
// The styles the import dialog offers: the built-in ones, then the user's
// own, kept by name in the settings in their text form (import/style_text.h).
#include <QString>
#include <vector>

#include "import/import_style.h"

namespace linvara::gui {

// The user's saved styles in the order saved; entries that no longer read
// as a style are passed over.
std::vector<import::ImportStyle> UserImportStyles();
void SaveUserImportStyles(const std::vector<import::ImportStyle>& styles);

// The style used last (as it was, edits included) and which entry of the
// list it came from ("builtin:cass", "user:现场RTK"); false when none is kept.
bool LastImportStyle(import::ImportStyle& style, QString& entry);
void SaveLastImportStyle(const import::ImportStyle& style, const QString& entry);

// The list text of a built-in style ("CASS坐标（点号,编码,东,北,高）" ...).
QString BuiltInStyleLabel(const import::ImportStyle& style);

}  // namespace linvara::gui
