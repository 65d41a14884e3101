#pragma once

#include <QDate>

#include <functional>

class CORINOTEDoc;
class TextMeasurer;

// Data-mode pages from the template and the print reservation.
namespace Pagination {

// Told the records merged so far and their total while the pages are filled, for the
// progress window.
using Progress = std::function<void(int done, int total)>;

// Builds the pages from the print reservation: undo snapshot, page 1 from the template
// with sheet No. 1's design on every sheet, the record list ((print start position − 1)
// blank records, then the reserved records of groups 0–18), as many copies of page 1 as
// the records need, the merge and the auto-replace rules, and the sheets without a record
// cleared; the placements remembered are forgotten (PlacementMemory). Current page 1, the
// document marked modified and redrawn. The 500-record
// limit of one print is AddressBook::checkPrintLimit, checked by the callers.
void buildFromReservation(CORINOTEDoc& doc, const QDate& today, const TextMeasurer* measurer,
                          const Progress& progress = {});

// Every record of groups 0–18 no longer reserved and the record list emptied; the pages
// stay as they are.
void dropReservation(CORINOTEDoc& doc);

// Clears the print reservation: undo snapshot, the reservation dropped, page 1 built
// from the template with its texts expanded without records, the selection cleared, the
// placements remembered forgotten; modified and redrawn.
void clearReservation(CORINOTEDoc& doc, const QDate& today, const TextMeasurer* measurer);

// Places the record list the document holds onto pages built from the template: as many
// copies of page 1 as the records need, the merge and the auto-replace rules, then every
// sheet without a record or with a blank one cleared. Entering data mode does this; with
// no record at all the regions are expanded without records (fixed texts, sender, date).
void mergeHeldRecords(CORINOTEDoc& doc, const QDate& today, const TextMeasurer* measurer,
                      const Progress& progress = {});

// Appends copies of page 1 (sheets, ruled lines and regions, sheet numbers shifted) until
// the document has `pages` pages. Page 1 must be what the template gives.
void addPages(CORINOTEDoc& doc, int pages);
// The same with copies of page 1 of `source`, a document of the same template (or `doc`
// itself); nothing when the source has no whole page 1.
void addPagesFrom(CORINOTEDoc& doc, const CORINOTEDoc& source, int pages);

// The number of pages T records need on pages of N sheets: ceil(T / N), at least 1.
int pagesFor(int records, int sheetsPerPage);

// Clears sheet s (counted over all pages) and its regions: no background, no picture, no
// frame, black text, no colour key, no transparency, not elliptic, and no text.
void clearSheet(CORINOTEDoc& doc, int sheet);
// Clears every sheet of the pages outside sheets first … first + count − 1 (from 0): the
// labels before the print start position and those after the last one filled.
void clearSheetsOutside(CORINOTEDoc& doc, qint64 first, qint64 count);

} // namespace Pagination
