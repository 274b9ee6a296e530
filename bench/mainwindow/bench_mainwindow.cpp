// The main window over a large memo table: how long showing and painting it takes next to
// loading the table alone, and the cost of the gestures a user repeats (a page of rows, a post).
//
//   QT_QPA_PLATFORM=offscreen bench_mainwindow [count]

#include "bench/MemoGenerator.h"
#include "platform/core/Clock.h"
#include "platform/core/MessageBoxes.h"
#include "platform/grid/BandedGridView.h"
#include "platform/grid/GridViewModel.h"
#include "store/UDM1.h"
#include "ui/main/UFFMAIN.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <cstdio>

using namespace pensilio;

namespace {

class SilentBoxes final : public MessageBoxes
{
public:
    void showMessage(const QString &, const QString &) override {}
    bool askYesNo(const QString &, const QString &) override { return false; }
    void showError(const QString &, const QString &text) override
    {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    }
};

double ms(QElapsedTimer &timer)
{
    const double value = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return value;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const qint64 count = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1'000'000;
    QTemporaryDir dir;
    bench::writeDataFile(dir.filePath(QStringLiteral("Memodata.dat")), count, RegionalSettings{});

    SystemClock clock;
    SilentBoxes boxes;
    Services services;
    services.clock = &clock;
    services.boxes = &boxes;
    services.executablePath = dir.filePath(QStringLiteral("pensilio"));

    QElapsedTimer timer;
    timer.start();
    TDM1 dm1(services);
    const double load = ms(timer);
    {
        TFFMAIN window(dm1, services);
        window.resize(1280, 800);
        window.show();
        window.grab();
        const double shown = ms(timer);

        grid::BandedGridView *gridView = window.cxGrid1;
        gridView->setFocus();
        const int pages = 50;
        for (int i = 0; i < pages; ++i) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
            QApplication::sendEvent(gridView, &down);
            gridView->viewport()->grab();
        }
        const double page = ms(timer) / pages;

        const int posts = 50;
        for (int i = 0; i < posts; ++i) {
            dm1.ScadData.append();
            dm1.ScadData.setFieldText(dm1.ScadDataOggetto, "BENCH");
            dm1.ScadData.post();
        }
        const double post = ms(timer) / posts;
        for (int i = 0; i < posts; ++i)
            gridView->viewport()->grab();
        const double paint = ms(timer) / posts;

        std::printf(
            "memos %lld\nload %.1f ms\nwindow shown and painted %.1f ms (%.2f x the load; "
            "together %.2f x)\npage down + paint %.2f ms\npost %.2f ms\nfull paint %.2f ms\n",
            static_cast<long long>(count), load, shown, shown / load, (load + shown) / load, page,
            post, paint);
    }
    dm1.ScadData.close(); // the benchmark writes no data file
    return 0;
}
