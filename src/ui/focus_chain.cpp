#include "ui/focus_chain.h"

#include <QWidget>

namespace zelt {

void setFocusChain(const QList<QWidget*>& controls) {
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

} // namespace zelt
