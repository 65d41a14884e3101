#include "StatusTexts.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>

namespace StatusTexts {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("StatusTexts", text);
}

// Tenths of a millimetre as millimetres with one decimal. Works on the integer so that
// a zero never shows as "-0.0".
QString mm(qint64 tenths)
{
    return QString::number(double(tenths) / 10.0, 'f', 1);
}

} // namespace

QString ready()
{
    return tr("レディ");
}

QString cursor(const std::optional<Point>& p)
{
    if (!p)
        return tr("カーソルの現在座標");
    return tr("X = %1mm, Y = %2mm").arg(mm(p->x), mm(-qint64(p->y)));
}

QString selection(const std::optional<Rect>& r)
{
    if (!r)
        return tr("選択されている領域");
    return tr("X = %1mm, Y = %2mm, 縦 = %3mm, 横 = %4mm")
        .arg(mm(r->left), mm(-qint64(r->top)), mm(-(qint64(r->bottom) - r->top)),
             mm(qint64(r->right) - r->left));
}

std::optional<Rect> selectedRect(const CORINOTEDoc& doc)
{
    const Selection& s = doc.selection();
    const bool tmpl = doc.templateMode != 0;
    const TextRectFamily& regions = tmpl ? doc.labelTemplate().regions : doc.textRects();
    const SheetFamily& sheets = tmpl ? doc.labelTemplate().sheets : doc.sheets();
    if (s.textRect >= 0 && s.textRect < regions.size())
        return regions.rect(s.textRect);
    if (s.sheet >= 0 && s.sheet < sheets.size())
        return sheets.rect(s.sheet);
    return std::nullopt;
}

QString pageIndicator(int current, int count)
{
    // printf's "% 4d": four places, a blank where a minus sign would go.
    return tr(" %1 / %2 ページ ")
        .arg(QString::asprintf("% 4d", current), QString::asprintf("% 4d", count));
}

QString cursorPaneSample()
{
    return tr("X = 000.0mm, Y = 000.0mm");
}

QString selectionPaneSample()
{
    return tr("X = 000.0mm, Y = 000.0mm, 縦 = 000.0mm, 横 = 000.0mm");
}

QString templatePaneSample()
{
    return tr("テンプレート　　　　テンプレート");
}

} // namespace StatusTexts
