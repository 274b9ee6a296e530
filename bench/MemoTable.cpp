#include "bench/MemoTable.h"

#include "platform/core/Clock.h"

namespace pensilio::bench {

MemoFields defineMemoTable(memdata::Table &table, Clock *clock)
{
    using memdata::FieldDef;
    using memdata::FieldType;
    MemoFields f;
    f.recId = table.addField(FieldDef{QStringLiteral("RecId"), FieldType::AutoIncrement});
    f.date = table.addField(FieldDef{QStringLiteral("DataOra"), FieldType::DateTime});
    f.subject = table.addField(FieldDef{QStringLiteral("Oggetto"), FieldType::Text, 50});
    f.note = table.addField(FieldDef{QStringLiteral("note"), FieldType::Text, 1000, 2000});
    f.key = table.addField(FieldDef{QStringLiteral("NumScad"), FieldType::Text, 20});
    table.setSortField(f.date);
    table.setIndexField(f.key);
    table.setRegionalSettings(RegionalSettings{}, clock);
    table.setAfterInsert([f, clock](memdata::Table &t) {
        t.setFieldDateTime(f.date, clock->now());
        t.setFieldText(f.note, QByteArray(""));
        t.setFieldText(f.subject, QByteArray(""));
        t.setFieldText(f.key, QByteArray("000000000000"));
    });
    return f;
}

} // namespace pensilio::bench
