#include "CsvRowTable.h"

#include "CsvLineSplitter.h"

#include "base/TextCodec.h"

#include <QByteArray>

#include <algorithm>
#include <numeric>

CsvRowTable::CsvRowTable(const QStringList& lines) : mLines(lines)
{
    if (lines.isEmpty())
        return;
    mColumns = CsvLineSplitter::columnCount(lines.first());
    mLineStart.reserve(lines.size() + 1);
    mOrder.reserve(lines.size());
    for (const QString& line : lines) {
        mOrder.append(int(mLineStart.size()));
        mLineStart.append(mSpans.size());
        CsvLineSplitter::splitSpans(line, mColumns, &mSpans);
    }
    mLineStart.append(mSpans.size());
}

int CsvRowTable::fieldCount(int row) const
{
    if (row < 0 || row >= mOrder.size())
        return 0;
    const int line = mOrder.at(row);
    return int(mLineStart.at(line + 1) - mLineStart.at(line));
}

QStringView CsvRowTable::cellView(int row, int column) const
{
    if (column < 0 || column >= fieldCount(row))
        return QStringView();
    const int line = mOrder.at(row);
    const CsvLineSplitter::Span& span = mSpans.at(mLineStart.at(line) + column);
    return QStringView(mLines.at(line)).mid(span.start, span.length);
}

QString CsvRowTable::cell(int row, int column) const
{
    return cellView(row, column).toString();
}

QStringList CsvRowTable::row(int r) const
{
    QStringList fields;
    const int count = fieldCount(r);
    fields.reserve(count);
    for (int c = 0; c < count; ++c)
        fields.append(cellView(r, c).toString());
    return fields;
}

QList<int> CsvRowTable::sortOrder(int column, bool ascending) const
{
    const int n = rowCount();
    QList<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    if (column < 0 || column >= mColumns)
        return order;

    // The comparison is on the CP932 bytes, so each key is encoded once rather than at
    // every comparison. Characters without a CP932 form count as '?', as they would in a
    // CP932 program.
    QList<QByteArray> keys;
    keys.reserve(n);
    for (int r = 0; r < n; ++r)
        keys.append(TextCodec::encode(cellView(r, column).toString()));
    const auto less = [&](int a, int b) {
        const QByteArray& ka = keys.at(a);
        const QByteArray& kb = keys.at(b);
        return ascending ? ka < kb : kb < ka;
    };
    std::stable_sort(order.begin(), order.end(), less);
    return order;
}

void CsvRowTable::reorder(const QList<int>& order)
{
    if (order.size() != mOrder.size())
        return;
    QList<int> lines;
    lines.reserve(mOrder.size());
    for (int from : order) {
        if (from < 0 || from >= mOrder.size())
            return;
        lines.append(mOrder.at(from));
    }
    mOrder.swap(lines);
}
