#include "RegionLayout.h"

#include "base/TextCodec.h"

#include <algorithm>
#include <climits>

namespace {

int clampInt(qint64 v)
{
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}

} // namespace

int RegionLayout::rotationOf(int orientation)
{
    switch (orientation) {
    case 900:
    case 1800:
    case 2700:
        return orientation;
    default:
        return 0;
    }
}

int RegionLayout::splitIndex(const QString& text)
{
    const int total = TextCodec::byteLength(text);
    if (total < 2)
        return 0;
    const int half = total / 2;
    int bytes = 0;
    int i = 0;
    while (i < text.size() && bytes < half) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            bytes += TextCodec::byteWidth(text.at(i)) + TextCodec::byteWidth(text.at(i + 1));
            i += 2;
        } else {
            bytes += TextCodec::byteWidth(text.at(i));
            ++i;
        }
    }
    return i;
}

RegionLayout RegionLayout::compute(const Rect& rect, int orientation, int alignment,
                                   const QString& text, bool allowTwoLines, const Measure& measure)
{
    RegionLayout l;
    l.rotation = rotationOf(orientation);
    const bool turned = l.rotation == 900 || l.rotation == 2700;
    l.crossSize = clampInt(turned ? rect.width() : rect.height());
    l.span = clampInt(turned ? rect.height() : rect.width());
    l.fontHeight = l.crossSize;
    l.lines[0] = text;
    if (!l.drawable())
        return l;

    l.width = text.isEmpty() ? 0 : measure(text, l.fontHeight);
    if (l.span < l.width && allowTwoLines) {
        l.twoLines = true;
        l.fontHeight /= 2;
        const int at = splitIndex(text);
        l.lines[0] = text.left(at);
        l.lines[1] = text.mid(at);
        if (!l.drawable())
            return l;
        const int w0 = l.lines[0].isEmpty() ? 0 : measure(l.lines[0], l.fontHeight);
        const int w1 = l.lines[1].isEmpty() ? 0 : measure(l.lines[1], l.fontHeight);
        l.width = std::max(w0, w1);
    }

    const qint64 slack = qint64(l.span) - l.width;
    l.offset = clampInt(alignment == 1 ? slack / 2 : alignment == 2 ? slack : 0);

    const qint64 d = l.offset;
    const qint64 left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    switch (l.rotation) {
    case 900:
        l.starts[0] = QPointF(right, top - d);
        l.starts[1] = QPointF(right - (right - left) / 2, top - d);
        break;
    case 1800:
        l.starts[0] = QPointF(right - d, bottom);
        l.starts[1] = QPointF(right - d, bottom - (bottom - top) / 2);
        break;
    case 2700:
        l.starts[0] = QPointF(left, bottom + d);
        l.starts[1] = QPointF(left + (right - left) / 2, bottom + d);
        break;
    default:
        l.starts[0] = QPointF(left + d, top);
        l.starts[1] = QPointF(left + d, top + (bottom - top) / 2);
        break;
    }
    return l;
}

void RegionLayout::squeezeToSpan(const Rect& rect)
{
    if (twoLines || width <= span || span <= 0 || !drawable())
        return;
    squeeze = qreal(span) / width;
    width = span;
    offset = 0;
    switch (rotation) {
    case 900:
        starts[0] = QPointF(rect.right, rect.top);
        break;
    case 1800:
        starts[0] = QPointF(rect.right, rect.bottom);
        break;
    case 2700:
        starts[0] = QPointF(rect.left, rect.bottom);
        break;
    default:
        starts[0] = QPointF(rect.left, rect.top);
        break;
    }
}

namespace {

bool isBreakSpace(QChar c)
{
    return c == u' ' || c == u'　';
}

bool isNumberPart(QChar c)
{
    static const QString kParts = QStringLiteral("0123456789０１２３４５６７８９-－‐−ー"
                                                 "〇一二三四五六七八九十百千");
    return kParts.contains(c);
}

} // namespace

int RegionLayout::naturalBreak(const QString& text)
{
    const int n = int(text.size());
    // A space inside the text: the building name follows.
    for (int i = 1; i + 1 < n; ++i) {
        if (isBreakSpace(text.at(i)) && !isBreakSpace(text.at(i - 1)))
            return i;
    }
    // After the last unit of the address number that more text follows.
    int best = 0;
    for (const QString& unit : {QStringLiteral("番地"), QStringLiteral("号"), QStringLiteral("番")}) {
        const int at = int(text.lastIndexOf(unit));
        if (at > 0 && at + unit.size() < n && !text.mid(at + unit.size()).startsWith(u'室'))
            best = std::max(best, int(at + unit.size()));
    }
    if (best > 0)
        return best;
    // After the first run of digits and dashes that a name follows (2-8-15コーポ若葉).
    int i = 0;
    while (i < n && !(text.at(i).isDigit()))
        ++i;
    if (i < n) {
        while (i < n && isNumberPart(text.at(i)))
            ++i;
        if (i < n && i > 0)
            return i;
    }
    return splitIndex(text);
}

bool RegionLayout::breakInTwo(const Rect& rect, const Measure& measure)
{
    if (twoLines || width <= 0 || span <= 0 || !drawable() ||
        qreal(span) / width >= BreakBelowSqueeze)
        return false;
    const QString text = lines[0];
    const int at = naturalBreak(text);
    if (at <= 0 || at >= text.size())
        return false;
    const QString first = text.left(at).trimmed();
    const QString second = text.mid(at).trimmed();
    if (first.isEmpty() || second.isEmpty())
        return false;
    const int height = fontHeight / 2;
    if (height <= 0)
        return false;
    twoLines = true;
    fontHeight = height;
    lines[0] = first;
    lines[1] = second;
    const int w0 = measure(first, height);
    const int w1 = measure(second, height);
    const int indent = std::min(SecondLineIndent * height, std::max(0, span - w1));
    const qreal fit0 = w0 > span ? qreal(span) / w0 : 1;
    const qreal fit1 = w1 + indent > span ? qreal(span - indent) / std::max(1, w1) : 1;
    squeeze = std::min(fit0, fit1);
    width = std::max(w0, w1 + indent);
    offset = 0;
    const qreal in = indent;
    const qint64 left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    switch (rotation) {
    case 900:
        starts[0] = QPointF(right, top);
        starts[1] = QPointF(right - (right - left) / 2, top - in);
        break;
    case 1800:
        starts[0] = QPointF(right, bottom);
        starts[1] = QPointF(right - in, bottom - (bottom - top) / 2);
        break;
    case 2700:
        starts[0] = QPointF(left, bottom);
        starts[1] = QPointF(left + (right - left) / 2, bottom + in);
        break;
    default:
        starts[0] = QPointF(left, top);
        starts[1] = QPointF(left + in, top + (bottom - top) / 2);
        break;
    }
    return true;
}
