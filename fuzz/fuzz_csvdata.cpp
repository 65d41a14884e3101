// CSV rows as print data: whatever the bytes, the table has one row per line (or per record
// that quoted line breaks hold together, its rows' lines rising) and the first line's
// column count, every cell of a one-line row is a piece of its line, sorting the shown order
// is a permutation in CP932 byte order, and placing rows (some of them outside the table)
// keeps the document's arrays whole with every row's sheet on the pages.

#include "FuzzChecks.h"

#include "address/AddressCsvImport.h"
#include "base/TextCodec.h"
#include "datasource/CsvDataTable.h"
#include "datasource/CsvFieldSplitter.h"
#include "datasource/CsvPlacement.h"
#include "datasource/CsvQuotedRecord.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"

#include <QDate>
#include <QTemporaryDir>

#include <algorithm>
#include <numeric>

namespace {

void checkTable(const QStringList& lines, const CsvDataTable& table)
{
    FUZZ_CHECK(table.rowCount() <= lines.size());
    if (lines.isEmpty()) {
        FUZZ_CHECK(table.columnCount() == 0);
        return;
    }
    FUZZ_CHECK(table.rowCount() >= 1);
    FUZZ_CHECK(table.columnCount() >= 1);
    FUZZ_CHECK(table.lineNumber(0) == 1);
    for (int r = 0; r < table.rowCount(); ++r) {
        const int line = table.lineNumber(r);
        const int next = r + 1 < table.rowCount() ? table.lineNumber(r + 1) : int(lines.size()) + 1;
        FUZZ_CHECK(line >= 1 && line < next && next <= lines.size() + 1);
        FUZZ_CHECK(next - line <= CsvQuotedRecord::MaxLines);
        FUZZ_CHECK(table.fieldCount(r) >= 1);
        FUZZ_CHECK(table.fieldCount(r) <= table.columnCount());
        for (int c = 0; c < table.fieldCount(r); ++c) {
            FUZZ_CHECK(table.cellView(r, c).size() <= CsvDataTable::MaxCellChars);
            if (next == line + 1)
                FUZZ_CHECK(lines.at(line - 1).contains(table.cellView(r, c)));
        }
        FUZZ_CHECK(table.cell(r, table.columnCount()).isEmpty());
    }
    if (table.rowCount() > 1 && table.lineNumber(1) == 2)
        FUZZ_CHECK(qint64(table.columnCount()) <= qint64(lines.first().size()) + 1);
}

void checkSort(const CsvDataTable& table, int column)
{
    for (bool ascending : {true, false}) {
        QList<int> order(table.rowCount());
        std::iota(order.begin(), order.end(), 0);
        table.sortRows(order, column, ascending);
        // A column of numbers (blank cells aside) by value, blank cells as the least; any
        // other by its CP932 bytes.
        bool numbers = false;
        for (int r = 0; r < table.rowCount(); ++r) {
            if (table.cellView(r, column).trimmed().isEmpty())
                continue;
            numbers = CsvDataTable::numberValue(table.cellView(r, column)).has_value();
            if (!numbers)
                break;
        }
        for (int i = 1; i < order.size(); ++i) {
            if (numbers) {
                const auto a = CsvDataTable::numberValue(table.cellView(order.at(i - 1), column));
                const auto b = CsvDataTable::numberValue(table.cellView(order.at(i), column));
                const auto below = [](const std::optional<double>& x,
                                      const std::optional<double>& y) {
                    return x && y ? *x < *y : !x && y;
                };
                FUZZ_CHECK(ascending ? !below(b, a) : !below(a, b));
                continue;
            }
            const QByteArray a = TextCodec::encode(table.cell(order.at(i - 1), column));
            const QByteArray b = TextCodec::encode(table.cell(order.at(i), column));
            FUZZ_CHECK(ascending ? !(b < a) : !(a < b));
        }
        std::sort(order.begin(), order.end());
        for (int i = 0; i < order.size(); ++i)
            FUZZ_CHECK(order.at(i) == i);
    }
}

// The first line is also the template's region texts (markers or anything else).
void checkPlacement(const CsvDataTable& table, const QStringList& attributes, int start)
{
    static QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    doc.newDocument();
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    for (int s = 0; s < 3; ++s) {
        Sheet sheet;
        sheet.rect = Rect{s * 300, 0, s * 300 + 250, -250};
        t.sheets.append(sheet);
    }
    for (int i = 0; i < std::min<int>(attributes.size(), 6); ++i) {
        TextRect r;
        r.rect = Rect{10, -10 - i * 30, 200, -35 - i * 30};
        r.attribute = attributes.at(i);
        t.regions.append(r);
    }
    doc.scalars().printStartPosition = start;
    QList<int> rows;
    for (int r = 0; r < std::min(table.rowCount() + 1, 40); ++r)
        rows.append(table.rowCount() - r); // the first one lies outside the table
    CsvPlacement::place(doc, table, rows, QDate(2027, 1, 1), nullptr);
    checkConsistent(doc.textRects().arrays());
    checkConsistent(doc.sheets().arrays());
    const int first = doc.printStartPosition() - 1;
    FUZZ_CHECK(qint64(doc.sheets().size()) >= qint64(first) + rows.size());
    FUZZ_CHECK(doc.textRects().size() == doc.sheets().size() * doc.regionsPerSheet());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    const QStringList lines = AddressCsvImport::decodeLines(input);
    const CsvDataTable table(lines);
    checkTable(lines, table);
    if (lines.isEmpty())
        return 0;
    for (const QString& line : lines.mid(0, 8)) {
        const int own = CsvFieldSplitter::columnCount(line);
        for (int limit : {0, 1, own, own + 3}) {
            const QStringList fields = CsvFieldSplitter::fields(line, limit);
            FUZZ_CHECK(fields.size() <= std::max(limit, 0));
            FUZZ_CHECK(limit == 0 || !fields.isEmpty());
        }
    }
    checkSort(table, int(size % std::max(table.columnCount(), 1)));
    checkPlacement(table, lines.first().split(u'|'), int(size % 5));
    return 0;
}
