#include "CsvRecords.h"

#include "CsvDataTable.h"
#include "CsvPlacement.h"

#include "address/CAddressData.h"
#include "address/NameBlock.h"
#include "model/CORINOTEDoc.h"
#include "model/PageBuilder.h"
#include "pages/Pagination.h"
#include "postal/PostalCode.h"

#include <QHash>

namespace {

// A name as English headers are compared: "Postal Code", "postal_code" and "PostalCode"
// alike.
QString folded(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (QChar c : name) {
        if (c.isSpace() || c == u'_' || c == u'-' || c == u'.')
            continue;
        out.append(c.toLower());
    }
    return out;
}

const QHash<QString, int>& aliases()
{
    using A = CAddressData;
    static const QHash<QString, int> table{
        {QStringLiteral("名前"), A::Name},
        {QStringLiteral("住所"), A::Address1},
        {QStringLiteral("電話番号"), A::Phone1},
        {QStringLiteral("メールアドレス"), A::Mail1},
        {QStringLiteral("name"), A::Name},
        {QStringLiteral("fullname"), A::Name},
        {QStringLiteral("honorific"), A::Honorific},
        {QStringLiteral("postalcode"), A::PostalCode},
        {QStringLiteral("postcode"), A::PostalCode},
        {QStringLiteral("zip"), A::PostalCode},
        {QStringLiteral("zipcode"), A::PostalCode},
        {QStringLiteral("address"), A::Address1},
        {QStringLiteral("address1"), A::Address1},
        {QStringLiteral("addressline1"), A::Address1},
        {QStringLiteral("address2"), A::Address2},
        {QStringLiteral("addressline2"), A::Address2},
        {QStringLiteral("address3"), A::Address3},
        {QStringLiteral("addressline3"), A::Address3},
        {QStringLiteral("company"), A::Company},
        {QStringLiteral("organization"), A::Company},
        {QStringLiteral("department"), A::Department},
        {QStringLiteral("jobtitle"), A::Position},
        {QStringLiteral("phone"), A::Phone1},
        {QStringLiteral("telephone"), A::Phone1},
        {QStringLiteral("email"), A::Mail1},
    };
    return table;
}

} // namespace

int CsvRecords::columnFor(const QString& name)
{
    const QString trimmed = name.trimmed();
    const int column = CAddressData::columnForTitle(trimmed);
    if (column >= 0)
        return column == CAddressData::EntryNumber ? -1 : column;
    return aliases().value(folded(trimmed), -1);
}

QList<int> CsvRecords::mapping(const QStringList& names)
{
    QList<int> columns;
    columns.reserve(names.size());
    for (const QString& name : names) {
        const int column = columnFor(name);
        columns.append(columns.contains(column) ? -1 : column);
    }
    return columns;
}

CAddressData CsvRecords::recordList(const CsvDataTable& table, const QList<int>& rows,
                                    int startPosition)
{
    CAddressData records;
    for (int i = 1; i < startPosition; ++i)
        records.appendBlankRecord();
    const QList<int> columns = mapping(table.columnNames());
    for (int row : rows) {
        QStringList values(CAddressData::TextColumnCount);
        for (int c = 0; c < columns.size(); ++c) {
            const int to = columns.at(c);
            if (to < 0)
                continue;
            const QString cell = table.cell(row, c);
            const bool code =
                to == CAddressData::PostalCode || to == CAddressData::CompanyPostalCode;
            values[to] = code ? PostalCode::storedForm(cell) : cell;
        }
        // As the address book saves a record: a joint name without its own honorific
        // takes the main one.
        NameBlock::fillJointHonorifics(values);
        records.appendRecord(values);
    }
    return records;
}

void CsvRecords::place(CORINOTEDoc& doc, const CsvDataTable& table, const QList<int>& rows,
                       const QDate& today, const TextMeasurer* measurer,
                       const std::function<void(int, int)>& progress)
{
    const QList<int> taken = rows.mid(0, CsvPlacement::MaxRows);
    PageBuilder::buildPageOne(doc);
    doc.recordList() = recordList(table, taken, doc.printStartPosition());
    // The ordinary merge, as for reserved records: it also clears the sheets before the
    // start position and after the last row.
    Pagination::mergeHeldRecords(doc, today, measurer, progress);
    CsvPlacement::fillMarkers(doc, table, taken, doc.printStartPosition() - 1, int(taken.size()),
                              measurer, {});
    CsvPlacement::finish(doc);
}
