#include "PageRenderer.h"

#include "BarcodePainter.h"
#include "RenderSupport.h"

#include "address/NameBlock.h"
#include "model/CORINOTEDoc.h"
#include "model/Profile.h"
#include "postal/CustomerBarcode.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr qint32 kNoColor = 0xFFFFFF;
constexpr qreal kCornerRadius = 15; // corners rounded by a 30 × 30 ellipse
constexpr int kMaxPaper = 42000;    // 4.2 m
const QColor kGrey(0x99, 0x99, 0x99);
const QColor kDarkGrey(0x66, 0x66, 0x66);
const QColor kLightCyan(0x99, 0xFF, 0xFF);
const QColor kCyan(0x00, 0xFF, 0xFF);

void addSheetShape(QPainterPath& path, const QRectF& r, bool elliptic, bool rounded)
{
    if (elliptic)
        path.addEllipse(r);
    else if (rounded)
        path.addRoundedRect(r, kCornerRadius, kCornerRadius);
    else
        path.addRect(r);
}

void drawSheetShape(QPainter& painter, const QRectF& r, bool elliptic, bool rounded)
{
    if (elliptic)
        painter.drawEllipse(r);
    else if (rounded)
        painter.drawRoundedRect(r, kCornerRadius, kCornerRadius);
    else
        painter.drawRect(r);
}

} // namespace

// What one drawing shows, from the template or from the data layout.
struct PageRenderer::Source
{
    bool templateMode = false;
    Rect paper;
    SheetFamily* sheets = nullptr;
    TextRectFamily* regions = nullptr;
    const KeisennFamily* lines = nullptr;
    bool printSheetFrames = false;
    bool roundCorners = false;
    bool printRuledLines = false;
    bool perSheetBackgrounds = true;
    PageObjects objects;
    int currentSheet = -1; // index into sheets, -1 when there is none
    int fitData = 0;
    int displayedLayer = 0;
    int currentSheetNo = 0;

    bool currentOnPage() const
    {
        return currentSheet >= objects.firstSheet &&
               currentSheet < objects.firstSheet + objects.sheetCount;
    }
    bool layerShown(int layer) const { return displayedLayer == 0 || layer == displayedLayer; }
};

PageRenderer::PageRenderer() : mRegions(mShaper, mPictures) {}

PageRenderer::Options PageRenderer::Options::fromProfile(const Profile& profile, RenderMode mode)
{
    Options o;
    o.mode = mode;
    o.grid = profile.readInt(QStringLiteral("DISPGRID"), 0) != 0;
    o.sheetNumbers = profile.readInt(QStringLiteral("LNUM"), 0) != 0;
    o.regionNumbers = profile.readInt(QStringLiteral("RNUM"), 0) != 0;
    o.keisennNumbers = profile.readInt(QStringLiteral("KNUM"), 0) != 0;
    o.paperPicture = profile.readInt(QStringLiteral("DISPSPIC"), 0) != 0;
    return o;
}

Rect PageRenderer::paperRect(const CORINOTEDoc& doc)
{
    return doc.templateMode ? doc.labelTemplate().paperRect : doc.scalars().paperRect;
}

QTransform PageRenderer::screenTransform(const Rect& paper, double zoom, const QSize& client)
{
    const bool largePaper = paper.width() > 2100 || paper.height() > 2970;
    const int windowX = int((largePaper ? 2970 : 2100) / zoom);
    const int windowY = int((largePaper ? 4200 : 2970) / zoom);
    if (windowX <= 0 || windowY <= 0 || client.isEmpty())
        return QTransform(1, 0, 0, -1, 0, 0);
    const qreal k = std::min(qreal(client.width()) / windowX, qreal(client.height()) / windowY);
    return QTransform(k, 0, 0, -k, 0, 0);
}

QSize PageRenderer::scrollRange(double zoom, const QSize& client)
{
    return QSize(int(client.width() * zoom), int(client.height() * zoom));
}

QTransform PageRenderer::deviceTransform(qreal dpiX, qreal dpiY, int offsetX, int offsetY)
{
    const qreal kx = dpiX / 254.0;
    const qreal ky = dpiY / 254.0;
    return QTransform(kx, 0, 0, -ky, kx * offsetX, ky * offsetY);
}

