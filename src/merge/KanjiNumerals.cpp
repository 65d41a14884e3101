#include "KanjiNumerals.h"

#include "base/FontRecord.h"
#include "model/EnvironmentSettings.h"

#include <algorithm>

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
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (digitValue(c) < 0) {
            const bool between = dashes && isDash(c) && i > 0 && i + 1 < text.size() &&
                                 digitValue(text.at(i - 1)) >= 0 &&
                                 digitValue(text.at(i + 1)) >= 0;
            out += between ? QChar(u'ー') : c;
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && digitValue(text.at(end)) >= 0)
            ++end;
        const QStringView run = QStringView(text).mid(i, end - i);
        const bool counting = style == Counting && run.size() <= kCountingDigits &&
                              (run.size() == 1 || digitValue(run.front()) != 0);
        out += counting ? countingForm(run) : convert(run.toString());
        i = end;
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
