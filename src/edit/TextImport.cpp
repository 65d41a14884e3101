#include "TextImport.h"

#include "TextAttributes.h"

#include "model/CORINOTEDoc.h"
#include "model/PageObjects.h"
#include "render/RegionFitter.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace TextImport {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("TextImport", text);
}

QString textOf(const CORINOTEDoc& doc, int i)
{
    const TextRectFamily& r = TextAttributes::regions(doc);
    return doc.templateMode ? r.attribute(i) : r.text(i);
}

bool hasMergeField(const QString& text)
{
    return text.contains(QLatin1String("(S)")) || text.contains(QLatin1String("(R)"));
}

} // namespace

QList<int> regions(const CORINOTEDoc& doc)
{
    const PageObjects page = PageObjects::of(doc, doc.templateMode ? 1 : doc.currentPage);
    QList<int> out;
    for (const ObjectRef& ref : doc.selection().group) {
        if (ref.kind == ObjectRef::TextRectKind && page.hasRegion(ref.index) &&
            !out.contains(ref.index))
            out.append(ref.index);
    }
    if (out.isEmpty()) {
        if (const int single = TextAttributes::selected(doc); single >= 0)
            out.append(single);
    }
    return out;
}

QString refusal(const CORINOTEDoc& doc)
{
    const QList<int> chosen = regions(doc);
    if (chosen.isEmpty() || (doc.templateMode && doc.editTool != RegionTool))
        return tr("文字列編集領域を選択してください。");
    if (chosen.size() > MaxRegions)
        return tr("一度に処理できる文字列編集領域は30までです。");
    return QString();
}

QString initialText(const CORINOTEDoc& doc)
{
    QStringList texts;
    for (const int i : regions(doc))
        texts.append(textOf(doc, i));
    return texts.join(QLatin1String("\r\n"));
}

QStringList lines(const QString& text)
{
    QStringList out = text.split(QLatin1Char('\n'));
    // Every piece but the last ended at a line feed.
    for (qsizetype i = 0; i + 1 < out.size(); ++i) {
        if (out[i].endsWith(QLatin1Char('\r')))
            out[i].chop(1);
    }
    return out;
}

void apply(CORINOTEDoc& doc, const QString& text, const TextMeasurer* measurer)
{
    if (!refusal(doc).isEmpty())
        return;
    const QList<int> chosen = regions(doc);
    const QStringList edited = lines(text);
    doc.takeUndoSnapshot(QStringLiteral("文字列の読み込み"));
    TextRectFamily& family = TextAttributes::regions(doc);
    const int count = int(std::min<qsizetype>(chosen.size(), edited.size()));
    for (int k = 0; k < count; ++k) {
        const int i = chosen.at(k);
        const QString& line = edited.at(k);
        int action = doc.environment().fitData;
        if (doc.templateMode) {
            family.setAttribute(i, line);
            action = hasMergeField(line) ? 0 : doc.environment().fitTemplate;
        } else {
            family.setText(i, line);
        }
        Rect rect = family.rect(i);
        FontRecord font = family.font(i);
        if (RegionFitter::fit(line, rect, font, family.charSpacing(i), action, measurer)) {
            family.setRect(i, rect);
            family.setFont(i, font);
        }
    }
    doc.setModified(true);
    doc.updateAllViews();
}

int slackOf(qint64 width, qint64 space, qint64 span)
{
    if (space <= 0)
        return width < span ? 0 : -1;
    // Counted as appending or taking away one space at a time would count, without the
    // loop: a line far longer than its region costs nothing more.
    qint64 count = 0;
    if (width < span)
        count = (span - width + space - 1) / space;
    else
        count = -((width - span) / space + 1);
    return int(std::clamp<qint64>(count, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}

QList<int> slack(const CORINOTEDoc& doc, const QString& text, const TextMeasurer& measurer)
{
    const QList<int> chosen = regions(doc);
    const QStringList edited = lines(text);
    const TextRectFamily& family = TextAttributes::regions(doc);
    QList<int> out;
    const int count = int(std::min<qsizetype>(chosen.size(), edited.size()));
    for (int k = 0; k < count; ++k) {
        const int i = chosen.at(k);
        const Rect rect = family.rect(i);
        const FontRecord font = family.font(i);
        const int height = int(std::min<qint64>(RegionFitter::crossSize(rect, font),
                                                std::numeric_limits<int>::max()));
        const int spacing = family.charSpacing(i);
        const qint64 width =
            RegionFitter::extent(edited.at(k), font, height, spacing, measurer);
        const qint64 space =
            RegionFitter::extent(QStringLiteral(" "), font, height, spacing, measurer);
        out.append(slackOf(width, space, RegionFitter::span(rect, font)));
    }
    return out;
}

} // namespace TextImport
