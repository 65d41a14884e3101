// Document reader: whatever the bytes, the families stay consistent, and a document that
// was read and written once reads back and writes the same bytes again.

#include "FuzzChecks.h"

#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/MemoryProfile.h"

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
    return 0;
}
