#include "TemplateDefinition.h"

#include "DefinitionFile.h"

#include "base/TextCodec.h"
#include "model/CLabelSheetTemplate.h"
#include "model/TemplateFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>

#include <algorithm>

namespace TemplateDefinition {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("TemplateDefinition", text);
}

// The template editor's limits: a paper of 30 mm to A3, sheets of at least 5 mm and text
// regions of at least 2.5 mm. The counts only keep a mistaken definition from producing
// something no one could print.
constexpr int MinPaper = 300;
constexpr int MaxPaperWidth = 2970;
constexpr int MaxPaperHeight = 4200;
constexpr int MinSheet = 50;
constexpr int MinRegion = 25;
constexpr int MaxSheets = 200;
constexpr int MaxGrid = 50;
constexpr int MaxRegions = 200;

const QString kDefaultFace = QStringLiteral("ＭＳ 明朝");

// [x, y, w, h] with y downwards, as a rectangle of the layout (y up).
Rect toRect(const QList<int>& v)
{
    return Rect{v[0], -v[1], v[0] + v[2], -(v[1] + v[3])};
}

// Whether [x, y, w, h] has at least the given size and lies within [0, 0, width, height].
bool fits(const QList<int>& v, int minSize, int width, int height)
{
    return v[2] >= minSize && v[3] >= minSize && v[0] >= 0 && v[1] >= 0 &&
           qint64(v[0]) + v[2] <= width && qint64(v[1]) + v[3] <= height;
}

struct Paper
{
    int width = 0;
    int height = 0;
};

bool readSheets(const QJsonObject& json, const Paper& paper, SheetFamily* sheets, QString* error)
{
    const bool listed = json.contains(QLatin1String("sheets"));
    if (listed == json.contains(QLatin1String("labels"))) {
        *error = tr("\"sheets\" か \"labels\" のどちらか一方を指定してください。");
        return false;
    }
    QList<QList<int>> rects;
    if (listed) {
        const QJsonArray array = json.value(QLatin1String("sheets")).toArray();
        if (array.isEmpty() || array.size() > MaxSheets) {
            *error = tr("\"sheets\": 1 から %1 個のシートを指定してください。").arg(MaxSheets);
            return false;
        }
        for (qsizetype i = 0; i < array.size(); ++i) {
            QList<int> v;
            const QString where = QStringLiteral("\"sheets\"[%1]").arg(i);
            if (!DefinitionFile::intArray(array.at(i), 4, where, &v, error))
                return false;
            rects.append(v);
        }
    } else {
        const QJsonObject labels = json.value(QLatin1String("labels")).toObject();
        const QString where = QStringLiteral("\"labels\"");
        if (!DefinitionFile::onlyKeys(labels,
                                      {QStringLiteral("size"), QStringLiteral("grid"),
                                       QStringLiteral("origin"), QStringLiteral("pitch")},
                                      where, error))
            return false;
        QList<int> size, grid, origin, pitch;
        if (!DefinitionFile::intArray(labels.value(QLatin1String("size")), 2,
                                      where + QStringLiteral(".size"), &size, error) ||
            !DefinitionFile::intArray(labels.value(QLatin1String("grid")), 2,
                                      where + QStringLiteral(".grid"), &grid, error) ||
            !DefinitionFile::intArray(labels.value(QLatin1String("origin")), 2,
                                      where + QStringLiteral(".origin"), &origin, error) ||
            !DefinitionFile::intArray(labels.value(QLatin1String("pitch")), 2,
                                      where + QStringLiteral(".pitch"), &pitch, error))
            return false;
        // Checked before the grid is expanded: the counts decide how much is made.
        if (grid[0] < 1 || grid[1] < 1 || grid[0] > MaxGrid || grid[1] > MaxGrid ||
            grid[0] * grid[1] > MaxSheets) {
            *error = tr("%1.grid: 列と行は 1 以上、シートは合わせて %2 個までです。")
                         .arg(where)
                         .arg(MaxSheets);
            return false;
        }
        if (pitch[0] < size[0] || pitch[1] < size[1]) {
            *error = tr("%1.pitch: ラベルが重なります。ピッチはラベルの大きさ以上にしてください。")
                         .arg(where);
            return false;
        }
        for (int row = 0; row < grid[1]; ++row) {
            for (int column = 0; column < grid[0]; ++column) {
                rects.append(
                    {origin[0] + column * pitch[0], origin[1] + row * pitch[1], size[0], size[1]});
            }
        }
    }
    SheetFamily result;
    for (qsizetype i = 0; i < rects.size(); ++i) {
        if (!fits(rects.at(i), MinSheet, paper.width, paper.height)) {
            *error = tr("シート %1 が用紙からはみ出しているか、%2 より小さくなっています。")
                         .arg(i + 1)
                         .arg(MinSheet);
            return false;
        }
        Sheet sheet;
        sheet.rect = toRect(rects.at(i));
        result.append(sheet);
    }
    *sheets = result;
    return true;
}

