#include "CsvRowTable.h"

#include "CsvLineSplitter.h"

#include "base/TextCodec.h"

#include <QByteArray>

#include <algorithm>
#include <numeric>

CsvRowTable::CsvRowTable(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    mColumns = CsvLineSplitter::columnCount(lines.first());
    mRows.reserve(lines.size());
    for (const QString& line : lines)
        mRows.append(CsvLineSplitter::split(line, mColumns));
}

QString CsvRowTable::cell(int row, int column) const
{
    if (row < 0 || row >= mRows.size() || column < 0)
        return QString();
    const QStringList& fields = mRows.at(row);
    return column < fields.size() ? fields.at(column) : QString();
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
        keys.append(TextCodec::encode(cell(r, column)));
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
    if (order.size() != mRows.size())
        return;
    QList<QStringList> rows;
    rows.reserve(mRows.size());
    for (int from : order) {
        if (from < 0 || from >= mRows.size())
            return;
        rows.append(mRows.at(from));
    }
    mRows.swap(rows);
}
