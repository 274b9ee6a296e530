#pragma once
// A small memo table and the memo grid's column set, for the grid's tests.

#include "ManualClock.h"
#include "platform/grid/GridColumns.h"
#include "platform/grid/GridViewModel.h"
#include "platform/memdata/Table.h"

#include <QStringList>
#include <memory>

namespace pensilio::testing {

struct GridMemos
{
    ManualClock clock;
    memdata::Table table{QStringLiteral("ScadData")};
    int dataOra = -1, oggetto = -1, note = -1, numScad = -1;

    GridMemos()
    {
        table.addField({QStringLiteral("RecId"), memdata::FieldType::AutoIncrement, 0, 0});
        dataOra = table.addField({QStringLiteral("DataOra"), memdata::FieldType::DateTime, 0, 0});
        oggetto = table.addField({QStringLiteral("Oggetto"), memdata::FieldType::Text, 50, 0});
        note = table.addField({QStringLiteral("note"), memdata::FieldType::Text, 1000, 0});
        numScad = table.addField({QStringLiteral("NumScad"), memdata::FieldType::Text, 20, 0});
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

    static WallDateTime at(int hour, int minute = 0)
    {
        return WallDateTime::fromParts(2025, 12, 9, hour, minute);
    }

    void add(WallDateTime when, const QByteArray &subject, const QByteArray &text = {})
    {
        table.append();
        table.setFieldDateTime(dataOra, when);
        table.setFieldText(oggetto, subject);
        table.setFieldText(note, text);
        table.post();
    }
    void add(int hour, const QByteArray &subject, const QByteArray &text = {})
    {
        add(at(hour), subject, text);
    }

    // Changes the current memo through the table, as the edit dialog does.
    void editCurrent(int field, const QByteArray &value)
    {
        table.edit();
        table.setFieldText(field, value);
        table.post();
    }
    void moveCurrent(WallDateTime when)
    {
        table.edit();
        table.setFieldDateTime(dataOra, when);
        table.post();
    }
};

// The memo grid as the main window configures it.
inline grid::GridColumnSet memoColumns()
{
    using namespace grid;
    GridColumnSet set;
    set.addBand({QString(), 382, BandFixing::Left, Qt::AlignCenter});
    set.addBand({});
    auto column = [&set](const char *field, int band, int col, int lines, int width, bool shown) {
        GridColumn c;
        c.fieldName = QString::fromLatin1(field);
        c.band = band;
        c.colIndex = col;
        c.lineCount = lines;
        c.width = width;
        c.visible = shown;
        return set.addColumn(c);
    };
    column("RecId", 0, 0, 1, 0, false);
    column("DataOra", 0, 1, 2, 90, true);
    column("NumScad", 0, 2, 1, 0, false);
    column("Oggetto", 0, 3, 2, 194, true);
    column("Note", 1, 0, 2, 668, true);
    return set;
}

// The shown rows as their subjects, the focused one marked with '*': "A,*B,C".
inline QString rowList(const grid::GridViewModel &model, int field)
{
    QStringList out;
    for (int i = 0; i < model.rowCount(); ++i) {
        const grid::GridRow r = model.rowAt(i);
        QString s = QString::fromLatin1(model.table()->text(r.row, field).toByteArray());
        out << (i == model.focusedRow() ? QLatin1Char('*') + s : s);
    }
    return out.join(QLatin1Char(','));
}

} // namespace pensilio::testing
