#pragma once

namespace linvara::gui {

// Installs Qt's own Chinese translations (qtbase_zh_CN from Qt's
// translations folder, package qt6-translations-l10n), so the file dialogs
// and standard buttons speak the program's language. The program's own
// texts are Chinese already. False when the translations are not installed.
bool InstallFrameworkTranslations();

}  // namespace linvara::gui
