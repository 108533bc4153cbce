#include "editors/field_text.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QValidator>

namespace zelt {

namespace {

QString withoutLineControls(QString text) {
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return text;
}

// Accepts everything, after turning TAB, CR and LF into blanks.
class SingleLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        input = withoutLineControls(input);
        return Acceptable;
    }
};

} // namespace

void makeSingleLine(QLineEdit* field) {
    field->setValidator(new SingleLineValidator(field));
}

std::string singleLineText(const QLineEdit* field) {
    return toStdString(withoutLineControls(field->text()));
}

namespace {
// The document's own text: toPlainText() would turn no-break spaces into blanks. Lines are
// parted by paragraph (or line) separators.
QString rawText(const QPlainTextEdit* field) {
    return field->document()->toRawText();
}
} // namespace

std::string multiLineText(const QPlainTextEdit* field) {
    QString text = rawText(field);
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1String("\r\n"));
    text.replace(QChar(QChar::LineSeparator), QLatin1String("\r\n"));
    return toStdString(text);
}

QString shownText(const QWidget* field) {
    if (const auto* line = qobject_cast<const QLineEdit*>(field))
        return line->text();
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(field))
        return rawText(box);
    if (const auto* list = qobject_cast<const QComboBox*>(field))
        return list->currentText();
    return {};
}

void setMultiLineText(QPlainTextEdit* field, const std::string& text) {
    QString shown = toQString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    field->setPlainText(shown);
}

QLineEdit* makeLineField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    makeSingleLine(field);
    return field;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

QPlainTextEdit* makeTextField(QWidget* parent, const char* name) {
    auto* field = new QPlainTextEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setTabChangesFocus(true);
    field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return field;
}

} // namespace zelt
