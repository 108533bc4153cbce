#pragma once

#include <QCursor>
#include <QPointer>
#include <QWidget>

namespace zelt {

// Covers a search: while it lives, the given button is disabled and the pointer shows the busy
// shape over the given window (the editor that searches, not the rest of the program); both
// come back when it is destroyed, however the search ended. A search ends it before it shows
// any message.
class BusyPointer {
public:
    explicit BusyPointer(QWidget* button, QWidget* window = nullptr);
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    QPointer<QWidget> button_;
    QPointer<QWidget> window_;
    bool wasEnabled_ = false;
    bool windowHadCursor_ = false;
    QCursor windowCursor_;
};

} // namespace zelt
