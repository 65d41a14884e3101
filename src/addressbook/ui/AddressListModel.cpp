#include "AddressListModel.h"

#include "model/CORINOTEDoc.h"

#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace {

QPixmap drawIcon(AddressListRows::Icon kind)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A card with two address lines: every record.
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 12, 11));
    p.drawLine(QPointF(4, 6.5), QPointF(11, 6.5));
    p.drawLine(QPointF(4, 9.5), QPointF(9, 9.5));
    if (kind == AddressListRows::ReservedIcon) {
        // A red tick: reserved for printing.
        p.setPen(QPen(QColor(0xD0, 0x20, 0x20), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(6, 9.5), QPointF(9, 13), QPointF(14.5, 4)}));
    } else if (kind == AddressListRows::SenderIcon) {
        // A blue star: the current sender.
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const qreal r = i % 2 == 0 ? 5.0 : 2.2;
            const qreal a = M_PI / 2 + i * M_PI / 5;
            star << QPointF(10.5 + r * std::cos(a), 10.5 - r * std::sin(a));
        }
        p.setPen(QPen(QColor(0x10, 0x40, 0xA0), 1));
        p.setBrush(QColor(0x30, 0x70, 0xE0));
        p.drawPolygon(star);
    }
    return pixmap;
}

} // namespace

AddressListModel::AddressListModel(CORINOTEDoc& doc, QObject* parent)
    : QAbstractTableModel(parent), mDoc(doc)
{
}

int AddressListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mRows.size();
}

int AddressListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : AddressListRows::ColumnCount;
}

QVariant AddressListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= mRows.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return mRows.text(mDoc.addressBook(), index.row(), index.column());
    if (role == Qt::DecorationRole && index.column() == 0)
        return icon(mRows.icon(mDoc.addressBook(), index.row(), mDoc.senderIndex()));
    // A postal code the digit boxes cannot print: red on pink, with the reason.
    if (role == Qt::ForegroundRole || role == Qt::BackgroundRole || role == Qt::ToolTipRole) {
        if (!mRows.isMalformedPostalCode(mDoc.addressBook(), index.row(), index.column()))
            return QVariant();
        if (role == Qt::ToolTipRole)
            return tr("郵便番号の形式が正しくありません（123-4567の形）。"
                      "印刷すると郵便番号欄が空欄になります。");
        return role == Qt::ForegroundRole ? QColor(0xC0, 0x00, 0x00) : QColor(0xFF, 0xE0, 0xE0);
    }
    return QVariant();
}

QVariant AddressListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return AddressListRows::columnTitle(section);
}

void AddressListModel::refill(int tab, const QDate& today)
{
    beginResetModel();
    mRows.fill(mDoc, tab, today);
    endResetModel();
}

bool AddressListModel::sortByHeaderClick(int column)
{
    // A reset rather than a layout change: the selection does not follow a sort.
    beginResetModel();
    const bool sorted = mRows.sortByHeaderClick(mDoc.addressBook(), column);
    endResetModel();
    return sorted;
}

QIcon AddressListModel::icon(AddressListRows::Icon kind)
{
    static const QIcon icons[] = {QIcon(drawIcon(AddressListRows::PlainIcon)),
                                  QIcon(drawIcon(AddressListRows::ReservedIcon)),
                                  QIcon(drawIcon(AddressListRows::SenderIcon))};
    return icons[kind];
}
