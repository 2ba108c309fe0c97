#include "dialogs/import_styles.h"

#include <QSettings>

#include "import/style_text.h"
#include "output/result_kinds.h"

namespace linvara::gui {
namespace {

const char* const kStyles = "ImportStyles";
const char* const kText = "style";
const char* const kLastStyle = "ImportLastStyle";
const char* const kLastEntry = "ImportLastStyleEntry";

bool FromText(const QString& text, import::ImportStyle& style) {
    std::string error;
    return import::StyleFromText(text.toStdString(), style, error);
}

}  // namespace

std::vector<import::ImportStyle> UserImportStyles() {
    QSettings settings;
    std::vector<import::ImportStyle> styles;
    const int count = settings.beginReadArray(QString::fromLatin1(kStyles));
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        import::ImportStyle style;
        if (FromText(settings.value(QString::fromLatin1(kText)).toString(), style) && !style.name.empty())
            styles.push_back(std::move(style));
    }
    settings.endArray();
    return styles;
}

void SaveUserImportStyles(const std::vector<import::ImportStyle>& styles) {
    QSettings settings;
    settings.remove(QString::fromLatin1(kStyles));
    settings.beginWriteArray(QString::fromLatin1(kStyles), static_cast<int>(styles.size()));
    for (std::size_t i = 0; i < styles.size(); ++i) {
        settings.setArrayIndex(static_cast<int>(i));
        settings.setValue(QString::fromLatin1(kText), QString::fromStdString(import::StyleToText(styles[i])));
    }
    settings.endArray();
}

bool LastImportStyle(import::ImportStyle& style, QString& entry) {
    QSettings settings;
    entry = settings.value(QString::fromLatin1(kLastEntry)).toString();
    return settings.contains(QString::fromLatin1(kLastStyle)) &&
           FromText(settings.value(QString::fromLatin1(kLastStyle)).toString(), style);
}

void SaveLastImportStyle(const import::ImportStyle& style, const QString& entry) {
    QSettings settings;
    settings.setValue(QString::fromLatin1(kLastStyle), QString::fromStdString(import::StyleToText(style)));
    settings.setValue(QString::fromLatin1(kLastEntry), entry);
}

QString BuiltInStyleLabel(const import::ImportStyle& style) {
    if (style.name == "cass") return QStringLiteral("CASS坐标（点号,编码,东,北,高）");
    if (style.name == "header") return QStringLiteral("表头行（按列名识别各列）");
    for (const ResultKindInfo& info : ResultKinds())
        if (style.name == info.shortName)
            return QStringLiteral("成果文件%1（%2）").arg(info.kind).arg(QString::fromUtf8(info.text));
    return QString::fromStdString(style.name);
}

}  // namespace linvara::gui