bool readRegion(const QJsonValue& value, const Rect& sheet, const QString& where, TextRect* out,
                QString* error)
{
    const QJsonObject o = value.toObject();
    if (!value.isObject()) {
        *error = tr("%1: オブジェクトを指定してください。").arg(where);
        return false;
    }
    if (!DefinitionFile::onlyKeys(o,
                                  {QStringLiteral("text"), QStringLiteral("rect"),
                                   QStringLiteral("align"), QStringLiteral("vertical"),
                                   QStringLiteral("face"), QStringLiteral("bold"),
                                   QStringLiteral("shrink"), QStringLiteral("size")},
                                  where, error))
        return false;
    const QString text = o.value(QLatin1String("text")).toString();
    if (text.isEmpty()) {
        *error = tr("%1.text: 差し込み項目か固定の文字列を指定してください。").arg(where);
        return false;
    }
    QList<int> v;
    if (!DefinitionFile::intArray(o.value(QLatin1String("rect")), 4,
                                  where + QStringLiteral(".rect"), &v, error))
        return false;
    if (!fits(v, MinRegion, int(sheet.width()), int(sheet.height()))) {
        *error = tr("%1.rect: シート No.1 からはみ出しているか、%2 より小さくなっています。")
                     .arg(where)
                     .arg(MinRegion);
        return false;
    }
    static const QStringList alignments{QStringLiteral("start"), QStringLiteral("centre"),
                                        QStringLiteral("end")};
    const QString align = o.value(QLatin1String("align")).toString(QStringLiteral("start"));
    const int alignment = int(alignments.indexOf(align));
    if (alignment < 0) {
        *error =
            tr("%1.align: \"start\", \"centre\", \"end\" のどれかを指定してください。").arg(where);
        return false;
    }
    const QJsonValue verticalValue = o.value(QLatin1String("vertical"));
    const QJsonValue boldValue = o.value(QLatin1String("bold"));
    const QJsonValue faceValue = o.value(QLatin1String("face"));
    const QJsonValue shrinkValue = o.value(QLatin1String("shrink"));
    if ((!verticalValue.isUndefined() && !verticalValue.isBool()) ||
        (!boldValue.isUndefined() && !boldValue.isBool()) ||
        (!shrinkValue.isUndefined() && !shrinkValue.isBool())) {
        *error = tr("%1: \"vertical\"、\"bold\" と \"shrink\" には true か false を指定してください。")
                     .arg(where);
        return false;
    }
    if (!faceValue.isUndefined() &&
        (faceValue.toString().isEmpty() || faceValue.toString().startsWith(QLatin1Char('@')))) {
        *error = tr("%1.face: 書体名を \"@\" を付けずに指定してください（縦書きは \"vertical\"）。")
                     .arg(where);
        return false;
    }
    // The font size in 0.1 mm: the largest a name block is set at (it shares out the
    // region's cross size otherwise).
    int size = 0;
    if (o.contains(QLatin1String("size")) &&
        !DefinitionFile::intInRange(o.value(QLatin1String("size")), 10, 1000,
                                    where + QStringLiteral(".size"), &size, error))
        return false;
    const bool vertical = verticalValue.toBool();
    QString face = faceValue.isUndefined() ? kDefaultFace : faceValue.toString();
    if (vertical)
        face.prepend(QLatin1Char('@'));
    if (!TextCodec::isEncodable(face) || TextCodec::byteLength(face) >= FontRecord::FaceBytes) {
        *error = tr("%1.face: 書体名はシフトJISで %2 バイトまでです。")
                     .arg(where)
                     .arg(FontRecord::FaceBytes - 1);
        return false;
    }

    TextRect region;
    region.attribute = text;
    region.rect = Rect{sheet.left + v[0], sheet.top - v[1], sheet.left + v[0] + v[2],
                       sheet.top - (v[1] + v[3])};
    // The font a new region gets in the template editor: the stored height is the cross
    // size (the renderer uses the region's size anyway; the font dialog shows this one).
    const int crossSize = vertical ? v[2] : v[3];
    region.font = FontRecord::make(face, -(size > 0 ? std::min(size, crossSize) : crossSize),
                                   vertical ? 900 : 0);
    region.font.weight = boldValue.toBool() ? 700 : 400;
    region.alignment = alignment;
    region.setSqueezesLongText(shrinkValue.toBool());
    region.borderColor = 0;
    *out = region;
    return true;
}

} // namespace

