#include "AddressListPrint.h"

#include "AddressHistory.h"

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "base/SaveTarget.h"
#include "render/FontResolver.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("AddressListPrint", text);
}

// Page geometry in 0.1 mm on A4 (2100 × 2970).
constexpr double kLeft = 120;
constexpr double kTitleTop = 110;
constexpr double kCaptionTop = 200;
constexpr double kCaptionHeight = 60;
constexpr double kRowHeight = 90;
constexpr double kFooterTop = 2860;
constexpr int kTextSize = 28;  // 2.8 mm, about 8 points
constexpr int kTitleSize = 45; // 4.5 mm

struct Column
{
    const char* caption;
    double width;
};

// 1860 in all: the page width less the margins.
const Column kColumns[] = {{"登録番号", 170}, {"氏名", 330},     {"敬称", 90},
                           {"郵便番号", 150}, {"住所1・住所2・住所3", 640}, {"電話番号1", 230},
                           {"最後の送受信履歴", 250}};

QFont gothic(int size, bool bold = false)
{
    return FontResolver::familyFont(FontResolver::family(QStringLiteral("ＭＳ ゴシック")), bold,
                                    false, size);
}

constexpr int kSmallestTextSize = 14; // 1.4 mm, about 4 points

// The lines in the cell, each wrapped within its width (anywhere, as Japanese text
// breaks), at the text size or smaller until the whole fits the cell's height.
void cell(QPainter& painter, const QRectF& rect, const QStringList& lines)
{
    QStringList shown;
    for (const QString& line : lines) {
        if (!line.isEmpty())
            shown.append(line);
    }
    if (shown.isEmpty())
        return;
    const QString text = shown.join(u'\n');
    const QRectF inner = rect.adjusted(10, 4, -10, -4);
    const int flags = int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWrapAnywhere);
    const QFont original = painter.font();
    QFont font = original;
    for (int size = kTextSize; size >= kSmallestTextSize; size -= 2) {
        font.setPixelSize(size);
        const QRectF need =
            QFontMetricsF(font).boundingRect(inner, flags, text);
        if (need.height() <= inner.height() && need.width() <= inner.width() + 0.5)
            break;
    }
    painter.setFont(font);
    painter.drawText(inner, flags, text);
    painter.setFont(original);
}

} // namespace

QList<AddressListPrint::Row> AddressListPrint::rows(const AddressBook& book,
                                                    const QList<AddressRecordRef>& refs)
{
    QList<Row> out;
    out.reserve(refs.size());
    for (const AddressRecordRef& ref : refs) {
        if (ref.group < 0 || ref.group >= AddressBook::GroupCount || ref.record < 0 ||
            ref.record >= book.group(ref.group).recordCount())
            continue;
        const CAddressData& g = book.group(ref.group);
        const auto field = [&](int column) { return g.field(ref.record, column); };
        Row row{field(CAddressData::EntryNumber), field(CAddressData::Name),
                field(CAddressData::Honorific),   field(CAddressData::PostalCode),
                field(CAddressData::Address1),    field(CAddressData::Address2),
                field(CAddressData::Phone1),      QString(),
                QString(),                        field(CAddressData::Address3),
                {}};
        for (int k = 0; k < 5; ++k) {
            const QString joint = field(CAddressData::JointName1 + 2 * k).trimmed();
            if (!joint.isEmpty())
                row.jointNames.append(joint);
        }
        const QList<int> history = AddressHistory::rowsOf(book, ref);
        if (!history.isEmpty()) {
            const AddressHistory::Entry newest = AddressHistory::entry(book, ref.group, history.first());
            row.historySubject = newest.subject;
            row.historyDate = newest.date;
        }
        out.append(row);
    }
    return out;
}

int AddressListPrint::pageCount(int rows)
{
    return std::max(1, (rows + RowsPerPage - 1) / RowsPerPage);
}

QString AddressListPrint::checkRows(int rows)
{
    return rows > 0 ? QString() : tr("出力する住所録データがありません。");
}

