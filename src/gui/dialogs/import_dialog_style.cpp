// The style half of the import dialog: its fields, the built-in and saved
// styles, and the style the fields describe.
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "common/dialog_widgets.h"
#include "common/ui_services.h"
#include "dialogs/import_dialog.h"
#include "dialogs/import_styles.h"
#include "import/style_text.h"

namespace linvara::gui {
namespace {

using import::ImportStyle;

QString Q(const std::string& s) { return QString::fromStdString(s); }

const char* const kBuiltIn = "builtin:";
const char* const kUser = "user:";

// A style combo entry's style name: what follows its kind.
QString EntryName(const QString& entry) { return entry.mid(entry.indexOf(QLatin1Char(':')) + 1); }

const std::pair<import::Delimiter, const char*> kDelimiterTexts[] = {
    {import::Delimiter::Auto, "自动（按首行判断）"}, {import::Delimiter::Comma, "逗号 ,"},
    {import::Delimiter::Semicolon, "分号 ;"},       {import::Delimiter::Tab, "制表符"},
    {import::Delimiter::Spaces, "空格（连续空格算一个）"},
    {import::Delimiter::SingleSpace, "单个空格（保留空字段）"},
};

const std::pair<import::Encoding, const char*> kEncodingTexts[] = {
    {import::Encoding::Auto, "自动（UTF-8 或 GB18030）"},
    {import::Encoding::Utf8, "UTF-8"},
    {import::Encoding::Gb18030, "GB18030（GBK）"},
};

template <typename T, std::size_t N>
QComboBox* EnumCombo(const char* name, const std::pair<T, const char*> (&items)[N]) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    for (const auto& [value, text] : items) combo->addItem(QString::fromUtf8(text), static_cast<int>(value));
    return combo;
}

void SelectData(QComboBox& combo, const QVariant& data) {
    const int at = combo.findData(data);
    if (at >= 0) combo.setCurrentIndex(at);
}

QString CodeLines(const std::vector<import::CodeKind>& codes) {
    QString out;
    for (const import::CodeKind& c : codes) out += Q(import::CodeKindText(c)) + QLatin1Char('\n');
    return out;
}

// "点类型,地物编码,编码" per line, as a saved style writes its code lines.
bool ParseCodeLines(const QString& text, std::vector<import::CodeKind>& codes, QString& error) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty()) continue;
        import::CodeKind c;
        if (!import::ParseCodeKind(line.toStdString(), c)) {
            error = QStringLiteral("编码对应第%1行应为“点类型,地物编码,编码”，地物编码须在该点类型的代码表中：%2")
                        .arg(i + 1)
                        .arg(line);
            return false;
        }
        codes.push_back(std::move(c));
    }
    return true;
}

}  // namespace

