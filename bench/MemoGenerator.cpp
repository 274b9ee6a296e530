#include "bench/MemoGenerator.h"

#include "platform/core/DateTimeText.h"

#include <QFile>
#include <QRandomGenerator>
#include <cmath>
#include <vector>

namespace pensilio::bench {

namespace {

const char *const kWords[] = {
    "riunione", "medico",   "banca",      "scadenza",      "bolletta",   "telefonare", "comprare",
    "pagare",   "auto",     "revisione",  "assicurazione", "compleanno", "dentista",   "ufficio",
    "progetto", "consegna", "fattura",    "condominio",    "scuola",     "palestra",   "viaggio",
    "treno",    "volo",     "albergo",    "cena",          "pranzo",     "documenti",  "contratto",
    "rinnovo",  "tasse",    "posta",      "avvocato",      "notaio",     "farmacia",   "caffè",
    "città",    "perché",   "università", "lunedì"};
constexpr int kWordCount = sizeof(kWords) / sizeof(kWords[0]);

QByteArray latin(const char *utf8)
{
    return QString::fromUtf8(utf8).toLatin1();
}

std::vector<QByteArray> makeSubjects(QRandomGenerator &rng)
{
    std::vector<QByteArray> subjects;
    subjects.reserve(2000);
    while (subjects.size() < 1900) {
        QByteArray s = latin(kWords[rng.bounded(kWordCount)]).toUpper();
        const int extra = rng.bounded(3);
        for (int i = 0; i < extra; ++i)
            s += ' ' + latin(kWords[rng.bounded(kWordCount)]).toUpper();
        s += ' ' + QByteArray::number(rng.bounded(1000));
        subjects.push_back(s.left(50));
    }
    // Subjects that differ only in letter case or by an accent.
    for (int i = 0; i < 100; ++i) {
        QByteArray s = subjects[static_cast<size_t>(i)];
        if (i % 2)
            s = s.toLower();
        else
            s.replace('E', '\xc8');
        subjects.push_back(s);
    }
    subjects.push_back(QByteArray());
    return subjects;
}

QByteArray makeNote(QRandomGenerator &rng)
{
    // Log-normal lengths: median 80, capped at 1000; one note in twenty is empty.
    if (rng.bounded(20) == 0)
        return {};
    const double u1 = std::max(rng.generateDouble(), 1e-12), u2 = rng.generateDouble();
    const double normal = std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * M_PI * u2);
    const int length = std::clamp(static_cast<int>(80.0 * std::exp(0.9 * normal)), 1, 1000);
    QByteArray note;
    note.reserve(length + 16);
    while (note.size() < length) {
        if (!note.isEmpty())
            note += ' ';
        note += latin(kWords[rng.bounded(kWordCount)]);
    }
    note.truncate(length);
    return note;
}

} // namespace

QByteArray generateDataFile(qint64 count, const RegionalSettings &settings, quint32 seed)
{
    QRandomGenerator rng(seed);
    const std::vector<QByteArray> subjects = makeSubjects(rng);
    const DateTimeFormatter formatter(settings);
    const WallDateTime start = WallDateTime::fromParts(1996, 1, 1);
    const qint64 span = 30LL * 365 * WallDateTime::kMsPerDay / 1000; // seconds

    QByteArray out;
    out.reserve(count * 200 + 64);
    out += "DataOra\tOggetto\tnote\tNumScad\r\n";
    WallDateTime previous = start;
    for (qint64 i = 0; i < count; ++i) {
        WallDateTime when;
        const int kind = rng.bounded(100);
        if (kind < 3)
            when = previous; // a tie
        else if (kind < 8)
            when = start.addMSecs(rng.bounded(span / 86400) * WallDateTime::kMsPerDay); // midnight
        else
            when =
                start.addMSecs(static_cast<qint64>(rng.bounded(static_cast<quint64>(span))) * 1000);
        previous = when;
        formatter.appendTo(out, when);
        out += '\t';
        out += subjects[rng.bounded(static_cast<quint32>(subjects.size()))];
        out += '\t';
        out += makeNote(rng);
        out += '\t';
        const WallDateTime::Parts p = when.parts();
        char key[13];
        const int values[6] = {p.year % 100, p.month, p.day, p.hour, p.minute, p.second};
        for (int k = 0; k < 6; ++k) {
            key[2 * k] = static_cast<char>('0' + values[k] / 10);
            key[2 * k + 1] = static_cast<char>('0' + values[k] % 10);
        }
        out.append(key, 12);
        out += "\r\n";
    }
    return out;
}

bool writeDataFile(const QString &fileName, qint64 count, const RegionalSettings &settings,
                   quint32 seed)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray content = generateDataFile(count, settings, seed);
    return file.write(content) == content.size();
}

} // namespace pensilio::bench
