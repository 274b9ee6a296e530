#include "store/UDM1.h"

#include "platform/core/Clock.h"
#include "platform/core/ErrorText.h"
#include "platform/core/MessageBoxes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace pensilio {

QString ProgramFolder = QStringLiteral("c:\\");

QString programFolderOf(const QString &executablePath)
{
    QString folder = executablePath.left(executablePath.lastIndexOf(QLatin1Char('/')) + 1);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

namespace {

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value % 100, 2, 10, QLatin1Char('0'));
}

QString stamp(const WallDateTime &now)
{
    const WallDateTime::Parts p = now.parts();
    return QStringLiteral("%1%2%3-%4%5%6")
        .arg(p.year, 4, 10, QLatin1Char('0'))
        .arg(twoDigits(p.month), twoDigits(p.day), twoDigits(p.hour), twoDigits(p.minute),
             twoDigits(p.second));
}

// A name beside 'base' that no file has yet: base + suffix, then base-2 + suffix, and so on.
QString freshName(const QString &base, const QString &suffix)
{
    QString name = base + suffix;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = base + QLatin1Char('-') + QString::number(n) + suffix;
    return name;
}

} // namespace

TDM1::TDM1(const Services &services) : m_services(services)
{
    using memdata::FieldDef;
    using memdata::FieldType;
    ScadDataRecId = ScadData.addField(FieldDef{QStringLiteral("RecId"), FieldType::AutoIncrement});
    ScadDataDataOra = ScadData.addField(FieldDef{QStringLiteral("DataOra"), FieldType::DateTime});
    ScadDataOggetto = ScadData.addField(FieldDef{QStringLiteral("Oggetto"), FieldType::Text, 50});
    ScadDatanote = ScadData.addField(FieldDef{QStringLiteral("note"), FieldType::Text, 1000, 2000});
    ScadDataNumScad = ScadData.addField(FieldDef{QStringLiteral("NumScad"), FieldType::Text, 20});
    ScadData.setSortField(ScadDataDataOra);
    ScadData.setIndexField(ScadDataNumScad);
    ScadData.setRegionalSettings(m_services.settings, m_services.clock);
    ScadData.setAfterInsert([this](memdata::Table &table) { ScadDataAfterInsert(table); });
    try {
        DataModuleCreate();
    } catch (const Error &error) {
        showError(error);
    }
}

TDM1::~TDM1()
{
    try {
        DataModuleDestroy();
    } catch (const Error &error) {
        showError(error);
    }
    ScadData.close();
}

void TDM1::showError(const Error &error) const
{
    if (m_services.boxes)
        m_services.boxes->showError(m_services.title, errorBoxText(error.message(), error.note()));
}

QString TDM1::dataFileName() const
{
    return ProgramFolder + QStringLiteral("Memodata.dat");
}

void TDM1::DataModuleCreate()
{
    ProgramFolder = programFolderOf(m_services.executablePath);
    if (ScadData.isOpen())
        ScadData.close();
    ScadData.open();
    const QString name = dataFileName();
    const QFileInfo info(name);
    if (!info.exists() || info.isDir())
        return;
    try {
        ScadData.loadTextFile(name);
    } catch (const memdata::TextFileLineError &error) {
        // The memos before the bad line are in the table; the file itself, with the lines that
        // could not be read, is kept aside before the end of the run replaces it.
        keepUnreadableFile(name);
        const QString note =
            m_protectDataFile
                ? QStringLiteral("Non è stato possibile conservarne una copia: alla chiusura "
                                 "\"%1\" non sarà sostituito.")
                      .arg(name)
                : QStringLiteral("Il file letto è stato conservato come \"%1\".")
                      .arg(m_keptUnreadable);
        throw Error(error.message(), note);
    }
}

void TDM1::keepUnreadableFile(const QString &fileName)
{
    const QString base =
        fileName + QStringLiteral(".illeggibile-") + stamp(m_services.clock->now());
    const QString target = freshName(base, QString());
    if (QFile::copy(fileName, target))
        m_keptUnreadable = target;
    else
        m_protectDataFile = true;
}

QString TDM1::saveToFallback(const QByteArray &content) const
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                           QStringLiteral("/recupero");
    if (!QDir().mkpath(folder))
        return {};
    const QString name =
        freshName(folder + QStringLiteral("/Memodata-") + stamp(m_services.clock->now()),
                  QStringLiteral(".dat"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return {};
    if (file.write(content) != content.size() || !file.flush())
        return {};
    return name;
}

void TDM1::DataModuleDestroy()
{
    if (!ScadData.isOpen())
        return;
    const QString name = dataFileName();
    // Built once: the same bytes go to the data file or, when it cannot take them, aside, so
    // nothing of this run is lost.
    const QByteArray content = ScadData.textFileContent();
    QString failure;
    if (m_protectDataFile) {
        failure = QStringLiteral("Il file \"%1\" non è stato sostituito").arg(name);
    } else {
        try {
            memdata::Table::writeTextFile(name, content);
            return;
        } catch (const Error &error) {
            failure = error.message();
        }
    }
    const QString fallback = saveToFallback(content);
    throw Error(failure,
                fallback.isEmpty()
                    ? QStringLiteral("Non è stato possibile salvare i memo altrove.")
                    : QStringLiteral("I memo sono stati salvati in \"%1\".").arg(fallback));
}

void TDM1::ScadDataAfterInsert(memdata::Table &table)
{
    table.setFieldDateTime(ScadDataDataOra, m_services.clock->now());
    table.setFieldText(ScadDatanote, QByteArray(""));
    table.setFieldText(ScadDataOggetto, QByteArray(""));
    const WallDateTime::Parts p = m_services.clock->now().parts();
    char key[13];
    const int values[6] = {p.year % 100, p.month, p.day, p.hour, p.minute, p.second};
    for (int i = 0; i < 6; ++i) {
        key[2 * i] = static_cast<char>('0' + values[i] / 10);
        key[2 * i + 1] = static_cast<char>('0' + values[i] % 10);
    }
    table.setFieldText(ScadDataNumScad, QByteArray(key, 12));
}

} // namespace pensilio