PageRenderer::Source PageRenderer::sourceOf(CORINOTEDoc& doc, int page) const
{
    Source s;
    s.templateMode = doc.templateMode != 0;
    s.objects = pageObjects(doc, page);
    s.perSheetBackgrounds = doc.scalars().perSheetBackgrounds != 0;
    s.fitData = doc.environment().fitData;
    s.displayedLayer = doc.displayedLayer;
    s.currentSheetNo = doc.scalars().currentSheetNo;
    if (s.templateMode) {
        CLabelSheetTemplate& t = doc.labelTemplate();
        s.paper = t.paperRect;
        s.sheets = &t.sheets;
        s.regions = &t.regions;
        s.lines = &t.keisenns;
        s.printSheetFrames = t.printSheetFrames != 0;
        s.roundCorners = t.roundSheetCorners != 0;
        s.printRuledLines = t.printRuledLines != 0;
    } else {
        s.paper = doc.scalars().paperRect;
        s.sheets = &doc.sheets();
        s.regions = &doc.textRects();
        s.lines = &doc.keisenns();
        s.printSheetFrames = doc.scalars().printSheetFrames != 0;
        s.roundCorners = doc.scalars().roundSheetCorners != 0;
        s.printRuledLines = doc.scalars().printRuledLines != 0;
    }
    const int current = s.currentSheetNo - 1;
    s.currentSheet = current >= 0 && current < s.sheets->size() ? current : -1;
    return s;
}

void PageRenderer::draw(QPainter& painter, CORINOTEDoc& doc, int page, const Options& options)
{
    const Source s = sourceOf(doc, page);
    const RenderMode mode = options.mode;
    const bool screen = mode != RenderMode::Print;
    const QRectF paper = RenderSupport::rectF(s.paper);

    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    if (screen) {
        painter.fillRect(paper, Qt::white);
        const CLabelSheetTemplate& t = doc.labelTemplate();
        if (options.paperPicture && !t.paperPicture.isEmpty())
            mPictures.draw(painter, RenderSupport::rectF(t.paperRect), t.paperPicture, 0, 1.0);
    }
    painter.setClipRect(paper, Qt::IntersectClip);

    if (mode == RenderMode::Edit && options.grid)
        drawGrid(painter, s.paper);
    drawSheetBackgrounds(painter, s, mode);
    if (mode == RenderMode::Edit || s.printRuledLines)
        drawRuledLines(painter, s);
    if (mode == RenderMode::Edit)
        drawRegionOutlines(painter, s);
    if (!s.regions->isEmpty() && s.currentSheetNo >= 1)
        drawRegions(painter, s, mode);
    drawSheetFrames(painter, s, mode);
    if (screen)
        drawLabels(painter, s, options);
    painter.restore();

    // What lies off the paper never prints, but the editor shows where it is so that it
    // can be taken back: outlines over the area round the paper, and the selection.
    if (screen) {
        painter.save();
        if (mode == RenderMode::Edit)
            drawOffPaperOutlines(painter, s, paper);
        drawGroupRects(painter, doc.selection(), s);
        drawSelectedObjects(painter, doc.selection(), s);
        painter.restore();
    }
}

void PageRenderer::drawPictures(QPainter& painter, CORINOTEDoc& doc, int page,
                                const Options& options)
{
    const Source s = sourceOf(doc, page);
    painter.save();
    painter.setClipRect(RenderSupport::rectF(s.paper), Qt::IntersectClip);
    drawSheetBackgrounds(painter, s, options.mode);
    if (!s.regions->isEmpty() && s.currentSheetNo >= 1) {
        const TextRectFamily& regions = *s.regions;
        TextRegionRenderer::Context context = regionContext(s, options.mode);
        const int first = s.objects.firstRegion;
        for (int i = first; i < first + s.objects.regionCount; ++i) {
            if (!s.layerShown(regions.layer(i)))
                continue;
            const TextRect region = regions.at(i);
            if (region.backPicture.isEmpty())
                continue;
            context.number = i + 1;
            mRegions.drawBox(painter, region, context);
        }
    }
    painter.restore();
}

