#include "editors/field_text.h"

#include <QComboBox>
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

} // namespace zelt
