#include "DatabaseReception.h"

#include "DatabaseExchangeFile.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>

namespace DatabaseReception {

namespace {

// The height of a received line beyond the removed regions: the cross size of the font
// that text import gives a region.
constexpr qint32 LineHeight = 150;

QString tr(const char* text)
{
    return QCoreApplication::translate("DatabaseReception", text);
}

} // namespace

bool asksFirst(const CORINOTEDoc& doc)
{
    return !doc.textRects().isEmpty();
}

QString question()
{
    return tr("現在のシートの文字列は消去されますがよろしいですか？");
}

QString receive(CORINOTEDoc& doc)
{
    doc.takeUndoSnapshot();
    const int sheet = doc.scalars().currentSheetNo;
    if (doc.templateMode != 0 || sheet < 1 || sheet > doc.sheets().size())
        return tr("データベースのデータを受信できません。");
    QStringList strings;
    const QString message =
        DatabaseExchangeFile::take(DatabaseExchangeFile::filePath(doc.dataFolder), strings);
    if (!message.isEmpty())
        return message;
    place(doc, strings);
    return QString();
}

bool place(CORINOTEDoc& doc, const QStringList& strings)
{
    const int sheet = doc.scalars().currentSheetNo;
    if (doc.templateMode != 0 || sheet < 1 || sheet > doc.sheets().size())
        return false;

    TextRectFamily& regions = doc.textRects();
    QList<Rect> places;
    int insertAt = -1;
    int afterEarlier = 0;
    for (int i = 0; i < regions.size();) {
        const int owner = regions.sheetNo(i);
        if (owner == sheet) {
            if (insertAt < 0)
                insertAt = i;
            places.append(regions.rect(i));
            regions.removeAt(i);
            continue;
        }
        if (owner < sheet && insertAt < 0)
            afterEarlier = i + 1;
        ++i;
    }
    if (insertAt < 0)
        insertAt = afterEarlier;

    const Rect sheetRect = doc.sheets().rect(sheet - 1);
    Rect next{sheetRect.left, sheetRect.top, sheetRect.right, sheetRect.top};
    for (int k = 0; k < strings.size(); ++k) {
        Rect rect;
        if (k < places.size()) {
            rect = places.at(k);
        } else {
            rect = Rect{sheetRect.left, next.bottom, sheetRect.right,
                        qint32(std::max<qint64>(qint64(next.bottom) - LineHeight, INT32_MIN))};
        }
        next = rect;
        doc.insertTextRegion(insertAt + k, strings.at(k), sheet, rect, sheet);
    }

    doc.selection().clear();
    doc.setModified(true);
    doc.updateAllViews();
    return true;
}

} // namespace DatabaseReception
