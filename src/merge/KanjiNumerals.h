#pragma once

#include <QString>

struct EnvironmentSettings;
struct FontRecord;

// Kanji numerals for vertical writing: when the setting "NTJ" is on, digits loaded into a
// region whose font face name contains "@" are written in kanji.
//
// "NTJStyle" chooses how: digit by digit (1-10-23 → 一ー一〇ー二三) or in the counting
// form (一ー十ー二十三, 302 → 三百二, 10000 → 一万). "NTJDash" 1 turns a hyphen, minus or
// dash standing between two digits into "ー", so 2-8-15 and ２－８－１５ print alike.
namespace KanjiNumerals {

enum Style { DigitByDigit = 0, Counting = 1 };

// Every half-width digit 0–9 and full-width digit ０–９ replaced by its kanji; every
// other character is kept.
QString convert(const QString& text);

// The text with its digits in the given style and, with `dashes`, the dashes between two
// digits as "ー". A run of digits that starts with 0 (a telephone number's 03) or is longer
// than eight digits is written digit by digit in either style.
QString convert(const QString& text, Style style, bool dashes);

// The counting form of a run of digits (half- or full-width only, at most eight).
QString countingForm(QStringView digits);

// Whether the text has a digit that convert() would change.
bool hasDigit(const QString& text);

// Whether text loaded into a region with this font gets kanji numerals under the given
// settings.
bool applies(const EnvironmentSettings& settings, const FontRecord& font);

// The text as a region with this font shows it under the settings: converted when
// applies(), else as it is.
QString forRegion(const EnvironmentSettings& settings, const FontRecord& font,
                  const QString& text);

} // namespace KanjiNumerals
