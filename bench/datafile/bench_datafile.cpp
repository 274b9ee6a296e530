// Loading and saving the memo data file at 10,000, 100,000 and 1,000,000 memos, each measured
// against the sqlite3 shell importing the same file in the same run. Every measurement runs in a
// child process of its own, so that its peak memory is its own.
//
//   bench_datafile [count ...]
//   bench_datafile --generate COUNT FILE   writes a data file and nothing else
//   bench_datafile --load FILE | --save FILE   one measurement, as the children run it

#include "bench/MemoGenerator.h"
#include "bench/MemoTable.h"
#include "platform/core/Clock.h"
#include "platform/memdata/Table.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace pensilio;

namespace {

struct ChildResult
{
    double wallMs = 0;
    long maxRssKb = 0;
    std::string output;
};

ChildResult runChild(const std::vector<std::string> &args, const std::string &input = {})
{
    int in[2], out[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0)
        return {};
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::close(in[1]);
        ::close(out[0]);
        std::vector<char *> argv;
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    if (!input.empty()) [[maybe_unused]]
        auto n = ::write(in[1], input.data(), input.size());
    ::close(in[1]);
    ChildResult result;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(out[0], buffer, sizeof buffer)) > 0)
        result.output.append(buffer, static_cast<size_t>(n));
    ::close(out[0]);
    int status = 0;
    struct rusage usage
    {
    };
    ::wait4(pid, &status, 0, &usage);
    result.wallMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    result.maxRssKb = usage.ru_maxrss;
    return result;
}

using bench::defineMemoTable;

// In the child: load (and save, when asked) and print the times of the table's own work.
int child(const QString &mode, const QString &file)
{
    SystemClock clock;
    memdata::Table table(QStringLiteral("ScadData"));
    defineMemoTable(table, &clock);
    table.open();
    QElapsedTimer timer;
    timer.start();
    table.loadTextFile(file);
    const double loadMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    double saveMs = 0, buildMs = 0;
    if (mode == QLatin1String("--save")) {
        timer.restart();
        table.saveTextFile(file + QStringLiteral(".out"));
        saveMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        timer.restart();
        const QByteArray content = table.textFileContent();
        buildMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    }
    std::printf("%d %.1f %.1f %.1f\n", table.recordCount(), loadMs, saveMs, buildMs);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--generate"))
        return bench::writeDataFile(args[3], args[2].toLongLong(), RegionalSettings{}) ? 0 : 1;
    if (args.size() == 3 && args[1].startsWith(QLatin1String("--")))
        return child(args[1], args[2]);

    std::vector<qint64> counts;
    for (int i = 1; i < args.size(); ++i)
        counts.push_back(args[i].toLongLong());
    if (counts.empty())
        counts = {10'000, 100'000, 1'000'000};

    QTemporaryDir dir;
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    std::printf("%10s %9s | %9s %9s %6s | %9s %6s | %9s %9s %6s\n", "memos", "file MB", "load ms",
                "sqlite ms", "ratio", "save ms", "ratio", "peak MB", "sqlite MB", "x file");
    for (qint64 count : counts) {
        const QString file = dir.filePath(QStringLiteral("Memodata-%1.dat").arg(count));
        bench::writeDataFile(file, count, RegionalSettings{});
        const double fileMb = static_cast<double>(QFileInfo(file).size()) / 1048576.0;

        const ChildResult load = runChild({self, "--load", file.toStdString()});
        const ChildResult save = runChild({self, "--save", file.toStdString()});
        const ChildResult sqlite =
            runChild({"sqlite3", ":memory:"}, ".mode tabs\n.import '" + file.toStdString() +
                                                  "' memo\nselect count(*) from memo;\n");
        int rows = 0;
        double loadMs = 0, saveMs = 0, dummy = 0;
        std::sscanf(load.output.c_str(), "%d %lf %lf", &rows, &loadMs, &dummy);
        std::sscanf(save.output.c_str(), "%d %lf %lf", &rows, &dummy, &saveMs);
        std::printf("%10lld %9.1f | %9.1f %9.1f %6.2f | %9.1f %6.2f | %9.1f %9.1f %6.2f\n",
                    static_cast<long long>(count), fileMb, loadMs, sqlite.wallMs,
                    loadMs / sqlite.wallMs, saveMs, saveMs / sqlite.wallMs,
                    static_cast<double>(load.maxRssKb) / 1024.0,
                    static_cast<double>(sqlite.maxRssKb) / 1024.0,
                    static_cast<double>(load.maxRssKb) / 1024.0 / fileMb);
        std::fflush(stdout);
    }
    return 0;
}
