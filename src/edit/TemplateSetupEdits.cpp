#include "TemplateSetupEdits.h"

#include "ValueCheck.h"

#include "base/TextCodec.h"
#include "model/TextMeasurer.h"
#include "render/RegionFitter.h"

#include <QCoreApplication>

#include <algorithm>

namespace TemplateSetupEdits {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("TemplateSetupEdits", text);
}

// The rows that name an object of a family of `size`, each once, highest first, so that
// removing them in this order leaves the lower indices valid.
QList<int> validRowsDescending(QList<int> rows, int size)
{
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [size](int r) { return r < 0 || r >= size; }),
               rows.end());
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

bool isPlaceholderFree(const QString& text, bool withAutomatic)
{
    return !text.contains(QLatin1String("(R)")) && !text.contains(QLatin1String("(S)")) &&
           !(withAutomatic && text.contains(QLatin1String("(A)")));
}

// A region fitted to its text ends at the paper's edge at the latest and stays within the
// page's own ranges, so that 変更 on its row is never refused afterwards. Only an end the
// fitting moved past those limits is brought back.
Rect boundedFit(Rect r, const Rect& paper)
{
    using ValueCheck::Field;
    const qint64 maxRight = std::max<qint64>(
        qint64(r.left) + 25, std::min<qint64>(paper.right, qint64(r.left) + 2970));
    if (r.right > maxRight)
        r.right = qint32(maxRight);
    const qint64 minBottom = std::min<qint64>(
        qint64(r.top) - 25, std::max<qint64>(paper.bottom, qint64(r.top) - 4200));
    if (r.bottom < minBottom)
        r.bottom = qint32(minBottom);
    return r;
}

} // namespace

QString selectItemMessage()
{
    return tr("アイテムを選択してください。");
}

QString oneItemMessage()
{
    return tr("一つの項目のみを選択してください。");
}

QString selectChangeMessage()
{
    return tr("変更するデータを選択してください。");
}

QString selectDeleteMessage()
{
    return tr("削除するデータを選択してください。");
}

QString linesQuestion()
{
    return tr("複数の罫線が選択されています。罫線の色と太さのみ変更しますが、よろしいですか？");
}

QString checkSheet(const RectFields& f)
{
    using ValueCheck::Field;
    return ValueCheck::check({{Field::X, f.x},
                              {Field::Y, f.y},
                              {Field::SheetHeight, f.height},
                              {Field::SheetWidth, f.width}});
}

QString checkRegion(const RegionFields& f)
{
    using ValueCheck::Field;
    return ValueCheck::check({{Field::Layer, f.layer},
                              {Field::X, f.rect.x},
                              {Field::Y, f.rect.y},
                              {Field::RegionHeight, f.rect.height},
                              {Field::RegionWidth, f.rect.width}});
}

QString checkLine(const LineFields& f)
{
    using ValueCheck::Field;
    // The page's width field starts at 1: a line of width 0 would not be seen.
    if (f.width < 1)
        return ValueCheck::message();
    return ValueCheck::check({{Field::X, f.x1},
                              {Field::Y, f.y1},
                              {Field::X, f.x2},
                              {Field::Y, f.y2},
                              {Field::LineWidth, f.width}});
}

QString addSheet(TemplateSetup& s, const RectFields& f, bool elliptic)
{
    if (const QString refusal = checkSheet(f); !refusal.isEmpty())
        return refusal;
    Sheet sheet;
    sheet.rect = f.toRect();
    sheet.elliptic = elliptic ? 1 : 0;
    sheet.autoCols = 0;
    sheet.autoRows = 0;
    s.sheets.append(sheet);
    return QString();
}

QString changeSheet(TemplateSetup& s, const QList<int>& rows, const RectFields& f, bool elliptic)
{
    const QList<int> valid = validRowsDescending(rows, s.sheets.size());
    if (valid.isEmpty())
        return selectItemMessage();
    if (valid.size() > 1)
        return oneItemMessage();
    if (const QString refusal = checkSheet(f); !refusal.isEmpty())
        return refusal;
    s.sheets.setRect(valid.first(), f.toRect());
    s.sheets.setElliptic(valid.first(), elliptic ? 1 : 0);
    return QString();
}

QString removeSheets(TemplateSetup& s, const QList<int>& rows)
{
    const QList<int> valid = validRowsDescending(rows, s.sheets.size());
    if (valid.isEmpty())
        return selectDeleteMessage();
    for (const int row : valid)
        s.sheets.removeAt(row);
    return QString();
}

FontRecord regionFont(const RegionFields& f)
{
    if (f.vertical)
        return FontRecord::make(QStringLiteral("@ＭＳ 明朝"), qint32(-f.rect.width), 900);
    if (f.western)
        return FontRecord::make(QStringLiteral("ＭＳ 明朝"), qint32(-f.rect.width), 2700);
    return FontRecord::make(QStringLiteral("ＭＳ 明朝"), qint32(-f.rect.height), 0);
}

