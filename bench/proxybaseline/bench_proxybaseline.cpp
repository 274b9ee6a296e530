// The grid's view model against a baseline of Qt's own: the same memos in a plain vector-backed
// table model under a QSortFilterProxyModel. In one run it times sorting by the subject and by
// the note in both, then grouping by the subject, expanding every group and posting memos into
// the sorted and grouped view, the view's memory per memo, and the proxy's wildcard filter on
// the subject and its clearing (the figures the filter's own benchmark compares against).
//
//   bench_proxybaseline [count]   (default 1,000,000 memos)

#include "bench/MemoGenerator.h"
#include "bench/MemoTable.h"
#include "platform/core/Clock.h"
#include "platform/core/Cp1252.h"
#include "platform/grid/GridViewModel.h"
#include "platform/memdata/Table.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
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
    auto add = [&set](const char *field, int band, int col, int width, bool shown, bool groups) {
        GridColumn c;
        c.fieldName = QString::fromLatin1(field);
        c.band = band;
        c.colIndex = col;
        c.lineCount = shown ? 2 : 1;
        c.width = width;
        c.visible = shown;
        c.options.grouping = groups;
        set.addColumn(c);
    };
    add("RecId", 0, 0, 0, false, false);
    add("DataOra", 0, 1, 90, true, false);
    add("NumScad", 0, 2, 0, false, false);
    add("Oggetto", 0, 3, 194, true, true);
    add("Note", 1, 0, 668, true, false);
    return set;
}

// The baseline: each memo as Qt types, one vector per column.
class PlainMemoModel : public QAbstractTableModel
{
public:
    std::vector<qint64> dates;
    std::vector<QString> subjects;
    std::vector<QString> notes;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(subjects.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : 3;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const size_t row = size_t(index.row());
        switch (index.column()) {
        case 0:
            return QVariant::fromValue(dates[row]);
        case 1:
            return subjects[row];
        default:
            return notes[row];
        }
    }
};

// The machine is shared, so each figure is this thread's processor time; the wall time of the
// whole run is printed at the end for reference.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

class Stopwatch
{
public:
    void start() { m_start = threadCpuMs(); }
    double ms() const { return threadCpuMs() - m_start; }

private:
    double m_start = 0;
};

double msSince(const Stopwatch &t)
{
    return t.ms();
}

void ratio(const char *what, double ours, double baseline, double limit)
{
    std::printf("  %-46s %9.1f ms   %.3f x the proxy's sort (limit %.1f)%s\n", what, ours,
                ours / baseline, limit, ours / baseline <= limit ? "" : "  OVER");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 count = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1'000'000;

    SystemClock clock;
    memdata::Table table(QStringLiteral("ScadData"));
    const Fields f = defineMemoTable(table, &clock);
    table.open();
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Memodata.dat"));
        bench::writeDataFile(file, count, RegionalSettings{});
        table.loadTextFile(file);
    }
    std::printf("%d memos\n\n", table.recordCount());

    PlainMemoModel plain;
    plain.dates.reserve(size_t(count));
    plain.subjects.reserve(size_t(count));
    plain.notes.reserve(size_t(count));
    for (memdata::RowId row : table.order()) {
        plain.dates.push_back(table.dateTime(row, f.date).raw());
        plain.subjects.push_back(cp1252::toUnicode(table.text(row, f.subject).toByteArray()));
        plain.notes.push_back(cp1252::toUnicode(table.text(row, f.note).toByteArray()));
    }
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&plain);
    proxy.setDynamicSortFilter(false);
    proxy.setSortCaseSensitivity(Qt::CaseSensitive);

    QElapsedTimer wall;
    wall.start();
    Stopwatch t;
    std::printf("Baseline: QSortFilterProxyModel over a vector-backed QAbstractTableModel\n");
    t.start();
    proxy.sort(1, Qt::AscendingOrder);
    const double proxySubject = msSince(t);
    std::printf("  %-46s %9.1f ms\n", "sort by the subject", proxySubject);
    t.start();
    proxy.sort(2, Qt::AscendingOrder);
    const double proxyNote = msSince(t);
    std::printf("  %-46s %9.1f ms\n", "sort by the note", proxyNote);
    proxy.sort(-1);
    proxy.setFilterKeyColumn(1);
    proxy.setFilterCaseSensitivity(Qt::CaseSensitive);
    t.start();
    proxy.setFilterWildcard(QStringLiteral("*RI*"));
    std::printf("  %-46s %9.1f ms  (%d rows pass)\n", "wildcard filter \"*RI*\" on the subject",
                msSince(t), proxy.rowCount());
    t.start();
    proxy.setFilterRegularExpression(QString());
    std::printf("  %-46s %9.1f ms  (%d rows)\n", "clear the filter", msSince(t), proxy.rowCount());

    std::printf("\nThe view model, same memos\n");
    GridViewModel model;
    model.setColumns(memoColumns());
    GridViewOptions options;
    options.columnAutoWidth = true;
    options.groupFooters = GroupFooterMode::Always;
    model.setOptions(options);
    model.setTable(&table);
    const int subject = model.columns().findColumn(u"Oggetto");
    const int note = model.columns().findColumn(u"Note");

    t.start();
    model.setSortKeys({{subject, Qt::AscendingOrder}});
    ratio("sort by the subject", msSince(t), proxySubject, 0.1);
    t.start();
    model.setSortKeys({{note, Qt::AscendingOrder}});
    ratio("sort by the note", msSince(t), proxyNote, 0.1);
    model.setSortKeys({});

    t.start();
    model.groupByColumn(subject);
    ratio("group by the subject", msSince(t), proxySubject, 0.1);
    std::printf("  %-46s %9d\n", "groups", model.groupCount());
    t.start();
    model.expandAll();
    ratio("expand every group", msSince(t), proxySubject, 0.1);
    std::printf("  %-46s %9d\n", "visible rows", model.rowCount());

    // Sorted by the note inside the groups, every group open: the hardest place to post into.
    t.start();
    model.setSortKeys({{note, Qt::AscendingOrder}});
    std::printf("  %-46s %9.1f ms\n", "sort by the note inside the groups", msSince(t));
    QRandomGenerator rng(3);
    std::vector<double> posts;
    const WallDateTime first = WallDateTime::fromParts(1996, 1, 1);
    for (int i = 0; i < 100; ++i) {
        t.start();
        table.append();
        table.setFieldDateTime(f.date, first.addMSecs(qint64(rng.bounded(10'000)) * 86'400'000));
        table.setFieldText(f.subject, i % 2 ? QByteArray("RIUNIONE")
                                            : QByteArray("NEW ") + QByteArray::number(i));
        table.setFieldText(f.note, QByteArray("a new memo ") + QByteArray::number(i));
        table.setFieldText(f.key, QByteArray("260101120000"));
        table.post();
        posts.push_back(msSince(t));
    }
    std::sort(posts.begin(), posts.end());
    std::printf("  %-46s median %6.3f ms, max %6.3f ms (limit 5)%s\n",
                "post a memo into the sorted, grouped view", posts[posts.size() / 2], posts.back(),
                posts.back() <= 5 ? "" : "  OVER");
    const double perMemo = double(model.memoryBytes()) / double(table.recordCount());
    std::printf("  %-46s %9.2f bytes (limit 16)%s\n", "view memory per memo", perMemo,
                perMemo <= 16 ? "" : "  OVER");
    std::printf("\n(processor time of this thread; the timed part took %.1f s on the wall)\n",
                double(wall.nsecsElapsed()) / 1e9);
    return 0;
}
