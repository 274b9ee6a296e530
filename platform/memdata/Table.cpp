#include "platform/memdata/Table.h"

#include "platform/core/Clock.h"
#include "platform/core/Error.h"

#include <algorithm>
#include <cstring>

namespace pensilio::memdata {

namespace {
int compareBytes(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    if (n) {
        const int c = std::memcmp(a.data(), b.data(), n);
        if (c)
            return c;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}
} // namespace

Table::Table(QString name)
    : m_name(std::move(name)), m_formatter(std::make_unique<DateTimeFormatter>(m_settings))
{}

Table::~Table() = default;

int Table::addField(FieldDef field)
{
    m_fields.push_back(std::move(field));
    return fieldCount() - 1;
}

void Table::setSortField(int field)
{
    m_sortField = field;
}
void Table::setIndexField(int field)
{
    m_indexField = field;
}
void Table::setAfterInsert(std::function<void(Table &)> hook)
{
    m_afterInsert = std::move(hook);
}

void Table::setRegionalSettings(const RegionalSettings &settings, Clock *clock)
{
    m_settings = settings;
    m_clock = clock;
    m_formatter = std::make_unique<DateTimeFormatter>(settings);
}

int Table::findField(QStringView name) const
{
    for (int i = 0; i < fieldCount(); ++i) {
        if (name.compare(m_fields[static_cast<size_t>(i)].name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int Table::fieldByName(QStringView name) const
{
    const int index = findField(name);
    if (index < 0)
        throw Error(prefixed(QStringLiteral("Field '%1' not found").arg(name)));
    return index;
}

QString Table::prefixed(const QString &message) const
{
    return QStringLiteral("%1: %2").arg(m_name, message);
}

void Table::requireOpen() const
{
    if (m_state == TableState::Closed)
        throw Error(prefixed(QStringLiteral("Cannot perform this operation on a closed dataset")));
}

void Table::requireEditing() const
{
    if (m_state != TableState::Insert && m_state != TableState::Edit)
        throw Error(prefixed(QStringLiteral("Dataset not in edit or insert mode")));
}

template <typename F> void Table::notify(F &&call)
{
    if (m_disabled > 0) {
        m_changedWhileDisabled = true;
        return;
    }
    // A copy, so that an observer may detach itself while being told.
    const std::vector<TableObserver *> observers = m_observers;
    for (TableObserver *o : observers)
        call(o);
}

void Table::addObserver(TableObserver *observer)
{
    m_observers.push_back(observer);
}

void Table::removeObserver(TableObserver *observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

void Table::disableControls()
{
    ++m_disabled;
}

void Table::enableControls()
{
    if (m_disabled == 0)
        return;
    if (--m_disabled == 0 && m_changedWhileDisabled) {
        m_changedWhileDisabled = false;
        notify([](TableObserver *o) { o->tableReset(); });
    }
}

void Table::setState(TableState state)
{
    if (m_state == state)
        return;
    m_state = state;
    notify([state](TableObserver *o) { o->stateChanged(state); });
}

void Table::setCurrent(int position)
{
    m_current = position;
    notify([position](TableObserver *o) { o->currentChanged(position); });
}

void Table::open()
{
    if (isOpen())
        return;
    m_columns.assign(m_fields.size(), Column{});
    m_slotCount = 0;
    m_order.clear();
    m_index.clear();
    m_indexBuilt = false;
    m_arena.clear();
    m_current = -1;
    m_eof = true;
    m_pending.clear();
    m_editing = kNoRow;
    m_pendingSet = false;
    ++m_generation;
    m_state = TableState::Browse;
    notify([](TableObserver *o) { o->tableReset(); });
}

void Table::close()
{
    if (!isOpen())
        return;
    m_columns.clear();
    m_order.clear();
    m_order.shrink_to_fit();
    m_index.clear();
    m_index.shrink_to_fit();
    m_indexBuilt = false;
    m_arena.clear();
    m_slotCount = 0;
    m_current = -1;
    m_eof = true;
    m_pending.clear();
    m_editing = kNoRow;
    m_pendingSet = false;
    ++m_generation;
    m_state = TableState::Closed;
    notify([](TableObserver *o) { o->tableReset(); });
}

void Table::beginPending(TableState state)
{
    m_pending.assign(m_fields.size(), PendingValue{});
    m_pendingSet = false;
    if (state == TableState::Edit) {
        m_editing = rowAt(m_current);
        for (int f = 0; f < fieldCount(); ++f) {
            PendingValue &v = m_pending[static_cast<size_t>(f)];
            v.null = isNull(m_editing, f);
            if (m_fields[static_cast<size_t>(f)].type == FieldType::Text)
                v.text = text(m_editing, f).toByteArray();
            else if (m_fields[static_cast<size_t>(f)].type == FieldType::DateTime)
                v.number = dateTime(m_editing, f).raw();
            else
                v.number = integer(m_editing, f);
        }
    } else {
        m_editing = kNoRow;
        for (int f = 0; f < fieldCount(); ++f) {
            if (m_fields[static_cast<size_t>(f)].type == FieldType::AutoIncrement) {
                m_pending[static_cast<size_t>(f)].null = false;
                m_pending[static_cast<size_t>(f)].number = m_slotCount + 1;
            }
        }
    }
    setState(state);
}

void Table::endPending()
{
    m_pending.clear();
    m_editing = kNoRow;
    m_pendingSet = false;
}

void Table::append()
{
    requireOpen();
    refresh();
    beginPending(TableState::Insert);
    m_eof = false;
    if (m_afterInsert)
        m_afterInsert(*this);
}

void Table::edit()
{
    requireOpen();
    if (m_state != TableState::Browse)
        return;
    if (m_order.empty()) {
        append();
        return;
    }
    if (m_current < 0)
        setCurrent(0);
    beginPending(TableState::Edit);
}

int Table::placementFor(qint64 date) const
{
    if (m_sortField < 0)
        return recordCount();
    const std::vector<qint64> &dates = m_columns[static_cast<size_t>(m_sortField)].dates;
    auto less = [&dates](RowId row, qint64 value) {
        return dates[static_cast<size_t>(row)] < value;
    };
    auto greater = [&dates](qint64 value, RowId row) {
        return value < dates[static_cast<size_t>(row)];
    };
    const auto lower = std::lower_bound(m_order.begin(), m_order.end(), date, less);
    const auto upper = std::upper_bound(lower, m_order.end(), date, greater);
    // Before its ties, except at the end of the table, where it goes behind them; first when
    // every stored row ties with it.
    if (upper == m_order.end() && lower != m_order.begin())
        return recordCount();
    return static_cast<int>(lower - m_order.begin());
}

RowId Table::newSlot()
{
    const RowId row = m_slotCount++;
    for (size_t f = 0; f < m_fields.size(); ++f) {
        switch (m_fields[f].type) {
        case FieldType::AutoIncrement:
            break;
        case FieldType::DateTime:
            m_columns[f].dates.push_back(WallDateTime::kNull);
            break;
        case FieldType::Text:
            m_columns[f].texts.push_back(TextRef{});
            break;
        }
    }
    return row;
}

void Table::writePendingInto(RowId row)
{
    for (size_t f = 0; f < m_fields.size(); ++f) {
        const PendingValue &v = m_pending[f];
        switch (m_fields[f].type) {
        case FieldType::AutoIncrement:
            break;
        case FieldType::DateTime:
            m_columns[f].dates[static_cast<size_t>(row)] = v.null ? WallDateTime::kNull : v.number;
            break;
        case FieldType::Text: {
            TextRef &stored = m_columns[f].texts[static_cast<size_t>(row)];
            // An unchanged text keeps its bytes, so editing a memo costs no new copy of it.
            if (v.null)
                stored = TextRef{};
            else if (stored.isNull() ||
                     stored.view() !=
                         std::string_view(v.text.constData(), static_cast<size_t>(v.text.size())))
                stored = m_arena.store(v.text.constData(), v.text.size());
            break;
        }
        }
    }
}

void Table::post()
{
    requireOpen();
    if (m_state == TableState::Browse)
        return;
    const qint64 date = m_sortField >= 0 && !m_pending[static_cast<size_t>(m_sortField)].null
                            ? m_pending[static_cast<size_t>(m_sortField)].number
                            : WallDateTime::kNull;
    if (m_state == TableState::Insert) {
        const RowId row = newSlot();
        writePendingInto(row);
        const int position = placementFor(date);
        m_order.insert(m_order.begin() + position, row);
        indexInsert(row);
        endPending();
        setState(TableState::Browse);
        notify([position](TableObserver *o) { o->rowInserted(position); });
        setCurrent(position);
        return;
    }
    const RowId row = m_editing;
    const int oldPosition = m_current;
    const bool moved = m_sortField >= 0 && dateTime(row, m_sortField).raw() != date;
    const bool rekeyed = m_indexField >= 0 && (m_pending[static_cast<size_t>(m_indexField)].null !=
                                                   isNull(row, m_indexField) ||
                                               m_pending[static_cast<size_t>(m_indexField)].text !=
                                                   text(row, m_indexField).toByteArray());
    if (rekeyed)
        indexRemove(row);
    writePendingInto(row);
    if (rekeyed)
        indexInsert(row);
    int newPosition = oldPosition;
    if (moved) {
        m_order.erase(m_order.begin() + oldPosition);
        newPosition = placementFor(date);
        m_order.insert(m_order.begin() + newPosition, row);
    }
    endPending();
    setState(TableState::Browse);
    notify([=](TableObserver *o) { o->rowChanged(oldPosition, newPosition); });
    setCurrent(newPosition);
}

void Table::cancel()
{
    requireOpen();
    if (m_state == TableState::Browse)
        return;
    const bool wasInsert = m_state == TableState::Insert;
    endPending();
    setState(TableState::Browse);
    if (wasInsert)
        setCurrent(recordCount() - 1);
    else
        setCurrent(m_current);
}

void Table::deleteCurrent()
{
    requireOpen();
    if (m_state == TableState::Insert) {
        cancel();
        return;
    }
    if (m_state == TableState::Edit) {
        endPending();
        setState(TableState::Browse);
    }
    if (m_order.empty())
        throw Error(prefixed(QStringLiteral("Cannot perform this operation on an empty dataset")));
    if (m_current < 0)
        m_current = 0;
    const int position = m_current;
    const RowId row = rowAt(position);
    indexRemove(row);
    m_order.erase(m_order.begin() + position);
    notify([=](TableObserver *o) { o->rowRemoved(position, row); });
    setCurrent(position < recordCount() ? position : recordCount() - 1);
    if (m_order.empty())
        m_eof = true;
}

void Table::refresh()
{
    requireOpen();
    if (m_state == TableState::Browse)
        return;
    if (m_pendingSet)
        post();
    else
        cancel();
}

int Table::positionOf(RowId row) const
{
    if (row < 0 || row >= m_slotCount)
        return -1;
    auto begin = m_order.begin();
    auto end = m_order.end();
    if (m_sortField >= 0) {
        const std::vector<qint64> &dates = m_columns[static_cast<size_t>(m_sortField)].dates;
        const qint64 date = dates[static_cast<size_t>(row)];
        begin = std::lower_bound(m_order.begin(), m_order.end(), date, [&dates](RowId r, qint64 v) {
            return dates[static_cast<size_t>(r)] < v;
        });
        end = std::upper_bound(begin, m_order.end(), date, [&dates](qint64 v, RowId r) {
            return v < dates[static_cast<size_t>(r)];
        });
    }
    const auto it = std::find(begin, end, row);
    return it == end ? -1 : static_cast<int>(it - m_order.begin());
}

bool Table::isNull(RowId row, int field) const
{
    const FieldDef &def = m_fields[static_cast<size_t>(field)];
    const Column &c = m_columns[static_cast<size_t>(field)];
    switch (def.type) {
    case FieldType::AutoIncrement:
        return false;
    case FieldType::DateTime:
        return c.dates[static_cast<size_t>(row)] == WallDateTime::kNull;
    case FieldType::Text:
        return c.texts[static_cast<size_t>(row)].isNull();
    }
    return true;
}

QByteArray Table::displayText(RowId row, int field) const
{
    switch (m_fields[static_cast<size_t>(field)].type) {
    case FieldType::AutoIncrement:
        return QByteArray::number(integer(row, field));
    case FieldType::DateTime:
        return m_formatter->format(dateTime(row, field));
    case FieldType::Text:
        return text(row, field).toByteArray();
    }
    return {};
}

RowId Table::currentRow() const
{
    if (m_state == TableState::Insert || m_current < 0)
        return kNoRow;
    return rowAt(m_current);
}

QByteArray Table::fieldText(int field) const
{
    if (m_state == TableState::Insert || m_state == TableState::Edit) {
        const PendingValue &v = m_pending[static_cast<size_t>(field)];
        if (v.null)
            return {};
        switch (m_fields[static_cast<size_t>(field)].type) {
        case FieldType::AutoIncrement:
            return QByteArray::number(v.number);
        case FieldType::DateTime:
            return m_formatter->format(WallDateTime::fromRaw(v.number));
        case FieldType::Text:
            return v.text;
        }
    }
    const RowId row = currentRow();
    return row == kNoRow ? QByteArray() : displayText(row, field);
}

WallDateTime Table::fieldDateTime(int field) const
{
    if (m_state == TableState::Insert || m_state == TableState::Edit) {
        const PendingValue &v = m_pending[static_cast<size_t>(field)];
        return v.null ? WallDateTime() : WallDateTime::fromRaw(v.number);
    }
    const RowId row = currentRow();
    return row == kNoRow ? WallDateTime() : dateTime(row, field);
}

bool Table::fieldIsNull(int field) const
{
    if (m_state == TableState::Insert || m_state == TableState::Edit)
        return m_pending[static_cast<size_t>(field)].null;
    const RowId row = currentRow();
    return row == kNoRow || isNull(row, field);
}

QByteArray Table::cutText(const QByteArray &value, int field) const
{
    qsizetype size = value.size();
    const qsizetype zero = value.indexOf('\0');
    if (zero >= 0)
        size = zero;
    const int limit = m_fields[static_cast<size_t>(field)].size;
    if (limit > 0 && size > limit)
        size = limit;
    return size == value.size() ? value : value.left(size);
}

void Table::setFieldText(int field, const QByteArray &value)
{
    requireEditing();
    PendingValue &v = m_pending[static_cast<size_t>(field)];
    switch (m_fields[static_cast<size_t>(field)].type) {
    case FieldType::AutoIncrement:
        return;
    case FieldType::DateTime:
        if (value.isEmpty()) {
            v.null = true;
        } else {
            const int year = m_clock ? m_clock->now().parts().year : 2000;
            v.number = DateTimeReader(m_settings, year).readOrThrow(value).raw();
            v.null = false;
        }
        break;
    case FieldType::Text:
        v.text = cutText(value, field);
        v.null = false;
        break;
    }
    m_pendingSet = true;
}

void Table::setFieldDateTime(int field, WallDateTime value)
{
    requireEditing();
    PendingValue &v = m_pending[static_cast<size_t>(field)];
    v.null = value.isNull();
    v.number = value.raw();
    m_pendingSet = true;
}

void Table::clearField(int field)
{
    requireEditing();
    PendingValue &v = m_pending[static_cast<size_t>(field)];
    v.null = true;
    v.text.clear();
    m_pendingSet = true;
}

void Table::first()
{
    requireOpen();
    refresh();
    m_eof = m_order.empty();
    setCurrent(m_order.empty() ? -1 : 0);
}

void Table::next()
{
    requireOpen();
    refresh();
    if (m_current + 1 < recordCount())
        setCurrent(m_current + 1);
    else
        m_eof = true;
}

void Table::setCurrentPosition(int position)
{
    requireOpen();
    refresh();
    if (position < 0 || position >= recordCount() || position == m_current)
        return;
    m_eof = false;
    setCurrent(position);
}

bool Table::indexLess(RowId a, RowId b) const
{
    const int c = compareBytes(text(a, m_indexField).view(), text(b, m_indexField).view());
    return c < 0 || (c == 0 && a < b);
}

void Table::indexInsert(RowId row)
{
    if (m_indexField < 0 || !m_indexBuilt)
        return;
    const auto it = std::lower_bound(m_index.begin(), m_index.end(), row,
                                     [this](RowId a, RowId b) { return indexLess(a, b); });
    m_index.insert(it, row);
}

void Table::indexRemove(RowId row)
{
    if (m_indexField < 0 || !m_indexBuilt)
        return;
    const auto it = std::lower_bound(m_index.begin(), m_index.end(), row,
                                     [this](RowId a, RowId b) { return indexLess(a, b); });
    if (it != m_index.end() && *it == row)
        m_index.erase(it);
}

void Table::invalidateIndex()
{
    m_index.clear();
    m_indexBuilt = false;
}

void Table::buildIndex()
{
    // Sorting on an eight-byte prefix first keeps the full comparisons for the few equal prefixes.
    struct Key
    {
        quint64 prefix;
        RowId row;
    };
    std::vector<Key> keys;
    keys.reserve(m_order.size());
    for (RowId row : m_order) {
        const std::string_view v = text(row, m_indexField).view();
        quint64 prefix = 0;
        for (size_t i = 0; i < 8; ++i)
            prefix = (prefix << 8) | (i < v.size() ? static_cast<unsigned char>(v[i]) : 0u);
        keys.push_back({prefix, row});
    }
    std::sort(keys.begin(), keys.end(), [this](const Key &a, const Key &b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        return indexLess(a.row, b.row);
    });
    m_index.clear();
    m_index.reserve(keys.size());
    for (const Key &k : keys)
        m_index.push_back(k.row);
    m_indexBuilt = true;
}

bool Table::findKey(const QByteArray &value)
{
    requireOpen();
    refresh();
    if (m_indexField < 0)
        return false;
    if (!m_indexBuilt)
        buildIndex();
    const std::string_view key(value.constData(), static_cast<size_t>(value.size()));
    const auto it = std::lower_bound(m_index.begin(), m_index.end(), key,
                                     [this](RowId row, std::string_view v) {
                                         return compareBytes(text(row, m_indexField).view(), v) < 0;
                                     });
    if (it == m_index.end() || text(*it, m_indexField).view() != key)
        return false;
    const int position = positionOf(*it);
    m_eof = false;
    if (position != m_current)
        setCurrent(position);
    return true;
}

std::optional<Bookmark> Table::bookmark() const
{
    const RowId row = currentRow();
    if (row == kNoRow)
        return std::nullopt;
    return Bookmark{row, m_generation};
}

void Table::gotoBookmark(const std::optional<Bookmark> &bookmark)
{
    if (!bookmark)
        return;
    requireOpen();
    refresh();
    const int position = bookmark->generation == m_generation ? positionOf(bookmark->row) : -1;
    if (position < 0)
        throw Error(QStringLiteral("Bookmark not found"));
    m_eof = false;
    if (position != m_current)
        setCurrent(position);
}

void Table::sortRows()
{
    if (m_sortField < 0)
        return;
    const std::vector<qint64> &dates = m_columns[static_cast<size_t>(m_sortField)].dates;
    // Rows are in creation order here, so the row number breaks ties in the order of appending.
    std::vector<std::pair<qint64, RowId>> keys;
    keys.reserve(m_order.size());
    for (RowId row : m_order)
        keys.emplace_back(dates[static_cast<size_t>(row)], row);
    std::sort(keys.begin(), keys.end());
    for (size_t i = 0; i < keys.size(); ++i)
        m_order[i] = keys[i].second;
}

} // namespace pensilio::memdata
