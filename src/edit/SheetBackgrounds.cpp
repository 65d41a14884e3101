#include "SheetBackgrounds.h"

#include "PictureCheck.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>

#include <algorithm>

SheetBackgrounds SheetBackgrounds::load(const CORINOTEDoc& doc)
{
    SheetBackgrounds b;
    b.mTemplateMode = doc.templateMode != 0;
    b.mPerSheet = doc.scalars().perSheetBackgrounds != 0;
    const SheetFamily& s = b.mTemplateMode ? doc.labelTemplate().sheets : doc.sheets();
    for (int i = 0; i < s.size(); ++i) {
        Values v;
        v.color = s.backColor(i);
        v.picture = s.backPicture(i);
        v.bleedX = s.bleedX(i);
        v.bleedY = s.bleedY(i);
        v.keepAspect = s.keepPictureAspect(i) != 0;
        v.transparency = s.pictureTransparency(i);
        b.mSheets.append(v);
    }
    const int current = doc.scalars().currentSheetNo - 1;
    b.mStart = b.mPerSheet && current >= 0 && current < s.size() ? current : 0;
    return b;
}

QString SheetBackgrounds::checkNumber(qint64 number) const
{
    if (number < 1 || number > count())
        return QCoreApplication::translate("SheetBackgrounds", "ラベル番号の値が正しくありません。");
    return QString();
}

QString SheetBackgrounds::store(int index, const Values& values)
{
    if (index < 0 || index >= count())
        return QString();
    const auto inRange = [](int v) { return v >= -100 && v <= 100; };
    if (!inRange(values.bleedX) || !inRange(values.bleedY))
        return QCoreApplication::translate("SheetBackgrounds",
                                           "「シートの枠をはみ出す幅」を変更してください。");
    if (const QString refusal = PictureCheck::check(values.picture); !refusal.isEmpty())
        return refusal;
    Values v = values;
    v.transparency = std::clamp(v.transparency, 0, 100);
    mSheets[index] = v;
    return QString();
}

void SheetBackgrounds::apply(CORINOTEDoc& doc) const
{
    doc.takeUndoSnapshot(QStringLiteral("背景"));
    SheetFamily& s = mTemplateMode ? doc.labelTemplate().sheets : doc.sheets();
    for (int i = 0; i < mSheets.size() && i < s.size(); ++i) {
        const Values& v = mSheets.at(i);
        s.setBackColor(i, v.color);
        s.setBackPicture(i, v.picture);
        s.setBleedX(i, v.bleedX);
        s.setBleedY(i, v.bleedY);
        s.setKeepPictureAspect(i, v.keepAspect ? 1 : 0);
        s.setPictureTransparency(i, v.transparency);
    }
    doc.setModified();
    doc.updateAllViews();
}
