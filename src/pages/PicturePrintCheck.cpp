#include "PicturePrintCheck.h"

#include "base/RegularFile.h"
#include "model/CORINOTEDoc.h"
#include "render/PictureCache.h"
#include "render/PictureFile.h"

#include <QCoreApplication>
#include <QHash>
#include <QImageReader>
#include <QSet>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PicturePrintCheck", text);
}

} // namespace

bool PicturePrintCheck::readable(const QString& path, const Rect& area, int rotation, bool whole,
                                 bool keepAspect)
{
    if (!RegularFile::is(path))
        return false;
    const PictureFile::Header header = PictureFile::header(path);
    if (!header.size.isValid() || header.size.isEmpty())
        return false;
    if (whole || area.width() == 0 || area.height() == 0)
        return PictureFile::fits(header, QSize());
    // Drawn as printing draws it: the area's size at print resolution, never more than
    // the picture has; a quarter turn lays the picture's sides the other way.
    const qreal dots = PictureCache::PrintDpi / 254.0;
    QSizeF onPaper(qAbs(area.width()) * dots, qAbs(area.height()) * dots);
    const bool quarter = rotation == 90 || rotation == 270;
    const QSize turned = quarter ? header.size.transposed() : header.size;
    if (keepAspect)
        onPaper = PictureCache::aspectFit(QRectF(QPointF(), onPaper), turned).size();
    QSize drawn = PictureCache::drawnSize(onPaper, turned, PictureCache::PrintDpi,
                                          PictureCache::PrintDpi);
    if (quarter)
        drawn.transpose();
    return PictureFile::fits(header, drawn);
}

PicturePrintCheck::Result PicturePrintCheck::check(const CORINOTEDoc& doc)
{
    Result result;
    QHash<QString, bool> known;
    QSet<QString> named;
    const auto bad = [&](const QString& path, const Rect& area, int rotation, bool whole,
                         bool keepAspect) {
        if (path.isEmpty())
            return false;
        const QString key = QStringLiteral("%1\n%2\n%3\n%4\n%5\n%6")
                                .arg(path)
                                .arg(qAbs(area.width()))
                                .arg(qAbs(area.height()))
                                .arg(rotation)
                                .arg(whole)
                                .arg(keepAspect);
        auto it = known.constFind(key);
        if (it == known.constEnd()) {
            it = known.insert(key, !readable(path, area, rotation, whole, keepAspect));
            if (*it && !named.contains(path)) {
                named.insert(path);
                result.files.append(path);
            }
        }
        return *it;
    };
    QSet<int> labels;
    const SheetFamily& sheets = doc.sheets();
    for (int s = 0; s < sheets.size(); ++s) {
        const Rect r = sheets.rect(s);
        const Rect bled{r.left - sheets.bleedX(s), r.top + sheets.bleedY(s),
                        r.right + sheets.bleedX(s), r.bottom - sheets.bleedY(s)};
        if (bad(sheets.backPicture(s), bled, sheets.backPictureRotation(s), false,
                sheets.keepPictureAspect(s) != 0))
            labels.insert(s + 1);
    }
    const TextRectFamily& regions = doc.textRects();
    for (int i = 0; i < regions.size(); ++i) {
        // A colour key is matched on the whole picture before it is scaled.
        if (bad(regions.backPicture(i), regions.rect(i), regions.backPictureRotation(i),
                regions.transparentColorOn(i) != 0, false))
            labels.insert(regions.sheetNo(i));
    }
    result.labels = int(labels.size());
    return result;
}

QString PicturePrintCheck::question(const Result& result, int shown)
{
    if (result.files.isEmpty())
        return QString();
    QStringList lines;
    for (int i = 0; i < result.files.size() && i < shown; ++i)
        lines.append(result.files.at(i));
    if (result.files.size() > shown)
        lines.append(tr("ほか%1件").arg(result.files.size() - shown));
    return tr("画像を読み込めないラベルが%1枚あります。このまま印刷しますか？").arg(result.labels) +
           QStringLiteral("\n\n") + lines.join(u'\n');
}

QString PicturePrintCheck::warning(const Result& result)
{
    if (result.files.isEmpty())
        return QString();
    QString text = tr("画像を読み込めないラベルが%1枚あります（画像なしで印刷されます）。")
                       .arg(result.labels);
    for (const QString& f : result.files)
        text += QStringLiteral("\n  ") + f;
    return text;
}
