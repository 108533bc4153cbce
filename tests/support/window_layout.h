#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace zelt::test {

// The controls of a window that the operator sees (labels, buttons, fields, lists, the grid):
// those with a name of the program's, not the parts Qt builds inside them.
QList<QWidget*> visibleControls(QWidget* window);

// What is wrong with the way a window shows its controls, one line per fault, empty when
// nothing is: a control outside the window, smaller than it needs to be (a caption that does
// not fit), or overlapping another control. Lays the window out first.
QString layoutFaults(QWidget* window);

} // namespace zelt::test
