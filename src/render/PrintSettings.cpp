#include "PrintSettings.h"

#include "model/CORINOTEDoc.h"
#include "model/Profile.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PrintSettings", text);
}

} // namespace

PrintSettings::Values PrintSettings::current(const CORINOTEDoc& doc)
{
    const DocumentScalars& s = doc.scalars();
    Values v;
    v.offsetX = doc.printOffsetX;
    v.offsetY = doc.printOffsetY;
    v.sheetFrames = s.printSheetFrames != 0;
    v.roundCorners = v.sheetFrames && s.roundSheetCorners != 0;
    v.ruledLines = s.printRuledLines != 0;
    v.startPosition = doc.printStartPosition();
    return v;
}

QString PrintSettings::check(const Values& values, int sheetsPerPage)
{
    if (values.startPosition < 1 || values.startPosition > sheetsPerPage)
        return tr("印刷開始シート位置の数値が正しくありません。");
    const auto inRange = [](int v) { return v >= MinOffset && v <= MaxOffset; };
    if (!inRange(values.offsetX) || !inRange(values.offsetY))
        return tr("印刷位置は -1000 から 1000 までの整数で指定してください。");
    return QString();
}

QString PrintSettings::apply(CORINOTEDoc& doc, const Values& values)
{
    const QString message = check(values, doc.sheetsPerPage());
    if (!message.isEmpty())
        return message;
    doc.takeUndoSnapshot(QStringLiteral("印刷設定"));
    doc.printOffsetX = values.offsetX;
    doc.printOffsetY = values.offsetY;
    if (Profile* profile = doc.profile()) {
        profile->writeInt(QStringLiteral("PosX"), values.offsetX);
        profile->writeInt(QStringLiteral("PosY"), values.offsetY);
    }
    DocumentScalars& s = doc.scalars();
    s.printSheetFrames = values.sheetFrames ? 1 : 0;
    s.roundSheetCorners = values.sheetFrames && values.roundCorners ? 1 : 0;
    s.printRuledLines = values.ruledLines ? 1 : 0;
    s.printStartPosition = values.startPosition;
    doc.setModified(true);
    doc.updateAllViews();
    return QString();
}
