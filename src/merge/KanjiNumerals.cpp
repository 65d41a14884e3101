#include "KanjiNumerals.h"

#include "base/FontRecord.h"
#include "model/EnvironmentSettings.h"

namespace {

constexpr char16_t kKanji[10] = {u'〇', u'一', u'二', u'三', u'四',
                                 u'五', u'六', u'七', u'八', u'九'};

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

} // namespace KanjiNumerals
