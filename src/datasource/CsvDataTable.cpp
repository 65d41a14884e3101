#include "CsvDataTable.h"

#include "address/AddressCsvImport.h"
#include "base/TextCodec.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CsvDataTable", text);
}

// Lines split between two reports to the progress window.
constexpr int kProgressStep = 1024;

// The half-width form of a character of a number; other characters as they are.
char16_t narrow(char16_t c)
{
    if (c >= u'０' && c <= u'９')
        return char16_t(u'0' + (c - u'０'));
    switch (c) {
    case u'＋':
        return u'+';
    case u'－':
    case u'−':
        return u'-';
    case u'．':
        return u'.';
    case u'，':
        return u',';
    default:
        return c;
    }
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

// A sign, digits (in groups of three after the first when commas separate them), a point
// and more digits; nothing else.
std::optional<double> CsvDataTable::numberValue(QStringView text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text.trimmed())
        s.append(QChar(narrow(c.unicode())));
    qsizetype i = 0;
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    const qsizetype intStart = i;
    int digits = 0;
    int group = 0; // digits since the last comma
    bool grouped = false;
    for (; i < s.size() && (isDigit(s.at(i).unicode()) || s.at(i) == u','); ++i) {
        if (s.at(i) == u',') {
            // The first group holds one to three digits, every later one exactly three.
            if (group == 0 || (grouped ? group != 3 : group > 3))
                return std::nullopt;
            grouped = true;
            group = 0;
            continue;
        }
        ++digits;
        ++group;
    }
    if (grouped && group != 3)
        return std::nullopt;
    const qsizetype intEnd = i;
    if (i < s.size() && s.at(i) == u'.') {
        for (++i; i < s.size() && isDigit(s.at(i).unicode()); ++i)
            ++digits;
    }
    if (digits == 0 || i != s.size())
        return std::nullopt;
    QString plain =
        s.left(intStart) + s.mid(intStart, intEnd - intStart).remove(u',') + s.mid(intEnd);
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

QString CsvDataTable::readLines(const QString& path, QStringList* lines)
{
    // The address book's import reads its files by the same rules.
    if (const QString refusal = AddressCsvImport::readFileLines(path, lines); !refusal.isEmpty())
        return refusal;
    if (lines->isEmpty())
        return tr("データが見つかりませんでした。");
    return QString();
}

CsvDataTable::CsvDataTable(QStringList lines, const Progress& progress) : mLines(std::move(lines))
{
    const int total = int(mLines.size());
    if (total == 0)
        return;
    mColumns = CsvFieldSplitter::columnCount(mLines.constFirst());
    mRowStart.reserve(total + 1);
    if (progress)
        progress(0, total);
    for (int r = 0; r < total; ++r) {
        mRowStart.append(mSpans.size());
        CsvFieldSplitter::split(mLines.at(r), mColumns, &mSpans);
        if (progress && (r + 1) % kProgressStep == 0)
            progress(r + 1, total);
    }
    mRowStart.append(mSpans.size());
    if (progress)
        progress(total, total);
}

void CsvDataTable::setFirstLineNames(bool names)
{
    mFirstLineNames = names && !mLines.isEmpty();
}

QStringList CsvDataTable::columnNames() const
{
    QStringList names(mColumns);
    for (int c = 0; c < mColumns; ++c)
        names[c] = columnName(c);
    return names;
}

QString CsvDataTable::columnName(int column) const
{
    return mFirstLineNames ? lineCell(0, column).trimmed().toString() : QString();
}

int CsvDataTable::lineNumber(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    return row + (mFirstLineNames ? 2 : 1);
}

int CsvDataTable::lineFieldCount(int line) const
{
    if (line < 0 || line >= mLines.size())
        return 0;
    return int(mRowStart.at(line + 1) - mRowStart.at(line));
}

QStringView CsvDataTable::lineCell(int line, int column) const
{
    if (column < 0 || column >= lineFieldCount(line))
        return QStringView();
    const CsvFieldSplitter::Span& span = mSpans.at(mRowStart.at(line) + column);
    return QStringView(mLines.at(line)).mid(span.start, span.length);
}

int CsvDataTable::fieldCount(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    return lineFieldCount(row + (mFirstLineNames ? 1 : 0));
}

QStringView CsvDataTable::cellView(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return QStringView();
    return lineCell(row + (mFirstLineNames ? 1 : 0), column);
}

QString CsvDataTable::cell(int row, int column) const
{
    return cellView(row, column).toString();
}

void CsvDataTable::sortRows(QList<int>& order, int column, bool ascending) const
{
    const int n = rowCount();
    for (int r : order) {
        if (r < 0 || r >= n)
            return;
    }
    // A column of numbers compares by value: byte order would put 10 before 9.
    QList<std::optional<double>> values(n);
    bool numeric = false;
    for (int r : order) {
        const QStringView text = cellView(r, column);
        if (text.trimmed().isEmpty())
            continue;
        values[r] = numberValue(text);
        if (!values[r]) {
            numeric = false;
            break;
        }
        numeric = true;
    }
    if (numeric) {
        // Empty cells first, as the empty text sorts first.
        const auto below = [&](int a, int b) {
            if (!values.at(a) || !values.at(b))
                return !values.at(a) && values.at(b);
            return *values.at(a) < *values.at(b);
        };
        const auto less = [&](int a, int b) { return ascending ? below(a, b) : below(b, a); };
        std::stable_sort(order.begin(), order.end(), less);
        return;
    }
    // Each key is encoded once, not at every comparison. Characters without a CP932 form
    // count as '?', as they would in a CP932 file.
    QList<QByteArray> keys(n);
    QByteArray key;
    for (int r : order) {
        key.clear();
        TextCodec::encodeAppend(cellView(r, column), key);
        keys[r] = key;
    }
    const auto less = [&](int a, int b) {
        return ascending ? keys.at(a) < keys.at(b) : keys.at(b) < keys.at(a);
    };
    std::stable_sort(order.begin(), order.end(), less);
}
