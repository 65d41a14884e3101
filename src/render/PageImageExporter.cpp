#include "PageImageExporter.h"

#include "base/SaveTarget.h"
#include "model/CORINOTEDoc.h"

#include <QCoreApplication>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <cmath>

namespace {

// Beyond this an A3 page would be printed at well over 1200 dpi; refuse rather than ask
// for gigabytes.
constexpr qint64 kMaxPixels = qint64(300) * 1000 * 1000;

QString tr(const char* text)
{
    return QCoreApplication::translate("PageImageExporter", text);
}

} // namespace

QString PageImageExporter::fileName(const QString& prefix, int page, int pageCount)
{
    const int digits = int(QString::number(qMax(1, pageCount)).size());
    return QStringLiteral("%1-%2.png").arg(prefix).arg(page, digits, 10, QLatin1Char('0'));
}

QImage PageImageExporter::renderPage(CORINOTEDoc& doc, int page, int dpi,
                                     const PageRenderer::Options& options, PageRenderer& renderer)
{
    const Rect paper = PageRenderer::paperRect(doc);
    const qreal k = dpi / 254.0;
    const qint64 width = qint64(std::ceil(paper.width() * k));
    const qint64 height = qint64(std::ceil(paper.height() * k));
    if (width <= 0 || height <= 0 || width * height > kMaxPixels)
        return QImage();

    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setTransform(QTransform(k, 0, 0, -k, -k * paper.left, k * paper.top));
    renderer.draw(painter, doc, page, options);
    painter.end();
    return image;
}

QString PageImageExporter::exportPages(CORINOTEDoc& doc, const QString& prefix, int dpi,
                                       const PageRenderer::Options& options,
                                       const QList<int>& pages)
{
    if (dpi < MinDpi || dpi > MaxDpi)
        return tr("解像度は %1 から %2 dpi の範囲で指定してください。").arg(MinDpi).arg(MaxDpi);
    const int pageCount = doc.pageCount();
    QList<int> list = pages;
    if (list.isEmpty()) {
        for (int p = 1; p <= pageCount; ++p)
            list.append(p);
    }
    PageRenderer renderer;
    for (int page : list) {
        if (page < 1 || page > pageCount)
            return tr("ページ %1 はありません（全 %2 ページ）。").arg(page).arg(pageCount);
        const QImage image = renderPage(doc, page, dpi, options, renderer);
        const QString name = fileName(prefix, page, pageCount);
        if (image.isNull())
            return tr("%1: 用紙の大きさから画像を作れません。").arg(name);
        QSaveFile file(name);
        if (const QString refused = SaveTarget::open(file); !refused.isEmpty())
            return refused;
        QImageWriter writer(&file, "png");
        if (!writer.write(image) || !file.commit())
            return tr("%1: PNGファイルの書き込みに失敗しました。").arg(name);
    }
    return QString();
}

QList<int> PageImageExporter::parsePages(const QString& list, int pageCount, QString* error)
{
    QList<int> pages;
    auto fail = [&](const QString& part) {
        if (error)
            *error = tr("ページの指定が正しくありません: %1").arg(part);
        return QList<int>();
    };
    const QStringList parts = list.split(QLatin1Char(','));
    for (const QString& raw : parts) {
        const QString part = raw.trimmed();
        if (part.isEmpty())
            return fail(list);
        const int dash = int(part.indexOf(QLatin1Char('-')));
        bool ok1 = true;
        bool ok2 = true;
        int from = 0;
        int to = 0;
        if (dash < 0) {
            from = to = part.toInt(&ok1);
        } else {
            const QString a = part.left(dash).trimmed();
            const QString b = part.mid(dash + 1).trimmed();
            from = a.isEmpty() ? 1 : a.toInt(&ok1);
            to = b.isEmpty() ? pageCount : b.toInt(&ok2);
        }
        if (!ok1 || !ok2 || from < 1 || to < from || to > pageCount)
            return fail(part);
        for (int p = from; p <= to; ++p)
            pages.append(p);
    }
    return pages;
}
