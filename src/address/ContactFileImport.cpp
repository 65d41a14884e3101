#include "ContactFileImport.h"

#include "AddressCsvImport.h"
#include "ContactCsvImport.h"
#include "CsvRowTable.h"

#include "base/RegularFile.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

bool ContactFileImport::looksLikeVCard(const QByteArray& head)
{
    QByteArray text = head.startsWith("\xEF\xBB\xBF") ? head.mid(3) : head;
    return text.trimmed().toUpper().startsWith("BEGIN:VCARD");
}

ContactFileImport::Result ContactFileImport::read(const QString& path)
{
    Result result;
    QByteArray head;
    {
        QFile file(path);
        if (RegularFile::open(file))
            head = file.read(4096);
    }
    if (looksLikeVCard(head)) {
        result.format = QStringLiteral("vCard");
        result.contacts = VCardReader::readFile(path);
        return result;
    }
    QStringList lines;
    if (const QString refusal = AddressCsvImport::readLines(path, &lines); !refusal.isEmpty()) {
        result.contacts.error = refusal;
        return result;
    }
    lines = ContactCsvImport::importLines(lines);
    const CsvRowTable table(lines);
    const int preset = table.rowCount() > 0 ? ContactCsvImport::presetOf(table.row(0)) : -1;
    if (preset < 0) {
        result.contacts.error = QCoreApplication::translate(
            "ContactFileImport",
            "連絡先のファイル（vCard、または Google・Outlook・Thunderbird の CSV）ではありません。");
        return result;
    }
    result.format = ContactCsvImport::presetName(ContactCsvImport::Preset(preset));
    // A thousand rows at a time, so that only the packed records grow with the file.
    const QStringList header = table.row(0);
    for (int first = 1; first < table.rowCount(); first += 1000) {
        QList<QStringList> rows;
        for (int r = first; r < std::min(table.rowCount(), first + 1000); ++r)
            rows.append(table.row(r));
        const QList<QStringList> records = ContactCsvImport::records(
            header, rows, ContactCsvImport::Preset(preset), &result.contacts.report);
        for (const QStringList& record : records) {
            bool any = false;
            for (const QString& field : record)
                any = any || !field.isEmpty();
            if (any)
                result.contacts.records.appendRecord(record);
            else
                ++result.contacts.skippedCards; // a row with nothing to keep
        }
    }
    return result;
}
