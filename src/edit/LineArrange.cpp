#include "LineArrange.h"

#include "EditLayout.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace LineArrange {

namespace {

// The selected lines of the page, in selection order, without repeats.
QList<int> selectedLines(const CORINOTEDoc& doc, const EditLayout& layout)
{
    QList<int> lines;
    for (const int i : doc.selection().keisenns)
        if (layout.objects.hasLine(i) && !lines.contains(i))
            lines.append(i);
    return lines;
}

} // namespace

QString distribute(CORINOTEDoc& doc)
{
    EditLayout layout = EditLayout::of(doc);
    const QList<int> lines = selectedLines(doc, layout);
    const int n = lines.size();
    if (n < 3)
        return QString();
    const KeisennFamily& k = *layout.lines;
    const bool horizontal = std::all_of(lines.begin(), lines.end(), [&](int i) {
        return k.start(i).y == k.end(i).y;
    });
    const bool vertical = !horizontal && std::all_of(lines.begin(), lines.end(), [&](int i) {
        return k.start(i).x == k.end(i).x;
    });
    if (!horizontal && !vertical)
        return QCoreApplication::translate("LineArrange", "平行な罫線のみを選択してください。");

    doc.takeUndoSnapshot(QStringLiteral("罫線の配置"));
    layout = EditLayout::of(doc);
    KeisennFamily& family = *layout.lines;
    const Point firstStart = family.start(lines.first());
    const Point firstEnd = family.end(lines.first());
    const Point lastStart = family.start(lines.last());
    for (int i = 1; i + 1 < n; ++i) {
        Point s = family.start(lines.at(i));
        Point e = family.end(lines.at(i));
        if (horizontal) {
            const double offset = (double(lastStart.y) - firstStart.y) / (n - 1) * i;
            s.y = truncatedCoordinate(firstStart.y + offset);
            e.y = truncatedCoordinate(firstEnd.y + offset);
        } else {
            const double offset = (double(lastStart.x) - firstStart.x) / (n - 1) * i;
            s.x = truncatedCoordinate(firstStart.x + offset);
            e.x = truncatedCoordinate(firstEnd.x + offset);
        }
        family.setStart(lines.at(i), s);
        family.setEnd(lines.at(i), e);
    }
    return QString();
}

bool centreOnPaper(CORINOTEDoc& doc, bool horizontally)
{
    EditLayout layout = EditLayout::of(doc);
    const QList<int> lines = selectedLines(doc, layout);
    if (lines.isEmpty())
        return false;
    KeisennFamily& k = *layout.lines;
    qint64 low = INT64_MAX;
    qint64 high = INT64_MIN;
    for (const int i : lines) {
        for (const Point& p : {k.start(i), k.end(i)}) {
            const qint64 v = horizontally ? p.x : p.y;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    const Rect paper =
        layout.templateMode ? doc.labelTemplate().paperRect : doc.scalars().paperRect;
    // Horizontally: smallest and largest x; vertically: largest top and smallest bottom.
    const qint64 d = horizontally ? (qint64(paper.right) - paper.left - high - low) / 2
                                  : (qint64(paper.bottom) - paper.top - low - high) / 2;
    const auto shifted = [&](Point p) {
        if (horizontally)
            p.x = offsetCoordinate(p.x, d);
        else
            p.y = offsetCoordinate(p.y, d);
        return p;
    };
    for (const int i : lines) {
        k.setStart(i, shifted(k.start(i)));
        k.setEnd(i, shifted(k.end(i)));
    }
    return true;
}

bool intoEverySheet(CORINOTEDoc& doc)
{
    CLabelSheetTemplate& t = doc.labelTemplate();
    const int lines = t.keisenns.size();
    if (t.sheets.size() < 2 || lines == 0)
        return false;
    const Rect s0 = t.sheets.rect(0);
    const double width0 = double(s0.right) - s0.left;
    const double height0 = double(s0.bottom) - s0.top;
    for (int j = 1; j < t.sheets.size(); ++j) {
        const Rect sj = t.sheets.rect(j);
        const double sx = width0 != 0 ? (double(sj.right) - sj.left) / width0 : 1;
        const double sy = height0 != 0 ? (double(sj.bottom) - sj.top) / height0 : 1;
        const auto mapped = [&](const Point& p) {
            return Point{truncatedCoordinate(sj.left - sx * (double(s0.left) - p.x)),
                         truncatedCoordinate(sj.top - sy * (double(s0.top) - p.y))};
        };
        for (int k = 0; k < lines; ++k) {
            Keisenn line = t.keisenns.at(k);
            line.start = mapped(line.start);
            line.end = mapped(line.end);
            t.keisenns.append(line);
        }
    }
    return true;
}

} // namespace LineArrange