QString addRegion(TemplateSetup& s, const RegionFields& f, bool sizeToText,
                  const TextMeasurer* measurer)
{
    if (const QString refusal = checkRegion(f); !refusal.isEmpty())
        return refusal;
    TextRect r;
    r.attribute = f.attribute;
    r.rect = f.rect.toRect();
    r.layer = qint32(f.layer);
    r.elliptic = f.elliptic ? 1 : 0;
    r.setSqueezesLongText(f.squeeze);
    r.font = regionFont(f);
    r.borderColor = 0xFFFFFF;

    const QString& text = f.attribute;
    if (sizeToText && measurer && !text.isEmpty() && isPlaceholderFree(text, true)) {
        const bool alongHeight = f.vertical || f.western;
        const int cross = int(alongHeight ? f.rect.width : f.rect.height);
        const qint64 cx = measurer->textExtent(text, r.font, cross);
        const qint64 average = cx / std::max(1, TextCodec::byteLength(text));
        // A region at least one unit long, however short the measured text.
        const qint64 length = std::max<qint64>(1, cx + average);
        if (alongHeight)
            r.rect.bottom = qint32(std::max<qint64>(INT32_MIN, qint64(r.rect.top) - length));
        else
            r.rect.right = qint32(std::min<qint64>(INT32_MAX, qint64(r.rect.left) + length));
        r.rect = boundedFit(r.rect, s.paperRect());
    }
    s.regions.append(r);
    return QString();
}

QString changeRegion(TemplateSetup& s, const QList<int>& rows, const RegionFields& f, int fitMode,
                     const TextMeasurer* measurer)
{
    const QList<int> valid = validRowsDescending(rows, s.regions.size());
    if (valid.isEmpty())
        return selectItemMessage();
    if (valid.size() > 1)
        return oneItemMessage();
    if (const QString refusal = checkRegion(f); !refusal.isEmpty())
        return refusal;
    const int i = valid.first();
    s.regions.setRect(i, f.rect.toRect());
    s.regions.setLayer(i, qint32(f.layer));
    s.regions.setAttribute(i, f.attribute);
    s.regions.setElliptic(i, f.elliptic ? 1 : 0);
    TextRect squeezed;
    squeezed.reservedA = s.regions.reservedA(i);
    squeezed.setSqueezesLongText(f.squeeze);
    s.regions.setReservedA(i, squeezed.reservedA);
    if (isPlaceholderFree(f.attribute, false) &&
        (fitMode == RegionFitter::Shrink || fitMode == RegionFitter::Enlarge))
    {
        // Template regions have no text of their own: the attribute is what they show.
        Rect rect = s.regions.rect(i);
        FontRecord font = s.regions.font(i);
        if (RegionFitter::fit(f.attribute, rect, font, s.regions.charSpacing(i), fitMode,
                              measurer)) {
            s.regions.setRect(i, boundedFit(rect, s.paperRect()));
            s.regions.setFont(i, font);
        }
    }
    return QString();
}

QString removeRegions(TemplateSetup& s, const QList<int>& rows)
{
    const QList<int> valid = validRowsDescending(rows, s.regions.size());
    if (valid.isEmpty())
        return selectDeleteMessage();
    for (const int row : valid)
        s.regions.removeAt(row);
    return QString();
}

QString addLine(TemplateSetup& s, const LineFields& f)
{
    if (const QString refusal = checkLine(f); !refusal.isEmpty())
        return refusal;
    Keisenn line;
    line.start = f.start();
    line.end = f.end();
    line.width = qint32(f.width);
    line.color = f.color;
    s.lines.append(line);
    return QString();
}

QString changeLines(TemplateSetup& s, const QList<int>& rows, const LineFields& f,
                    const Confirm& confirm)
{
    const QList<int> valid = validRowsDescending(rows, s.lines.size());
    if (valid.isEmpty())
        return selectChangeMessage();
    if (const QString refusal = checkLine(f); !refusal.isEmpty())
        return refusal;
    if (valid.size() > 1) {
        if (!confirm || !confirm(linesQuestion()))
            return QString();
        for (const int row : valid) {
            s.lines.setWidth(row, qint32(f.width));
            s.lines.setColor(row, f.color);
        }
        return QString();
    }
    const int i = valid.first();
    s.lines.setStart(i, f.start());
    s.lines.setEnd(i, f.end());
    s.lines.setWidth(i, qint32(f.width));
    s.lines.setColor(i, f.color);
    return QString();
}

QString removeLines(TemplateSetup& s, const QList<int>& rows)
{
    const QList<int> valid = validRowsDescending(rows, s.lines.size());
    if (valid.isEmpty())
        return selectDeleteMessage();
    for (const int row : valid)
        s.lines.removeAt(row);
    return QString();
}

} // namespace TemplateSetupEdits
