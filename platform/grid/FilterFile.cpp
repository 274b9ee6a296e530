#include "platform/grid/FilterFile.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/Cp1252.h"
#include "platform/core/Error.h"
#include "platform/grid/StockTexts.h"

#include <QDir>
#include <QFile>
#include <optional>

namespace pensilio::grid::filterfile {

namespace {
constexpr const char *kMagic = "pensilio-filter";

// File keywords of the operators, in FilterOperator order; they never change with the texts.
constexpr const char *kOperatorWords[kFilterOperatorCount] = {
    "equals",    "not-equals", "less",      "less-or-equal", "greater",    "greater-or-equal",
    "like",      "not-like",   "between",   "not-between",   "in",         "not-in",
    "yesterday", "today",      "tomorrow",  "last-week",     "last-month", "last-year",
    "this-week", "this-month", "this-year", "next-week",     "next-month", "next-year",
    "blank",     "not-blank",
};
constexpr const char *kGroupWords[] = {"and", "or", "not-and", "not-or"};

Error cannotBuild()
{
    return Error(stockText(QStringLiteral("Can't build filter from source")));
}

// ---- writing

void appendQuoted(QByteArray &out, const QByteArray &bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    out += '"';
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendValue(QByteArray &out, const FilterValue &value)
{
    switch (value.kind()) {
    case FilterValue::Kind::Null:
        out += "null";
        break;
    case FilterValue::Kind::Text:
        appendQuoted(out, value.textBytes());
        break;
    case FilterValue::Kind::DateTime: {
        const WallDateTime::Parts p = value.dateTimeValue().parts();
        if (p.year < 1 || p.year > 9999)
            throw cannotBuild();
        out += QStringLiteral("@%1-%2-%3T%4:%5:%6.%7")
                   .arg(p.year, 4, 10, QLatin1Char('0'))
                   .arg(p.month, 2, 10, QLatin1Char('0'))
                   .arg(p.day, 2, 10, QLatin1Char('0'))
                   .arg(p.hour, 2, 10, QLatin1Char('0'))
                   .arg(p.minute, 2, 10, QLatin1Char('0'))
                   .arg(p.second, 2, 10, QLatin1Char('0'))
                   .arg(p.msec, 3, 10, QLatin1Char('0'))
                   .toLatin1();
        break;
    }
    }
}

void appendNode(QByteArray &out, const FilterNode &node, const FilterColumns &columns, int level)
{
    const QByteArray indent(level * 2, ' ');
    if (!node.isGroup()) {
        const FilterCondition &condition = node.condition();
        out += indent + "condition ";
        appendQuoted(out, cp1252::fromUnicode(columns.byId(condition.column)->name));
        out += ' ';
        out += kOperatorWords[static_cast<int>(condition.op)];
        for (const FilterValue &value : condition.values) {
            out += ' ';
            appendValue(out, value);
        }
        out += "\r\n";
        return;
    }
    out += indent + "group " + kGroupWords[static_cast<int>(node.groupOperator())] + "\r\n";
    for (const FilterNode &child : node.children())
        appendNode(out, child, columns, level + 1);
    out += indent + "end\r\n";
}

// ---- reading

struct Token
{
    enum class Kind
    {
        Word,
        Text,
        Null,
        Date
    } kind = Kind::Word;
    QByteArray bytes;
    WallDateTime date;
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Reads a fixed-width decimal number, or -1.
int number(const QByteArray &text, qsizetype at, int width)
{
    int value = 0;
    for (int i = 0; i < width; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<WallDateTime> parseDate(const QByteArray &text)
{
    // yyyy-MM-ddTHH:mm:ss.zzz
    if (text.size() != 23 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != '.')
        return std::nullopt;
    const int year = number(text, 0, 4), month = number(text, 5, 2), day = number(text, 8, 2);
    const int hour = number(text, 11, 2), minute = number(text, 14, 2);
    const int second = number(text, 17, 2), msec = number(text, 20, 3);
    if (year < 1 || !WallDateTime::isValidDate(year, month, day) || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0)
        return std::nullopt;
    return WallDateTime::fromParts(year, month, day, hour, minute, second, msec);
}

std::vector<Token> tokenize(const QByteArray &line)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        if (isSpace(line[i])) {
            ++i;
            continue;
        }
        Token token;
        if (line[i] == '"') {
            token.kind = Token::Kind::Text;
            token.bytes = QByteArray(""); // an empty text is still a text
            ++i;
            for (;;) {
                if (i >= n)
                    throw cannotBuild();
                const char c = line[i++];
                if (c == '"')
                    break;
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                    throw cannotBuild();
                if (c != '\\') {
                    token.bytes += c;
                    continue;
                }
                if (i >= n)
                    throw cannotBuild();
                const char escaped = line[i++];
                if (escaped == '"' || escaped == '\\') {
                    token.bytes += escaped;
                } else if (escaped == 'x' && i + 1 < n && hexDigit(line[i]) >= 0 &&
                           hexDigit(line[i + 1]) >= 0) {
                    token.bytes +=
                        static_cast<char>(hexDigit(line[i]) * 16 + hexDigit(line[i + 1]));
                    i += 2;
                } else {
                    throw cannotBuild();
                }
            }
            if (i < n && !isSpace(line[i]))
                throw cannotBuild();
        } else {
            const qsizetype start = i;
            while (i < n && !isSpace(line[i]))
                ++i;
            token.bytes = line.mid(start, i - start);
            if (token.bytes == "null") {
                token.kind = Token::Kind::Null;
            } else if (token.bytes.startsWith('@')) {
                const auto date = parseDate(token.bytes.mid(1));
                if (!date)
                    throw cannotBuild();
                token.kind = Token::Kind::Date;
                token.date = *date;
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

template <size_t N> int keyword(const Token &token, const char *const (&words)[N])
{
    if (token.kind != Token::Kind::Word)
        return -1;
    for (size_t i = 0; i < N; ++i) {
        if (token.bytes == words[i])
            return static_cast<int>(i);
    }
    return -1;
}

FilterNode readCondition(const std::vector<Token> &tokens, const FilterColumns &columns)
{
    if (tokens.size() < 3 || tokens[1].kind != Token::Kind::Text)
        throw cannotBuild();
    const FilterColumn *column = columns.byName(cp1252::toUnicode(tokens[1].bytes));
    const int op = keyword(tokens[2], kOperatorWords);
    if (!column || op < 0)
        throw cannotBuild();
    FilterCondition condition{column->id, static_cast<FilterOperator>(op), {}};
    for (size_t i = 3; i < tokens.size(); ++i) {
        switch (tokens[i].kind) {
        case Token::Kind::Null:
            condition.values.emplace_back();
            break;
        case Token::Kind::Text:
            condition.values.push_back(FilterValue::text(tokens[i].bytes));
            break;
        case Token::Kind::Date:
            condition.values.push_back(FilterValue::dateTime(tokens[i].date));
            break;
        case Token::Kind::Word:
            throw cannotBuild();
        }
    }
    if (!condition.isValid(columns))
        throw cannotBuild();
    return FilterNode::condition(std::move(condition));
}
} // namespace

QByteArray write(const FilterNode &root, const FilterColumns &columns)
{
    // Refuse what could not be read back, rather than leave the user a file that fails later.
    if (!root.isValid(columns) || root.depth() > kMaxDepth)
        throw cannotBuild();
    QByteArray out = QByteArray(kMagic) + ' ' + QByteArray::number(kVersion) + "\r\n";
    if (root.isGroup())
        appendNode(out, root, columns, 0);
    else
        appendNode(out, FilterNode::group(FilterGroupOperator::And, {root}), columns, 0);
    return out;
}

FilterNode read(const QByteArray &content, const FilterColumns &columns)
{
    if (content.size() > kMaxSize)
        throw cannotBuild();
    bool versionSeen = false;
    std::vector<FilterNode> open; // the groups being read, the root first
    std::optional<FilterNode> root;
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().startsWith('#'))
            continue;
        const std::vector<Token> tokens = tokenize(line);
        if (tokens.empty())
            continue;
        if (tokens[0].kind != Token::Kind::Word || root)
            throw cannotBuild(); // nothing may follow the root's end
        const QByteArray &statement = tokens[0].bytes;
        if (!versionSeen) {
            if (statement != kMagic || tokens.size() != 2 || tokens[1].kind != Token::Kind::Word ||
                tokens[1].bytes != QByteArray::number(kVersion))
                throw cannotBuild();
            versionSeen = true;
        } else if (statement == "group") {
            const int op = tokens.size() == 2 ? keyword(tokens[1], kGroupWords) : -1;
            if (op < 0 || static_cast<int>(open.size()) >= kMaxDepth)
                throw cannotBuild();
            open.push_back(FilterNode::group(static_cast<FilterGroupOperator>(op)));
        } else if (statement == "condition") {
            if (open.empty())
                throw cannotBuild();
            open.back().append(readCondition(tokens, columns));
        } else if (statement == "end") {
            if (open.empty() || tokens.size() != 1)
                throw cannotBuild();
            FilterNode done = std::move(open.back());
            open.pop_back();
            if (open.empty())
                root = std::move(done);
            else
                open.back().append(std::move(done));
        } else {
            throw cannotBuild();
        }
    }
    if (!root)
        throw cannotBuild();
    return std::move(*root);
}

FilterNode load(const QString &path, const FilterColumns &columns)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("Cannot open file \"%1\". %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    // A huge file is no filter; do not read it all to find that out.
    if (file.size() > kMaxSize)
        throw cannotBuild();
    return read(file.read(kMaxSize + 1), columns);
}

void save(const QString &path, const FilterNode &root, const FilterColumns &columns)
{
    const QByteArray content = write(root, columns);
    const AtomicWriteResult result = writeFileAtomically(path, content);
    if (!result.ok()) {
        const QString pattern = result.failure == AtomicWriteResult::Failure::Create
                                    ? QStringLiteral("Cannot create file \"%1\". %2")
                                    : QStringLiteral("Cannot write file \"%1\". %2");
        throw Error(pattern.arg(QDir::toNativeSeparators(path), result.cause));
    }
}

} // namespace pensilio::grid::filterfile
