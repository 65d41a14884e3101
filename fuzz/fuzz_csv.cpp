// CSV import and export: whatever the bytes, the lines, the column count and the split
// rows stay within what the file holds, every field is a piece of its line, sorting is a
// permutation, imported records are whole and numbered without repeats, and the export
// either refuses with a message or writes lines that read back as the same fields.

#include "FuzzChecks.h"

#include "address/AddressBook.h"
#include "address/AddressCsvExport.h"
#include "address/AddressCsvImport.h"
#include "address/CsvImportDefinition.h"
#include "address/CsvLineSplitter.h"
#include "address/CsvRowTable.h"
#include "base/TextCodec.h"

#include <algorithm>

namespace {

void checkTable(const QStringList& lines, const CsvRowTable& table)
{
    FUZZ_CHECK(table.rowCount() == lines.size());
    if (lines.isEmpty()) {
        FUZZ_CHECK(table.columnCount() == 0);
        return;
    }
    FUZZ_CHECK(table.columnCount() >= 1);
    FUZZ_CHECK(qint64(table.columnCount()) <= qint64(lines.first().size()) + 1);
    for (int r = 0; r < table.rowCount(); ++r) {
        const QStringList& fields = table.row(r);
        FUZZ_CHECK(!fields.isEmpty() || table.columnCount() == 0);
        FUZZ_CHECK(fields.size() <= table.columnCount());
        FUZZ_CHECK(fields.size() <= lines.at(r).size() + 1);
        for (const QString& field : fields)
            FUZZ_CHECK(lines.at(r).contains(field));
    }
}

void checkSort(const CsvRowTable& table, int column)
{
    for (bool ascending : {true, false}) {
        QList<int> order = table.sortOrder(column, ascending);
        FUZZ_CHECK(order.size() == table.rowCount());
        for (int i = 1; i < order.size(); ++i) {
            const QByteArray a = TextCodec::encode(table.cell(order.at(i - 1), column));
            const QByteArray b = TextCodec::encode(table.cell(order.at(i), column));
            FUZZ_CHECK(ascending ? !(b < a) : !(a < b));
        }
        std::sort(order.begin(), order.end());
        for (int i = 0; i < order.size(); ++i)
            FUZZ_CHECK(order.at(i) == i);
    }
}

// Imports up to 64 rows with the first line as the definition (the fuzzer shapes both).
QList<QStringList> checkImport(const CsvRowTable& table, const QString& definition)
{
    for (int c = 0; c < CsvImportDefinition::CodeCount; ++c) {
        const int column = CsvImportDefinition::column(definition, CsvImportDefinition::Code(c));
        FUZZ_CHECK(column >= 0);
        FUZZ_CHECK(column == 0 || definition.contains(u'='));
    }
    QList<QStringList> rows;
    for (int r = 0; r < std::min(table.rowCount(), 64); ++r)
        rows.append(table.row(r));
    AddressBook book;
    const int group = int(definition.size() % AddressCsvImport::ImportGroupCount);
    FUZZ_CHECK(AddressCsvImport::importRows(book, group, rows, definition, true) == rows.size());
    FUZZ_CHECK(AddressCsvImport::importRows(book, group, rows, definition, true) == rows.size());
    const CAddressData& data = book.group(group);
    FUZZ_CHECK(data.recordCount() == 2 * rows.size());
    // Numbered 1, 2, … in order, hence without repeats.
    const QString prefix = AddressBook::entryPrefix(group);
    for (int i = 0; i < data.recordCount(); ++i) {
        FUZZ_CHECK(data.fieldView(i, CAddressData::EntryNumber) ==
                   QString(prefix + QString::number(i + 1)));
        // The birth date is the row's own text: none is made up.
        const int birth = CsvImportDefinition::column(definition, CsvImportDefinition::BirthDate);
        const QStringList& row = rows.at(i % rows.size());
        FUZZ_CHECK(data.fieldView(i, CAddressData::BirthDate) ==
                   (birth >= 1 && birth <= row.size() ? row.at(birth - 1) : QString()));
    }
    for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
        if (!CAddressData::isReservedColumn(c))
            FUZZ_CHECK(data.columnSize(c) == data.recordCount());
    }
    FUZZ_CHECK(data.flags().size() == data.recordCount());
    return rows;
}

// The rows as 47-column list rows written and read back.
void checkExport(const QList<QStringList>& imported)
{
    QList<QStringList> rows;
    bool encodable = true;
    bool readsBack = true;
    for (QStringList row : imported) {
        row.resize(AddressCsvExport::ColumnCount);
        for (const QString& field : row) {
            encodable = encodable && TextCodec::isEncodable(field);
            readsBack = readsBack && !field.contains(u'"') &&
                        TextCodec::decode(TextCodec::encode(field)) == field;
        }
        rows.append(row);
    }
    QByteArray bytes;
    const QString message = AddressCsvExport::encode(rows, &bytes);
    FUZZ_CHECK(message.isEmpty() == encodable);
    FUZZ_CHECK(message.isEmpty() != bytes.isEmpty());
    if (!message.isEmpty())
        return;
    const QStringList lines = AddressCsvImport::decodeLines(bytes);
    FUZZ_CHECK(lines.size() == rows.size() + 1);
    FUZZ_CHECK(lines.first() == AddressCsvExport::headerLine());
    if (!readsBack)
        return;
    const CsvRowTable table(lines);
    FUZZ_CHECK(table.columnCount() == AddressCsvExport::ColumnCount);
    for (int r = 0; r < rows.size(); ++r) {
        QStringList back = table.row(r + 1);
        back.resize(AddressCsvExport::ColumnCount);
        FUZZ_CHECK(back == rows.at(r));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    const QStringList lines = AddressCsvImport::decodeLines(input);
    FUZZ_CHECK(qint64(lines.size()) <= qint64(size));
    for (const QString& line : lines)
        FUZZ_CHECK(!line.contains(u'\n'));

    const CsvRowTable table(lines);
    checkTable(lines, table);
    if (lines.isEmpty())
        return 0;
    // The splitter alone, with a limit below and above the line's own count.
    for (const QString& line : lines.mid(0, 8)) {
        const int own = CsvLineSplitter::columnCount(line);
        for (int limit : {0, 1, own, own + 3}) {
            const QStringList fields = CsvLineSplitter::split(line, limit);
            FUZZ_CHECK(fields.size() <= std::max(limit, 0));
            FUZZ_CHECK(limit == 0 || !fields.isEmpty());
        }
    }
    checkSort(table, int(size % std::max(table.columnCount(), 1)));
    checkExport(checkImport(table, lines.first()));
    return 0;
}
