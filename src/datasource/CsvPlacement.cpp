#include "CsvPlacement.h"

#include "CsvDataTable.h"

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
#include <limits>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CsvPlacement", text);
}

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
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
    const qsizetype at = attribute.indexOf(QLatin1Char('@'));
    const qsizetype end = attribute.indexOf(MergeField::csvMarker());
    if (at < 0 || end <= at)
        return 0;
    qsizetype i = at + 1;
    while (i < end && isBlank(attribute.at(i)))
        ++i;
    bool negative = false;
    if (i < end && (attribute.at(i) == u'+' || attribute.at(i) == u'-')) {
        negative = attribute.at(i) == u'-';
        ++i;
    }
    qint64 value = 0;
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    for (; i < end; ++i) {
        const char16_t c = attribute.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        value = std::min(value * 10 + (c - u'0'), limit);
    }
    if (negative)
        return int(std::max<qint64>(-value, std::numeric_limits<int>::min()));
    return int(std::min<qint64>(value, std::numeric_limits<int>::max()));
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
    if (progress) {
        progress(0, total);
        expander.setProgress([&progress, total](int region) { progress(region + 1, total); });
    }
    expander.expandWithoutRecords();

    TextRectFamily& regions = doc.textRects();
    const EnvironmentSettings& env = doc.environment();
    const int m = doc.regionsPerSheet();
    const int columns = table.columnCount();
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
            const int n = columnNumber(attribute);
            QString text = n >= 1 && n <= columns ? table.cell(rows.at(k), n - 1) : regions.text(i);
            regions.setText(i, KanjiNumerals::forRegion(env, regions.font(i), text));
            if (env.fitData == EnvironmentSettings::Shrink ||
                env.fitData == EnvironmentSettings::Enlarge)
                RegionFitter::fitRegion(regions, i, env.fitData, measurer);
        }
        if (progress)
            progress(regionCount + k + 1, total);
    }

    // The labels before the start position were used already; those after the last row
    // have nothing to print.
    Pagination::clearSheetsOutside(doc, first, count);
    doc.selection().clear();
    doc.currentPage = 1;
    doc.setModified(true);
    doc.updateAllViews();
}

} // namespace CsvPlacement