bool fromJson(const QJsonObject& json, CLabelSheetTemplate* out, QString* name, QString* error)
{
    if (!DefinitionFile::onlyKeys(json,
                                  {QStringLiteral("name"), QStringLiteral("paper"),
                                   QStringLiteral("verticalText"), QStringLiteral("sheets"),
                                   QStringLiteral("labels"), QStringLiteral("regions")},
                                  QStringLiteral("テンプレート"), error))
        return false;
    const QString title = json.value(QLatin1String("name")).toString();
    // The title becomes a file name in the catalogue folder.
    if (title.isEmpty() || title.startsWith(QLatin1Char('.')) || title.contains(QLatin1Char('/')) ||
        title.contains(QLatin1Char('\\'))) {
        *error = tr("\"name\": ファイル名に使える名前を指定してください。");
        return false;
    }
    QList<int> paperSize;
    if (!DefinitionFile::intArray(json.value(QLatin1String("paper")), 2,
                                  QStringLiteral("\"paper\""), &paperSize, error))
        return false;
    const Paper paper{paperSize[0], paperSize[1]};
    if (paper.width < MinPaper || paper.width > MaxPaperWidth || paper.height < MinPaper ||
        paper.height > MaxPaperHeight) {
        *error = tr("\"paper\": 用紙は幅 %1〜%2、高さ %1〜%3 の範囲で指定してください。")
                     .arg(MinPaper)
                     .arg(MaxPaperWidth)
                     .arg(MaxPaperHeight);
        return false;
    }
    int verticalText = 0;
    if (json.contains(QLatin1String("verticalText")) &&
        !DefinitionFile::intInRange(json.value(QLatin1String("verticalText")), 0, 1,
                                    QStringLiteral("\"verticalText\""), &verticalText, error))
        return false;

    CLabelSheetTemplate t;
    t.reset();
    t.paperRect = Rect{0, 0, paper.width, -paper.height};
    t.verticalText = verticalText;
    t.printRuledLines = 1;
    if (!readSheets(json, paper, &t.sheets, error))
        return false;

    const QJsonValue regionsValue = json.value(QLatin1String("regions"));
    const QJsonArray regions = regionsValue.toArray();
    if (!regionsValue.isArray() || regions.size() > MaxRegions) {
        *error =
            tr("\"regions\": %1 個までの文字列編集領域の配列を指定してください。").arg(MaxRegions);
        return false;
    }
    const Rect first = t.sheets.rect(0);
    for (qsizetype i = 0; i < regions.size(); ++i) {
        TextRect region;
        if (!readRegion(regions.at(i), first, QStringLiteral("\"regions\"[%1]").arg(i), &region,
                        error))
            return false;
        t.regions.append(region);
    }
    *out = std::move(t);
    *name = title;
    return true;
}

bool load(const QString& path, CLabelSheetTemplate* out, QString* name, QString* error)
{
    QJsonObject json;
    if (!DefinitionFile::readObject(path, MaxFileSize, &json, error))
        return false;
    if (!fromJson(json, out, name, error)) {
        *error = QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), *error);
        return false;
    }
    return true;
}

QString writeFile(const CLabelSheetTemplate& t, const QString& path)
{
    QString why;
    switch (TemplateFile::write(t, path, &why)) {
    case TemplateFile::WriteResult::NotOpened:
        return why;
    case TemplateFile::WriteResult::NotWritten:
        return tr("%1: テンプレートファイルの書き込みに失敗しました。").arg(path);
    case TemplateFile::WriteResult::Written:
        break;
    }
    return QString();
}

} // namespace TemplateDefinition
