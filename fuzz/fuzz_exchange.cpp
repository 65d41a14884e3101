// Database exchange file: whatever the bytes, a list that was read writes and reads back
// as itself, and placing it on a sheet of the pages either refuses (more strings than the
// sheet's regions) or fills exactly that sheet's regions in place, empties the rest of
// them, leaves every other region as it was and leaves a document that writes, reads and
// writes the same bytes again.

#include "FuzzChecks.h"

#include "datasource/DatabaseExchangeFile.h"
#include "datasource/DatabaseReception.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/MemoryProfile.h"

namespace {

constexpr int Sheets = 6;
constexpr int RegionsPerSheet = 2;

// Six sheets of two regions each; the current sheet (0 … 7, so also none) from the input.
void fillPages(CORINOTEDoc& doc, int currentSheet)
{
    for (int s = 1; s <= Sheets; ++s) {
        Sheet sheet;
        sheet.rect = Rect{0, -1000 * (s - 1), 1000, -1000 * s};
        doc.sheets().append(sheet);
        for (int r = 0; r < RegionsPerSheet; ++r) {
            TextRect region;
            region.text = QString::number(s * 10 + r);
            region.rect = Rect{10, sheet.rect.top - 200 * r, 990, sheet.rect.top - 200 * (r + 1)};
            region.sheetNo = region.orderSheetNo = s;
            doc.textRects().append(region);
        }
    }
    doc.scalars().currentSheetNo = currentSheet;
}

void checkPlaced(const CORINOTEDoc& doc, const QStringList& strings, int sheet)
{
    const TextRectFamily& regions = doc.textRects();
    checkConsistent(regions.arrays());
    FUZZ_CHECK(regions.size() == Sheets * RegionsPerSheet);
    for (int i = 0; i < regions.size(); ++i) {
        const int owner = regions.sheetNo(i);
        const int r = i % RegionsPerSheet;
        FUZZ_CHECK(owner == i / RegionsPerSheet + 1);
        FUZZ_CHECK(regions.orderSheetNo(i) == owner);
        if (owner == sheet)
            FUZZ_CHECK(regions.text(i) == (r < strings.size() ? strings.at(r) : QString()));
        else
            FUZZ_CHECK(regions.text(i) == QString::number(owner * 10 + r));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    QStringList strings;
    const bool read = readBytes(input, [&](ArchiveReader& in) {
        FUZZ_CHECK(DatabaseExchangeFile::read(in, strings) == in.ok());
    });
    if (!read) {
        FUZZ_CHECK(strings.isEmpty());
        return 0;
    }
    FUZZ_CHECK(qint64(strings.size()) <= qint64(size));

    const QByteArray once =
        writtenBytes([&](ArchiveWriter& out) { DatabaseExchangeFile::write(out, strings); });
    QStringList back;
    FUZZ_CHECK(readBytes(once, [&](ArchiveReader& in) { DatabaseExchangeFile::read(in, back); }));
    FUZZ_CHECK(back == strings);

    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    const int sheet = int(size % (Sheets + 2));
    fillPages(doc, sheet);
    const bool placed = DatabaseReception::place(doc, strings).isEmpty();
    FUZZ_CHECK(placed ==
               (sheet >= 1 && sheet <= Sheets && strings.size() <= RegionsPerSheet));
    if (!placed)
        return 0;
    checkPlaced(doc, strings, sheet);

    const QByteArray written =
        writtenBytes([&](ArchiveWriter& out) { DocumentFile::write(doc, out); });
    CORINOTEDoc again(&profile);
    FUZZ_CHECK(readBytes(written, [&](ArchiveReader& in) { DocumentFile::read(again, in); }));
    FUZZ_CHECK(writtenBytes([&](ArchiveWriter& out) { DocumentFile::write(again, out); }) ==
               written);
    return 0;
}
