// Exporting an ungrouped memo grid to HTML, against saving the same memos as the data file in
// the same run; and the export's peak memory against the size of the page it writes.
//
//   bench_html [count ...]      default 1,000,000

#include "bench/MemoGenerator.h"
#include "bench/MemoTable.h"
#include "platform/core/Clock.h"
#include "platform/grid/GridViewModel.h"
#include "platform/grid/HtmlExport.h"
#include "platform/grid/HtmlViewSource.h"
#include "platform/memdata/Table.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace pensilio;
using namespace pensilio::grid;

namespace {

// Kilobytes of the named line of /proc/self/status ("VmRSS", "VmHWM").
long statusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Starts the peak ("high water mark") afresh, so it measures only what follows.
bool resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

using bench::defineMemoTable;

GridColumnSet memoColumns()
{
    GridColumnSet set;
    set.addBand({QString(), 382, BandFixing::Left, Qt::AlignCenter});
    set.addBand({QStringLiteral("Note"), 0, BandFixing::None, Qt::AlignCenter});
    auto column = [&set](const char *field, int band, int col, int lines, int width, bool shown) {
        GridColumn c;
        c.fieldName = QString::fromLatin1(field);
        c.band = band;
        c.colIndex = col;
        c.lineCount = lines;
        c.width = width;
        c.visible = shown;
        set.addColumn(c);
    };
    column("RecId", 0, 0, 1, 0, false);
    column("DataOra", 0, 1, 2, 90, true);
    column("NumScad", 0, 2, 1, 0, false);
    column("Oggetto", 0, 3, 2, 194, true);
    column("Note", 1, 0, 2, 668, true);
    return set;
}

struct Measured
{
    double ms = -1;
    double peakMb = -1; // above the memory in use when the work began
};

Measured inChild(const std::function<void()> &work)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const long before = statusKb("VmRSS");
        const bool reset = resetPeak();
        QElapsedTimer timer;
        timer.start();
        work();
        Measured m;
        m.ms = double(timer.nsecsElapsed()) / 1e6;
        m.peakMb = reset ? double(statusKb("VmHWM") - before) / 1024.0 : -1;
        [[maybe_unused]] const auto n = ::write(fds[1], &m, sizeof m);
        ::_exit(0);
    }
    ::close(fds[1]);
    Measured m;
    if (::read(fds[0], &m, sizeof m) != sizeof m)
        m = {};
    ::close(fds[0]);
    ::waitpid(pid, nullptr, 0);
    return m;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::vector<qint64> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(QByteArray(argv[i]).toLongLong());
    if (counts.empty())
        counts = {1'000'000};

    QTemporaryDir dir;
    std::printf("%10s | %9s %9s %6s | %9s %9s %9s %6s\n", "memos", "save ms", "html ms", "ratio",
                "data MB", "page MB", "peak MB", "x page");
    for (const qint64 count : counts) {
        const QString data = dir.filePath(QStringLiteral("Memodata.dat"));
        bench::writeDataFile(data, count, RegionalSettings{});
        SystemClock clock;
        memdata::Table table(QStringLiteral("ScadData"));
        defineMemoTable(table, &clock);
        table.open();
        table.loadTextFile(data);

        GridViewModel model;
        model.setColumns(memoColumns());
        model.setTable(&table);
        GridViewModelHtmlSource source(model);
        HtmlExportLook look;
        look.layout = GridLayout(model.columns(), 778, GridLayout::Fit::FillWidth);
        look.system = HtmlSystemColors::fromPalette(look.palette);
        ExportGrid grid{true, &source, look};
        ExportRequest request;
        request.fileName = dir.filePath(QStringLiteral("MemoLst.html"));

        // Each measurement runs in a child forked from the loaded table, so both start alike
        // and the export's peak is its own.
        const Measured save =
            inChild([&] { table.saveTextFile(dir.filePath(QStringLiteral("Saved.dat"))); });
        const Measured html = inChild([&] { exportGrid(grid, request); });

        const double pageMb = double(QFileInfo(request.fileName).size()) / 1048576.0;
        std::printf("%10lld | %9.1f %9.1f %6.2f | %9.1f %9.1f %9.1f %6.2f\n",
                    static_cast<long long>(count), save.ms, html.ms, html.ms / save.ms,
                    double(QFileInfo(data).size()) / 1048576.0, pageMb, html.peakMb,
                    html.peakMb / pageMb);
        std::fflush(stdout);
        QFile::remove(request.fileName);
        QFile::remove(dir.filePath(QStringLiteral("Saved.dat")));
    }
    return 0;
}
