#include "LayoutClipboard.h"

#include "EditLayout.h"
#include "LayoutEdits.h"

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "model/CLabelSheetTemplate.h"
#include "model/CORINOTEDoc.h"

#include <QBuffer>
#include <QDataStream>
#include <QMimeData>

#include <algorithm>

namespace LayoutClipboard {

namespace {

constexpr quint32 Magic = 0x4F4E4C43; // "ONLC"
constexpr quint32 Version = 1;
constexpr int DefaultStep = 50;
constexpr int MaxShifts = 1000;

struct Picked
{
    QList<int> sheets;
    QList<int> regions;
    QList<int> lines;
    bool isEmpty() const { return sheets.isEmpty() && regions.isEmpty() && lines.isEmpty(); }
};

Picked picked(const CORINOTEDoc& doc)
{
    Picked p;
    if (!doc.templateMode)
        return p;
    const CLabelSheetTemplate& t = doc.labelTemplate();
    const Selection& s = doc.selection();
    const auto add = [](QList<int>& list, int i, int size) {
        if (i >= 0 && i < size && !list.contains(i))
            list.append(i);
    };
    add(p.sheets, s.sheet, t.sheets.size());
    add(p.regions, s.textRect, t.regions.size());
    if (!p.sheets.isEmpty() || !p.regions.isEmpty()) {
        for (const ObjectRef& r : s.group) {
            if (r.kind == ObjectRef::SheetKind)
                add(p.sheets, r.index, t.sheets.size());
            else
                add(p.regions, r.index, t.regions.size());
        }
    }
    for (const int i : s.keisenns)
        add(p.lines, i, t.keisenns.size());
    std::sort(p.sheets.begin(), p.sheets.end());
    std::sort(p.regions.begin(), p.regions.end());
    std::sort(p.lines.begin(), p.lines.end());
    return p;
}

// The template's body holds every attribute of sheets and lines and all of a region's
// but those that belong to the pages; those travel beside it.
QByteArray encode(const CLabelSheetTemplate& t)
{
    QByteArray body;
    {
        QBuffer buffer(&body);
        buffer.open(QIODevice::WriteOnly);
        ArchiveWriter out(&buffer);
        t.write(out);
        out.finish();
    }
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << Magic << Version << body;
    for (int i = 0; i < t.regions.size(); ++i)
        out << t.regions.text(i) << t.regions.sheetNo(i) << t.regions.orderSheetNo(i);
    return data;
}

bool decode(const QByteArray& data, CLabelSheetTemplate& t)
{
    QDataStream in(data);
    quint32 magic = 0;
    quint32 version = 0;
    QByteArray body;
    in >> magic >> version >> body;
    if (in.status() != QDataStream::Ok || magic != Magic || version != Version)
        return false;
    QBuffer buffer(&body);
    buffer.open(QIODevice::ReadOnly);
    ArchiveReader reader(&buffer);
    if (!t.read(reader))
        return false;
    for (int i = 0; i < t.regions.size(); ++i) {
        QString text;
        qint32 sheetNo = 1;
        qint32 orderSheetNo = 1;
        in >> text >> sheetNo >> orderSheetNo;
        if (in.status() != QDataStream::Ok)
            return false;
        t.regions.setText(i, text);
        t.regions.setSheetNo(i, sheetNo);
        t.regions.setOrderSheetNo(i, orderSheetNo);
    }
    return true;
}

QString millimetres(qint64 v)
{
    return QString::number(double(v) / 10.0, 'f', 1);
}

QString placeText(const Rect& r)
{
    const Rect n = normalised(r);
    return QStringLiteral("X = %1mm, Y = %2mm, 縦 = %3mm, 横 = %4mm")
        .arg(millimetres(n.left), millimetres(-qint64(n.top)), millimetres(n.height()),
             millimetres(n.width()));
}

// A line a person can read for each object.
QString plainText(const CLabelSheetTemplate& t)
{
    QStringList lines;
    for (int i = 0; i < t.sheets.size(); ++i)
        lines.append(QStringLiteral("シート\t") + placeText(t.sheets.rect(i)));
    for (int i = 0; i < t.regions.size(); ++i) {
        const QString text = t.regions.text(i);
        lines.append(QStringLiteral("文字列編集領域\t") + placeText(t.regions.rect(i)) +
                     (text.isEmpty() ? QString() : QStringLiteral("\t") + text));
    }
    for (int i = 0; i < t.keisenns.size(); ++i) {
        const Point a = t.keisenns.start(i);
        const Point b = t.keisenns.end(i);
        lines.append(QStringLiteral("罫線\t(%1mm, %2mm) - (%3mm, %4mm)")
                         .arg(millimetres(a.x), millimetres(-qint64(a.y)), millimetres(b.x),
                              millimetres(-qint64(b.y))));
    }
    return lines.join(u'\n') + u'\n';
}

bool samePlace(const Rect& a, const Rect& b)
{
    return normalised(a) == normalised(b);
}

// Whether a pasted object would lie exactly on an object of its kind.
bool placeTaken(const CLabelSheetTemplate& into, const CLabelSheetTemplate& pasted)
{
    for (int i = 0; i < pasted.sheets.size(); ++i)
        for (int j = 0; j < into.sheets.size(); ++j)
            if (samePlace(pasted.sheets.rect(i), into.sheets.rect(j)))
                return true;
    for (int i = 0; i < pasted.regions.size(); ++i)
        for (int j = 0; j < into.regions.size(); ++j)
            if (samePlace(pasted.regions.rect(i), into.regions.rect(j)))
                return true;
    for (int i = 0; i < pasted.keisenns.size(); ++i)
        for (int j = 0; j < into.keisenns.size(); ++j)
            if (pasted.keisenns.start(i) == into.keisenns.start(j) &&
                pasted.keisenns.end(i) == into.keisenns.end(j))
                return true;
    return false;
}

void shift(CLabelSheetTemplate& t, int dx, int dy)
{
    const auto moved = [dx, dy](const Rect& r) {
        return Rect{offsetCoordinate(r.left, dx), offsetCoordinate(r.top, dy),
                    offsetCoordinate(r.right, dx), offsetCoordinate(r.bottom, dy)};
    };
    const auto movedPoint = [dx, dy](const Point& p) {
        return Point{offsetCoordinate(p.x, dx), offsetCoordinate(p.y, dy)};
    };
    for (int i = 0; i < t.sheets.size(); ++i)
        t.sheets.setRect(i, moved(t.sheets.rect(i)));
    for (int i = 0; i < t.regions.size(); ++i)
        t.regions.setRect(i, moved(t.regions.rect(i)));
    for (int i = 0; i < t.keisenns.size(); ++i) {
        t.keisenns.setStart(i, movedPoint(t.keisenns.start(i)));
        t.keisenns.setEnd(i, movedPoint(t.keisenns.end(i)));
    }
}

CLabelSheetTemplate copied(const CORINOTEDoc& doc, const Picked& p)
{
    const CLabelSheetTemplate& from = doc.labelTemplate();
    CLabelSheetTemplate t;
    t.paperRect = from.paperRect;
    for (const int i : p.sheets)
        t.sheets.append(from.sheets.at(i));
    for (const int i : p.regions)
        t.regions.append(from.regions.at(i));
    for (const int i : p.lines)
        t.keisenns.append(from.keisenns.at(i));
    return t;
}

int addPasted(CORINOTEDoc& doc, CLabelSheetTemplate pasted, int gridStep, const QString& stepName)
{
    const int count = pasted.sheets.size() + pasted.regions.size() + pasted.keisenns.size();
    if (count == 0)
        return 0;
    CLabelSheetTemplate& t = doc.labelTemplate();
    const int step = gridStep > 0 ? gridStep : DefaultStep;
    for (int shifts = 0; shifts < MaxShifts && placeTaken(t, pasted); ++shifts)
        shift(pasted, step, -step);
    if (!stepName.isEmpty())
        doc.takeUndoSnapshot(stepName);
    Selection& s = doc.selection();
    s.clear();
    for (int i = 0; i < pasted.sheets.size(); ++i) {
        t.sheets.append(pasted.sheets.at(i));
        s.group.append({ObjectRef::SheetKind, t.sheets.size() - 1});
    }
    for (int i = 0; i < pasted.regions.size(); ++i) {
        t.regions.append(pasted.regions.at(i));
        s.group.append({ObjectRef::TextRectKind, t.regions.size() - 1});
    }
    for (int i = 0; i < pasted.keisenns.size(); ++i) {
        t.keisenns.append(pasted.keisenns.at(i));
        s.keisenns.append(t.keisenns.size() - 1);
    }
    // The first pasted region (else sheet) is the selected one, the rest its group.
    if (!pasted.regions.isEmpty())
        s.textRect = t.regions.size() - pasted.regions.size();
    else if (!pasted.sheets.isEmpty())
        s.sheet = t.sheets.size() - pasted.sheets.size();
    if (s.group.size() == 1)
        s.clearGroup();
    doc.setModified();
    doc.updateAllViews();
    return count;
}

} // namespace

QString mimeType()
{
    return QStringLiteral("application/x-orinote-layout-objects");
}

bool canCopy(const CORINOTEDoc& doc)
{
    return !picked(doc).isEmpty();
}

std::unique_ptr<QMimeData> copy(const CORINOTEDoc& doc)
{
    const Picked p = picked(doc);
    if (p.isEmpty())
        return nullptr;
    const CLabelSheetTemplate t = copied(doc, p);
    auto data = std::make_unique<QMimeData>();
    data->setData(mimeType(), encode(t));
    data->setText(plainText(t));
    return data;
}

std::unique_ptr<QMimeData> cut(CORINOTEDoc& doc)
{
    const Picked p = picked(doc);
    std::unique_ptr<QMimeData> data = copy(doc);
    if (!data)
        return nullptr;
    doc.takeUndoSnapshot(QStringLiteral("切り取り"));
    for (auto it = p.regions.crbegin(); it != p.regions.crend(); ++it)
        LayoutEdits::removeTemplateRegion(doc, *it);
    LayoutEdits::removeTemplateLines(doc, p.lines);
    // A template keeps at least one sheet.
    for (auto it = p.sheets.crbegin(); it != p.sheets.crend(); ++it)
        if (doc.labelTemplate().sheets.size() > 1)
            LayoutEdits::removeTemplateSheet(doc, *it);
    doc.selection().clear();
    doc.scalars().currentSheetNo = 1;
    doc.setModified();
    doc.updateAllViews();
    return data;
}

bool canPaste(const CORINOTEDoc& doc, const QMimeData* data)
{
    return doc.templateMode && data && data->hasFormat(mimeType());
}

int paste(CORINOTEDoc& doc, const QMimeData& data, int gridStep, const QString& stepName)
{
    if (!canPaste(doc, &data))
        return 0;
    CLabelSheetTemplate pasted;
    if (!decode(data.data(mimeType()), pasted))
        return 0;
    return addPasted(doc, pasted, gridStep,
                     stepName.isEmpty() ? QStringLiteral("貼り付け") : stepName);
}

int duplicate(CORINOTEDoc& doc, int gridStep)
{
    const Picked p = picked(doc);
    if (p.isEmpty())
        return 0;
    return addPasted(doc, copied(doc, p), gridStep, QStringLiteral("複製"));
}

} // namespace LayoutClipboard
