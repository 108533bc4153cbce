#pragma once

#include <QList>

class QWidget;

namespace zelt {

// Sets the order in which Tab moves the keyboard focus through a window's controls: each control
// follows the one before it. Controls left out keep their places after the last one named.
void setFocusChain(const QList<QWidget*>& controls);

} // namespace zelt