void PageRenderer::drawOffPaperOutlines(QPainter& painter, const Source& s, const QRectF& paper)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(RenderSupport::hairline(Qt::black, Qt::DotLine));
    const auto outline = [&](const Rect& r) {
        const QRectF rect = RenderSupport::rectF(r);
        if (!paper.contains(rect))
            painter.drawRect(rect);
    };
    for (int i = s.objects.firstSheet; i < s.objects.firstSheet + s.objects.sheetCount; ++i)
        outline(s.sheets->rect(i));
    for (int i = s.objects.firstRegion; i < s.objects.firstRegion + s.objects.regionCount; ++i) {
        if (s.layerShown(s.regions->layer(i)))
            outline(s.regions->rect(i));
    }
    painter.restore();
}

void PageRenderer::drawGrid(QPainter& painter, const Rect& paper)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPen dotted = RenderSupport::pen(painter, kLightCyan, 1, Qt::DotLine);
    const QPen light = RenderSupport::pen(painter, kLightCyan, 1);
    const QPen strong = RenderSupport::pen(painter, kCyan, 1);
    auto penFor = [&](int v) -> const QPen& {
        return v % 500 == 0 ? strong : v % 100 == 0 ? light : dotted;
    };
    // A damaged file may hold any paper; no real one is larger than this.
    const int right = std::min(paper.right, kMaxPaper);
    const int bottom = std::max(paper.bottom, -kMaxPaper);
    for (int x = 0; x <= right; x += 50) {
        painter.setPen(penFor(x));
        painter.drawLine(QPointF(x, 0), QPointF(x, bottom));
    }
    for (int y = 0; y >= bottom; y -= 50) {
        painter.setPen(penFor(-y));
        painter.drawLine(QPointF(0, y), QPointF(right, y));
    }
    painter.restore();
}

void PageRenderer::drawSheetBackgrounds(QPainter& painter, const Source& s, RenderMode mode)
{
    const SheetFamily& sheets = *s.sheets;
    if (s.perSheetBackgrounds) {
        for (int i = s.objects.firstSheet; i < s.objects.firstSheet + s.objects.sheetCount; ++i) {
            drawSheetBackground(painter, s, sheets.rect(i), i, sheets.elliptic(i) != 0, mode,
                                QStringLiteral("S%1 Pic").arg(i + 1));
        }
        return;
    }
    // Only the current sheet, with the first sheet's settings; never on the data-mode
    // screen.
    if ((!s.templateMode && mode != RenderMode::Print) || s.currentSheet < 0 || sheets.isEmpty())
        return;
    drawSheetBackground(painter, s, sheets.rect(s.currentSheet), 0, false, mode,
                        QStringLiteral("LT%1 Pic").arg(s.currentSheetNo));
}

void PageRenderer::drawSheetBackground(QPainter& painter, const Source& s, const Rect& sheet,
                                       int settings, bool elliptic, RenderMode mode,
                                       const QString& label)
{
    const SheetFamily& sheets = *s.sheets;
    const qint64 bx = sheets.bleedX(settings);
    const qint64 by = sheets.bleedY(settings);
    const QRectF bg = RenderSupport::rectF(sheet).adjusted(-bx, -by, bx, by);
    const qint32 color = sheets.backColor(settings);
    const QString picture = sheets.backPicture(settings);

    painter.save();
    if (elliptic) {
        QPainterPath ellipse;
        ellipse.addEllipse(bg);
        painter.setClipPath(ellipse, Qt::IntersectClip);
    }
    if (color != kNoColor) {
        QPainterPath shape;
        addSheetShape(shape, bg, false, s.roundCorners);
        painter.fillPath(shape, RenderSupport::color(color));
    }
    if (!picture.isEmpty() && mode != RenderMode::Edit) {
        const int transparency = qBound(0, int(sheets.pictureTransparency(settings)), 100);
        mPictures.draw(painter, bg, picture, sheets.backPictureRotation(settings),
                       (100 - transparency) / 100.0, {}, sheets.keepPictureAspect(settings) != 0);
    }
    painter.restore();
    if (!picture.isEmpty() && mode == RenderMode::Edit)
        RenderSupport::drawLabel(painter, QPointF(sheet.left, sheet.top), label, kGrey);
}

