#include "MergeExpander.h"

#include "AutoReplacer.h"
#include "KanjiNumerals.h"
#include "MergeField.h"

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "address/NameBlock.h"
#include "model/CORINOTEDoc.h"
#include "postal/CustomerBarcode.h"
#include "postal/PostalData.h"
#include "render/PictureFile.h"
#include "render/RegionFitter.h"

#include <algorithm>
#include <limits>

namespace {

qint32 clamp32(qint64 v)
{
    return qint32(std::clamp<qint64>(v, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}

// Far beyond any sheet or page number, and small enough that adding one cannot overflow.
constexpr qint64 kOffsetLimit = std::numeric_limits<qint64>::max() / 4;

bool isQuoted(const QString& a)
{
    return a.size() >= 2 && a.startsWith(QLatin1Char('"')) && a.endsWith(QLatin1Char('"'));
}

} // namespace

MergeExpander::MergeExpander(CORINOTEDoc& doc, const QDate& today, const TextMeasurer* measurer)
    : mDoc(doc), mMeasurer(measurer), mSheetsPerPage(doc.sheetsPerPage()),
      mRegionsPerSheet(doc.regionsPerSheet())
{
    const int senders = doc.addressBook().group(AddressBook::SenderGroup).recordCount();
    mSenderIndex = doc.senderIndex();
    mHasSender = mSenderIndex >= 0 && mSenderIndex < senders;

    const QDate date = today.isValid() ? today : QDate::currentDate();
    mYear = QString::number(date.year());
    mMonth = QString::number(date.month());
    mDay = QString::number(date.day());
    mDateSlashes = mYear + QLatin1Char('/') + mMonth + QLatin1Char('/') + mDay;
    mDateKanji = mYear + u'年' + mMonth + u'月' + mDay + u'日';
}

void MergeExpander::expandAll(CORINOTEDoc& doc, const CAutoReplaceData& rules, const QDate& today,
                              const TextMeasurer* measurer, Progress progress)
{
    MergeExpander expander(doc, today, measurer);
    expander.setProgress(std::move(progress));
    expander.expandWithRecords();
    AutoReplacer::apply(rules, doc, measurer);
}

bool MergeExpander::isBlankRecord(const CAddressData& records, int r)
{
    // A real record has its entry number, so this usually stops at the first column.
    for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
        if (!records.field(r, c).isEmpty())
            return false;
    }
    return true;
}

void MergeExpander::expandWithRecords()
{
    const CAddressData& records = mDoc.recordList();
    const int recordCount = records.recordCount();
    const qint64 regionCount = mDoc.textRects().size();
    const int m = mRegionsPerSheet;
    if (m <= 0)
        return;

    if (recordCount == 0) {
        const RegionContext none;
        for (int w = 0; w < std::min<qint64>(m, regionCount); ++w)
            expandRegion(w, none);
        return;
    }

    for (int r = 0; r < recordCount; ++r) {
        const qint64 first = qint64(r) * m;
        if (first >= regionCount)
            break; // fewer pages than records: nothing to write beyond the arrays
        if (mProgress)
            mProgress(r);
        const qint64 end = std::min(first + m, regionCount);
        if (isBlankRecord(records, r)) {
            // Padding for labels already used: nothing of the design prints there.
            for (qint64 w = first; w < end; ++w) {
                mDoc.textRects().setText(int(w), QString());
                const MergeField* f = MergeField::find(mDoc.textRects().attribute(int(w)));
                if (f && f->kind == MergeField::Kind::Picture)
                    mDoc.textRects().setBackPicture(int(w), QString());
            }
            continue;
        }
        const RegionContext ctx = recordContext(records, r);
        for (qint64 w = first; w < end; ++w)
            expandRegion(int(w), ctx);
    }
}

void MergeExpander::expandWithoutRecords()
{
    const int regionCount = mDoc.textRects().size();
    const RegionContext none;
    for (int w = 0; w < regionCount; ++w) {
        if (mProgress)
            mProgress(w);
        expandRegion(w, none);
    }
}

void MergeExpander::expandSenderRegions()
{
    const CAddressData& records = mDoc.recordList();
    const int recordCount = records.recordCount();
    const int m = mRegionsPerSheet;
    const int regionCount = mDoc.textRects().size();
    if (m <= 0)
        return;
    const QString suffix = MergeField::senderSuffix();
    for (int w = 0; w < regionCount; ++w) {
        if (!mDoc.textRects().attribute(w).contains(suffix))
            continue;
        RegionContext ctx;
        if (recordCount > 0) {
            const int sheet = w / m;
            if (sheet >= recordCount || isBlankRecord(records, sheet))
                continue;
            ctx = recordContext(records, sheet);
        }
        expandRegion(w, ctx);
    }
}

MergeExpander::RegionContext MergeExpander::recordContext(const CAddressData& records,
                                                         int r) const
{
    RegionContext ctx;
    ctx.records = &records;
    ctx.record = r;
    ctx.withRecords = true;
    ctx.firstSheetOfPage = mSheetsPerPage <= 0 || r % mSheetsPerPage == 0;
    return ctx;
}

void MergeExpander::expandRegion(int w, const RegionContext& ctx)
{
    TextRectFamily& regions = mDoc.textRects();
    const QString a = regions.attribute(w);
    QString text;
    bool applied = false;

    if (const MergeField* f = MergeField::find(a)) {
        applied = fieldValue(*f, w, ctx, &text);
    } else if (!ctx.withRecords) {
        // Without records the sheet and page numbers are also found inside a longer
        // attribute, with an offset: "シートNo.(A)+10".
        if (a.contains(MergeField::sheetNoName())) {
            text = QString::number(regions.orderSheetNo(w) + attributeOffset(a));
            applied = true;
        } else if (a.contains(MergeField::pageNoName())) {
            text = QString::number(pageOf(w) + attributeOffset(a));
            applied = true;
        }
    }

    if (a.contains(QLatin1Char('@')) && a.contains(MergeField::csvMarker())) {
        text.clear(); // a CSV column marker: the CSV data source fills it
        applied = true;
    }
    if (!mHasSender && a.contains(MergeField::senderSuffix())) {
        text.clear();
        applied = true;
    }

    if (!applied) {
        if (isQuoted(a)) {
            // A page text: with records only the first sheet of each page shows it.
            if (!ctx.withRecords || ctx.firstSheetOfPage)
                text = a.mid(1, a.size() - 2);
        } else {
            text = a;
        }
    }
    finishRegion(w, std::move(text));
}

bool MergeExpander::fieldValue(const MergeField& f, int w, const RegionContext& ctx, QString* text)
{
    const CAddressData* records = nullptr;
    int record = -1;
    switch (f.source) {
    case MergeField::Source::Automatic:
        *text = automaticValue(f, w);
        return true;
    case MergeField::Source::Recipient:
        if (!ctx.records) {
            // No recipient: every (R) field is empty; the picture is left as it is.
            text->clear();
            return true;
        }
        records = ctx.records;
        record = ctx.record;
        break;
    case MergeField::Source::Sender:
        if (!mHasSender)
            return false;
        records = &mDoc.addressBook().group(AddressBook::SenderGroup);
        record = mSenderIndex;
        break;
    }

    const QString value = records->field(record, f.column);
    switch (f.kind) {
    case MergeField::Kind::PostalCode:
        *text = MergeField::normalisedPostalCode(value);
        break;
    case MergeField::Kind::PostalDigit:
        *text = MergeField::postalDigit(MergeField::normalisedPostalCode(value), f.bytePos);
        break;
    case MergeField::Kind::Picture:
        text->clear();
        setPicture(w, value);
        break;
    case MergeField::Kind::Barcode:
        *text = CustomerBarcode::content(value,
                                         CustomerBarcode::joinedAddress(
                                             records->field(record, CAddressData::Address1),
                                             records->field(record, CAddressData::Address2),
                                             records->field(record, CAddressData::Address3)),
                                         &PostalData::table())
                    .text;
        break;
    case MergeField::Kind::NameBlock:
    case MergeField::Kind::NameBlockCompany:
        *text = NameBlock::fromRecord(*records, record,
                                      f.kind == MergeField::Kind::NameBlockCompany)
                    .toText();
        break;
    default:
        *text = value;
        break;
    }
    return true;
}

QString MergeExpander::automaticValue(const MergeField& f, int w) const
{
    switch (f.kind) {
    case MergeField::Kind::DateSlashes:
        return mDateSlashes;
    case MergeField::Kind::DateKanji:
        return mDateKanji;
    case MergeField::Kind::Year:
        return mYear;
    case MergeField::Kind::Month:
        return mMonth;
    case MergeField::Kind::Day:
        return mDay;
    case MergeField::Kind::SheetNo:
        return QString::number(mDoc.textRects().orderSheetNo(w));
    case MergeField::Kind::PageNo:
        return QString::number(pageOf(w));
    default:
        return QString();
    }
}

void MergeExpander::setPicture(int w, const QString& path)
{
    TextRectFamily& regions = mDoc.textRects();
    regions.setBackPicture(w, path);
    if (mDoc.environment().pictureAspect != 1 || path.isEmpty())
        return;
    const QSize size = pictureSize(path);
    if (size.isValid())
        regions.setRect(w, fitToPicture(regions.rect(w), size));
}

QSize MergeExpander::pictureSize(const QString& path)
{
    // The sender's picture is on every sheet: read its header once per merge.
    auto it = mPictureSizes.constFind(path);
    if (it == mPictureSizes.constEnd())
        it = mPictureSizes.insert(path, PictureFile::size(path));
    return *it;
}

void MergeExpander::finishRegion(int w, QString text)
{
    TextRectFamily& regions = mDoc.textRects();
    const QString& attribute = regions.attribute(w);
    if (CustomerBarcode::isField(attribute) || NameBlock::isField(attribute)) {
        // The bars stand for the content as it is, and a name block sizes itself when it
        // is drawn: no numerals, no fitting.
        regions.setText(w, text);
        return;
    }
    const EnvironmentSettings& env = mDoc.environment();
    regions.setText(w, KanjiNumerals::forRegion(env, regions.font(w), text));
    if (env.fitData == EnvironmentSettings::Shrink || env.fitData == EnvironmentSettings::Enlarge)
        RegionFitter::fitRegion(regions, w, env.fitData, mMeasurer);
}

int MergeExpander::pageOf(int w) const
{
    const qint64 perPage = qint64(mSheetsPerPage) * mRegionsPerSheet;
    return perPage > 0 ? int(w / perPage) + 1 : 1;
}

Rect MergeExpander::fitToPicture(const Rect& rect, const QSize& picture)
{
    const qint64 pw = picture.width();
    const qint64 ph = picture.height();
    if (pw <= 0 || ph <= 0)
        return rect;
    const qint64 w = rect.width();
    const qint64 h = rect.height();
    const qint64 fittedWidth = qint64(double(pw) * double(h) / double(ph));
    Rect r = rect;
    if (w < fittedWidth) {
        const qint64 fittedHeight = qint64(double(ph) * double(w) / double(pw));
        r.top = clamp32(r.top + (qint64(r.bottom) + fittedHeight - r.top) / 2);
        r.bottom = clamp32(qint64(r.top) - fittedHeight);
    } else {
        r.left = clamp32(r.left + (w - fittedWidth) / 2);
        r.right = clamp32(qint64(r.left) + fittedWidth);
    }
    return r;
}

qint64 MergeExpander::attributeOffset(const QString& attribute)
{
    qsizetype at = attribute.indexOf(QLatin1Char('+'));
    if (at < 0)
        at = attribute.indexOf(QLatin1Char('-'));
    if (at < 0)
        return 0;
    const bool negative = attribute.at(at) == QLatin1Char('-');
    qint64 value = 0;
    for (qsizetype i = at + 1; i < attribute.size(); ++i) {
        const char16_t c = attribute.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        value = value > kOffsetLimit / 10 ? kOffsetLimit
                                          : std::min(value * 10 + (c - u'0'), kOffsetLimit);
    }
    return negative ? -value : value;
}
