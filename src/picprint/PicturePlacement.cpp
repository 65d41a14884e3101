#include "PicturePlacement.h"

#include "address/AddressBook.h"
#include "merge/MergeExpander.h"
#include "merge/MergeField.h"
#include "model/CORINOTEDoc.h"
#include "model/PageBuilder.h"
#include "pages/Pagination.h"
#include "render/PictureFile.h"
#include "render/RegionFitter.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace PicturePlacement {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PicturePlacement", text);
}

QSize headerSize(const QString& path)
{
    return PictureFile::size(path);
}

// Fresh pages for the pictures, texts expanded without records (fixed texts, the sender,
// the date), and, as with address data, nothing on the labels before the print start
// position (already used) nor on those after the last picture (left for another time).
// The sheets the pictures take: one each, or one per `regionsPerSheet` pictures (none
// without picture regions).
qint64 sheetsFor(int pictures, int regionsPerSheet, Target target)
{
    const qint64 count = std::max(0, pictures);
    if (target == Target::Sheets)
        return count;
    return regionsPerSheet > 0 ? (count + regionsPerSheet - 1) / regionsPerSheet : 0;
}

void rebuild(CORINOTEDoc& doc, int pages, int start, qint64 sheetsUsed, const QDate& today,
             const TextMeasurer* measurer)
{
    PageBuilder::buildPageOne(doc);
    Pagination::addPages(doc, pages);
    // The merge runs before the pictures are placed: it empties every "画像ファイル名(A)".
    Pagination::mergeHeldRecords(doc, today, measurer);
    Pagination::clearSheetsOutside(doc, start - 1, sheetsUsed);
    doc.selection().clear();
    doc.currentPage = 1;
}

// The last sheet (from 0) that holds something placed: a picture other than the
// template's own background, a picture in a "画像(A)" region, a record that is not blank,
// or a CSV cell; -1 when none does.
qint64 lastUsedSheet(const CORINOTEDoc& doc)
{
    const CLabelSheetTemplate& t = doc.labelTemplate();
    const int n = t.sheets.size();
    const int m = t.regions.size();
    const SheetFamily& sheets = doc.sheets();
    const TextRectFamily& regions = doc.textRects();
    const CAddressData& records = doc.recordList();
    const int recordCount = records.recordCount();
    qint64 last = -1;
    for (int s = 0; s < sheets.size() && n > 0; ++s) {
        const QString& picture = sheets.backPicture(s);
        bool used = !picture.isEmpty() && picture != t.sheets.backPicture(s % n);
        used = used || (s < recordCount && !MergeExpander::isBlankRecord(records, s));
        for (int k = 0; k < m && !used; ++k) {
            const qint64 w = qint64(s) * m + k;
            if (w >= regions.size())
                break;
            const QString& attribute = t.regions.attribute(k);
            used = (attribute == pictureField() && !regions.backPicture(int(w)).isEmpty()) ||
                   (attribute.contains(MergeField::csvMarker()) && !regions.text(int(w)).isEmpty());
        }
        if (used)
            last = s;
    }
    return last;
}

// Pages appended for kept pages that have too few free sheets: made from the template
// and expanded without records like the pages of a rebuild, their sheets from
// `firstEmpty` on cleared (nothing printed after the last picture).
void appendFreshPages(CORINOTEDoc& doc, int pages, qint64 firstEmpty, const QDate& today,
                      const TextMeasurer* measurer)
{
    if (doc.sheetsPerPage() <= 0 || pages <= doc.pageCount())
        return;
    CORINOTEDoc fresh(doc.profile());
    fresh.labelTemplate() = doc.labelTemplate();
    fresh.scalars() = doc.scalars();
    fresh.environment() = doc.environment();
    fresh.addressBook().group(AddressBook::SenderGroup) =
        doc.addressBook().group(AddressBook::SenderGroup);
    PageBuilder::buildPageOne(fresh);
    Pagination::mergeHeldRecords(fresh, today, measurer);
    const qint64 oldSheets = doc.sheets().size();
    Pagination::addPagesFrom(doc, fresh, pages);
    for (qint64 s = std::max(oldSheets, firstEmpty); s < doc.sheets().size(); ++s)
        Pagination::clearSheet(doc, int(s));
}

void placeOnSheets(CORINOTEDoc& doc, const QList<Picture>& pictures, int start, bool keep,
                   const Progress& progress)
{
    SheetFamily& sheets = doc.sheets();
    const qsizetype total = pictures.size();
    qsizetype next = 0;
    for (int s = start - 1; s < sheets.size(); ++s) {
        if (next < total) {
            sheets.setBackPicture(s, pictures.at(next).path);
            sheets.setKeepPictureAspect(s, 1);
            ++next;
            if (progress)
                progress(int(next), int(total));
        } else if (!keep) {
            sheets.setBackPicture(s, QString());
        } else {
            break; // the pages are kept: what follows stays as it is
        }
    }
    // Every sheet shows its own picture.
    doc.scalars().perSheetBackgrounds = 1;
}

