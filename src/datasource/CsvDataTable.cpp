#include "CsvDataTable.h"

#include "CsvQuotedRecord.h"

#include "address/AddressCsvImport.h"
#include "base/TextCodec.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <climits>
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
    joinQuotedLines();
    const int rows = int(mLines.size());
    mColumns = mJoined.contains(0) ? int(CsvQuotedRecord::fields(mLines.constFirst(), INT_MAX).size())
                                   : CsvFieldSplitter::columnCount(mLines.constFirst());
    mRowStart.reserve(rows + 1);
    if (progress)
        progress(0, total);
    for (int r = 0; r < rows; ++r) {
        mRowStart.append(mSpans.size());
        if (mJoined.contains(r)) {
            // The record's fields, unquoted, become its stored text; the spans point into it.
            const QStringList fields = CsvQuotedRecord::fields(mLines.at(r), mColumns);
            QString text;
            for (const QString& field : fields) {
                mSpans.append({qint32(text.size()), qint32(field.size())});
                text += field;
            }
            mLines[r] = text;
        } else {
            CsvFieldSplitter::split(mLines.at(r), mColumns, &mSpans);
        }
        if (progress && (r + 1) % kProgressStep == 0)
            progress(std::min(total, lineOfIndex(r + 1) - 1), total);
    }
    mRowStart.append(mSpans.size());
    for (const CsvFieldSplitter::Span& span : std::as_const(mSpans))
        mLongCells += span.length > MaxCellChars ? 1 : 0;
    if (progress)
        progress(total, total);
}

void CsvDataTable::joinQuotedLines()
{
    // Only lines with a quote can open a record of several lines; most files have none,
    // and keep their lines as they are.
    qsizetype to = 0;
    for (qsizetype from = 0; from < mLines.size(); ++from, ++to) {
        qsizetype last = from;
        if (mLines.at(from).contains(u'"') && CsvQuotedRecord::endsInsideQuotes(mLines.at(from))) {
            QString record = mLines.at(from);
            while (last + 1 < mLines.size() && last - from + 1 < CsvQuotedRecord::MaxLines &&
                   CsvQuotedRecord::endsInsideQuotes(record))
                record += u'\n' + mLines.at(++last);
            if (CsvQuotedRecord::endsInsideQuotes(record)) {
                last = from; // a quote that never closes: the line alone, as before
            } else {
                mLines[from] = record;
                mJoined.insert(int(to));
            }
        }
        if (last > from || !mFirstLines.isEmpty()) {
            if (mFirstLines.isEmpty()) {
                for (qsizetype i = 0; i < to; ++i)
                    mFirstLines.append(int(i + 1));
            }
            mFirstLines.append(int(from + 1));
        }
        if (to != from)
            mLines[to] = std::move(mLines[from]);
        from = last;
    }
    mLines.resize(to);
}

int CsvDataTable::lineOfIndex(int index) const
{
    return index < mFirstLines.size() ? mFirstLines.at(index) : index + 1;
}

QString CsvDataTable::longCellsMessage() const
{
    if (mLongCells == 0)
        return QString();
    const QLocale japanese(QLocale::Japanese);
    return tr("%1文字を超えるセルが%2個あり、%1文字までを使います。")
        .arg(japanese.toString(MaxCellChars))
        .arg(mLongCells);
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
    return lineOfIndex(row + (mFirstLineNames ? 1 : 0));
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
    qsizetype length = std::min<qsizetype>(span.length, MaxCellChars);
    const QStringView text = QStringView(mLines.at(line)).mid(span.start, span.length);
    if (length < text.size() && text.at(length - 1).isHighSurrogate())
        --length; // a pair is never split
    return text.first(length);
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
