#include "Pagination.h"

#include "address/AddressBook.h"
#include "merge/MergeExpander.h"
#include "model/CORINOTEDoc.h"
#include "model/PageBuilder.h"

namespace Pagination {

int pagesFor(int records, int sheetsPerPage)
{
    if (sheetsPerPage <= 0 || records <= 0)
        return 1;
    return (records + sheetsPerPage - 1) / sheetsPerPage;
}

void addPages(CORINOTEDoc& doc, int pages)
{
    addPagesFrom(doc, doc, pages);
}

void addPagesFrom(CORINOTEDoc& doc, const CORINOTEDoc& source, int pages)
{
    const int n = doc.sheetsPerPage();
    const int m = doc.regionsPerSheet();
    const int k = doc.labelTemplate().keisenns.size();
    if (n == 0 || source.sheets().size() < n || source.textRects().size() < qint64(n) * m ||
        source.keisenns().size() < k)
        return;
    SheetFamily& sheets = doc.sheets();
    TextRectFamily& regions = doc.textRects();
    KeisennFamily& lines = doc.keisenns();
    for (int page = doc.sheets().size() / n; page < pages; ++page) {
        for (int s = 0; s < n; ++s)
            sheets.append(source.sheets().at(s));
        for (int l = 0; l < k; ++l)
            lines.append(source.keisenns().at(l));
        for (int r = 0; r < n * m; ++r) {
            TextRect region = source.textRects().at(r);
            region.sheetNo += page * n;
            region.orderSheetNo += page * n;
            regions.append(region);
        }
    }
}

void clearSheet(CORINOTEDoc& doc, int sheet)
{
    SheetFamily& sheets = doc.sheets();
    if (sheet < 0 || sheet >= sheets.size())
        return;
    sheets.setBackColor(sheet, 0xFFFFFF);
    sheets.setBackPicture(sheet, QString());
    TextRectFamily& regions = doc.textRects();
    const int m = doc.regionsPerSheet();
    for (int r = sheet * m; r < (sheet + 1) * m && r < regions.size(); ++r) {
        regions.setText(r, QString());
        regions.setTextColor(r, 0);
        regions.setBackColor(r, 0xFFFFFF);
        regions.setBackColorOff(r, 1);
        regions.setBackPicture(r, QString());
        regions.setBorderSides(r, BorderSides());
        regions.setBorderWidth(r, 0);
        regions.setBorderColor(r, 0xFFFFFF);
        regions.setCharSpacing(r, 0);
        regions.setTransparentColor(r, 0xFFFFFF);
        regions.setTransparentColorOn(r, 0);
        regions.setPictureTransparency(r, 0);
        regions.setElliptic(r, 0);
    }
}

void mergeHeldRecords(CORINOTEDoc& doc, const QDate& today, const TextMeasurer* measurer,
                      const Progress& progress)
{
    const CAddressData& records = doc.recordList();
    const int total = records.recordCount();
    addPages(doc, pagesFor(total, doc.sheetsPerPage()));
    if (total == 0) {
        MergeExpander(doc, today, measurer).expandWithoutRecords();
        return;
    }
    MergeExpander::Progress step;
    if (progress) {
        progress(0, total);
        step = [&progress, total](int record) { progress(record + 1, total); };
    }
    MergeExpander::expandAll(doc, doc.autoReplaceData(), today, measurer, step);
    // The blank records before the print start position and the sheets after the last
    // record carry nothing to print.
    const int sheetCount = doc.sheets().size();
    for (int s = 0; s < sheetCount; ++s) {
        if (s >= total || MergeExpander::isBlankRecord(records, s))
            clearSheet(doc, s);
    }
}

void clearSheetsOutside(CORINOTEDoc& doc, qint64 first, qint64 count)
{
    const int sheets = doc.sheets().size();
    for (int s = 0; s < sheets; ++s) {
        if (s < first || s >= first + count)
            clearSheet(doc, s);
    }
}

void dropReservation(CORINOTEDoc& doc)
{
    AddressBook& book = doc.addressBook();
    for (int g = 0; g < AddressBook::SenderGroup; ++g) {
        CAddressData& group = book.group(g);
        for (int r = 0; r < group.recordCount(); ++r)
            group.setFlag(r, 0);
    }
    doc.recordList() = CAddressData();
}

void clearReservation(CORINOTEDoc& doc, const QDate& today, const TextMeasurer* measurer)
{
    doc.takeUndoSnapshot(QStringLiteral("印刷予約データのクリア"));
    dropReservation(doc);
    // The pages are emptied for good: a later rebuild places nothing again.
    doc.placementMemory().clear();
    PageBuilder::buildPageOne(doc);
    mergeHeldRecords(doc, today, measurer);
    doc.selection().clear();
    doc.currentPage = 1;
    doc.setModified(true);
    doc.updateAllViews();
}

void buildFromReservation(CORINOTEDoc& doc, const QDate& today, const TextMeasurer* measurer,
                          const Progress& progress)
{
    doc.takeUndoSnapshot(QStringLiteral("印刷予約"));
    PageBuilder::buildPageOne(doc);
    // The reservation replaces CSV rows and pictures placed before it.
    doc.placementMemory().clear();

    doc.recordList() = doc.addressBook().buildRecordList(doc.printStartPosition());
    if (doc.recordList().recordCount() > 0) {
        mergeHeldRecords(doc, today, measurer, progress);
    } else {
        // Nothing reserved: one page, every sheet cleared.
        for (int s = 0; s < doc.sheets().size(); ++s)
            clearSheet(doc, s);
    }
    doc.selection().clear();
    doc.currentPage = 1;
    doc.setModified(true);
    doc.updateAllViews();
}

} // namespace Pagination
