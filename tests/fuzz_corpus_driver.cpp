// Runs a fuzz target over every file of its corpus folder, so that the corpus stays a regression
// test on compilers without libFuzzer.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size);

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QStringList files = folder.entryList(QDir::Files, QDir::Name);
    for (const QString &name : files) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray data = file.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const unsigned char *>(data.constData()),
                               static_cast<size_t>(data.size()));
    }
    std::printf("%lld inputs\n", static_cast<long long>(files.size()));
    return files.isEmpty() ? 1 : 0;
}
