// Document reader: whatever the bytes, the families stay consistent, a document that was
// read and written once reads back and writes the same bytes again, and the pages built
// from what was read (as closing the address book window builds them) stay within the
// reservation and the print start position.

#include "FuzzChecks.h"

#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/MemoryProfile.h"
#include "model/PageBuilder.h"
#include "pages/Pagination.h"

#include <QDate>

#include <algorithm>

namespace {

void checkDocument(const CORINOTEDoc& doc)
{
    checkConsistent(doc.textRects().arrays());
    checkConsistent(doc.sheets().arrays());
    checkConsistent(doc.keisenns().arrays());
    checkConsistent(doc.labelTemplate().regions.arrays());
    checkConsistent(doc.labelTemplate().sheets.arrays());
    checkConsistent(doc.labelTemplate().keisenns.arrays());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    readBytes(input, [&](ArchiveReader& in) { DocumentFile::read(doc, in); });
    checkDocument(doc);

    const QByteArray once = writtenBytes([&](ArchiveWriter& out) { DocumentFile::write(doc, out); });
    CORINOTEDoc again(&profile);
    FUZZ_CHECK(readBytes(once, [&](ArchiveReader& in) { DocumentFile::read(again, in); }));
    checkDocument(again);
    const QByteArray twice =
        writtenBytes([&](ArchiveWriter& out) { DocumentFile::write(again, out); });
    FUZZ_CHECK(once == twice);

    // The pages of the reservation, built as Pagination::buildFromReservation does but
    // without its undo snapshot (there is no data folder here), and only where a print
    // would be allowed.
    const int start = doc.scalars().printStartPosition;
    FUZZ_CHECK(start >= 1 && start <= std::max(1, doc.sheetsPerPage()));
    if (doc.sheetsPerPage() == 0 ||
        !doc.addressBook().checkPrintLimit().isEmpty())
        return 0;
    PageBuilder::buildPageOne(doc);
    doc.recordList() = doc.addressBook().buildRecordList(doc.printStartPosition());
    FUZZ_CHECK(doc.recordList().recordCount() <=
               doc.addressBook().reservedCount() + doc.sheetsPerPage() - 1);
    Pagination::mergeHeldRecords(doc, QDate(2024, 1, 1), nullptr);
    checkDocument(doc);
    FUZZ_CHECK(doc.pageCount() ==
               Pagination::pagesFor(doc.recordList().recordCount(), doc.sheetsPerPage()));
    return 0;
}
