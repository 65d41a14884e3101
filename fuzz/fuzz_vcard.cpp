// Contact files: whatever the bytes, every record read is whole, single-line and counted
// against the cards the file opens, and the program's own cards of what was read read back
// as records that, written and read once more, stay the same.

#include "FuzzChecks.h"

#include "address/CAddressData.h"
#include "address/VCardReader.h"
#include "address/VCardWriter.h"

#include <numeric>

namespace {

CAddressData roundTrip(const CAddressData& records)
{
    QList<int> order(records.recordCount());
    std::iota(order.begin(), order.end(), 0);
    const VCardReader::Result back = VCardReader::read(VCardWriter::write(records, order));
    FUZZ_CHECK(back.skippedCards == 0);
    FUZZ_CHECK(back.skippedValues == 0);
    return back.records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    const VCardReader::Result result = VCardReader::read(input);
    const CAddressData& records = result.records;
    const qsizetype begins = input.toUpper().count("BEGIN:VCARD");
    FUZZ_CHECK(records.recordCount() + result.skippedCards <= begins);
    FUZZ_CHECK(result.error.isEmpty());
    for (int r = 0; r < records.recordCount(); ++r) {
        FUZZ_CHECK(records.fieldView(r, CAddressData::EntryNumber).isEmpty());
        FUZZ_CHECK(records.flag(r) == 0);
        bool any = false;
        for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
            const QStringView field = records.fieldView(r, c);
            FUZZ_CHECK(!field.contains(u'\n') && !field.contains(u'\r'));
            FUZZ_CHECK(!field.contains(QChar::ReplacementCharacter));
            any = any || !field.isEmpty();
        }
        FUZZ_CHECK(any);
    }
    // The first write settles spaces inside names and readings; from then on it is stable.
    const CAddressData once = roundTrip(records);
    FUZZ_CHECK(once.recordCount() == records.recordCount());
    FUZZ_CHECK(roundTrip(once) == once);
    return 0;
}
