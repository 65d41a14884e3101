// Postal code table reader: whatever the bytes, a table is either refused on loading or
// answers every lookup without reading outside its bytes; asked for a code it answers
// with that code, the same every time, and the codes of an address are well formed.

#include "FuzzChecks.h"

#include "postal/PostalCode.h"
#include "postal/PostalTable.h"
#include "postal/PostalTableFormat.h"

#include <QtEndian>

#include <algorithm>

namespace {

// Seven-digit codes to ask for: those the entry and prefix lists would hold if the header
// is believed, and a few that no table holds.
QList<QString> codesToAsk(const QByteArray& bytes)
{
    QList<QString> codes{QStringLiteral("0000000"), QStringLiteral("999-9999"),
                         QStringLiteral("１００－０００５"), QStringLiteral("12")};
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    // The first u32 of each 8-, 10- or 12-byte record after the header.
    for (qsizetype at = PostalTableFormat::HeaderSize; at + 4 <= bytes.size() && codes.size() < 40;
         at += 10) {
        const quint32 value = qFromLittleEndian<quint32>(p + at) % 10000000;
        codes.append(QStringLiteral("%1").arg(value, 7, 10, QLatin1Char('0')));
    }
    return codes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));
    PostalTable table;
    const QString message = table.loadBytes(input);
    FUZZ_CHECK(message.isEmpty() == table.isLoaded());
    if (!table.isLoaded()) {
        FUZZ_CHECK(table.addresses(QStringLiteral("1000005")).isEmpty());
        FUZZ_CHECK(table.codesForAddress(QStringLiteral("東京都千代田区丸の内")).isEmpty());
        return 0;
    }
    // Every entry takes ten bytes of the file.
    FUZZ_CHECK(qint64(table.entryCount()) * PostalTableFormat::EntrySize <= qint64(size));

    int reverse = 0;
    for (const QString& code : codesToAsk(input)) {
        const QList<PostalAddress> found = table.addresses(code);
        for (const PostalAddress& a : found) {
            FUZZ_CHECK(a.code.size() == 8 && a.code.at(3) == u'-');
            FUZZ_CHECK(a.code == PostalCode::normalised(code));
            FUZZ_CHECK(table.addresses(a.code) == found);
            // The reverse index is built once and then searched; a few lines suffice.
            if (reverse++ < 8) {
                for (const PostalAddress& b : table.codesForAddress(a.text()))
                    FUZZ_CHECK(b.code.size() == 8 && b.code.at(3) == u'-');
            }
        }
    }
    (void)table.codesForAddress(QString::fromUtf8(input.left(64)));
    return 0;
}
