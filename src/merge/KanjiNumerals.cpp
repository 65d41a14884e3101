#include "KanjiNumerals.h"

#include "base/FontRecord.h"
#include "model/EnvironmentSettings.h"

#include <algorithm>
#include <vector>

namespace {

constexpr char16_t kKanji[10] = {u'〇', u'一', u'二', u'三', u'四',
                                 u'五', u'六', u'七', u'八', u'九'};

// Longer runs are serial numbers or telephone numbers rather than quantities.
constexpr int kCountingDigits = 8;

// The digit value of a half-width or full-width digit, or -1.
int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'０' && u <= u'９')
        return u - u'０';
    return -1;
}

bool isDash(QChar c)
{
    switch (c.unicode()) {
    case u'-':
    case u'－':
    case u'‐': // hyphen
    case u'‑': // non-breaking hyphen
    case u'‒': // figure dash
    case u'–':
    case u'—':
    case u'―':
    case u'−': // minus sign
    case u'ｰ':
        return true;
    default:
        return false;
    }
}

// 1–9999 in the counting form: 十, 百 and 千 without a leading 一.
QString belowTenThousand(int n)
{
    static constexpr char16_t kUnits[4] = {0, u'十', u'百', u'千'};
    QString out;
    for (int place = 3; place >= 0; --place) {
        int scale = 1;
        for (int i = 0; i < place; ++i)
            scale *= 10;
        const int d = (n / scale) % 10;
        if (d == 0)
            continue;
        if (place == 0 || d != 1)
            out += QChar(kKanji[d]);
        if (place > 0)
            out += QChar(kUnits[place]);
    }
    return out;
}

struct Run
{
    qsizetype begin;
    qsizetype end;
};

bool startsWith(const QString& text, qsizetype at, QStringView word)
{
    return QStringView(text).mid(at).startsWith(word);
}

// What follows a run of digits when it names a part of the address number or a floor.
enum class Unit { None, Number, Floor, Room };

Unit unitAfter(const QString& text, qsizetype at)
{
    if (startsWith(text, at, u"号室"))
        return Unit::Room;
    if (startsWith(text, at, u"階"))
        return Unit::Floor;
    for (QStringView word : {u"丁目", u"丁", u"番地", u"番", u"号", u"地割"}) {
        if (startsWith(text, at, word))
            return Unit::Number;
    }
    return Unit::None;
}

// Which runs of digits take the counting form. Only the parts of an address number do:
// a run followed by 丁目, 丁, 番(地), 号 or 地割, a floor (階) up to 99, and the runs of a
// chain joined by dashes (2-8-15, 721-1) that is no telephone number or postal code (no
// run starts with 0, no run after the first has four digits or more, no 〒 before it);
// in such a chain a run of three digits or more only as the 番地, not as the last part
// (a room number joined on, 2-8-15-201). Room numbers (号室), a number standing alone
// after a building name, telephone numbers and postal codes stay digit by digit.
std::vector<bool> countingRuns(const QString& text, const std::vector<Run>& runs)
{
    std::vector<bool> counting(runs.size(), false);
    const auto joined = [&](size_t a, size_t b) {
        return runs[a].end + 1 == runs[b].begin && isDash(text.at(runs[a].end));
    };
    for (size_t first = 0; first < runs.size();) {
        size_t last = first;
        while (last + 1 < runs.size() && joined(last, last + 1))
            ++last;
        bool chain = last > first && !(runs[first].begin > 0 &&
                                       text.at(runs[first].begin - 1) == u'〒');
        for (size_t r = first; r <= last && chain; ++r) {
            const qsizetype length = runs[r].end - runs[r].begin;
            if (digitValue(text.at(runs[r].begin)) == 0 || (r > first && length >= 4))
                chain = false;
        }
        for (size_t r = first; r <= last; ++r) {
            const qsizetype length = runs[r].end - runs[r].begin;
            const Unit unit = unitAfter(text, runs[r].end);
            if (unit == Unit::Room)
                continue;
            if (unit == Unit::Floor) {
                counting[r] = length <= 2;
                continue;
            }
            if (unit == Unit::Number || (chain && (length <= 2 || r < last)))
                counting[r] = digitValue(text.at(runs[r].begin)) != 0 ||
                              length == 1;
        }
        first = last + 1;
    }
    return counting;
}

} // namespace

namespace KanjiNumerals {

QString convert(const QString& text)
{
    if (!hasDigit(text))
        return text;
    QString out = text;
    for (QChar& c : out) {
        const int d = digitValue(c);
        if (d >= 0)
            c = QChar(kKanji[d]);
    }
    return out;
}

QString countingForm(QStringView digits)
{
    int value = 0;
    for (QChar c : digits)
        value = value * 10 + std::max(0, digitValue(c));
    if (value == 0)
        return QString(QChar(kKanji[0]));
    QString out;
    if (value >= 10000) {
        // 一万 keeps its 一, unlike 十, 百 and 千.
        const int high = value / 10000;
        out = (high == 1 ? QString(QChar(kKanji[1])) : belowTenThousand(high)) + u'万';
    }
    return out + belowTenThousand(value % 10000);
}

QString convert(const QString& text, Style style, bool dashes)
{
    if (!hasDigit(text))
        return text;
    std::vector<Run> runs;
    for (qsizetype i = 0; i < text.size();) {
        if (digitValue(text.at(i)) < 0) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && digitValue(text.at(end)) >= 0)
            ++end;
        runs.push_back({i, end});
        i = end;
    }
    const std::vector<bool> counting =
        style == Counting ? countingRuns(text, runs) : std::vector<bool>(runs.size(), false);

    QString out;
    out.reserve(text.size());
    size_t next = 0;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (next >= runs.size() || i < runs[next].begin) {
            const bool between = dashes && isDash(c) && i > 0 && i + 1 < text.size() &&
                                 digitValue(text.at(i - 1)) >= 0 &&
                                 digitValue(text.at(i + 1)) >= 0;
            out += between ? QChar(u'ー') : c;
            ++i;
            continue;
        }
        const QStringView run = QStringView(text).mid(i, runs[next].end - i);
        const bool counted = counting[next] && run.size() <= kCountingDigits;
        out += counted ? countingForm(run) : convert(run.toString());
        i = runs[next].end;
        ++next;
    }
    return out;
}

bool hasDigit(const QString& text)
{
    for (QChar c : text) {
        if (digitValue(c) >= 0)
            return true;
    }
    return false;
}

bool applies(const EnvironmentSettings& settings, const FontRecord& font)
{
    // The whole face name is searched, not just its first byte: a byte 0x40 can also be
    // the second half of a double-byte character, so the name is decoded first.
    return settings.kanjiNumerals == 1 && font.faceName().contains(QLatin1Char('@'));
}

QString forRegion(const EnvironmentSettings& settings, const FontRecord& font,
                  const QString& text)
{
    if (!hasDigit(text) || !applies(settings, font))
        return text;
    return convert(text, settings.numeralStyle == 1 ? Counting : DigitByDigit,
                   settings.numeralDashes != 0);
}

} // namespace KanjiNumerals
