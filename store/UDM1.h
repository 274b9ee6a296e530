#pragma once
// The data module: the memo table ScadData with its fields and settings, the data source the
// grid shows it through, and the reading and writing of the data file at start-up and end.

#include "platform/memdata/Table.h"
#include "store/Services.h"

#include <QString>

namespace pensilio {

// The folder of the executable file, always ending in the folder separator.
extern QString ProgramFolder;

// The folder part of an executable's path, ending in "/".
QString programFolderOf(const QString &executablePath);

// What displays bind to: the table whose current record they follow.
struct TDataSource
{
    memdata::Table *DataSet = nullptr;
};

class TDM1
{
public:
    // Sets up the table and runs DataModuleCreate; a failure there is shown in the standard
    // error box and start-up goes on with what was read.
    explicit TDM1(const Services &services);
    // Runs DataModuleDestroy: the table is written to the data file and closed.
    ~TDM1();
    TDM1(const TDM1 &) = delete;
    TDM1 &operator=(const TDM1 &) = delete;

    void DataModuleCreate();
    void DataModuleDestroy();
    void ScadDataAfterInsert(memdata::Table &table);

    QString dataFileName() const;
    // Where the file that could not be read at start-up was kept, empty when none was.
    const QString &keptUnreadableFile() const { return m_keptUnreadable; }

    memdata::Table ScadData{QStringLiteral("ScadData")};
    TDataSource DSScad{&ScadData};
    int ScadDataRecId = -1;
    int ScadDataDataOra = -1;
    int ScadDataOggetto = -1;
    int ScadDatanote = -1;
    int ScadDataNumScad = -1;

private:
    void showError(const Error &error) const;
    void keepUnreadableFile(const QString &fileName);
    QString saveToFallback(const QByteArray &content) const;

    Services m_services;
    QString m_keptUnreadable;
    // Set when a file could not be read and no copy of it could be kept: the end of the run
    // then must not replace it.
    bool m_protectDataFile = false;
};

} // namespace pensilio
