#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

// Reaching a window's controls by their names, clicking and typing, for tests that drive
// several windows.
namespace zelt::test {

template <class T = QWidget> T* controlOf(const QWidget* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    if (!found)
        qFatal("%s has no control %s", qPrintable(window->objectName()), qPrintable(name));
    return found;
}

inline void clickOn(const QWidget* window, const QString& name) {
    QTest::mouseClick(controlOf<QPushButton>(window, name), Qt::LeftButton);
}

// Replaces the text of a single-line field, a multi-line field or an editable list field by
// typing it.
inline void typeInto(const QWidget* window, const QString& name, const QString& text) {
    QWidget* control = controlOf(window, name);
    if (auto* list = qobject_cast<QComboBox*>(control)) {
        list->setCurrentIndex(-1);
        list->clearEditText();
        QTest::keyClicks(list->lineEdit(), text);
    } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
        line->clear();
        QTest::keyClicks(line, text);
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
        box->clear();
        QTest::keyClicks(box, text);
    } else {
        qFatal("%s is no text field", qPrintable(name));
    }
}

inline QString textIn(const QWidget* window, const QString& name) {
    QWidget* control = controlOf(window, name);
    if (auto* list = qobject_cast<QComboBox*>(control))
        return list->currentText();
    if (auto* box = qobject_cast<QPlainTextEdit*>(control))
        return box->toPlainText();
    return controlOf<QLineEdit>(window, name)->text();
}

inline bool enabledIn(const QWidget* window, const QString& name) {
    return controlOf(window, name)->isEnabled();
}

} // namespace zelt::test
