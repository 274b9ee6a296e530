// The subject's filter drop-down over a large memo table: collecting the distinct subjects into
// its entries, and filling and showing the popup list, which must take under 50 ms at a million
// memos; then choosing a subject, which refilters the view.
//
//   QT_QPA_PLATFORM=offscreen bench_filterui [count]   (default 1,000,000 memos)

#include "bench/MemoGenerator.h"
#include "platform/core/Clock.h"
#include "platform/grid/FilterDropDown.h"
#include "platform/grid/GridFilterController.h"
#include "platform/grid/GridViewModel.h"
#include "platform/memdata/Table.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace pensilio;
using namespace pensilio::grid;

namespace {
// The machine is shared: processor time of this thread says more than the wall clock.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

template <typename F> void measure(const char *what, int runs, F &&work)
{
    std::vector<double> cpu, wall;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double start = threadCpuMs();
        work();
        cpu.push_back(threadCpuMs() - start);
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    std::printf("%-40s median %7.2f ms cpu, %7.2f ms wall (best %.2f cpu)\n", what,
                cpu[cpu.size() / 2], wall[wall.size() / 2], cpu.front());
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const qint64 count = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1'000'000;

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Memodata.dat"));
    bench::writeDataFile(file, count, RegionalSettings{});
    SystemClock clock;
    memdata::Table table(QStringLiteral("ScadData"));
    const int when = table.addField({QStringLiteral("DataOra"), memdata::FieldType::DateTime});
    table.addField({QStringLiteral("Oggetto"), memdata::FieldType::Text, 50});
    table.addField({QStringLiteral("note"), memdata::FieldType::Text, 1000});
    table.addField({QStringLiteral("NumScad"), memdata::FieldType::Text, 20});
    table.setSortField(when);
    table.setRegionalSettings(RegionalSettings{}, &clock);
    table.open();
    table.loadTextFile(file);

    GridColumnSet columns;
    columns.addBand({});
    for (const char *field : {"DataOra", "Oggetto", "Note"}) {
        GridColumn column;
        column.fieldName = QString::fromLatin1(field);
        column.colIndex = columns.columnCount();
        column.options.filtering = column.fieldName == u"Oggetto";
        columns.addColumn(column);
    }
    GridViewModel model;
    model.setTable(&table);
    model.setColumns(columns);
    GridFilterController filter(&model);
    constexpr int kSubject = 1;

    const FilterDropDownEntries entries = filter.dropDownEntries(kSubject);
    std::printf("%d memos, %d drop-down lines\n", table.recordCount(), entries.count());

    measure("drop-down entries", 9, [&] { (void)filter.dropDownEntries(kSubject); });
    measure("drop-down entries, list filled, shown", 9, [&] {
        auto *dropDown = new FilterDropDown;
        dropDown->setEntries(filter.dropDownEntries(kSubject), 0);
        dropDown->popup(QRect(100, 100, 194, 20));
        QApplication::processEvents();
        dropDown->close();
        delete dropDown;
    });
    int next = 4;
    measure("choose a subject (view refiltered)", 5, [&] {
        filter.chooseDropDownEntry(kSubject, entries.at(next));
        next += 97;
    });
    std::printf("%d rows shown after the last choice\n", model.rowCount());
    return 0;
}
