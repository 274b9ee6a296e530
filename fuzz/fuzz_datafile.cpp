// Feeds arbitrary bytes to the data file reader: it must load or refuse, never crash, and what
// it loaded must write and read back to the same content.

#include "platform/core/Clock.h"
#include "platform/core/Error.h"
#include "platform/memdata/Table.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

using namespace pensilio;

namespace {

class FixedClock final : public Clock
{
public:
    WallDateTime now() override { return WallDateTime::fromParts(2025, 12, 9, 19, 7, 33); }
};

void define(memdata::Table &table, Clock *clock)
{
    using memdata::FieldDef;
    using memdata::FieldType;
    table.addField(FieldDef{QStringLiteral("RecId"), FieldType::AutoIncrement});
    const int date = table.addField(FieldDef{QStringLiteral("DataOra"), FieldType::DateTime});
    table.addField(FieldDef{QStringLiteral("Oggetto"), FieldType::Text, 50});
    table.addField(FieldDef{QStringLiteral("note"), FieldType::Text, 1000});
    const int key = table.addField(FieldDef{QStringLiteral("NumScad"), FieldType::Text, 20});
    table.setSortField(date);
    table.setIndexField(key);
    table.setRegionalSettings(RegionalSettings{}, clock);
    table.setAfterInsert([=](memdata::Table &t) {
        t.setFieldDateTime(date, clock->now());
        t.setFieldText(key, QByteArray("251209190733"));
    });
    table.open();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("Memodata.dat"));
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    FixedClock clock;
    memdata::Table table(QStringLiteral("ScadData"));
    define(table, &clock);
    try {
        table.loadTextFile(name);
    } catch (const Error &) {
    }
    // Whatever was loaded is a table like any other: it saves, and reads back unchanged.
    const QByteArray first = table.textFileContent();
    table.findKey(QByteArray("251209190733"));
    table.saveTextFile(name);
    memdata::Table again(QStringLiteral("ScadData"));
    define(again, &clock);
    again.loadTextFile(name);
    if (again.textFileContent() != first)
        std::abort();
    return 0;
}
