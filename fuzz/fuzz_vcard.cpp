// Contact files: whatever the bytes, every record read is whole, single-line and counted
// against the cards the file opens, and the program's own cards of what was read read back
// as records that, written and read once more, stay the same.

#include "FuzzChecks.h"

#include "address/CAddressData.h"
#include "address/VCardReader.h"
#include "address/VCardWriter.h"

namespace {

QList<QStringList> roundTrip(const QList<QStringList>& records)
{
    CAddressData data;
    QList<int> order;
    for (const QStringList& record : records) {
        order.append(int(order.size()));
        data.appendRecord(record);
    }
    const VCardReader::Result back = VCardReader::read(VCardWriter::write(data, order));
    FUZZ_CHECK(back.skippedCards == 0);
    FUZZ_CHECK(back.skippedValues == 0);
    return back.records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    const VCardReader::Result result = VCardReader::read(input);
    const qsizetype begins = input.toUpper().count("BEGIN:VCARD");
    FUZZ_CHECK(result.records.size() + result.skippedCards <= begins);
    FUZZ_CHECK(result.error.isEmpty());
    for (const QStringList& record : result.records) {
        FUZZ_CHECK(record.size() == CAddressData::TextColumnCount);
        FUZZ_CHECK(record.at(CAddressData::EntryNumber).isEmpty());
        bool any = false;
        for (const QString& field : record) {
            FUZZ_CHECK(!field.contains(u'\n') && !field.contains(u'\r'));
            FUZZ_CHECK(!field.contains(QChar::ReplacementCharacter));
            any = any || !field.isEmpty();
        }
        FUZZ_CHECK(any);
    }
    // The first write settles spaces inside names and readings; from then on it is stable.
    const QList<QStringList> once = roundTrip(result.records);
    FUZZ_CHECK(once.size() == result.records.size());
    FUZZ_CHECK(roundTrip(once) == once);
    return 0;
}
