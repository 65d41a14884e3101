#include "TextCodec.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <mutex>
#include <vector>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Both directions of the CP932 mapping, filled from iconv once.
// decodeSingle: byte -> UTF-16 (0 for a lead byte or an unassigned byte).
// decodeDouble: (lead << 8 | trail) -> UTF-16 (0 when unassigned).
// encode: UTF-16 unit -> CP932 code (0x00XX single byte, 0xLLTT double byte), 0xFFFF
//         for a unit that has no CP932 form. U+0000 maps to 0x0000.
// oneWay: the unit has a CP932 form that decodes to another unit (¥ is written 0x5C,
//         which reads as '\'; 〜 0x8160, which reads as ～).
struct Tables
{
    std::array<char16_t, 256> decodeSingle{};
    std::array<bool, 256> isLead{};
    std::array<char16_t, 65536> decodeDouble{};
    std::array<uint16_t, 65536> encode{};
    std::array<bool, 65536> oneWay{};
};

// Converts one CP932 sequence through iconv; returns 0 when it does not decode to
// exactly one UTF-16 unit.
char16_t iconvDecode(iconv_t cd, const char* in, size_t inLen)
{
    char16_t out[4];
    char* inPtr = const_cast<char*>(in);
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof(out);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLen, &outPtr, &outLeft) == size_t(-1) || inLen != 0)
        return 0;
    if (sizeof(out) - outLeft != 2)
        return 0;
    return out[0];
}

// The CP932 code of one UTF-16 unit through iconv: 0xFFFF when it has none.
uint16_t iconvEncode(iconv_t cd, char16_t unit)
{
    char* inPtr = reinterpret_cast<char*>(&unit);
    size_t inLeft = 2;
    unsigned char out[8];
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof(out);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
        return 0xFFFF;
    const size_t n = sizeof(out) - outLeft;
    if (n == 1)
        return out[0];
    if (n == 2)
        return uint16_t((out[0] << 8) | out[1]);
    return 0xFFFF;
}

// Decodes a lead byte's row of pairs (trail bytes 0x40 to 0xFC) into `cells`, in as
// few iconv calls as the row's unassigned pairs allow: every other pair decodes to one
// unit, so the output lines up with the pairs. One call per pair costs about 70 ns; a
// stretch converts at memory speed. False when the output does not line up.
constexpr int kTrails = 0xFC - 0x40 + 1;

bool decodeRow(iconv_t cd, int lead, char16_t* cells)
{
    char row[kTrails * 2];
    for (int i = 0; i < kTrails; ++i) {
        row[2 * i] = char(lead);
        row[2 * i + 1] = char(0x40 + i);
    }
    int pair = 0;
    while (pair < kTrails) {
        char* inPtr = row + 2 * pair;
        size_t inLeft = size_t(kTrails - pair) * 2;
        char* outPtr = reinterpret_cast<char*>(cells + pair);
        size_t outLeft = inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        // Two bytes in, two bytes out, for every pair it took.
        if (inLeft != outLeft || inLeft % 2 != 0)
            return false;
        pair = kTrails - int(inLeft / 2);
        if (result != size_t(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            return false;
        cells[pair++] = 0; // unassigned
    }
    return true;
}

void encodeOneByOne(Tables& t)
{
    iconv_t enc = iconv_open("CP932", "UTF-16LE");
    if (enc == iconv_t(-1))
        qFatal("iconv has no CP932 conversion");
    for (int u = 0; u < 0x10000; ++u)
        t.encode[u] = u >= 0xD800 && u <= 0xDFFF ? 0xFFFF : iconvEncode(enc, char16_t(u));
    iconv_close(enc);
}

bool encodeAll(Tables& t)
{
    iconv_t cd = iconv_open("CP932//IGNORE", "UTF-16LE");
    if (cd == iconv_t(-1))
        return false;
    std::vector<char16_t> in;
    in.reserve(2 * 0x10000);
    for (int u = 0; u < 0x10000; ++u) {
        if (u < 0xD800 || u > 0xDFFF) {
            in.push_back(char16_t(u));
            in.push_back(u'\n');
        }
    }
    std::vector<unsigned char> out(in.size() * 2);
    char* inPtr = reinterpret_cast<char*>(in.data());
    size_t inLeft = in.size() * 2;
    char* outPtr = reinterpret_cast<char*>(out.data());
    size_t outLeft = out.size();
    // The converter reports the dropped units with EILSEQ once it has gone on past them.
    for (int calls = 0; inLeft > 0 && calls < 1000; ++calls) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) || errno != EILSEQ)
            break;
    }
    iconv_close(cd);
    if (inLeft != 0)
        return false;
    const unsigned char* p = out.data();
    const unsigned char* end = reinterpret_cast<unsigned char*>(outPtr);
    for (int u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) {
            t.encode[u] = 0xFFFF;
            continue;
        }
        if (p == end)
            return false;
        if (*p == '\n' && u != '\n') {
            t.encode[u] = 0xFFFF;
        } else if (t.isLead[*p]) {
            if (end - p < 2)
                return false;
            t.encode[u] = uint16_t((p[0] << 8) | p[1]);
            p += 2;
        } else {
            t.encode[u] = p[0];
            ++p;
        }
        if (p == end || *p != '\n')
            return false;
        ++p;
    }
    return p == end;
}

