#include "VCardExchange.h"

#include "address/AddressBook.h"
#include "address/AddressCsvImport.h"
#include "address/CAddressData.h"
#include "address/ContactImportReport.h"
#include "address/VCardWriter.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <limits>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("VCardExchange", text);
}

} // namespace

QString VCardExchange::groupName(int group)
{
    if (group == AddressBook::SenderGroup)
        return AddressBook::groupLabel(group);
    return AddressCsvImport::groupName(group);
}

QString VCardExchange::unknownGroupMessage(const QString& name)
{
    return tr("グループ「%1」はありません（タブの名前か 0 から 19 の番号を指定してください）。")
        .arg(name);
}

int VCardExchange::groupForName(const QString& name)
{
    const QString text = name.trimmed();
    for (int g = 0; g < AddressBook::GroupCount; ++g) {
        if (text == AddressBook::groupLabel(g) || text == groupName(g))
            return g;
    }
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && number >= 0 && number < AddressBook::GroupCount ? number : -1;
}

QString VCardExchange::importQuestion(const QString& path, int group, int cards)
{
    return tr("vCardファイル「%1」の%2件を「%3」に追加します。よろしいですか？")
        .arg(QFileInfo(path).fileName())
        .arg(cards)
        .arg(groupName(group));
}

QString VCardExchange::skippedMessage(int skippedCards, int skippedValues)
{
    if (skippedCards == 0 && skippedValues == 0)
        return QString();
    return tr("読み込めなかったvCard %1件と項目 %2件を飛ばしました。")
        .arg(skippedCards)
        .arg(skippedValues);
}

QString VCardExchange::readerMessage(int skippedCards, int skippedValues,
                                     const ContactImportReport& report)
{
    QStringList lines;
    if (const QString skipped = skippedMessage(skippedCards, skippedValues); !skipped.isEmpty())
        lines.append(skipped);
    if (const QString notes = report.message(); !notes.isEmpty())
        lines.append(notes);
    return lines.join(u'\n');
}

QString VCardExchange::importSummary(const QString& path, const QString& format, int group,
                                     int added, int skippedCards, int skippedValues,
                                     const ContactImportReport& report)
{
    QString text = tr("%1（%2）: %3件を読み込み、「%4」に%5件を追加しました。")
                       .arg(QFileInfo(path).fileName(), format)
                       .arg(added + skippedCards)
                       .arg(groupName(group))
                       .arg(added);
    if (const QString more = readerMessage(skippedCards, skippedValues, report); !more.isEmpty())
        text += u'\n' + more;
    return text;
}

int VCardExchange::appendRecords(AddressBook& book, int group, const CAddressData& records)
{
    if (group < 0 || group >= AddressBook::GroupCount)
        return -1;
    const int count = records.recordCount();
    if (count == 0)
        return 0;
    // The window's next number once, then counted on: every appended record is the new
    // largest, so each gets what the window's "追加" would give it.
    const qint64 first = book.nextEntrySequence(group);
    if (first <= 0 || qint64(count) - 1 > std::numeric_limits<qint64>::max() - first)
        return -1;
    const QString firstNumber = book.nextEntryNumber(group);
    const QString prefix = firstNumber.left(firstNumber.size() - QString::number(first).size());
    CAddressData& data = book.group(group);
    qint64 number = first;
    for (int r = 0; r < count; ++r) {
        data.appendRecordFrom(records, r);
        data.setField(data.recordCount() - 1, CAddressData::EntryNumber,
                      prefix + QString::number(number));
        if (number < std::numeric_limits<qint64>::max())
            ++number;
    }
    return count;
}

int VCardExchange::importRecords(CORINOTEDoc& doc, int group, const CAddressData& records)
{
    if (records.isEmpty())
        return 0;
    if (group < 0 || group >= AddressBook::GroupCount ||
        doc.addressBook().nextEntrySequence(group) <= 0 ||
        qint64(records.recordCount()) - 1 >
            std::numeric_limits<qint64>::max() - doc.addressBook().nextEntrySequence(group))
        return -1;
    doc.takeUndoSnapshot(QStringLiteral("vCardの読み込み"));
    const int added = appendRecords(doc.addressBook(), group, records);
    doc.setModified(true);
    return added;
}

QString VCardExchange::exportRecords(const AddressBook& book, const QList<AddressRecordRef>& refs,
                                     const QString& path)
{
    CAddressData listed;
    QList<int> order;
    for (const AddressRecordRef& ref : refs) {
        if (ref.group < 0 || ref.group >= AddressBook::GroupCount || ref.record < 0 ||
            ref.record >= book.group(ref.group).recordCount())
            continue;
        listed.appendRecordFrom(book.group(ref.group), ref.record);
        order.append(int(order.size()));
    }
    if (order.isEmpty())
        return tr("出力する住所録データがありません。");
    return VCardWriter::writeFile(path, listed, order);
}