void PageRenderer::drawRuledLines(QPainter& painter, const Source& s)
{
    const KeisennFamily& lines = *s.lines;
    for (int i = s.objects.firstLine; i < s.objects.firstLine + s.objects.lineCount; ++i) {
        painter.setPen(
            RenderSupport::pen(painter, RenderSupport::color(lines.color(i)), lines.width(i)));
        const Point a = lines.start(i);
        const Point b = lines.end(i);
        painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
    }
}

void PageRenderer::drawRegionOutlines(QPainter& painter, const Source& s)
{
    const TextRectFamily& regions = *s.regions;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(RenderSupport::hairline(kGrey, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    for (int i = s.objects.firstRegion; i < s.objects.firstRegion + s.objects.regionCount; ++i) {
        if (!s.layerShown(regions.layer(i)))
            continue;
        const QRectF r = RenderSupport::rectF(regions.rect(i));
        if (regions.elliptic(i))
            painter.drawEllipse(r);
        else
            painter.drawRect(r);
    }
    painter.restore();
}

TextRegionRenderer::Context PageRenderer::regionContext(const Source& s, RenderMode mode)
{
    TextRegionRenderer::Context context;
    context.mode = mode;
    context.templateMode = s.templateMode;
    context.fitData = s.fitData;
    return context;
}

void PageRenderer::drawRegions(QPainter& painter, const Source& s, RenderMode mode)
{
    // Drawing never writes into the document: the height a region is drawn at comes from
    // its rectangle at every drawing, whatever its font record holds.
    const TextRectFamily& regions = *s.regions;
    TextRegionRenderer::Context context = regionContext(s, mode);
    const int first = s.objects.firstRegion;
    const int end = first + s.objects.regionCount;
    for (int layer = 1; layer <= 10; ++layer) {
        if (!s.layerShown(layer))
            continue;
        for (int i = first; i < end; ++i) {
            if (regions.layer(i) != layer)
                continue;
            const TextRect region = regions.at(i);
            context.number = i + 1;
            const bool barcode = CustomerBarcode::isField(region.attribute);
            if (barcode && !BarcodePainter::fits(region) && mode == RenderMode::Edit)
                markSmallBarcode(painter, region);
            if (!s.templateMode && barcode) {
                // Background and frame as any region, then the bars instead of text.
                mRegions.drawBox(painter, region, context);
                BarcodePainter::draw(painter, region, region.text);
                continue;
            }
            if (s.templateMode && barcode && !BarcodePainter::fits(region)) {
                // The designer names a region too small for the barcode.
                mRegions.draw(painter, region,
                              region.attribute +
                                  QCoreApplication::translate("PageRenderer", "（小さすぎます）"),
                              context);
                continue;
            }
            if (!s.templateMode && NameBlock::isField(region.attribute)) {
                mRegions.drawNameBlock(painter, region, region.text, context);
                continue;
            }
            const QString& text = s.templateMode ? region.attribute : region.text;
            mRegions.draw(painter, region, text, context);
        }
    }
}

void PageRenderer::markSmallBarcode(QPainter& painter, const TextRect& region)
{
    // A red cross over the region on the screen only: the barcode cannot be drawn in it.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(RenderSupport::hairline(Qt::red));
    painter.setBrush(Qt::NoBrush);
    const QRectF r = RenderSupport::rectF(region.rect);
    painter.drawRect(r);
    painter.drawLine(r.topLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomLeft());
    painter.restore();
}

void PageRenderer::drawSheetFrames(QPainter& painter, const Source& s, RenderMode mode)
{
    const SheetFamily& sheets = *s.sheets;
    const int first = s.objects.firstSheet;
    const int end = first + s.objects.sheetCount;
    painter.setBrush(Qt::NoBrush);
    if (mode == RenderMode::Edit) {
        // Editing aids are crisp one-pixel lines at every zoom.
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(RenderSupport::hairline(kDarkGrey));
        for (int i = first; i < end; ++i)
            drawSheetShape(painter, RenderSupport::rectF(sheets.rect(i)), sheets.elliptic(i),
                           s.roundCorners);
        if (s.currentOnPage()) {
            painter.setPen(RenderSupport::hairline(Qt::red));
            drawSheetShape(painter, RenderSupport::rectF(sheets.rect(s.currentSheet)),
                           sheets.elliptic(s.currentSheet), s.roundCorners);
        }
        painter.restore();
        return;
    }
    if (!s.printSheetFrames)
        return;
    QList<int> framed;
    if (s.perSheetBackgrounds) {
        for (int i = first; i < end; ++i)
            framed.append(i);
    } else if (s.currentSheet >= 0) {
        framed.append(s.currentSheet);
    }
    const QPen black = RenderSupport::pen(painter, Qt::black, 1);
    const QPen white = RenderSupport::pen(painter, Qt::white, 2);
    for (int i : framed) {
        const QRectF r = RenderSupport::rectF(sheets.rect(i));
        painter.setPen(black);
        drawSheetShape(painter, r, sheets.elliptic(i), s.roundCorners);
        painter.setPen(white);
        drawSheetShape(painter, r.adjusted(2, 2, -2, -2), sheets.elliptic(i), s.roundCorners);
    }
}

void PageRenderer::drawGroupRects(QPainter& painter, const Selection& sel, const Source& s)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < sel.group.size(); ++i) {
        const ObjectRef& ref = sel.group.at(i);
        const bool sheet = ref.kind == ObjectRef::SheetKind;
        if (sheet ? !s.objects.hasSheet(ref.index) : !s.objects.hasRegion(ref.index))
            continue;
        const Rect r = sheet ? s.sheets->rect(ref.index) : s.regions->rect(ref.index);
        const bool last = i + 1 == sel.group.size();
        painter.setPen(RenderSupport::hairline(last ? Qt::blue : Qt::green, Qt::DotLine));
        painter.drawRect(RenderSupport::rectF(r));
    }
    painter.restore();
}