std::unique_ptr<Tables> buildTables()
{
    auto t = std::make_unique<Tables>();
    iconv_t dec = iconv_open("UTF-16LE", "CP932");
    if (dec == iconv_t(-1))
        qFatal("iconv has no CP932 conversion");

    for (int b = 0; b < 256; ++b) {
        const char c = char(b);
        const char16_t u = iconvDecode(dec, &c, 1);
        if (u != 0 || b == 0)
            t->decodeSingle[b] = u;
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (t->decodeSingle[lead] != 0)
            continue;
        t->isLead[lead] = true;
        char16_t* cells = &t->decodeDouble[size_t(lead << 8) | 0x40];
        if (!decodeRow(dec, lead, cells)) {
            for (int i = 0; i < kTrails; ++i) {
                const char pair[2] = {char(lead), char(0x40 + i)};
                cells[i] = iconvDecode(dec, pair, 2);
            }
        }
    }
    iconv_close(dec);
    // Every unit outside the surrogates in one go, each followed by a line feed, through
    // a converter that drops what CP932 cannot hold: a line feed with nothing before it is
    // a unit without a code (a line feed is never the second byte of a pair).
    if (!encodeAll(*t))
        encodeOneByOne(*t);
    for (int u = 0; u < 0x10000; ++u) {
        const uint16_t code = t->encode[u];
        if (code == 0xFFFF)
            continue;
        const char16_t back = code > 0xFF ? t->decodeDouble[code] : t->decodeSingle[code];
        t->oneWay[u] = back != char16_t(u);
    }
    return t;
}

const Tables& tables()
{
    static const std::unique_ptr<Tables> t = buildTables();
    return *t;
}

inline bool isSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDFFF; }

} // namespace

namespace TextCodec {

QString decode(const char* data, int size)
{
    QString out;
    decodeInto(data, size, out);
    if (out.capacity() > out.size() + 16)
        out.squeeze(); // double-byte text needs half of what was reserved
    return out;
}

void decodeInto(const char* data, int size, QString& out)
{
    const Tables& t = tables();
    out.resize(size);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    const auto* end = p + size;
    char16_t* d = dst;
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            *d++ = t.decodeSingle[b];
            ++p;
        } else if (t.isLead[b]) {
            if (p + 1 < end) {
                const char16_t u = t.decodeDouble[(b << 8) | p[1]];
                if (u != 0) {
                    *d++ = u;
                    p += 2;
                    continue;
                }
            }
            *d++ = kReplacement;
            ++p;
        } else {
            const char16_t u = t.decodeSingle[b];
            *d++ = u != 0 ? u : kReplacement;
            ++p;
        }
    }
    out.truncate(int(d - dst));
}

QByteArray encode(const QString& text, bool* lossless)
{
    QByteArray out;
    const bool ok = encodeAppend(text, out);
    if (lossless)
        *lossless = ok;
    return out;
}

bool encodeAppend(QStringView text, QByteArray& out)
{
    const Tables& t = tables();
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2);
    char* d = out.data() + start;
    bool ok = true;
    for (QChar qc : text) {
        const char16_t u = qc.unicode();
        const uint16_t code = t.encode[u];
        if (code == 0xFFFF || isSurrogate(u)) {
            *d++ = '?';
            ok = false;
        } else if (code > 0xFF) {
            *d++ = char(code >> 8);
            *d++ = char(code & 0xFF);
        } else {
            *d++ = char(code);
        }
    }
    out.truncate(d - out.data());
    return ok;
}

bool encodeAppendExact(QStringView text, QByteArray& out)
{
    const Tables& t = tables();
    bool exact = encodeAppend(text, out);
    for (qsizetype i = 0; exact && i < text.size(); ++i)
        exact = !t.oneWay[text.at(i).unicode()];
    return exact;
}

bool isEncodable(const QString& text)
{
    const Tables& t = tables();
    for (QChar qc : text) {
        const char16_t u = qc.unicode();
        if (t.encode[u] == 0xFFFF || isSurrogate(u))
            return false;
    }
    return true;
}

int byteWidth(QChar c)
{
    const char16_t u = c.unicode();
    const uint16_t code = tables().encode[u];
    return (code != 0xFFFF && code > 0xFF && !isSurrogate(u)) ? 2 : 1;
}

int byteLength(const QString& text)
{
    int n = 0;
    for (QChar c : text)
        n += byteWidth(c);
    return n;
}

int compare(const QString& a, const QString& b)
{
    const QByteArray ea = encode(a);
    const QByteArray eb = encode(b);
    const int common = std::min(ea.size(), eb.size());
    const int r = std::memcmp(ea.constData(), eb.constData(), size_t(common));
    if (r != 0)
        return r;
    return ea.size() - eb.size();
}

int prefixLengthForBytes(const QString& text, int maxBytes)
{
    int bytes = 0;
    int i = 0;
    while (i < text.size()) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                          text.at(i + 1).isLowSurrogate();
        const int units = pair ? 2 : 1;
        const int width = pair ? 2 : byteWidth(text.at(i));
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        i += units;
    }
    return i;
}

} // namespace TextCodec
