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

// Whether the strings have a sheet to go to: data mode and a current sheet of the pages.
bool hasCurrentSheet(const CORINOTEDoc& doc)
{
    const int sheet = doc.scalars().currentSheetNo;
    return doc.templateMode == 0 && sheet >= 1 && sheet <= doc.sheets().size();
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
    // Checked before the file is taken, so that a refused command leaves it in place.
    if (!hasCurrentSheet(doc))
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
    if (!hasCurrentSheet(doc))
        return false;
    const int sheet = doc.scalars().currentSheetNo;

    // The regions are copied into a new family rather than removed and inserted one by
    // one, so that a long list costs no more than the regions and strings themselves.
    const TextRectFamily& old = doc.textRects();
    QList<Rect> places;
    int insertAt = -1;
    int afterEarlier = 0;
    for (int i = 0; i < old.size(); ++i) {
        const int owner = old.sheetNo(i);
        if (owner == sheet) {
            if (insertAt < 0)
                insertAt = i;
            places.append(old.rect(i));
        } else if (owner < sheet && insertAt < 0) {
            afterEarlier = i + 1;
        }
    }
    if (insertAt < 0)
        insertAt = afterEarlier;

    const Rect sheetRect = doc.sheets().rect(sheet - 1);
    auto appendReceived = [&](TextRectFamily& regions) {
        Rect previous{sheetRect.left, sheetRect.top, sheetRect.right, sheetRect.top};
        for (int k = 0; k < strings.size(); ++k) {
            const qint32 below =
                qint32(std::max<qint64>(qint64(previous.bottom) - LineHeight, INT32_MIN));
            previous = k < places.size()
                           ? places.at(k)
                           : Rect{sheetRect.left, previous.bottom, sheetRect.right, below};
            regions.append(doc.importedTextRegion(strings.at(k), sheet, previous, sheet));
        }
    };
    TextRectFamily regions;
    for (int i = 0; i < old.size(); ++i) {
        if (i == insertAt)
            appendReceived(regions);
        if (old.sheetNo(i) != sheet)
            regions.append(old.at(i));
    }
    if (insertAt >= old.size())
        appendReceived(regions);
    doc.textRects() = std::move(regions);

    doc.selection().clear();
    doc.setModified(true);
    doc.updateAllViews();
    return true;
}

} // namespace DatabaseReception
