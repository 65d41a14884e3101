#include "DataFormEditor.h"

#include "address/AddressBook.h"
#include "address/NameBlock.h"
#include "merge/MergeExpander.h"
#include "model/CORINOTEDoc.h"
#include "postal/CustomerBarcode.h"
#include "render/RegionFitter.h"

#include <QCoreApplication>

#include <algorithm>

namespace DataFormEditor {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("DataFormEditor", text);
}

bool isRegion(const CORINOTEDoc& doc, int index)
{
    return index >= 0 && index < doc.textRects().size();
}

} // namespace

int pageOfRegion(const CORINOTEDoc& doc, int index)
{
    const qint64 perPage = qint64(doc.sheetsPerPage()) * doc.regionsPerSheet();
    if (perPage <= 0 || index < 0)
        return 1;
    return int(index / perPage) + 1;
}

void setDisplayedLayer(CORINOTEDoc& doc, int layer)
{
    doc.displayedLayer = std::clamp(layer, 0, 10);
    doc.selection().textRect = -1;
    doc.selection().keisenns.clear();
    doc.selection().clearGroup(); // hidden regions must not be moved unseen
    doc.updateAllViews();
}

void selectRegion(CORINOTEDoc& doc, int index)
{
    if (!isRegion(doc, index)) {
        doc.selection().textRect = -1;
    } else {
        doc.selection().textRect = index;
        doc.currentPage = std::clamp(pageOfRegion(doc, index), 1, doc.pageCount());
    }
    doc.updateAllViews();
}

QString apply(CORINOTEDoc& doc, int index, const QString& text, int layer,
              const TextMeasurer* measurer)
{
    if (layer < 1 || layer > 10)
        return tr("レイヤーの値が正しくありません。");
    if (!isRegion(doc, index))
        return tr("アイテムを選択してください。");
    // Changes of one region's text in quick succession are one step.
    doc.takeUndoSnapshot(QStringLiteral("文字列の変更"), QStringLiteral("text %1").arg(index));
    TextRectFamily& regions = doc.textRects();
    regions.setText(index, text);
    regions.setLayer(index, layer);
    const int fit = doc.environment().fitData;
    // A name block sizes itself and bars are not text: neither is fitted.
    const QString& attribute = regions.attribute(index);
    const bool fits = !NameBlock::isField(attribute) && !CustomerBarcode::isField(attribute);
    if (fits && (fit == RegionFitter::Shrink || fit == RegionFitter::Enlarge))
        RegionFitter::fitRegion(regions, index, fit, measurer);
    doc.setModified(true);
    doc.updateAllViews();
    return QString();
}

QString clear(CORINOTEDoc& doc, int index)
{
    if (!isRegion(doc, index))
        return tr("アイテムを選択してください。");
    doc.takeUndoSnapshot(QStringLiteral("文字列のクリア"));
    doc.textRects().setText(index, QString());
    doc.selection().clear();
    doc.setModified(true);
    doc.updateAllViews();
    return QString();
}

QStringList senderChoices(const CORINOTEDoc& doc)
{
    const CAddressData& senders = doc.addressBook().group(AddressBook::SenderGroup);
    QStringList choices;
    for (int r = 0; r < senders.recordCount(); ++r) {
        QString text = senders.field(r, CAddressData::Name);
        const QString address = senders.field(r, CAddressData::Address1);
        if (!address.isEmpty())
            text += QStringLiteral("（%1）").arg(address);
        choices.append(text.isEmpty() ? tr("（氏名なし）") : text);
    }
    return choices;
}

void setSender(CORINOTEDoc& doc, int index, const TextMeasurer* measurer)
{
    const int senders = doc.addressBook().group(AddressBook::SenderGroup).recordCount();
    if (index < 0 || index >= senders || index == doc.senderIndex())
        return;
    doc.takeUndoSnapshot(QStringLiteral("差出人"));
    doc.scalars().senderIndex = index;
    MergeExpander(doc, QDate::currentDate(), measurer).expandSenderRegions();
    doc.setModified(true);
    doc.updateAllViews();
}

} // namespace DataFormEditor
