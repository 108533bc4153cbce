#include "shell/zelt.h"

#include "shell/frm_start.h"
#include "shell/message_table.h"
#include "storage/locale_rules.h"
#include "ui/system_locale.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

namespace zelt {

int Main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelt Management System"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zelt.png")));
    // Matches the menu entry, so that a desktop shows the entry's icon for the running windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("zelt-management-system"));

    fill_message_table();
    setCurrentRules(rulesFromLocale(QLocale::system()));

    frmStart window;
    if (!window.Form_Load())
        return 1;
    window.show();
    return QApplication::exec();
}

} // namespace zelt
