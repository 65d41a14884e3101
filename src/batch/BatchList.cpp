#include "BatchList.h"

#include "address/AddressBook.h"
#include "addressbook/AddressListPrint.h"
#include "addressbook/AddressListRows.h"
#include "addressbook/VCardExchange.h"
#include "model/CORINOTEDoc.h"

QString BatchList::writePdf(CORINOTEDoc& doc, const QString& group, const QString& file,
                            const QDate& today)
{
    int tab = AddressListRows::AllTab;
    if (!group.isEmpty()) {
        const int g = VCardExchange::groupForName(group);
        if (g < 0)
            return VCardExchange::unknownGroupMessage(group);
        tab = g == AddressBook::SenderGroup ? int(AddressListRows::SenderTab) : g;
    }
    AddressListRows rows;
    rows.fill(doc, tab, today);
    const QString message = AddressListPrint::exportPdf(
        file, AddressListPrint::rows(doc.addressBook(), rows.rows()),
        AddressListRows::tabCaption(tab), today);
    return message.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(file, message);
}