QGroupBox* ImportDialog::BuildStyleBox() {
    styleCombo_ = new QComboBox;
    columnsEdit_ = NamedEdit("columnsEdit");
    columnsLabel_ = new QLabel;
    delimiterCombo_ = EnumCombo("delimiterCombo", kDelimiterTexts);
    skipSpin_ = new QSpinBox;
    encodingCombo_ = EnumCombo("encodingCombo", kEncodingTexts);
    kindRuleCombo_ = new QComboBox;
    jPrefixEdit_ = NamedEdit("jPrefixEdit");
    zPrefixEdit_ = NamedEdit("zPrefixEdit");
    codeMapEdit_ = new QPlainTextEdit;
    styleNameEdit_ = NamedEdit("styleNameEdit");
    deleteStyleButton_ = Button("删除样式", "deleteStyleButton");
    styleCombo_->setObjectName("styleCombo");
    columnsLabel_->setObjectName("columnsLabel");
    columnsLabel_->setWordWrap(true);
    columnsEdit_->setToolTip(QStringLiteral("各列依次用逗号分开：name 点名，code 编码，x 北坐标，y 东坐标，h 高程，"
                                            "lat 纬度，lon 经度，skip 不读的列；header 表示由表头行识别"));
    skipSpin_->setObjectName("skipLinesSpin");
    skipSpin_->setRange(0, 100000);
    kindRuleCombo_->setObjectName("kindRuleCombo");
    kindRuleCombo_->addItem(QStringLiteral("按点名前缀（其余为辅助点）"), static_cast<int>(import::KindRule::NamePrefixes));
    kindRuleCombo_->addItem(QStringLiteral("按编码列对应"), static_cast<int>(import::KindRule::CodeMap));
    jPrefixEdit_->setMaximumWidth(60);
    zPrefixEdit_->setMaximumWidth(60);
    codeMapEdit_->setObjectName("codeMapEdit");
    codeMapEdit_->setPlaceholderText(QStringLiteral("每行：点类型,地物编码,编码\n如 0,0,JD 与 3,10kV,DL"));
    codeMapEdit_->setMaximumHeight(64);
    styleNameEdit_->setPlaceholderText(QStringLiteral("保存为新样式时的名称"));
    QPushButton* save = Button("保存样式", "saveStyleButton");
    connect(save, &QPushButton::clicked, this, &ImportDialog::OnSaveStyle);
    connect(deleteStyleButton_, &QPushButton::clicked, this, &ImportDialog::OnDeleteStyle);

    auto* prefixes = new QHBoxLayout;
    prefixes->addWidget(new QLabel(QStringLiteral("J桩前缀")));
    prefixes->addWidget(jPrefixEdit_);
    prefixes->addWidget(new QLabel(QStringLiteral("Z桩前缀")));
    prefixes->addWidget(zPrefixEdit_);
    prefixes->addStretch(1);
    auto* saving = new QHBoxLayout;
    saving->addWidget(styleNameEdit_, 1);
    saving->addWidget(save);
    saving->addWidget(deleteStyleButton_);

    auto* box = new QGroupBox(QStringLiteral("样式"));
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("样式"), styleCombo_);
    form->addRow(QStringLiteral("列顺序"), columnsEdit_);
    form->addRow(QString(), columnsLabel_);
    form->addRow(QStringLiteral("分隔符"), delimiterCombo_);
    form->addRow(QStringLiteral("跳过开头行数"), skipSpin_);
    form->addRow(QStringLiteral("文字编码"), encodingCombo_);
    form->addRow(QStringLiteral("点类型"), kindRuleCombo_);
    form->addRow(QString(), prefixes);
    form->addRow(QStringLiteral("编码对应"), codeMapEdit_);
    form->addRow(QStringLiteral("样式名称"), saving);

    connect(styleCombo_, &QComboBox::currentIndexChanged, this, &ImportDialog::OnStyleChosen);
    for (QLineEdit* edit : {columnsEdit_, jPrefixEdit_, zPrefixEdit_})
        connect(edit, &QLineEdit::textChanged, this, &ImportDialog::RequestPreview);
    for (QComboBox* combo : {delimiterCombo_, encodingCombo_, kindRuleCombo_})
        connect(combo, &QComboBox::currentIndexChanged, this, &ImportDialog::RequestPreview);
    connect(skipSpin_, &QSpinBox::valueChanged, this, &ImportDialog::RequestPreview);
    connect(codeMapEdit_, &QPlainTextEdit::textChanged, this, &ImportDialog::RequestPreview);
    return box;
}

// --- styles ---------------------------------------------------------------

void ImportDialog::FillStyleCombo(const QString& entry) {
    {
        const QSignalBlocker quiet(styleCombo_);
        styleCombo_->clear();
        for (const ImportStyle& s : import::BuiltInStyles())
            styleCombo_->addItem(BuiltInStyleLabel(s), QString::fromLatin1(kBuiltIn) + Q(s.name));
        for (const ImportStyle& s : UserImportStyles())
            styleCombo_->addItem(QStringLiteral("我的样式：") + Q(s.name), QString::fromLatin1(kUser) + Q(s.name));
        const int at = styleCombo_->findData(entry);
        styleCombo_->setCurrentIndex(at >= 0 ? at : 0);
    }
    OnStyleChosen();
}

void ImportDialog::OnStyleChosen() {
    const QString entry = styleCombo_->currentData().toString();
    const bool user = entry.startsWith(QString::fromLatin1(kUser));
    const std::string name = EntryName(entry).toStdString();
    if (!user) {
        if (const ImportStyle* style = import::FindBuiltInStyle(name)) LoadStyle(*style);
        styleNameEdit_->clear();
    } else {
        for (const ImportStyle& s : UserImportStyles())
            if (s.name == name) LoadStyle(s);
        styleNameEdit_->setText(Q(name));
    }
    UpdateStyleButtons();
}

void ImportDialog::UpdateStyleButtons() {
    deleteStyleButton_->setEnabled(styleCombo_->currentData().toString().startsWith(QString::fromLatin1(kUser)));
}

