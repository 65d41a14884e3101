// Address book reader: groups of unequal column lengths are kept as read, so every
// accessor must stay inside each column; the record list and a round trip must work on
// whatever was read.

#include "FuzzChecks.h"

#include "address/AddressBook.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    AddressBook book;
    readBytes(input, [&](ArchiveReader& in) { book.read(in); });

    for (int g = 0; g < AddressBook::GroupCount; ++g) {
        CAddressData& group = book.group(g);
        const int n = group.recordCount();
        // Every column may be shorter than the record count: read past each one's end.
        for (int i = std::max(0, n - 64); i < n + 1; ++i) {
            for (int c = 0; c < CAddressData::TextColumnCount; ++c)
                (void)group.field(i, c);
            (void)group.flag(i);
        }
        (void)book.nextEntryNumber(g);
        if (n > 0) {
            group.removeRecord(n / 2);
            FUZZ_CHECK(group.recordCount() <= n);
            group.appendRecord({});
        }
    }
    const CAddressData list = book.buildRecordList(3);
    FUZZ_CHECK(list.recordCount() >= 2);

    const QByteArray once = writtenBytes([&](ArchiveWriter& out) { book.write(out); });
    AddressBook again;
    FUZZ_CHECK(readBytes(once, [&](ArchiveReader& in) { again.read(in); }));
    FUZZ_CHECK(again == book);
    FUZZ_CHECK(writtenBytes([&](ArchiveWriter& out) { again.write(out); }) == once);
    return 0;
}
