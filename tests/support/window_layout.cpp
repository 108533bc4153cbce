#include "support/window_layout.h"

#include "ui/grid_view.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

namespace zelt::test {

namespace {

QRect inWindow(QWidget* control, QWidget* window) {
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

// The least size that shows a control whole: a button's caption must fit, even where the
// window makes the button narrower than the style would.
QSize needed(QWidget* control) {
    QSize size = control->minimumSizeHint();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        size.setWidth(button->fontMetrics().horizontalAdvance(button->text()) + 8);
    return size;
}

} // namespace

QList<QWidget*> visibleControls(QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) ||
            !w->isVisibleTo(window))
            continue;
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QComboBox*>(w) || qobject_cast<GridView*>(w))
            controls.append(w);
    }
    return controls;
}

QString layoutFaults(QWidget* window) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QStringList faults;
    const QList<QWidget*> controls = visibleControls(window);
    for (QWidget* control : controls) {
        if (!window->rect().contains(inWindow(control, window)))
            faults << control->objectName() + QStringLiteral(" lies outside the window");
        const QSize least = needed(control);
        if (control->width() < least.width() || control->height() < least.height())
            faults << control->objectName() + QStringLiteral(" is smaller than it needs");
    }
    for (qsizetype i = 0; i < controls.size(); ++i)
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            if (controls[i]->isAncestorOf(controls[j]) || controls[j]->isAncestorOf(controls[i]))
                continue;
            if (inWindow(controls[i], window).intersects(inWindow(controls[j], window)))
                faults << controls[i]->objectName() + QStringLiteral(" overlaps ") +
                              controls[j]->objectName();
        }
    return faults.join(QLatin1Char('\n'));
}

} // namespace zelt::test
