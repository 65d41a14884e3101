#include "AddressDetail.h"

#include "AddressListRows.h"
#include "address/AddressBook.h"
#include "address/CAddressData.h"

#include <QCoreApplication>

namespace {

// One "%s" for each of the 47 list columns, in list order; the spaces are full width.
const char kFormat[] = "【登録番号】　%s　【氏名】　%s　【敬称】　%s　【フリガナ】　%s\r\n"
                       "【郵便番号】　%s\r\n"
                       "【住所】　%s\r\n"
                       "　　　　%s\r\n"
                       "　　　　%s\r\n"
                       "【関係】　%s　【電話番号1】　%s　【電話番号2】　%s\r\n"
                       "【携帯電話1】　%s　【携帯電話2】　%s　【FAX】　%s\r\n"
                       "【E-メール1】　%s　【E-メール2】　%s\r\n"
                       "【携帯メール1】　%s　【携帯メール2】　%s\r\n"
                       "【URL】　%s\r\n"
                       "【性別】　%s　【生年月日】　%s　【年齢】　%s\r\n"
                       "【会社】　%s\r\n"
                       "【会社郵便番号】　%s\r\n"
                       "【会社住所】　%s\r\n"
                       "　　　　%s\r\n"
                       "　　　　%s\r\n"
                       "【部署】　%s　【役職】　%s\r\n"
                       "【会社電話1】　%s　【会社電話2】　%s　【会社FAX】　%s\r\n"
                       "【会社E-メール】　%s\r\n"
                       "【会社URL】　%s\r\n"
                       "【連名1】　%s　【敬称1】　%s　【連名2】　%s　【敬称2】　%s\r\n"
                       "【連名3】　%s　【敬称3】　%s　【連名4】　%s　【敬称4】　%s\r\n"
                       "【連名5】　%s　【敬称5】　%s\r\n"
                       "【備考1】　%s　【備考2】　%s\r\n"
                       "【画像】　%s";

} // namespace

QString AddressDetail::text(const QStringList& listTexts)
{
    // Filled piece by piece rather than with arg(): a field may itself hold "%1".
    const QString format = QCoreApplication::translate("AddressDetail", kFormat);
    const QLatin1String marker("%s");
    QString result;
    result.reserve(format.size() + 40 * AddressListRows::ColumnCount);
    qsizetype from = 0;
    int field = 0;
    for (;;) {
        const qsizetype at = format.indexOf(marker, from);
        if (at < 0)
            break;
        result.append(QStringView(format).mid(from, at - from));
        result.append(listTexts.value(field++));
        from = at + marker.size();
    }
    result.append(QStringView(format).mid(from));
    return result;
}

QString AddressDetail::text(const AddressBook& book, const AddressRecordRef& ref)
{
    QStringList texts;
    texts.reserve(AddressListRows::ColumnCount);
    const CAddressData& group = book.group(ref.group);
    for (int c = 0; c < AddressListRows::ColumnCount; ++c)
        texts.append(group.field(ref.record, AddressListRows::recordColumn(c)));
    return text(texts);
}

QString AddressDetail::picturePath(const AddressBook& book, const AddressRecordRef& ref)
{
    return book.group(ref.group).field(ref.record, CAddressData::Picture);
}

QRectF AddressDetail::pictureRect(const QSizeF& panel, const QSizeF& picture)
{
    if (picture.isEmpty() || panel.isEmpty())
        return QRectF();
    QSizeF size = picture;
    if (picture.width() > panel.width() || picture.height() > panel.height())
        size = picture.scaled(panel, Qt::KeepAspectRatio);
    return QRectF(QPointF((panel.width() - size.width()) / 2, (panel.height() - size.height()) / 2),
                  size);
}
