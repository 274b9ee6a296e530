// The banded grid over a large memo table: painting a screen of rows, moving the focus by a
// page, posting a new and a changed memo, in the table's order, sorted by subject, and grouped
// by subject with every group expanded, and the view's own memory per memo.
//
//   bench_grid [count]   (default 1,000,000 memos)

#include "bench/MemoGenerator.h"
#include "bench/MemoTable.h"
#include "platform/core/Clock.h"
#include "platform/grid/BandedGridView.h"
#include "platform/grid/GridViewModel.h"
#include "platform/memdata/Table.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace pensilio;
using namespace pensilio::grid;

namespace {

using Fields = bench::MemoFields;
using bench::defineMemoTable;

GridColumnSet memoColumns()
{
    GridColumnSet set;
    set.addBand({QString(), 382, BandFixing::Left, Qt::AlignCenter});
    set.addBand({});
    auto add = [&set](const char *field, int band, int col, int width, bool shown) {
        GridColumn c;
        c.fieldName = QString::fromLatin1(field);
        c.band = band;
        c.colIndex = col;
        c.lineCount = shown ? 2 : 1;
        c.width = width;
        c.visible = shown;
        set.addColumn(c);
    };
    add("RecId", 0, 0, 0, false);
    add("DataOra", 0, 1, 90, true);
    add("NumScad", 0, 2, 0, false);
    add("Oggetto", 0, 3, 194, true);
    add("Note", 1, 0, 668, true);
    return set;
}

// The machine is shared, so wall time alone says more about the neighbours than about the
// code: each run is timed on the wall clock and on this thread's own processor time.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

class Series
{
public:
    void start()
    {
        m_timer.start();
        m_cpuStart = threadCpuMs();
    }
    void stop()
    {
        m_wall.push_back(double(m_timer.nsecsElapsed()) / 1e6);
        m_cpu.push_back(threadCpuMs() - m_cpuStart);
    }
    void print(const char *what) const
    {
        auto stats = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return std::pair(v[v.size() / 2], v.back());
        };
        const auto [wallMedian, wallMax] = stats(m_wall);
        const auto [cpuMedian, cpuMax] = stats(m_cpu);
        std::printf("  %-40s cpu median %7.3f max %7.3f ms | wall median %7.3f max %7.3f ms\n",
                    what, cpuMedian, cpuMax, wallMedian, wallMax);
    }

private:
    QElapsedTimer m_timer;
    double m_cpuStart = 0;
    std::vector<double> m_wall, m_cpu;
};

void pressKey(QWidget *w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

void measure(const char *title, memdata::Table &table, const Fields &f, GridViewModel &model,
             BandedGridView &view)
{
    std::printf("%s\n", title);
    QRandomGenerator rng(7);
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    Series paint;
    for (int i = 0; i < 60; ++i) {
        view.verticalScrollBar()->setValue(rng.bounded(view.verticalScrollBar()->maximum() + 1));
        paint.start();
        view.viewport()->render(&image);
        paint.stop();
    }
    paint.print("paint a full screen of rows");

    Series page;
    model.setFocusedRow(model.rowCount() / 3);
    for (int i = 0; i < 100; ++i) {
        const int before = model.focusedRow();
        page.start();
        pressKey(&view, i % 2 ? Qt::Key_PageUp : Qt::Key_PageDown);
        page.stop();
        if (model.focusedRow() == before)
            std::printf("  the focus did not move\n");
    }
    page.print("move the focus by a page");

    Series postNew;
    const WallDateTime first = WallDateTime::fromParts(1996, 1, 1);
    for (int i = 0; i < 60; ++i) {
        postNew.start();
        table.append();
        table.setFieldDateTime(f.date, first.addMSecs(qint64(rng.bounded(10'000)) * 86'400'000));
        table.setFieldText(f.subject, QByteArray("BENCH ") + QByteArray::number(i));
        table.setFieldText(f.note, QByteArray("a new memo"));
        table.setFieldText(f.key, QByteArray("260101120000"));
        table.post();
        postNew.stop();
    }
    postNew.print("post a new memo (table and view)");

    Series postChanged;
    for (int i = 0; i < 60; ++i) {
        model.setFocusedRow(rng.bounded(model.rowCount()));
        postChanged.start();
        table.edit();
        if (i % 2)
            table.setFieldText(f.subject, QByteArray("CHANGED ") + QByteArray::number(i));
        else
            table.setFieldDateTime(f.date,
                                   first.addMSecs(qint64(rng.bounded(10'000)) * 86'400'000));
        table.post();
        postChanged.stop();
    }
    postChanged.print("post a changed memo (subject or date)");

    Series remove;
    for (int i = 0; i < 60; ++i) {
        model.setFocusedRow(rng.bounded(model.rowCount()));
        remove.start();
        model.deleteFocused();
        remove.stop();
    }
    remove.print("delete the focused memo");
    std::printf("  %-44s %8.2f bytes per memo\n", "view model memory",
                double(model.memoryBytes()) / double(table.recordCount()));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 count = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1'000'000;

    SystemClock clock;
    memdata::Table table(QStringLiteral("ScadData"));
    const Fields f = defineMemoTable(table, &clock);
    table.open();
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Memodata.dat"));
        bench::writeDataFile(file, count, RegionalSettings{});
        QElapsedTimer t;
        t.start();
        table.loadTextFile(file);
        std::printf("%lld memos loaded in %.0f ms\n", count, double(t.nsecsElapsed()) / 1e6);
    }

    GridViewModel model;
    model.setColumns(memoColumns());
    GridViewOptions options;
    options.columnAutoWidth = true;
    options.hideSelection = true;
    model.setOptions(options);
    QElapsedTimer t;
    t.start();
    model.setTable(&table);
    std::printf("view bound in %.3f ms\n", double(t.nsecsElapsed()) / 1e6);

    BandedGridView view;
    view.setModel(&model);
    view.resize(1280, 1000);
    view.show();
    QApplication::processEvents();
    std::printf("%d rows on a 1280 x 1000 screen\n\n", view.rowsPerPage());

    measure("In the table's order", table, f, model, view);

    t.start();
    model.setSortKeys({{model.columns().findColumn(u"Oggetto"), Qt::AscendingOrder}});
    std::printf("\nsorted by subject in %.0f ms\n", double(t.nsecsElapsed()) / 1e6);
    measure("Sorted by subject", table, f, model, view);

    t.start();
    model.groupByColumn(model.columns().findColumn(u"Oggetto"));
    std::printf("\ngrouped by subject (%d groups) in %.0f ms\n", model.groupCount(),
                double(t.nsecsElapsed()) / 1e6);
    t.start();
    model.expandAll();
    std::printf("every group expanded in %.3f ms\n", double(t.nsecsElapsed()) / 1e6);
    measure("Sorted by subject, grouped by subject, every group expanded", table, f, model, view);
    return 0;
}
