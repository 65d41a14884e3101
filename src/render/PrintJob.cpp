#include "PrintJob.h"

#include "CalibrationPage.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QSet>

#include <algorithm>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PrintJob", text);
}

} // namespace

QPageLayout PrintJob::pageLayout(const Rect& paper)
{
    // Sizes are kept portrait; a paper wider than high is the same size turned.
    const qreal w = qMax<qint64>(1, paper.width()) / 10.0;
    const qreal h = qMax<qint64>(1, paper.height()) / 10.0;
    const bool landscape = w > h;
    const QPageSize size(landscape ? QSizeF(h, w) : QSizeF(w, h), QPageSize::Millimeter,
                         QString(), QPageSize::ExactMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

QList<int> PrintJob::pagesToPrint(const CORINOTEDoc& doc, const QList<int>& requested)
{
    const int count = doc.pageCount();
    QList<int> pages;
    if (requested.isEmpty()) {
        for (int p = 1; p <= count; ++p)
            pages.append(p);
        return pages;
    }
    for (int p : requested) {
        if (p >= 1 && p <= count)
            pages.append(p);
    }
    std::sort(pages.begin(), pages.end());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    return pages;
}

QString PrintJob::run(QPagedPaintDevice& device, CORINOTEDoc& doc, const Settings& settings,
                      PageRenderer& renderer, const Progress& progress)
{
    const QList<int> pages = pagesToPrint(doc, settings.pages);
    if (pages.isEmpty())
        return tr("印刷するページがありません。");
    const Rect paper = PageRenderer::paperRect(doc);
    if (paper.width() <= 0 || paper.height() <= 0)
        return tr("用紙の大きさが正しくありません。");
    if (!device.setPageLayout(pageLayout(paper)))
        return tr("用紙の大きさを設定できませんでした。");
    const int offsetX = qBound(-MaxOffset, settings.offsetX, MaxOffset);
    const int offsetY = qBound(-MaxOffset, settings.offsetY, MaxOffset);

    QPainter painter;
    if (!painter.begin(&device))
        return tr("印刷を開始できませんでした。");
    const QTransform transform = PageRenderer::deviceTransform(
        device.logicalDpiX(), device.logicalDpiY(), offsetX, offsetY);
    const PageRenderer::Options options{RenderMode::Print};
    const bool embedded =
        painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf;
    // The pictures of a page decode on the other cores while the page before is drawn:
    // each page is first drawn for its pictures alone, on a one-pixel image with the
    // device's mapping, with the cache noting what it would decode.
    QImage scratch(1, 1, QImage::Format_RGB32);
    const auto decodeAhead = [&](int index) {
        if (index >= pages.size())
            return;
        QPainter ahead(&scratch);
        ahead.setTransform(transform);
        renderer.pictures().startCollecting(device.logicalDpiX(), embedded);
        renderer.drawPictures(ahead, doc, pages[index], options);
        renderer.pictures().decodeCollected();
    };
    renderer.pictures().takeDamaged();
    decodeAhead(0);
    // The document is turned to each page as it prints; the window stays on its own.
    struct PageKeeper
    {
        CORINOTEDoc& doc;
        int page;
        ~PageKeeper() { doc.currentPage = page; }
    } keeper{doc, doc.currentPage};
    bool calibration = settings.calibration;
    for (int i = 0; i < pages.size(); ++i) {
        decodeAhead(i + 1);
        if (i > 0 && !device.newPage()) {
            painter.end();
            return tr("次のページを開始できませんでした。");
        }
        doc.currentPage = pages[i];
        painter.save();
        painter.setTransform(transform);
        // The paper in the shifted mapping: what the offsets push past its edge is cut.
        painter.setClipRect(QRectF(paper.left, paper.bottom, paper.width(), paper.height()));
        if (calibration) {
            CalibrationPage::draw(painter);
            calibration = false;
        } else {
            renderer.draw(painter, doc, pages[i], options);
        }
        painter.restore();
        if (progress && !progress(i + 1, int(pages.size()))) {
            painter.end();
            return tr("印刷を中止しました。");
        }
    }
    if (!painter.end())
        return tr("印刷を終了できませんでした。");
    if (settings.damagedPictures)
        *settings.damagedPictures = damageMessage(doc, renderer.pictures().takeDamaged());
    return QString();
}

QString PrintJob::damageMessage(const CORINOTEDoc& doc, const QStringList& files)
{
    if (files.isEmpty())
        return QString();
    const QSet<QString> damaged(files.begin(), files.end());
    QSet<int> labels;
    const SheetFamily& sheets = doc.sheets();
    for (int s = 0; s < sheets.size(); ++s) {
        if (damaged.contains(sheets.backPicture(s)))
            labels.insert(s + 1);
    }
    const TextRectFamily& regions = doc.textRects();
    for (int i = 0; i < regions.size(); ++i) {
        if (damaged.contains(regions.backPicture(i)))
            labels.insert(regions.sheetNo(i));
    }
    QList<int> sorted(labels.begin(), labels.end());
    std::sort(sorted.begin(), sorted.end());
    QStringList numbers;
    for (int label : std::as_const(sorted))
        numbers.append(QString::number(label));
    QString text = tr("壊れた画像のあるラベルが%1枚あります（ラベル %2）。"
                      "読めなかった部分は灰色で印刷されています。")
                       .arg(sorted.size())
                       .arg(numbers.join(QStringLiteral(", ")));
    for (const QString& f : files)
        text += QStringLiteral("\n  ") + f;
    return text;
}
