#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace linvara::gui {

bool InstallFrameworkTranslations() {
    // Owned by the application: it must live as long as the texts it translates.
    auto* framework = new QTranslator(QCoreApplication::instance());
    if (!framework->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete framework;
        return false;
    }
    return QCoreApplication::installTranslator(framework);
}

}  // namespace linvara::gui
