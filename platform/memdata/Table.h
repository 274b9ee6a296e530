#pragma once
// An in-memory table of typed fields whose rows are kept in the order of one date-time field,
// with a pending row for inserting and editing, bookmarks, a text index and TAB-separated text
// files. It knows nothing of what its rows mean: the owner declares the fields and the hooks.

#include "platform/core/DateTimeText.h"
#include "platform/core/Error.h"
#include "platform/core/WallDateTime.h"
#include "platform/memdata/TextArena.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace pensilio {
class Clock;
}

namespace pensilio::memdata {

enum class FieldType
{
    AutoIncrement,
    DateTime,
    Text
};

struct FieldDef
{
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // characters, for text fields
    int displayWidth = 0;
    // Computed fields are made by the table and never read from or written to a text file.
    bool computed() const { return type == FieldType::AutoIncrement; }
};

enum class TableState
{
    Closed,
    Browse,
    Insert,
    Edit
};

// A stored row's identity; it never changes while the table stays open.
using RowId = qint32;
constexpr RowId kNoRow = -1;

struct Bookmark
{
    RowId row = kNoRow;
    quint64 generation = 0;
};

// Displays bound to the table hear of each change at once, except while updates are suspended:
// then they get one reset when updates resume.
class TableObserver
{
public:
    virtual ~TableObserver() = default;
    virtual void tableReset() {}
    virtual void rowInserted(int position) { Q_UNUSED(position) }
    virtual void rowRemoved(int position, RowId row)
    {
        Q_UNUSED(position)
        Q_UNUSED(row)
    }
    // The row's content changed; it moved when the positions differ.
    virtual void rowChanged(int oldPosition, int newPosition)
    {
        Q_UNUSED(oldPosition)
        Q_UNUSED(newPosition)
    }
    virtual void currentChanged(int position) { Q_UNUSED(position) }
    virtual void stateChanged(TableState state) { Q_UNUSED(state) }
};

// Thrown by loading a text file for a line it cannot read; the rows before it stay in the table.
class TextFileLineError;

class Table
{
public:
    explicit Table(QString name);
    ~Table();
    Table(const Table &) = delete;
    Table &operator=(const Table &) = delete;

    // Set-up, while the table is closed.
    int addField(FieldDef field);
    void setSortField(int field);  // a DateTime field: rows ascend by it
    void setIndexField(int field); // a Text field: rows can be found by its value
    void setAfterInsert(std::function<void(Table &)> hook);
    // How dates read and write as text; the clock gives the current year to two-number dates.
    void setRegionalSettings(const RegionalSettings &settings, Clock *clock);
    const RegionalSettings &regionalSettings() const { return m_settings; }
    const DateTimeFormatter &dateTimeFormatter() const { return *m_formatter; }

    const QString &name() const { return m_name; }
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const FieldDef &field(int index) const { return m_fields[static_cast<size_t>(index)]; }
    int findField(QStringView name) const;   // ignoring case; -1 when none
    int fieldByName(QStringView name) const; // throws "Field '%s' not found"

    // Life cycle and editing.
    void open();
    void close();
    bool isOpen() const { return m_state != TableState::Closed; }
    TableState state() const { return m_state; }
    void append();
    void edit();
    void post();
    void cancel();
    void deleteCurrent();
    void refresh();
    bool pendingModified() const { return m_pendingSet; }

    // Stored rows; the pending row is never among them.
    int recordCount() const { return static_cast<int>(m_order.size()); }
    RowId rowAt(int position) const { return m_order[static_cast<size_t>(position)]; }
    int positionOf(RowId row) const; // -1 when the row is not stored
    bool isNull(RowId row, int field) const;
    WallDateTime dateTime(RowId row, int field) const
    {
        return WallDateTime::fromRaw(
            m_columns[static_cast<size_t>(field)].dates[static_cast<size_t>(row)]);
    }
    TextRef text(RowId row, int field) const
    {
        return m_columns[static_cast<size_t>(field)].texts[static_cast<size_t>(row)];
    }
    qint32 integer(RowId row, int field) const
    {
        Q_UNUSED(field)
        return row + 1;
    }
    QByteArray displayText(RowId row, int field) const; // dates as the regional formats write them
    const std::vector<RowId> &order() const { return m_order; }

