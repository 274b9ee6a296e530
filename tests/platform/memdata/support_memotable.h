#pragma once
// A table shaped like the memo table, with a clock-driven default hook, for the table's tests.

#include "ManualClock.h"
#include "platform/memdata/Table.h"

#include <QStringList>

namespace pensilio::testing {

struct MemoTable
{
    ManualClock clock;
    memdata::Table table{QStringLiteral("ScadData")};
    int recId, dataOra, oggetto, note, numScad;

    MemoTable()
    {
        using memdata::FieldDef;
        using memdata::FieldType;
        recId = table.addField(FieldDef{QStringLiteral("RecId"), FieldType::AutoIncrement});
        dataOra = table.addField(FieldDef{QStringLiteral("DataOra"), FieldType::DateTime});
        oggetto = table.addField(FieldDef{QStringLiteral("Oggetto"), FieldType::Text, 50});
        note = table.addField(FieldDef{QStringLiteral("note"), FieldType::Text, 1000});
        numScad = table.addField(FieldDef{QStringLiteral("NumScad"), FieldType::Text, 20});
        table.setSortField(dataOra);
        table.setIndexField(numScad);
        table.setRegionalSettings(RegionalSettings{}, &clock);
        table.setAfterInsert([this](memdata::Table &t) {
            t.setFieldDateTime(dataOra, clock.now());
            t.setFieldText(note, QByteArray(""));
            t.setFieldText(oggetto, QByteArray(""));
            t.setFieldText(numScad, QByteArray("251209190733"));
        });
        table.open();
    }

    // Appends and posts a memo at the given hour of 9 December 2025.
    void add(const QByteArray &subject, int hour, int minute = 0)
    {
        table.append();
        table.setFieldDateTime(dataOra, WallDateTime::fromParts(2025, 12, 9, hour, minute));
        table.setFieldText(oggetto, subject);
        table.post();
    }

    // The subjects in table order, the current one marked with '*'.
    QString rows() const
    {
        QStringList out;
        for (int i = 0; i < table.recordCount(); ++i) {
            QString s = QString::fromLatin1(table.text(table.rowAt(i), oggetto).toByteArray());
            if (i == table.currentPosition())
                s += QLatin1Char('*');
            out << s;
        }
        return out.join(QLatin1Char(','));
    }
};

} // namespace pensilio::testing
