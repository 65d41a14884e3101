// Template reader: consistent families whatever the bytes, and a stable round trip.

#include "FuzzChecks.h"

#include "model/CLabelSheetTemplate.h"

namespace {

void checkTemplate(const CLabelSheetTemplate& t)
{
    checkConsistent(t.regions.arrays());
    checkConsistent(t.sheets.arrays());
    checkConsistent(t.keisenns.arrays());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    CLabelSheetTemplate t;
    readBytes(input, [&](ArchiveReader& in) { t.read(in); });
    checkTemplate(t);
    (void)t.summary();

    const QByteArray once = writtenBytes([&](ArchiveWriter& out) { t.write(out); });
    CLabelSheetTemplate again;
    FUZZ_CHECK(readBytes(once, [&](ArchiveReader& in) { again.read(in); }));
    checkTemplate(again);
    FUZZ_CHECK(again == t);
    FUZZ_CHECK(writtenBytes([&](ArchiveWriter& out) { again.write(out); }) == once);
    return 0;
}
