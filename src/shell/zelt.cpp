#include "shell/zelt.h"

#include "shell/frm_start.h"
#include "storage/app_context.h"
#include "ui/system_locale.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

namespace zelt {

int runProgram(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelt Management System"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zelt.png")));
    // Matches the menu entry, so that a desktop shows the entry's icon for the running windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("zelt-management-system"));

    frmStart window(AppContext{QCoreApplication::applicationDirPath().toStdString(),
                               rulesFromLocale(QLocale::system())});
    if (!window.load())
        return 1;
    window.show();
    return QApplication::exec();
}

} // namespace zelt