void PageRenderer::drawSelectedObjects(QPainter& painter, const Selection& sel, const Source& s)
{
    if (s.objects.hasRegion(sel.textRect))
        RenderSupport::drawTracker(painter, RenderSupport::rectF(s.regions->rect(sel.textRect)));
    else if (s.templateMode && s.objects.hasSheet(sel.sheet))
        RenderSupport::drawTracker(painter, RenderSupport::rectF(s.sheets->rect(sel.sheet)));

    const KeisennFamily& lines = *s.lines;
    painter.setBrush(Qt::NoBrush);
    for (int i : sel.keisenns) {
        if (i < s.objects.firstLine || i >= s.objects.firstLine + s.objects.lineCount)
            continue;
        const QPointF a(lines.start(i).x, lines.start(i).y);
        const QPointF b(lines.end(i).x, lines.end(i).y);
        painter.setPen(RenderSupport::pen(painter, QColor(0xFF, 0xFF, 0x00), lines.width(i)));
        painter.drawLine(a, b);
        painter.setPen(RenderSupport::pen(painter, Qt::blue, 1));
        painter.drawEllipse(a, 10, 10);
        painter.setPen(RenderSupport::pen(painter, Qt::red, 1));
        painter.drawEllipse(b, 10, 10);
    }
}

void PageRenderer::drawLabels(QPainter& painter, const Source& s, const Options& options)
{
    const PageObjects& o = s.objects;
    if (options.sheetNumbers) {
        for (int i = o.firstSheet; i < o.firstSheet + o.sheetCount; ++i) {
            const Rect r = s.sheets->rect(i);
            RenderSupport::drawLabel(painter, QPointF(r.left, r.top),
                                     QStringLiteral("S%1").arg(i + 1), Qt::white, Qt::green);
        }
    }
    if (options.regionNumbers) {
        for (int i = o.firstRegion; i < o.firstRegion + o.regionCount; ++i) {
            const Rect r = s.regions->rect(i);
            RenderSupport::drawLabel(painter, QPointF(r.left, r.top),
                                     QStringLiteral("T%1").arg(i + 1), Qt::white, Qt::blue);
        }
    }
    if (options.keisennNumbers) {
        for (int i = o.firstLine; i < o.firstLine + o.lineCount; ++i) {
            const Point a = s.lines->start(i);
            const Point b = s.lines->end(i);
            const QPointF mid((qreal(a.x) + b.x) / 2, (qreal(a.y) + b.y) / 2);
            RenderSupport::drawLabel(painter, mid, QStringLiteral("K%1").arg(i + 1), Qt::white,
                                     Qt::red);
        }
    }
}
