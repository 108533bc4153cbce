#include "editors/field_text.h"

#include <QLineEdit>
#include <QPlainTextEdit>
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

std::string multiLineText(const QPlainTextEdit* field) {
    QString text = field->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return toStdString(text);
}

void setMultiLineText(QPlainTextEdit* field, const std::string& text) {
    QString shown = toQString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    field->setPlainText(shown);
}

} // namespace zelt
