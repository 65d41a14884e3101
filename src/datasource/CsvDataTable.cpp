#include "CsvDataTable.h"

#include "address/AddressCsvImport.h"
#include "base/TextCodec.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CsvDataTable", text);
}

// Lines split between two reports to the progress window.
constexpr int kProgressStep = 1024;

} // namespace

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

int CsvDataTable::fieldCount(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    return int(mRowStart.at(row + 1) - mRowStart.at(row));
}

QStringView CsvDataTable::cellView(int row, int column) const
{
    if (column < 0 || column >= fieldCount(row))
        return QStringView();
    const CsvFieldSplitter::Span& span = mSpans.at(mRowStart.at(row) + column);
    return QStringView(mLines.at(row)).mid(span.start, span.length);
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
