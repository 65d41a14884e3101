#include "TextAttributes.h"

#include "base/TextCodec.h"
#include "model/CORINOTEDoc.h"
#include "model/PageObjects.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace TextAttributes {

namespace {

// Runs a change of the selected region as one undo step.
template<typename Change>
void change(CORINOTEDoc& doc, Change apply)
{
    const int i = selected(doc);
    if (i < 0)
        return;
    doc.takeUndoSnapshot(QStringLiteral("文字列の属性"));
    apply(regions(doc), i);
    doc.setModified();
    doc.updateAllViews();
}

template<typename Edit>
void changeFont(CORINOTEDoc& doc, Edit edit)
{
    change(doc, [&](TextRectFamily& r, int i) {
        FontRecord font = r.font(i);
        edit(font);
        r.setFont(i, font);
    });
}

} // namespace

int selected(const CORINOTEDoc& doc)
{
    const int i = doc.selection().textRect;
    const PageObjects page = PageObjects::of(doc, doc.templateMode ? 1 : doc.currentPage);
    return page.hasRegion(i) ? i : -1;
}

TextRectFamily& regions(CORINOTEDoc& doc)
{
    return doc.templateMode ? doc.labelTemplate().regions : doc.textRects();
}

const TextRectFamily& regions(const CORINOTEDoc& doc)
{
    return doc.templateMode ? doc.labelTemplate().regions : doc.textRects();
}

bool isOn(const CORINOTEDoc& doc, Style style)
{
    const int i = selected(doc);
    if (i < 0)
        return false;
    const FontRecord f = regions(doc).font(i);
    switch (style) {
    case Style::Bold:
        return f.weight == 700;
    case Style::Italic:
        return f.italic != 0;
    case Style::StrikeOut:
        return f.strikeOut != 0;
    case Style::Underline:
        return f.underline != 0;
    }
    return false;
}

void toggle(CORINOTEDoc& doc, Style style)
{
    changeFont(doc, [style](FontRecord& f) {
        switch (style) {
        case Style::Bold:
            f.weight = f.weight == 400 ? 700 : 400;
            break;
        case Style::Italic:
            f.italic = f.italic ? 0 : 1;
            break;
        case Style::StrikeOut:
            f.strikeOut = f.strikeOut ? 0 : 1;
            break;
        case Style::Underline:
            f.underline = f.underline ? 0 : 1;
            break;
        }
    });
}

void setAlignment(CORINOTEDoc& doc, int alignment)
{
    change(doc, [alignment](TextRectFamily& r, int i) { r.setAlignment(i, alignment); });
}

void turnText(CORINOTEDoc& doc, bool clockwise)
{
    changeFont(doc, [clockwise](FontRecord& f) {
        const int angle = ((f.escapement + (clockwise ? 900 : 2700)) % 3600 + 3600) % 3600;
        f.escapement = f.orientation = angle;
    });
}

void setTextColor(CORINOTEDoc& doc, qint32 color)
{
    change(doc, [color](TextRectFamily& r, int i) { r.setTextColor(i, color); });
}

void setOutline(CORINOTEDoc& doc, int width, qint32 color)
{
    change(doc, [=](TextRectFamily& r, int i) {
        r.setOutlineWidth(i, width);
        r.setOutlineColor(i, color);
    });
}

void setCharSpacing(CORINOTEDoc& doc, int spacing)
{
    change(doc, [spacing](TextRectFamily& r, int i) { r.setCharSpacing(i, spacing); });
}

Frame frame(const CORINOTEDoc& doc)
{
    Frame f;
    const int i = selected(doc);
    if (i < 0)
        return f;
    const TextRectFamily& r = regions(doc);
    const BorderSides sides = r.borderSides(i);
    f.top = sides.top != 0;
    f.bottom = sides.bottom != 0;
    f.left = sides.left != 0;
    f.right = sides.right != 0;
    f.width = r.borderWidth(i);
    f.color = r.borderColor(i);
    return f;
}

void setFrame(CORINOTEDoc& doc, const Frame& f)
{
    change(doc, [&f](TextRectFamily& r, int i) {
        r.setBorderSides(i, BorderSides{f.top, f.bottom, f.left, f.right});
        r.setBorderWidth(i, f.width);
        r.setBorderColor(i, f.color);
    });
}

QStringList offeredFaces(const QStringList& japaneseFamilies)
{
    static const char16_t* const windowsFaces[] = {u"ＭＳ 明朝", u"ＭＳ Ｐ明朝", u"ＭＳ ゴシック",
                                                   u"ＭＳ Ｐゴシック"};
    QStringList names;
    for (const char16_t* face : windowsFaces)
        names.append(QString::fromUtf16(face));
    for (const QString& family : japaneseFamilies) {
        if (!names.contains(family) && !family.startsWith(u'@'))
            names.append(family);
    }
    QStringList all;
    for (const QString& n : std::as_const(names))
        all << n << QLatin1Char('@') + n;
    return all;
}

QString checkFace(const QString& face)
{
    if (face.isEmpty() || TextCodec::byteLength(face) > FontRecord::FaceBytes - 1)
        return QCoreApplication::translate(
            "TextAttributes", "フォント名が長すぎるため、このフォントは使用できません。");
    return QString();
}

QString setFont(CORINOTEDoc& doc, const FontChoice& choice)
{
    const QString refusal = checkFace(choice.face);
    if (!refusal.isEmpty())
        return refusal;
    changeFont(doc, [&choice](FontRecord& f) {
        f.weight = choice.weight;
        f.italic = choice.italic ? 1 : 0;
        f.charSet = quint8(choice.charSet);
        f.setFaceName(choice.face);
    });
    return QString();
}

int pointsOf(const CORINOTEDoc& doc, int region)
{
    const TextRectFamily& r = doc.templateMode ? doc.labelTemplate().regions : doc.textRects();
    if (region < 0 || region >= r.size())
        return 0;
    const Rect rect = r.rect(region);
    const int angle = r.font(region).escapement;
    const qint64 cross = angle == 900 || angle == 2700 ? qint64(rect.right) - rect.left
                                                         : qint64(rect.top) - rect.bottom;
    return int(std::clamp<qint64>(std::llround(double(cross) / 3.5277777778), 0, MaxPoints));
}

void sizeToPoints(CORINOTEDoc& doc, int points)
{
    const int i = selected(doc);
    if (i < 0 || points <= 0)
        return;
    TextRectFamily& r = regions(doc);
    const qint32 t = qint32(std::trunc(points * 3.5277777778));
    Rect rect = r.rect(i);
    const int angle = r.font(i).escapement;
    if (angle == 900 || angle == 2700)
        rect.right = rect.left + t;
    else
        rect.bottom = rect.top - t;
    r.setRect(i, rect);
    doc.setModified();
    doc.updateAllViews();
}

} // namespace TextAttributes
