#pragma once

#include "base/Geometry.h"

#include <QDate>
#include <QHash>
#include <QSize>
#include <QString>

#include <functional>

class CAddressData;
class CAutoReplaceData;
class CORINOTEDoc;
class TextMeasurer;
struct MergeField;

// The merge: turns every data-mode region's attribute into its text, for the record on
// the region's sheet, for the sender and for the date, sheet and page. Only `text` is
// written, and, for the picture fields "画像(R)" / "画像(S)", `backPicture` and `rect`;
// fitting to the text ("TROD" 1 shrink, 2 enlarge) may change `rect` and the font height.
//
// - Expand with records: sheet s (counted over all pages) takes record s of the record
//   list; only sheets that carry a record are touched. With an empty record list the
//   first sheet's regions are expanded as without records.
// - Expand without records: every region; every (R) field is empty; "シートNo.(A)" and
//   "ページNo.(A)" are also found inside a longer attribute and take a "+n" / "-n" offset.
//
// A blank record (every column empty: the padding before the print start position) gives
// empty text for every region of its sheet, fixed texts, sender and date included, so
// nothing is printed onto labels that were already used.
//
// The sender is record senderIndex of the sender group; an empty group or an index
// outside it means no sender, and then every attribute containing "(S)" gives empty text.
// Nothing reads beyond a column, a record list or the document's region arrays.
class MergeExpander
{
public:
    // Called with the index of the record (with records) or region (without) being merged.
    using Progress = std::function<void(int position)>;

    // `today` is the date the automatic fields show; the measurer is used for "TROD"
    // fitting (none: no fitting). Both must outlive the expander.
    MergeExpander(CORINOTEDoc& doc, const QDate& today, const TextMeasurer* measurer);

    void setProgress(Progress progress) { mProgress = std::move(progress); }

    void expandWithRecords();
    void expandWithoutRecords();
    // Only the regions whose attribute contains "(S)", on the sheets the merge fills: those
    // that carry a record that is not blank, or every sheet when the record list is empty
    // (pages of CSV rows or of no data). For a new sender on pages already made.
    void expandSenderRegions();

    // Expand with records followed by the auto-replace rules: what building the pages
    // from the print reservation does once the pages exist.
    static void expandAll(CORINOTEDoc& doc, const CAutoReplaceData& rules, const QDate& today,
                          const TextMeasurer* measurer, Progress progress = {});

    // Whether record r of the list has every text column empty.
    static bool isBlankRecord(const CAddressData& records, int r);

    // Fit region to picture ("ARP" 1): shrinks the rectangle along one axis, around its
    // centre on that axis, to the picture's aspect ratio. An empty size leaves it.
    static Rect fitToPicture(const Rect& rect, const QSize& picture);

    // Reads "+n" or, failing that, "-n" from the first such sign to the end of the
    // attribute: the sign, then digits up to the first other character (none give 0).
    // Saturates instead of overflowing. No sign gives 0.
    static qint64 attributeOffset(const QString& attribute);

private:
    struct RegionContext
    {
        const CAddressData* records = nullptr; // the recipient; nullptr: none
        int record = -1;
        bool withRecords = false;
        bool firstSheetOfPage = true;
    };

    // The context of the sheet that takes record r of the list.
    RegionContext recordContext(const CAddressData& records, int r) const;
    void expandRegion(int w, const RegionContext& ctx);
    // The value of a catalogue field for region w; false when it does not apply (an (S)
    // field while there is no sender).
    bool fieldValue(const MergeField& f, int w, const RegionContext& ctx, QString* text);
    QString automaticValue(const MergeField& f, int w) const;
    void setPicture(int w, const QString& path);
    QSize pictureSize(const QString& path);
    void finishRegion(int w, QString text);
    int pageOf(int w) const;

    CORINOTEDoc& mDoc;
    const TextMeasurer* mMeasurer;
    Progress mProgress;
    int mSheetsPerPage;
    int mRegionsPerSheet;
    bool mHasSender;
    int mSenderIndex;
    QString mDateSlashes, mDateKanji, mYear, mMonth, mDay;
    QHash<QString, QSize> mPictureSizes; // by path, for one merge
};