void placeInRegions(CORINOTEDoc& doc, const QList<Picture>& pictures, int start, qint64 end,
                    const TextMeasurer* measurer, const Progress& progress,
                    const SizeReader& sizeOf)
{
    const CLabelSheetTemplate& t = doc.labelTemplate();
    const int m = t.regions.size();
    const Rect firstSheet = t.sheets.rect(0);
    const SheetFamily& sheets = doc.sheets();
    TextRectFamily& regions = doc.textRects();
    const int fitData = doc.environment().fitData;
    const qsizetype total = pictures.size();
    qsizetype nextPicture = 0;
    qsizetype nextName = 0;
    for (int s = start - 1; s < std::min<qint64>(end, sheets.size()); ++s) {
        for (int k = 0; k < m; ++k) {
            const qint64 index = qint64(s) * m + k;
            if (index >= regions.size())
                return; // a layout that is not built from this template ends here
            const int w = int(index);
            const QString& attribute = t.regions.attribute(k);
            if (attribute == pictureField()) {
                regions.setText(w, QString());
                if (nextPicture >= total) {
                    regions.setBackPicture(w, QString());
                    continue;
                }
                const QString& path = pictures.at(nextPicture).path;
                regions.setBackPicture(w, path);
                // Fitted into the region as designed, so placing again does not shrink
                // a region another picture already shaped.
                const Rect box =
                    PageBuilder::mapBetweenSheets(t.regions.rect(k), firstSheet, sheets.rect(s));
                QSize size = sizeOf(path);
                const int rotation = regions.backPictureRotation(w);
                if (rotation == 90 || rotation == 270)
                    size.transpose();
                regions.setRect(w, MergeExpander::fitToPicture(box, size));
                ++nextPicture;
                if (progress)
                    progress(int(nextPicture), int(total));
            } else if (attribute == pictureNameField()) {
                regions.setText(w, nextName < total ? pictures.at(nextName).name : QString());
                ++nextName;
                if (fitData == EnvironmentSettings::Shrink ||
                    fitData == EnvironmentSettings::Enlarge)
                    RegionFitter::fitRegion(regions, w, fitData, measurer);
            }
        }
    }
}

} // namespace

QString pictureField()
{
    return QStringLiteral("画像(A)");
}

QString pictureNameField()
{
    return QStringLiteral("画像ファイル名(A)");
}

int pictureRegionCount(const CORINOTEDoc& doc)
{
    const TextRectFamily& regions = doc.labelTemplate().regions;
    int count = 0;
    for (int k = 0; k < regions.size(); ++k) {
        if (regions.attribute(k) == pictureField())
            ++count;
    }
    return count;
}

QString refusal(const CORINOTEDoc& doc, const Options& options)
{
    if (doc.sheetsPerPage() == 0)
        return tr("シートは必ず1つ以上設定してください。");
    if (options.target == Target::Regions && pictureRegionCount(doc) == 0)
        return tr("シートに「画像(A)」属性の文字列編集領域がありません。");
    return QString();
}

bool clearsReservation(const CORINOTEDoc& doc, const Options& options)
{
    return !options.keep && doc.recordList().recordCount() > 0;
}

int pagesFor(int pictures, int startPosition, int sheetsPerPage, int regionsPerSheet, Target target)
{
    if (sheetsPerPage <= 0)
        return 1;
    if (target == Target::Regions && regionsPerSheet <= 0)
        return 1;
    const qint64 sheetsUsed = sheetsFor(pictures, regionsPerSheet, target);
    const qint64 sheets = std::max(1, startPosition) - 1 + sheetsUsed;
    const qint64 pages = (sheets + sheetsPerPage - 1) / sheetsPerPage;
    return int(std::clamp<qint64>(pages, 1, std::numeric_limits<int>::max()));
}

QString place(CORINOTEDoc& doc, const QList<Picture>& pictures, const Options& options,
              const QDate& today, const TextMeasurer* measurer, const Progress& progress,
              const SizeReader& sizeOf)
{
    const QString refused = refusal(doc, options);
    if (!refused.isEmpty())
        return refused;
    doc.takeUndoSnapshot(QStringLiteral("画像印刷"));
    placeAgain(doc, pictures, options, today, measurer, progress, sizeOf);
    PlacementMemory::Pictures memory;
    for (const Picture& p : pictures) {
        memory.names.append(p.name);
        memory.paths.append(p.path);
    }
    memory.target = int(options.target);
    memory.keep = options.keep;
    doc.placementMemory().rememberPictures(memory);
    return QString();
}

QString placeAgain(CORINOTEDoc& doc, const QList<Picture>& pictures, const Options& options,
                   const QDate& today, const TextMeasurer* measurer, const Progress& progress,
                   const SizeReader& sizeOf)
{
    const QString refused = refusal(doc, options);
    if (!refused.isEmpty())
        return refused;
    if (progress)
        progress(0, int(pictures.size()));
    int start = doc.printStartPosition();
    // Keep off: the sheets after the last one used are cleared and stay so.
    qint64 end = std::numeric_limits<int>::max();
    if (options.keep) {
        // What the pages hold stays: the pictures go on the sheets after the last one
        // used, on pages added as they need.
        const int count = int(pictures.size());
        const qint64 first = std::max<qint64>(start - 1, lastUsedSheet(doc) + 1);
        end = first + sheetsFor(count, pictureRegionCount(doc), options.target);
        const qint64 n = doc.sheetsPerPage();
        const qint64 pages = (end + n - 1) / n;
        appendFreshPages(doc, int(std::min<qint64>(pages, std::numeric_limits<int>::max())), end,
                         today, measurer);
        start = int(first) + 1;
    } else {
        if (clearsReservation(doc, options))
            Pagination::dropReservation(doc);
        const int count = int(pictures.size());
        const int r = pictureRegionCount(doc);
        const qint64 sheetsUsed = sheetsFor(count, r, options.target);
        rebuild(doc, pagesFor(count, start, doc.sheetsPerPage(), r, options.target), start,
                sheetsUsed, today, measurer);
        end = start - 1 + sheetsUsed;
    }
    if (options.target == Target::Sheets)
        placeOnSheets(doc, pictures, start, options.keep, progress);
    else
        placeInRegions(doc, pictures, start, end, measurer, progress, sizeOf ? sizeOf : headerSize);
    doc.setModified(true);
    doc.updateAllViews();
    return QString();
}

} // namespace PicturePlacement
