#include "shell/frm_start.h"

#include "editors/record_editor.h"
#include "export/calculation_files.h"
#include "storage/app_paths.h"
#include "storage/whole_file_writer.h"
#include "ui/message_box.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>

namespace zelt {

namespace {
constexpr const char* kMsgAlreadyOpen =
    "The records are already open in another window of the program.";
} // namespace

frmStart::frmStart(AppContext app, QWidget* parent) : QWidget(parent), app_(std::move(app)) {
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QStringLiteral("Zelt Management System"));

    QPushButton* members = addButton("cmdAffiliates", "Members");
    QPushButton* communications = addButton("cmdCommunications", "Communications");
    QPushButton* sales = addButton("cmdSales", "Sales");
    QPushButton* payments = addButton("cmdPayments", "Payments");
    QPushButton* schemes = addButton("cmdAPSettings", "Zelt Settings");
    QPushButton* createFiles = addButton("cmdCreateFiles", "Create files for calculations");

    auto* left = new QVBoxLayout;
    for (QPushButton* button : {members, communications, sales, payments, schemes})
        left->addWidget(button);
    left->addStretch();

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("lineColumns"));
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* right = new QVBoxLayout;
    right->addWidget(createFiles);
    right->addStretch();

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(16, 16, 16, 16);
    columns->setSpacing(16);
    columns->addLayout(left, 1);
    columns->addWidget(line);
    columns->addLayout(right, 1);

    QWidget::setTabOrder(members, sales);
    QWidget::setTabOrder(sales, payments);
    QWidget::setTabOrder(payments, schemes);
    QWidget::setTabOrder(schemes, communications);
    QWidget::setTabOrder(communications, createFiles);

    connect(members, &QPushButton::clicked, this, [this] { showEditor(EditorKind::Members); });
    connect(communications, &QPushButton::clicked, this,
            [this] { showEditor(EditorKind::Communications); });
    connect(sales, &QPushButton::clicked, this, [this] { showEditor(EditorKind::Sales); });
    connect(payments, &QPushButton::clicked, this, [this] { showEditor(EditorKind::Payments); });
    connect(schemes, &QPushButton::clicked, this, [this] { showEditor(EditorKind::Schemes); });
    connect(createFiles, &QPushButton::clicked, this, &frmStart::cmdCreateFiles);
}

QPushButton* frmStart::addButton(const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumHeight(32);
    return button;
}

bool frmStart::load(const QString& appDir) {
    app_.dir = appDir.toStdString();
    return load();
}

bool frmStart::load() {
    if (Status made = ensureFolder(app_.dir, Folder::Data); !made) {
        showMessage(made.error().message(), this);
        return false;
    }
    dataLock_.close();
    auto lock = fs::lockFolder(folderPath(app_.dir, Folder::Data));
    if (!lock) {
        showMessage(lock.error().code == EWOULDBLOCK ? std::string(kMsgAlreadyOpen)
                                                     : lock.error().message(),
                    this);
        return false;
    }
    dataLock_ = std::move(*lock);
    // Leftovers of writes that a crash interrupted; the real files were never touched by them.
    // A folder that cannot be cleared is reported; the program works on all the same.
    for (Folder folder :
         {Folder::Data, Folder::Addinfo, Folder::Comm, Folder::Output, Folder::Backcopies})
        if (Status cleared = removeTemporaryFiles(folderPath(app_.dir, folder)); !cleared)
            showMessage(cleared.error().message(), this);
    return true;
}

void frmStart::showEditor(EditorKind kind) {
    QPointer<QWidget>& window = editors_[kind];
    // A window whose load failed holds no data file; pressing its button again loads the
    // editor afresh, so that the operator need not close it first once the cause is mended.
    if (auto* editor = qobject_cast<RecordEditor*>(window.data()); editor && !editor->isLoaded()) {
        editor->close();
        window = nullptr;
    }
    if (!window) {
        window = createEditor(kind, app_);
        if (!window)
            return;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void frmStart::cmdCreateFiles() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status written = createFilesForCalculations(app_);
    QApplication::restoreOverrideCursor();
    if (!written)
        showMessage(written.error().message(), this);
}

} // namespace zelt