void AddressListPrint::paint(QPagedPaintDevice& device, const QList<Row>& rows,
                             const QString& heading, const QDate& date)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    QPainter painter(&device);
    // 0.1 mm per unit whatever the device's resolution.
    painter.scale(device.logicalDpiX() / 254.0, device.logicalDpiY() / 254.0);
    const int pages = pageCount(int(rows.size()));
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        paintPage(painter, rows, page, pages, heading, date);
    }
}

void AddressListPrint::paintPage(QPainter& painter, const QList<Row>& rows, int page, int pages,
                                 const QString& heading, const QDate& date)
{
    double width = 0;
    for (const Column& c : kColumns)
        width += c.width;
    const QPen rule(Qt::black, 3);
    const QPen thin(Qt::gray, 2);

    painter.setPen(rule);
    painter.setFont(gothic(kTitleSize, true));
    const QRectF title(kLeft, kTitleTop, width, kCaptionTop - kTitleTop - 20);
    painter.drawText(title, int(Qt::AlignLeft | Qt::AlignBottom),
                     tr("住所録リスト　%1").arg(heading));
    painter.setFont(gothic(kTextSize));
    painter.drawText(title, int(Qt::AlignRight | Qt::AlignBottom),
                     tr("%1年%2月%3日　%4件")
                         .arg(date.year())
                         .arg(date.month())
                         .arg(date.day())
                         .arg(rows.size()));

    // Column captions on grey, then the rows with a thin rule under each.
    painter.fillRect(QRectF(kLeft, kCaptionTop, width, kCaptionHeight), QColor(225, 225, 225));
    painter.setFont(gothic(kTextSize, true));
    double x = kLeft;
    for (const Column& c : kColumns) {
        cell(painter, QRectF(x, kCaptionTop, c.width, kCaptionHeight), {tr(c.caption)});
        x += c.width;
    }
    painter.drawLine(QPointF(kLeft, kCaptionTop), QPointF(kLeft + width, kCaptionTop));
    painter.drawLine(QPointF(kLeft, kCaptionTop + kCaptionHeight),
                     QPointF(kLeft + width, kCaptionTop + kCaptionHeight));

    painter.setFont(gothic(kTextSize));
    const int first = page * RowsPerPage;
    const int last = std::min(int(rows.size()), first + RowsPerPage);
    double y = kCaptionTop + kCaptionHeight;
    for (int r = first; r < last; ++r) {
        const Row& row = rows.at(r);
        const QStringList texts[] = {{row.entryNumber},
                                     {row.name, row.jointNames.join(u'、')},
                                     {row.honorific},
                                     {row.postalCode},
                                     {row.address1, row.address2, row.address3},
                                     {row.phone},
                                     {row.historySubject, row.historyDate}};
        x = kLeft;
        painter.setPen(Qt::black);
        for (size_t c = 0; c < std::size(kColumns); ++c) {
            cell(painter, QRectF(x, y, kColumns[c].width, kRowHeight), texts[c]);
            x += kColumns[c].width;
        }
        y += kRowHeight;
        painter.setPen(thin);
        painter.drawLine(QPointF(kLeft, y), QPointF(kLeft + width, y));
    }

    painter.setPen(Qt::black);
    painter.drawText(QRectF(kLeft, kFooterTop, width, 60), int(Qt::AlignHCenter | Qt::AlignTop),
                     QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
}

QString AddressListPrint::exportPdf(const QString& path, const QList<Row>& rows,
                                    const QString& heading, const QDate& date)
{
    const QString empty = checkRows(int(rows.size()));
    if (!empty.isEmpty())
        return empty;
    QSaveFile file(path);
    if (const QString refused = SaveTarget::open(file); !refused.isEmpty())
        return refused;
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("ORINOTE"));
        writer.setTitle(tr("住所録リスト　%1").arg(heading));
        paint(writer, rows, heading, date);
    }
    if (!file.flush() || !file.commit())
        return tr("%1: PDFファイルの書き込みに失敗しました。").arg(path);
    return QString();
}
