#include "ui/busy_pointer.h"

namespace zelt {

BusyPointer::BusyPointer(QWidget* button, QWidget* window) : button_(button), window_(window) {
    if (button_) {
        wasEnabled_ = button_->isEnabled();
        button_->setEnabled(false);
    }
    if (window_) {
        windowHadCursor_ = window_->testAttribute(Qt::WA_SetCursor);
        windowCursor_ = window_->cursor();
        window_->setCursor(Qt::WaitCursor);
    }
}

BusyPointer::~BusyPointer() {
    if (window_) {
        if (windowHadCursor_)
            window_->setCursor(windowCursor_);
        else
            window_->unsetCursor();
    }
    if (button_)
        button_->setEnabled(wasEnabled_);
}

} // namespace zelt
