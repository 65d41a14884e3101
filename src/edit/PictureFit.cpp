#include "PictureFit.h"

#include "EditLayout.h"

#include "model/CORINOTEDoc.h"
#include "render/PictureFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace PictureFit {

namespace {

struct Target
{
    ObjectRef ref;
    QString picture;
    int rotation = 0;
};

std::optional<Target> targetOf(const CORINOTEDoc& doc)
{
    const bool templateMode = doc.templateMode != 0;
    const PageObjects objects = PageObjects::of(doc, templateMode ? 1 : doc.currentPage);
    const TextRectFamily& regions = templateMode ? doc.labelTemplate().regions : doc.textRects();
    const Selection& s = doc.selection();
    if (objects.hasRegion(s.textRect))
        return Target{{ObjectRef::TextRectKind, s.textRect}, regions.backPicture(s.textRect),
                      int(regions.backPictureRotation(s.textRect))};
    const SheetFamily& sheets = doc.labelTemplate().sheets;
    if (templateMode && objects.hasSheet(s.sheet))
        return Target{{ObjectRef::SheetKind, s.sheet}, sheets.backPicture(s.sheet),
                      int(sheets.backPictureRotation(s.sheet))};
    return std::nullopt;
}

} // namespace

QSize fileSize(const QString& path)
{
    return PictureFile::size(path);
}

bool hasTarget(const CORINOTEDoc& doc)
{
    const auto target = targetOf(doc);
    return target && !target->picture.isEmpty();
}

QString fit(CORINOTEDoc& doc, bool keepHeight, const SizeReader& read)
{
    const auto target = targetOf(doc);
    if (!target || target->picture.isEmpty())
        return QString();
    QSize size = read(target->picture);
    if (!size.isValid() || size.isEmpty())
        return QCoreApplication::translate("PictureFit", "画像ファイルを読み込めません。");
    if (target->rotation == 90 || target->rotation == 270)
        size.transpose();
    doc.takeUndoSnapshot(QStringLiteral("画像に合わせる"));
    EditLayout layout = EditLayout::of(doc);
    Rect r = layout.rectOf(target->ref);
    const double pw = size.width();
    const double ph = size.height();
    if (keepHeight)
        r.right = truncatedCoordinate(r.left + pw * (double(r.top) - r.bottom) / ph);
    else
        r.bottom = truncatedCoordinate(r.top - ph * (double(r.right) - r.left) / pw);
    layout.setRect(target->ref, r);
    return QString();
}

} // namespace PictureFit
