#include "TemplateSetupApply.h"

#include "PictureCheck.h"

#include "PaperName.h"

#include "model/CORINOTEDoc.h"
#include "model/PageBuilder.h"
#include "render/PictureFile.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdint>

namespace TemplateSetupApply {

namespace {

struct Axis
{
    double factor = 1.0;
    qint64 oldOrigin = 0;
    qint64 newOrigin = 0;
    bool scales = false;
};

// The x axis maps old lefts to new lefts; the y axis old tops to new tops.
Axis xAxis(const Rect& from, const Rect& to)
{
    Axis a;
    a.scales = from.width() > 0;
    if (a.scales)
        a.factor = double(to.width()) / double(from.width());
    a.oldOrigin = from.left;
    a.newOrigin = to.left;
    return a;
}

Axis yAxis(const Rect& from, const Rect& to)
{
    Axis a;
    a.scales = from.height() > 0;
    if (a.scales)
        a.factor = double(to.height()) / double(from.height());
    a.oldOrigin = from.top;
    a.newOrigin = to.top;
    return a;
}

qint32 mapped(const Axis& a, qint32 v)
{
    if (!a.scales)
        return v;
    return truncatedCoordinate(double(a.newOrigin) - a.factor * double(a.oldOrigin - qint64(v)));
}

// The far edge follows the mapped near edge by the scaled length, as the sizes are kept
// in proportion even where the near edge was truncated.
qint32 mappedFar(const Axis& a, qint32 mappedNear, qint32 near, qint32 far)
{
    if (!a.scales)
        return far;
    return truncatedCoordinate(double(mappedNear) + a.factor * double(qint64(far) - near));
}

} // namespace

QString paperMessage()
{
    return QCoreApplication::translate("TemplateSetupApply",
                                       "用紙サイズの設定をやりなおしてください。");
}

QString checkPaperPicture(const QString& path)
{
    return PictureCheck::check(path);
}

QString scaleQuestion()
{
    return QCoreApplication::translate(
        "TemplateSetupApply",
        "用紙サイズが変更されました。\n"
        "新しい用紙サイズに合わせて現在のアイテムの位置・サイズを自動的に調節しますか？");
}

bool paperAccepted(qint64 height, qint64 width)
{
    return height >= 300 && height <= 4200 && width >= 300 && width <= 2970;
}

Rect scaledRect(const Rect& r, const Rect& from, const Rect& to)
{
    const Axis x = xAxis(from, to);
    const Axis y = yAxis(from, to);
    Rect out;
    out.left = mapped(x, r.left);
    out.right = mappedFar(x, out.left, r.left, r.right);
    out.top = mapped(y, r.top);
    out.bottom = mappedFar(y, out.top, r.top, r.bottom);
    return out;
}

Point scaledPoint(const Point& p, const Rect& from, const Rect& to)
{
    return Point{mapped(xAxis(from, to), p.x), mapped(yAxis(from, to), p.y)};
}

void scale(CLabelSheetTemplate& t, const Rect& from, const Rect& to)
{
    for (int i = 0; i < t.sheets.size(); ++i)
        t.sheets.setRect(i, scaledRect(t.sheets.rect(i), from, to));
    for (int i = 0; i < t.regions.size(); ++i)
        t.regions.setRect(i, scaledRect(t.regions.rect(i), from, to));
    for (int i = 0; i < t.keisenns.size(); ++i) {
        t.keisenns.setStart(i, scaledPoint(t.keisenns.start(i), from, to));
        t.keisenns.setEnd(i, scaledPoint(t.keisenns.end(i), from, to));
    }
}

Outcome apply(CORINOTEDoc& doc, const TemplateSetup& setup, const AskYesNo& askScale)
{
    if (!paperAccepted(setup.paperHeight, setup.paperWidth))
        return Outcome::Refused;
    CLabelSheetTemplate& t = doc.labelTemplate();
    if (setup.matches(t) && !t.sheets.isEmpty())
        return Outcome::Unchanged;

    doc.takeUndoSnapshot(QStringLiteral("テンプレートの変更"));
    const Rect oldPaper = t.paperRect;
    const Rect newPaper = setup.paperRect();
    t.paperRect = newPaper;
    t.paperPicture = setup.paperPicture;
    t.sheets = setup.sheets;
    t.regions = setup.regions;
    t.keisenns = setup.lines;
    t.printSheetFrames = setup.printSheetFrames;
    t.roundSheetCorners = setup.roundSheetCorners;
    t.printRuledLines = setup.printRuledLines;

    if (oldPaper != newPaper && askScale && askScale(scaleQuestion()))
        scale(t, oldPaper, newPaper);
    // Added after any scaling: the sheet that stands in for none is the new paper itself.
    if (t.sheets.isEmpty()) {
        Sheet whole;
        whole.rect = newPaper;
        whole.autoCols = 0;
        whole.autoRows = 0;
        t.sheets.append(whole);
    }

    // The template's name no longer describes a paper of another size: the status bar names
    // the new paper.
    if (oldPaper != newPaper)
        doc.scalars().templateName = PaperName::of(newPaper);
    PageBuilder::buildPageOne(doc);
    doc.currentPage = 1;
    doc.selection().clear();
    doc.setModified();
    doc.updateAllViews();
    return Outcome::Applied;
}

} // namespace TemplateSetupApply
