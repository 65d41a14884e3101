#include "NameBlockLayout.h"

#include "RegionLayout.h"

#include <algorithm>
#include <climits>

namespace {

constexpr double kCompanyScale = 0.7;
// The gap between neighbouring lines (columns) of the block, in ems of the names: the
// customary space, kept while the size shrinks.
constexpr double kLineGap = 0.25;
// Shrinking stops after this many measurements: each one lands within a unit or two.
constexpr int kFitRounds = 8;

int clampInt(qint64 v)
{
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}

using Piece = NameBlockLayout::Piece;
using Role = NameBlockLayout::Role;

// The pieces at one size, along the lines from 0; returns the block's width.
int arrange(const NameBlock& block, int h, int hc, const NameBlockLayout::Measure& measure,
            QList<Piece>& pieces)
{
    pieces.clear();
    const auto width = [&](const QString& t, int height) {
        return t.isEmpty() ? 0 : measure(t, height);
    };
    const int gap = h / 2;
    int line = 0;
    int blockWidth = 0;
    for (const QString& c : block.company) {
        Piece p{c, Role::Company, line++, hc, 0, 0, width(c, hc), {}};
        blockWidth = std::max(blockWidth, p.width);
        pieces.append(p);
    }
    if (block.names.isEmpty())
        return blockWidth;

    const NameBlock::Name& main = block.names.first();
    const int surnameWidth = width(main.surname, h);
    // Every surname starts at the line's start, every given name after the widest surname
    // (a joint name with a surname of its own stands level with the main name).
    int surnameColumn = surnameWidth;
    for (const NameBlock::Name& n : block.names)
        surnameColumn = std::max(surnameColumn, width(n.surname, h));
    const bool mainGiven = !main.given.isEmpty();
    const int givenStart = main.surname.isEmpty() ? 0 : mainGiven ? surnameColumn + gap : 0;

    QList<Piece> names;
    int first = 0;
    for (int i = 0; i < block.names.size(); ++i, ++line) {
        const NameBlock::Name& n = block.names.at(i);
        if (!n.surname.isEmpty())
            names.append({n.surname, Role::Surname, line, h, 0, 0, width(n.surname, h), {}});
        if (!n.given.isEmpty()) {
            Piece p{n.given, Role::Given, line, h, givenStart, 0, width(n.given, h), {}};
            if (i > 0 && !mainGiven && !main.surname.isEmpty())
                p.along = surnameWidth - p.width; // end where the main name ends
            first = std::min(first, p.along);
            names.append(p);
        }
    }
    int nameEnd = 0;
    for (Piece& p : names) {
        p.along -= first;
        nameEnd = std::max(nameEnd, p.along + p.width);
    }
    const int honorificStart = nameEnd + gap;
    blockWidth = std::max(blockWidth, nameEnd);
    for (int i = 0; i < block.names.size(); ++i) {
        const QString& t = block.names.at(i).honorific;
        if (t.isEmpty())
            continue;
        Piece p{t, Role::Honorific, int(block.company.size()) + i, h, honorificStart, 0,
                width(t, h), {}};
        blockWidth = std::max(blockWidth, p.along + p.width);
        names.append(p);
    }
    pieces += names;
    return blockWidth;
}

} // namespace

NameBlockLayout NameBlockLayout::compute(const Rect& rect, int orientation, int alignment,
                                         int maxHeight, const NameBlock& block,
                                         const Measure& measure)
{
    NameBlockLayout l;
    l.rotation = RegionLayout::rotationOf(orientation);
    const bool turned = l.rotation == 900 || l.rotation == 2700;
    l.crossSize = clampInt(turned ? rect.width() : rect.height());
    l.span = clampInt(turned ? rect.height() : rect.width());
    const qsizetype companyLines = block.company.size();
    const qsizetype nameLines = block.names.size();
    if (block.isEmpty() || l.crossSize <= 0 || l.span <= 0)
        return l;

    const qsizetype lines = nameLines + companyLines;
    const double units = double(nameLines) + kCompanyScale * double(companyLines) +
                         kLineGap * double(lines - 1);
    int h = std::min<int>(int(l.crossSize / units), RegionLayout::MaxFontHeight);
    if (maxHeight > 0)
        h = std::min(h, maxHeight);
    for (int round = 0; round < kFitRounds && h > 0; ++round) {
        l.width = arrange(block, h, int(h * kCompanyScale), measure, l.pieces);
        if (l.width <= l.span)
            break;
        const int smaller = int(qint64(h) * l.span / std::max(1, l.width));
        h = smaller < h ? smaller : h - 1;
        if (h <= 0 || round + 1 == kFitRounds)
            l.pieces.clear(); // nothing fits: draw nothing rather than run past the region
    }
    if (h <= 0 || l.pieces.isEmpty())
        return l;
    l.nameHeight = h;
    l.companyHeight = int(h * kCompanyScale);

    const qint64 gap = qint64(h * kLineGap);
    const qint64 depth =
        qint64(l.companyHeight) * companyLines + qint64(h) * nameLines + gap * (lines - 1);
    const qint64 acrossStart = std::max<qint64>(0, (l.crossSize - depth) / 2);
    const qint64 slack = qint64(l.span) - l.width;
    const qint64 alongStart = alignment == 1 ? slack / 2 : alignment == 2 ? slack : 0;

    const qint64 left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    for (Piece& p : l.pieces) {
        const qint64 lineStart = (p.line < companyLines
                                      ? qint64(p.line) * l.companyHeight
                                      : qint64(companyLines) * l.companyHeight +
                                            qint64(p.line - companyLines) * h) +
                                 gap * p.line;
        p.across = clampInt(acrossStart + lineStart);
        p.along = clampInt(alongStart + p.along);
        const qint64 a = p.along, c = p.across;
        switch (l.rotation) {
        case 900:
            p.start = QPointF(right - c, top - a);
            break;
        case 1800:
            p.start = QPointF(right - a, bottom + c);
            break;
        case 2700:
            p.start = QPointF(left + c, bottom + a);
            break;
        default:
            p.start = QPointF(left + a, top - c);
            break;
        }
    }
    return l;
}
