#include "PicturePrintCheck.h"

#include "base/RegularFile.h"
#include "model/CORINOTEDoc.h"
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

bool PicturePrintCheck::readable(const QString& path)
{
    if (!RegularFile::is(path))
        return false;
    const QSize size = PictureFile::size(path);
    if (!size.isValid() || size.isEmpty())
        return false;
    // The decoders refuse what would take more than their allocation limit (in MB).
    const int limit = QImageReader::allocationLimit();
    return limit <= 0 || qint64(size.width()) * size.height() * 4 <= qint64(limit) << 20;
}

PicturePrintCheck::Result PicturePrintCheck::check(const CORINOTEDoc& doc)
{
    Result result;
    QHash<QString, bool> known;
    const auto bad = [&](const QString& path) {
        if (path.isEmpty())
            return false;
        auto it = known.constFind(path);
        if (it == known.constEnd()) {
            it = known.insert(path, !readable(path));
            if (*it)
                result.files.append(path);
        }
        return *it;
    };
    QSet<int> labels;
    const SheetFamily& sheets = doc.sheets();
    for (int s = 0; s < sheets.size(); ++s) {
        if (bad(sheets.backPicture(s)))
            labels.insert(s + 1);
    }
    const TextRectFamily& regions = doc.textRects();
    for (int i = 0; i < regions.size(); ++i) {
        if (bad(regions.backPicture(i)))
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
