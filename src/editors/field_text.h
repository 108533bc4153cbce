#pragma once

#include <QString>

#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// The texts of the editors' fields as the core layer takes them (UTF-8), and back.
namespace zelt {

inline QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string toStdString(const QString& text) {
    return text.toStdString();
}

// Keeps TAB, CR and LF out of a single-line field: typed or pasted, each becomes a blank. The
// exports and the files for calculations are separated by exactly these characters.
void makeSingleLine(QLineEdit* field);

// The text of a single-line field, any TAB, CR or LF as a blank.
std::string singleLineText(const QLineEdit* field);

// A multi-line field's text with its line breaks as CR LF, as the side files keep them; every
// other character as it stands (a no-break space stays one).
std::string multiLineText(const QPlainTextEdit* field);
// Shows a side file's text (line breaks CR LF) in a multi-line field.
void setMultiLineText(QPlainTextEdit* field, const std::string& text);

// A single-line field of the given control name.
QLineEdit* makeLineField(QWidget* parent, const char* name);
// A label of the given control name and caption, naming the field its shortcut moves to.
QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, QWidget* buddy);
// A multi-line field of the given control name: Tab moves on, the vertical scroll bar stays.
QPlainTextEdit* makeTextField(QWidget* parent, const char* name);

// The text a field shows: of a single-line field, a multi-line field (every character as it
// stands) or the text of a list field.
QString shownText(const QWidget* field);

} // namespace zelt
