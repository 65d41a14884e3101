#include "DocumentJson.h"

#include "CORINOTEDoc.h"

#include <QJsonArray>

namespace {

QJsonValue toJson(qint32 v) { return v; }
QJsonValue toJson(const QString& v) { return v; }
QJsonValue toJson(const Rect& r) { return QJsonArray{r.left, r.top, r.right, r.bottom}; }
QJsonValue toJson(const Point& p) { return QJsonArray{p.x, p.y}; }
QJsonValue toJson(const BorderSides& b) { return QJsonArray{b.top, b.bottom, b.left, b.right}; }
QJsonValue toJson(const FontRecord& f)
{
    return QJsonObject{
        {QStringLiteral("height"), f.height},
        {QStringLiteral("width"), f.width},
        {QStringLiteral("escapement"), f.escapement},
        {QStringLiteral("orientation"), f.orientation},
        {QStringLiteral("weight"), f.weight},
        {QStringLiteral("italic"), f.italic},
        {QStringLiteral("underline"), f.underline},
        {QStringLiteral("strikeOut"), f.strikeOut},
        {QStringLiteral("charSet"), f.charSet},
        {QStringLiteral("outPrecision"), f.outPrecision},
        {QStringLiteral("clipPrecision"), f.clipPrecision},
        {QStringLiteral("quality"), f.quality},
        {QStringLiteral("pitchAndFamily"), f.pitchAndFamily},
        {QStringLiteral("faceName"), f.faceName()},
    };
}

#define ORINOTE_JSON_MEMBER(Type, name, setter, init)                                         \
    o.insert(QStringLiteral(#name), toJson(family.name(i)));

template <typename Family, typename Fill> QJsonArray familyToJson(const Family& family, Fill fill)
{
    QJsonArray out;
    for (int i = 0; i < family.size(); ++i) {
        QJsonObject o;
        fill(o, family, i);
        out.append(o);
    }
    return out;
}

QJsonArray textRectsToJson(const TextRectFamily& family)
{
    return familyToJson(family, [](QJsonObject& o, const TextRectFamily& family, int i) {
        ORINOTE_TEXTRECT_ATTRIBUTES(ORINOTE_JSON_MEMBER)
    });
}

QJsonArray sheetsToJson(const SheetFamily& family)
{
    return familyToJson(family, [](QJsonObject& o, const SheetFamily& family, int i) {
        ORINOTE_SHEET_ATTRIBUTES(ORINOTE_JSON_MEMBER)
    });
}

QJsonArray keisennsToJson(const KeisennFamily& family)
{
    return familyToJson(family, [](QJsonObject& o, const KeisennFamily& family, int i) {
        ORINOTE_KEISENN_ATTRIBUTES(ORINOTE_JSON_MEMBER)
    });
}

QJsonArray recordsToJson(const CAddressData& data)
{
    QJsonArray out;
    const int historyRows = data.historyCount();
    for (int i = 0; i < data.recordCount(); ++i) {
        QJsonObject record;
        for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
            const QString title = CAddressData::columnTitle(c);
            if (!title.isEmpty())
                record.insert(title, data.field(i, c));
        }
        record.insert(QStringLiteral("flag"), data.flag(i));
        const QString key = data.field(i, CAddressData::EntryNumber);
        QJsonArray history;
        for (int row = 0; row < historyRows && !key.isEmpty(); ++row) {
            if (data.history(row, CAddressData::HistoryKey) != key)
                continue;
            QJsonObject h;
            for (int c = CAddressData::HistorySubject; c < CAddressData::ColumnCount; ++c)
                h.insert(CAddressData::columnTitle(c), data.history(row, c));
            history.append(h);
        }
        record.insert(QStringLiteral("history"), history);
        out.append(record);
    }
    return out;
}

QJsonObject templateToJson(const CLabelSheetTemplate& t)
{
    return QJsonObject{
        {QStringLiteral("paperRect"), toJson(t.paperRect)},
        {QStringLiteral("paperPicture"), t.paperPicture},
        {QStringLiteral("verticalText"), t.verticalText},
        {QStringLiteral("printSheetFrames"), t.printSheetFrames},
        {QStringLiteral("roundSheetCorners"), t.roundSheetCorners},
        {QStringLiteral("printRuledLines"), t.printRuledLines},
        {QStringLiteral("reserved"), QJsonArray{t.reserved1, t.reserved2, t.reserved3}},
        {QStringLiteral("sheets"), sheetsToJson(t.sheets)},
        {QStringLiteral("textRects"), textRectsToJson(t.regions)},
        {QStringLiteral("keisenns"), keisennsToJson(t.keisenns)},
    };
}

} // namespace

namespace DocumentJson {

QJsonObject toJson(const CORINOTEDoc& doc)
{
    const DocumentScalars& s = doc.scalars();
    QJsonObject o{
        {QStringLiteral("autoRows"), s.autoRows},
        {QStringLiteral("autoCols"), s.autoCols},
        {QStringLiteral("currentSheetNo"), s.currentSheetNo},
        {QStringLiteral("templateName"), s.templateName},
        {QStringLiteral("paperRect"), ::toJson(s.paperRect)},
        {QStringLiteral("printSheetFrames"), s.printSheetFrames},
        {QStringLiteral("reservedE"), s.reservedE},
        {QStringLiteral("perSheetBackgrounds"), s.perSheetBackgrounds},
        {QStringLiteral("reservedF"), s.reservedF},
        {QStringLiteral("verticalText"), s.verticalText},
        {QStringLiteral("roundSheetCorners"), s.roundSheetCorners},
        {QStringLiteral("printRuledLines"), s.printRuledLines},
        {QStringLiteral("reservedD"), s.reservedD},
        {QStringLiteral("senderIndex"), s.senderIndex},
        {QStringLiteral("printStartPosition"), s.printStartPosition},
        {QStringLiteral("printOffsetX"), doc.printOffsetX},
        {QStringLiteral("printOffsetY"), doc.printOffsetY},
        {QStringLiteral("currentPage"), doc.currentPage},
        {QStringLiteral("pageCount"), doc.pageCount()},
        {QStringLiteral("templateMode"), doc.templateMode},
        {QStringLiteral("displayedLayer"), doc.displayedLayer},
        {QStringLiteral("zoomIndex"), doc.zoomIndex()},
        {QStringLiteral("undoAvailable"), doc.undoAvailable},
        {QStringLiteral("redoAvailable"), doc.redoAvailable},
        {QStringLiteral("template"), templateToJson(doc.labelTemplate())},
        {QStringLiteral("sheets"), sheetsToJson(doc.sheets())},
        {QStringLiteral("textRects"), textRectsToJson(doc.textRects())},
        {QStringLiteral("keisenns"), keisennsToJson(doc.keisenns())},
        {QStringLiteral("recordList"), recordsToJson(doc.recordList())},
    };
    QJsonArray groups;
    for (int g = 0; g < AddressBook::GroupCount; ++g)
        groups.append(recordsToJson(doc.addressBook().group(g)));
    o.insert(QStringLiteral("groups"), groups);
    return o;
}

} // namespace DocumentJson
