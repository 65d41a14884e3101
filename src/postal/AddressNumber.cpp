#include "AddressNumber.h"

#include "PostalCode.h"

#include <QStringList>

namespace {

const QString kDigitsKanji = QStringLiteral("〇一二三四五六七八九");

bool isKanjiNumeral(QChar c)
{
    return kDigitsKanji.contains(c) || c == u'十' || c == u'百' || c == u'千' || c == u'零';
}

// What may follow a kanji number that is a part of the address number.
bool startsWithCounter(const QString& text, qsizetype at)
{
    static const QStringList counters{QStringLiteral("丁目"), QStringLiteral("丁"),
                                      QStringLiteral("番地"), QStringLiteral("番"),
                                      QStringLiteral("号"),   QStringLiteral("地割"),
                                      QStringLiteral("線"),   QStringLiteral("の"),
                                      QStringLiteral("ノ")};
    for (const QString& c : counters) {
        if (QStringView(text).mid(at).startsWith(c))
            return true;
    }
    return false;
}

bool isLetter(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

int AddressNumber::kanjiValue(const QString& numerals)
{
    if (numerals.isEmpty())
        return -1;
    // Positional ("三〇五") when there is no 十, 百 or 千.
    if (!numerals.contains(u'十') && !numerals.contains(u'百') && !numerals.contains(u'千')) {
        int value = 0;
        for (QChar c : numerals) {
            const int d = c == u'零' ? 0 : int(kDigitsKanji.indexOf(c));
            if (d < 0)
                return -1;
            value = value * 10 + d;
        }
        return value;
    }
    int value = 0;
    int digit = -1;
    for (QChar c : numerals) {
        const int d = c == u'零' ? 0 : int(kDigitsKanji.indexOf(c));
        if (d >= 0) {
            if (digit >= 0)
                return -1; // two digits in a row ("二三十") is no number
            digit = d;
            continue;
        }
        const int unit = c == u'千' ? 1000 : c == u'百' ? 100 : c == u'十' ? 10 : 0;
        if (unit == 0)
            return -1;
        value += (digit < 0 ? 1 : digit) * unit;
        digit = -1;
    }
    return value + (digit < 0 ? 0 : digit);
}

QString AddressNumber::of(const QString& rest)
{
    const QString text = rest.normalized(QString::NormalizationForm_KC).toUpper();

    // Digits, hyphens and letters; everything else is a gap (0).
    QString kept;
    kept.reserve(text.size());
    const auto gap = [&kept] {
        if (kept.isEmpty() || kept.back() != QChar(0))
            kept.append(QChar(0));
    };
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c == u'&' || c == u'/' || c == u'・' || c == u'.') {
            ++i;
            continue;
        }
        if (isKanjiNumeral(c)) {
            qsizetype end = i;
            while (end < text.size() && isKanjiNumeral(text.at(end)))
                ++end;
            const int value = kanjiValue(text.mid(i, end - i));
            if (value >= 0 && startsWithCounter(text, end))
                kept += QString::number(value);
            else
                gap();
            i = end;
            continue;
        }
        if (isDigit(c)) {
            kept.append(c);
        } else if (PostalCode::isDash(c)) {
            kept.append(u'-');
        } else if (isLetter(c)) {
            kept.append(c);
        } else {
            gap();
        }
        ++i;
    }

    // Runs of two or more letters and a floor's F are gaps; gaps are hyphens.
    QString out;
    out.reserve(kept.size());
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const QChar c = kept.at(i);
        if (isLetter(c)) {
            const bool run = (i > 0 && isLetter(kept.at(i - 1))) ||
                             (i + 1 < kept.size() && isLetter(kept.at(i + 1)));
            const bool floor = c == u'F' && i > 0 && isDigit(kept.at(i - 1));
            out.append(run || floor ? QChar(u'-') : c);
        } else {
            out.append(c == QChar(0) ? QChar(u'-') : c);
        }
    }

    // One hyphen at a time, none at the ends or next to a letter.
    QString result;
    result.reserve(out.size());
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c != u'-') {
            result.append(c);
            continue;
        }
        if (result.isEmpty() || result.back() == u'-' || isLetter(result.back()))
            continue;
        qsizetype next = i + 1;
        while (next < out.size() && out.at(next) == u'-')
            ++next;
        if (next >= out.size() || isLetter(out.at(next)))
            continue;
        result.append(u'-');
    }
    return result;
}
