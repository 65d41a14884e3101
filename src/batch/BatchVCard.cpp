#include "BatchVCard.h"

#include "address/AddressBook.h"
#include "address/AddressCsvImport.h"
#include "address/ContactFileImport.h"
#include "address/VCardReader.h"
#include "addressbook/VCardExchange.h"
#include "model/CORINOTEDoc.h"


namespace {

QString unknownGroup(const QString& name)
{
    return VCardExchange::unknownGroupMessage(name);
}

} // namespace

QString BatchVCard::importFile(CORINOTEDoc& doc, const QString& file, const QString& group,
                               QString* warning)
{
    const int g = VCardExchange::groupForName(group);
    if (g < 0)
        return unknownGroup(group);
    const VCardReader::Result result = VCardReader::readFile(file);
    if (!result.error.isEmpty())
        return QStringLiteral("%1: %2").arg(file, result.error);
    *warning = VCardExchange::readerMessage(result.skippedCards, result.skippedValues,
                                            result.report);
    if (VCardExchange::importRecords(doc, g, result.records) < 0)
        return QStringLiteral("%1: %2").arg(file, AddressCsvImport::noEntryNumbersMessage());
    return QString();
}

QString BatchVCard::importContacts(CORINOTEDoc& doc, const QString& file, const QString& group,
                                   QString* summary)
{
    const int g = VCardExchange::groupForName(group);
    if (g < 0)
        return unknownGroup(group);
    const ContactFileImport::Result read = ContactFileImport::read(file);
    const VCardReader::Result& result = read.contacts;
    if (!result.error.isEmpty())
        return QStringLiteral("%1: %2").arg(file, result.error);
    const int added = VCardExchange::importRecords(doc, g, result.records);
    if (added < 0)
        return QStringLiteral("%1: %2").arg(file, AddressCsvImport::noEntryNumbersMessage());
    *summary = VCardExchange::importSummary(file, read.format, g, added, result.skippedCards,
                                            result.skippedValues, result.report);
    return QString();
}

QString BatchVCard::exportGroup(const CORINOTEDoc& doc, const QString& group, const QString& file)
{
    const int g = VCardExchange::groupForName(group);
    if (g < 0)
        return unknownGroup(group);
    QList<AddressRecordRef> refs;
    for (int r = 0; r < doc.addressBook().group(g).recordCount(); ++r)
        refs.append(AddressRecordRef{g, r});
    const QString message = VCardExchange::exportRecords(doc.addressBook(), refs, file);
    return message.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(file, message);
}
