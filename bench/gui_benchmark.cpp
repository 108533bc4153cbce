// zelt_bench_gui: the measuring process for the workloads that need windows. zelt_bench starts
// it with --workload NAME --dir FOLDER --runs N on the offscreen platform.
#include "gui_workloads.h"

#include <QApplication>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The offscreen platform's notes ("does not support propagateSizeHints()") would bury the
// benchmark's progress; only critical messages pass.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    std::string workload, dir;
    int runs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view arg = argv[i];
        if (arg == "--workload")
            workload = argv[i + 1];
        else if (arg == "--dir")
            dir = argv[i + 1];
        else if (arg == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
    }
    return zelt::bench::runWorkloadProcess(zelt::bench::guiWorkloads(), workload, dir, runs);
}
