#pragma once

#include <QCursor>
#include <QPointer>
#include <QWidget>

namespace zelt {

// Covers a search: while it lives, the given button is disabled and the pointer shows the busy
// shape (over the whole program, and over the given window); both come back when it is
// destroyed, however the search ended.
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