    // The current record: a stored row, or the pending row while inserting or editing.
    int currentPosition() const { return m_current; } // -1: none, or a new row pending
    RowId currentRow() const;
    QByteArray fieldText(int field) const;
    WallDateTime fieldDateTime(int field) const;
    bool fieldIsNull(int field) const;
    void setFieldText(int field, const QByteArray &value);
    void setFieldDateTime(int field, WallDateTime value);
    void clearField(int field);

    // Moving; each first ends any pending change as refresh does.
    void first();
    void next();
    bool eof() const { return m_eof; }
    void setCurrentPosition(int position);
    bool findKey(const QByteArray &value); // exact match on the index field

    std::optional<Bookmark> bookmark() const;
    void gotoBookmark(const std::optional<Bookmark> &bookmark);

    void addObserver(TableObserver *observer);
    void removeObserver(TableObserver *observer);
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }
    // Suspends the displays for its lifetime, even when an error leaves the scope.
    class UpdateGuard
    {
    public:
        explicit UpdateGuard(Table &table) : m_table(table) { m_table.disableControls(); }
        ~UpdateGuard() { m_table.enableControls(); }
        UpdateGuard(const UpdateGuard &) = delete;
        UpdateGuard &operator=(const UpdateGuard &) = delete;

    private:
        Table &m_table;
    };

    // TAB-separated text files in the Windows-1252 code page with CR LF line ends.
    void loadTextFile(const QString &fileName);
    void saveTextFile(const QString &fileName);
    // The same content as saveTextFile writes, built in memory.
    QByteArray textFileContent();
    // Writes content built by textFileContent, with saveTextFile's errors.
    static void writeTextFile(const QString &fileName, const QByteArray &content);

    // Texts holding a TAB, CR or LF are written with these stand-ins, which no editor admits, so
    // a value never breaks a line of the file; reading maps them back.
    static constexpr char kTabStandIn = '\x1F';
    static constexpr char kLineFeedStandIn = '\x1E';
    static constexpr char kCarriageReturnStandIn = '\x1D';

private:
    struct PendingValue
    {
        bool null = true;
        qint64 number = 0;
        QByteArray text;
    };
    struct Column
    {
        std::vector<qint64> dates;
        std::vector<TextRef> texts;
    };

    QString prefixed(const QString &message) const;
    void requireOpen() const;
    void requireEditing() const;
    void beginPending(TableState state);
    void endPending();
    int placementFor(qint64 date) const;
    RowId newSlot();
    void writePendingInto(RowId row);
    void indexInsert(RowId row);
    void indexRemove(RowId row);
    bool indexLess(RowId a, RowId b) const;
    void invalidateIndex();
    void buildIndex();
    void sortRows();
    void setCurrent(int position);
    void setState(TableState state);
    template <typename F> void notify(F &&call);
    QByteArray textOf(const TextRef &ref) const { return ref.toByteArray(); }
    QByteArray cutText(const QByteArray &value, int field) const;
    void buildContent(QByteArray &out);

    QString m_name;
    std::vector<FieldDef> m_fields;
    int m_sortField = -1;
    int m_indexField = -1;
    std::function<void(Table &)> m_afterInsert;
    RegionalSettings m_settings;
    Clock *m_clock = nullptr;
    std::unique_ptr<DateTimeFormatter> m_formatter;

    TableState m_state = TableState::Closed;
    std::vector<Column> m_columns; // one per field, indexed by RowId
    RowId m_slotCount = 0;         // RowId + 1 is the row's creation number
    std::vector<RowId> m_order;
    // Built on the first search rather than at every load: most runs never search.
    std::vector<RowId> m_index;
    bool m_indexBuilt = false;
    TextArena m_arena;
    int m_current = -1;
    bool m_eof = true;
    quint64 m_generation = 1;

    std::vector<PendingValue> m_pending;
    RowId m_editing = kNoRow;
    bool m_pendingSet = false;

    std::vector<TableObserver *> m_observers;
    int m_disabled = 0;
    bool m_changedWhileDisabled = false;
};

class TextFileLineError : public Error
{
public:
    using Error::Error;
};

} // namespace pensilio::memdata