void ImportDialog::LoadStyle(const ImportStyle& style) {
    loading_ = true;
    columnsEdit_->setText(style.FromHeader() ? QStringLiteral("header") : Q(import::ColumnListText(style.columns)));
    SelectData(*delimiterCombo_, static_cast<int>(style.delimiter));
    skipSpin_->setValue(style.skipLines);
    SelectData(*encodingCombo_, static_cast<int>(style.encoding));
    SelectData(*kindRuleCombo_, static_cast<int>(style.kindRule));
    jPrefixEdit_->setText(Q(style.jPrefix));
    zPrefixEdit_->setText(Q(style.zPrefix));
    codeMapEdit_->setPlainText(CodeLines(style.codeKinds));
    loading_ = false;
    UpdatePreview();
}

bool ImportDialog::CurrentStyle(ImportStyle& style, QString& error) const {
    style = ImportStyle{};
    const QString entry = styleCombo_->currentData().toString();
    style.name = EntryName(entry).toStdString();
    const QString columns = columnsEdit_->text().trimmed();
    std::string why;
    if (columns.isEmpty()) {
        error = QStringLiteral("请填写列顺序（或 header）");
        return false;
    }
    if (columns != QStringLiteral("header") && !import::ParseColumnList(columns.toStdString(), style.columns, why)) {
        error = QStringLiteral("列顺序：") + Q(why);
        return false;
    }
    style.delimiter = static_cast<import::Delimiter>(delimiterCombo_->currentData().toInt());
    style.skipLines = skipSpin_->value();
    style.encoding = static_cast<import::Encoding>(encodingCombo_->currentData().toInt());
    style.kindRule = static_cast<import::KindRule>(kindRuleCombo_->currentData().toInt());
    style.jPrefix = jPrefixEdit_->text().trimmed().toStdString();
    style.zPrefix = zPrefixEdit_->text().trimmed().toStdString();
    if (!ParseCodeLines(codeMapEdit_->toPlainText(), style.codeKinds, error)) return false;
    why = import::CheckStyle(style);
    error = Q(why);
    return why.empty();
}

void ImportDialog::OnSaveStyle() {
    const QString name = styleNameEdit_->text().trimmed();
    if (name.isEmpty()) {
        ui_.Warning(QStringLiteral("请输入样式名称"));
        styleNameEdit_->setFocus();
        return;
    }
    if (import::FindBuiltInStyle(name.toStdString())) {
        ui_.Warning(QStringLiteral("“%1”是内置样式的名称，请换一个名称").arg(name));
        return;
    }
    ImportStyle style;
    QString why;
    if (!CurrentStyle(style, why)) {
        ui_.Warning(QStringLiteral("样式不可用，未保存：") + why);
        return;
    }
    style.name = name.toStdString();
    std::vector<ImportStyle> styles = UserImportStyles();
    const auto same = std::ranges::find_if(styles, [&](const ImportStyle& s) { return s.name == style.name; });
    if (same != styles.end()) {
        if (!ui_.AskYesNo(QStringLiteral("样式“%1”已存在，要替换它吗？").arg(name))) return;
        *same = style;
    } else {
        styles.push_back(style);
    }
    SaveUserImportStyles(styles);
    FillStyleCombo(QString::fromLatin1(kUser) + name);
}

void ImportDialog::OnDeleteStyle() {
    const QString entry = styleCombo_->currentData().toString();
    if (!entry.startsWith(QString::fromLatin1(kUser))) return;
    const QString name = EntryName(entry);
    if (!ui_.AskYesNoDefaultNo(QStringLiteral("删除样式“%1”吗？").arg(name))) return;
    std::vector<ImportStyle> styles = UserImportStyles();
    std::erase_if(styles, [&](const ImportStyle& s) { return Q(s.name) == name; });
    SaveUserImportStyles(styles);
    FillStyleCombo(QString::fromLatin1(kBuiltIn) + QStringLiteral("header"));
}

void ImportDialog::RestoreLastStyle() {
    ImportStyle last;
    QString entry;
    const bool haveLast = LastImportStyle(last, entry);
    FillStyleCombo(haveLast ? entry : QString::fromLatin1(kBuiltIn) + QStringLiteral("header"));
    if (haveLast) LoadStyle(last);
}

}  // namespace linvara::gui
