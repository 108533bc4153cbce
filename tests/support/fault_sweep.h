#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <set>
#include <string>

// Runs one operator action once for every file operation it performs, failing that one
// operation, and checks what the operator is promised: a message that names the file and the
// system's reason, no stored byte changed beyond what the action completed before the fault,
// and the same action succeeding in the same windows once the fault is gone.
namespace zelt::test {

struct SweepAction {
    QString name;
    // Writes fresh data and opens the windows the action needs. testApp().dir is a new, empty
    // folder when it is called.
    std::function<void()> prepare;
    // The action itself: clicks in the windows that prepare opened.
    std::function<void()> run;
    // The same action after a fault, in the same windows; run() when empty.
    std::function<void()> retry;
    // After the clean run and after every retry: why the windows do not show the action done,
    // or an empty text. May be empty.
    std::function<QString()> done;
    // Closes the windows; called with no fault installed.
    std::function<void()> finish;
    // Files, relative to testApp().dir, that a failed run may leave as the clean run leaves them,
    // because the action had completed them before the fault (a record written before its side
    // text failed). Every other file must keep every byte.
    std::set<std::string> mayBeNew;
};

struct SweepOutcome {
    int faults = 0; // faults injected, one per file operation of the clean run
    QStringList problems;
};

SweepOutcome sweepFaults(const SweepAction& action);

} // namespace zelt::test
