#include "CustomerBarcode.h"

#include "AddressNumber.h"
#include "PostalCode.h"
#include "PostalTable.h"

#include <QCoreApplication>

#include <zint.h>

#include <memory>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CustomerBarcode", text);
}

using Bar = CustomerBarcode::Bar;

// The bars of an encoded Japan Post symbol: three rows (the upper half of the long bars
// and ascenders, the timing band, the lower half of the long bars and descenders), a bar
// on every other module, each row 8 modules a byte, the first in the lowest bit. Empty
// when the symbol is not of that shape.
QList<CustomerBarcode::Bar> encodedBars(const zint_symbol& symbol)
{
    using Bar = CustomerBarcode::Bar;
    QList<Bar> out;
    out.reserve(CustomerBarcode::BarCount);
    if (symbol.rows != 3 || symbol.width != 2 * CustomerBarcode::BarCount - 1)
        return out;
    const auto set = [&symbol](int row, int column) {
        return ((symbol.encoded_data[row][column >> 3] >> (column & 7)) & 1) != 0;
    };
    for (int i = 0; i < CustomerBarcode::BarCount; ++i) {
        const bool up = set(0, 2 * i);
        const bool down = set(2, 2 * i);
        out.append(up && down ? Bar::Long
                   : up       ? Bar::Ascender
                   : down     ? Bar::Descender
                              : Bar::Timing);
    }
    return out;
}

// The three bars of each value 0–18, as the barcode manual's table gives them.
const char* const kPatterns[19] = {"LTT", "LLT", "LDA", "DLA", "LAD", "LTL", "DAL",
                                   "ALD", "ADL", "TLL", "TLT", "DAT", "DTA", "ADT",
                                   "TDA", "ATD", "TAD", "TTL", "LLL"};

bool isLetter(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

} // namespace

bool CustomerBarcode::isField(const QString& attribute)
{
    return attribute == u"バーコード(R)" || attribute == u"バーコード(S)";
}

qsizetype CustomerBarcode::townEnd(const QString& address, const QList<PostalAddress>& entries)
{
    qsizetype best = -1;
    qsizetype bestLength = 0;
    for (const PostalAddress& e : entries) {
        if (e.town.isEmpty())
            continue;
        const qsizetype at = address.indexOf(e.town);
        if (at < 0)
            continue;
        // The longest name wins: a city or prefecture that stands before the town counts.
        qsizetype length = e.town.size();
        if (at >= e.city.size() &&
            QStringView(address).mid(at - e.city.size(), e.city.size()) == e.city)
            length += e.city.size();
        if (length > bestLength) {
            bestLength = length;
            best = at + e.town.size();
        }
    }
    return best;
}

QString CustomerBarcode::joinedAddress(const QString& line1, const QString& line2,
                                       const QString& line3)
{
    QStringList lines;
    for (const QString* line : {&line1, &line2, &line3}) {
        if (!line->trimmed().isEmpty())
            lines.append(*line);
    }
    return lines.join(u' ');
}

CustomerBarcode::Content CustomerBarcode::content(const QString& postalCode, const QString& address,
                                                  const PostalTable* table)
{
    Content c;
    if (!PostalCode::fillsBoxes(postalCode)) {
        c.error = tr("郵便番号が「NNN-NNNN」の形ではありません。");
        return c;
    }
    const QString folded = address.normalized(QString::NormalizationForm_KC);
    qsizetype start = -1;
    if (table && table->isLoaded()) {
        const QList<PostalAddress> entries = table->addresses(postalCode);
        if (entries.isEmpty()) {
            // A business's own code or a post-office box code: the code alone.
            c.text = PostalCode::digits(postalCode);
            return c;
        }
        if (
            std::all_of(entries.begin(), entries.end(),
                        [](const PostalAddress& e) { return e.town.isEmpty(); })) {
            c.error = tr("郵便番号 %1 は地域の代表の番号です（町域の番号を使ってください）。")
                          .arg(postalCode);
            return c;
        }
        start = townEnd(folded, entries);
    }
    if (start < 0) {
        start = 0;
        while (start < folded.size() && !(folded.at(start) >= u'0' && folded.at(start) <= u'9'))
            ++start;
    }
    c.text = PostalCode::digits(postalCode) + AddressNumber::of(folded.mid(start));
    return c;
}

QList<int> CustomerBarcode::characters(const QString& content)
{
    QList<int> out;
    for (const QChar ch : content) {
        if (out.size() >= Characters)
            break;
        if (ch >= u'0' && ch <= u'9') {
            out.append(ch.unicode() - u'0');
        } else if (ch == u'-') {
            out.append(10);
        } else if (isLetter(ch)) {
            const int n = ch.unicode() - u'A';
            out.append(11 + n / 10); // A–J CC1, K–T CC2, U–Z CC3
            if (out.size() < Characters)
                out.append(n % 10);
        }
    }
    while (out.size() < Characters)
        out.append(14); // CC4
    return out;
}

