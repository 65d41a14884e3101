#include "CsvPlacement.h"

#include "CsvDataTable.h"
#include "CsvMarker.h"

#include "address/AddressBook.h"
#include "merge/KanjiNumerals.h"
#include "merge/MergeExpander.h"
#include "merge/MergeField.h"
#include "model/CORINOTEDoc.h"
#include "model/PageBuilder.h"
#include "pages/Pagination.h"
#include "render/RegionFitter.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CsvPlacement", text);
}

} // namespace

namespace CsvPlacement {

QString checkSelection(qsizetype count)
{
    if (count > MaxRows)
        return tr("一度に読み込めるアイテム数は500までです。");
    if (count <= 0)
        return tr("アイテムが選択されていません。");
    return QString();
}

bool hasMarker(const QString& attribute)
{
    return attribute.contains(QLatin1Char('@')) && attribute.contains(MergeField::csvMarker());
}

int columnNumber(const QString& attribute)
{
    const QList<CsvMarker> markers = CsvMarker::find(attribute);
    return markers.isEmpty() ? 0 : CsvMarker::number(markers.constFirst().key);
}

QStringList missingNames(const CORINOTEDoc& doc, const CsvDataTable& table)
{
    const QStringList names = table.columnNames();
    QStringList missing;
    const TextRectFamily& regions = doc.labelTemplate().regions;
    for (int i = 0; i < regions.size(); ++i) {
        const QString attribute = regions.attribute(i);
        if (!hasMarker(attribute))
            continue;
        for (const CsvMarker& m : CsvMarker::find(attribute)) {
            const QString name = m.key.trimmed();
            if (CsvMarker::isNumber(m.key) || name.isEmpty() || missing.contains(name))
                continue;
            if (CsvMarker::column(m.key, names) == 0)
                missing.append(name);
        }
    }
    return missing;
}

QString missingNamesMessage(const QStringList& names)
{
    return tr("次の列名はCSVファイルの見出しにありません（何も印刷されません）：%1")
        .arg(names.join(u'、'));
}

bool holdsReservation(const CORINOTEDoc& doc)
{
    if (doc.addressBook().reservedCount() > 0)
        return true;
    const CAddressData& list = doc.recordList();
    for (int r = 0; r < list.recordCount(); ++r) {
        if (!MergeExpander::isBlankRecord(list, r))
            return true;
    }
    return false;
}

void fillMarkers(CORINOTEDoc& doc, const CsvDataTable& table, const QList<int>& rows, int first,
                 int count, const TextMeasurer* measurer, const std::function<void(int)>& step)
{
    TextRectFamily& regions = doc.textRects();
    const int regionCount = regions.size();
    const EnvironmentSettings& env = doc.environment();
    const int m = doc.regionsPerSheet();
    const QStringList names = table.columnNames();
    const int sheetCount = doc.sheets().size();
    for (int k = 0; k < count; ++k) {
        const int sheet = first + k;
        if (sheet >= sheetCount)
            break;
        for (qint64 w = qint64(sheet) * m; w < qint64(sheet + 1) * m && w < regionCount; ++w) {
            const int i = int(w);
            const QString attribute = regions.attribute(i);
            if (!hasMarker(attribute))
                continue;
            const int row = rows.at(k);
            const QString text = CsvMarker::fill(attribute, [&](const QString& key) {
                const int n = CsvMarker::column(key, names);
                return n > 0 ? table.cell(row, n - 1) : QString();
            });
            regions.setText(i, KanjiNumerals::forRegion(env, regions.font(i), text));
            if (env.fitData == EnvironmentSettings::Shrink ||
                env.fitData == EnvironmentSettings::Enlarge)
                RegionFitter::fitRegion(regions, i, env.fitData, measurer);
        }
        if (step)
            step(k);
    }
}

void finish(CORINOTEDoc& doc)
{
    doc.selection().clear();
    doc.currentPage = 1;
    doc.setModified(true);
    doc.updateAllViews();
}

void place(CORINOTEDoc& doc, const CsvDataTable& table, const QList<int>& rows, const QDate& today,
           const TextMeasurer* measurer, const Progress& progress)
{
    const int count = int(std::min<qsizetype>(rows.size(), MaxRows));
    const int first = doc.printStartPosition() - 1;

    PageBuilder::buildPageOne(doc);
    Pagination::addPages(doc, Pagination::pagesFor(first + count, doc.sheetsPerPage()));

    const int regionCount = doc.textRects().size();
    const int total = regionCount + count;
    MergeExpander expander(doc, today, measurer);
    std::function<void(int)> step;
    if (progress) {
        progress(0, total);
        expander.setProgress([&progress, total](int region) { progress(region + 1, total); });
        step = [&progress, regionCount, total](int k) { progress(regionCount + k + 1, total); };
    }
    expander.expandWithoutRecords();
    fillMarkers(doc, table, rows, first, count, measurer, step);

    // The labels before the start position were used already; those after the last row
    // have nothing to print.
    Pagination::clearSheetsOutside(doc, first, count);
    finish(doc);
}

} // namespace CsvPlacement