int CustomerBarcode::checkCharacter(const QList<int>& characters)
{
    int sum = 0;
    for (int v : characters)
        sum += v;
    return (19 - sum % 19) % 19;
}

QString CustomerBarcode::characterText(int value)
{
    if (value >= 0 && value <= 9)
        return QString::number(value);
    if (value == 10)
        return QStringLiteral("-");
    return QStringLiteral("CC%1").arg(value - 10);
}

QList<CustomerBarcode::Bar> CustomerBarcode::barsOf(const QList<int>& characters)
{
    QList<Bar> out;
    out.reserve(BarCount);
    const auto add = [&out](const char* pattern) {
        for (const char* p = pattern; *p; ++p)
            out.append(*p == 'L'   ? Bar::Long
                       : *p == 'A' ? Bar::Ascender
                       : *p == 'D' ? Bar::Descender
                                   : Bar::Timing);
    };
    add("LD"); // start
    for (int v : characters)
        add(kPatterns[std::clamp(v, 0, 18)]);
    add(kPatterns[checkCharacter(characters)]);
    add("DL"); // stop
    return out;
}

QList<CustomerBarcode::Bar> CustomerBarcode::bars(const QString& content, QString* error)
{
    // libzint takes at most 20 places, a letter taking two. A letter whose control code
    // falls on the 20th place is refused by it, where the rule keeps the control code
    // alone: that one case is drawn from the same table without it.
    QByteArray input;
    int places = 0;
    for (const QChar ch : content) {
        if (places >= Characters)
            break;
        if (isLetter(ch) && places == Characters - 1)
            return barsOf(characters(content));
        input.append(char(ch.toLatin1()));
        places += isLetter(ch) ? 2 : 1;
    }
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(),
                                                                      ZBarcode_Delete);
    QList<Bar> out;
    if (!symbol) {
        if (error)
            *error = tr("バーコードを作れませんでした。");
        return out;
    }
    symbol->symbology = BARCODE_JAPANPOST;
    const bool encoded =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(input.constData()),
                        int(input.size())) < ZINT_ERROR;
    if (encoded) {
        // The encoded rows are enough, and far cheaper than the vector output (a third of
        // a 500-label job's barcode time went there). They are libzint's own layout, so
        // what is read is checked against the content before it is used.
        out = encodedBars(*symbol);
        if (out == barsOf(characters(content)))
            return out;
        out.clear();
    }
    if (!encoded || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector) {
        if (error)
            *error =
                tr("バーコードを作れませんでした: %1").arg(QString::fromLatin1(symbol->errtxt));
        return out;
    }
    // Each bar is one rectangle; its kind is whether it reaches the top and the bottom.
    float top = 1e9f;
    float bottom = -1e9f;
    QList<std::pair<float, std::pair<float, float>>> rects;
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next) {
        rects.append({r->x, {r->y, r->y + r->height}});
        top = std::min(top, r->y);
        bottom = std::max(bottom, r->y + r->height);
    }
    std::sort(rects.begin(), rects.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    const float slack = (bottom - top) * 0.05f;
    for (const auto& [x, span] : rects) {
        const bool up = span.first <= top + slack;
        const bool down = span.second >= bottom - slack;
        out.append(up && down ? Bar::Long
                   : up       ? Bar::Ascender
                   : down     ? Bar::Descender
                              : Bar::Timing);
    }
    if (out.size() != BarCount) {
        if (error)
            *error = tr("バーコードを作れませんでした。");
        out.clear();
    }
    return out;
}

QList<int> CustomerBarcode::decode(const QList<Bar>& bars)
{
    QList<int> values;
    if (bars.size() != BarCount)
        return values;
    const auto letter = [](Bar b) {
        switch (b) {
        case Bar::Long:
            return 'L';
        case Bar::Ascender:
            return 'A';
        case Bar::Descender:
            return 'D';
        default:
            return 'T';
        }
    };
    // Start "LD", stop "DL".
    if (letter(bars[0]) != 'L' || letter(bars[1]) != 'D' || letter(bars[65]) != 'D' ||
        letter(bars[66]) != 'L')
        return values;
    for (int i = 2; i + 3 <= 65; i += 3) {
        const char pattern[4] = {letter(bars[i]), letter(bars[i + 1]), letter(bars[i + 2]), 0};
        int value = -1;
        for (int v = 0; v < 19; ++v) {
            if (qstrcmp(kPatterns[v], pattern) == 0)
                value = v;
        }
        if (value < 0)
            return {};
        values.append(value);
    }
    return values;
}
