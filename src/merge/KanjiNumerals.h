#pragma once

#include <QString>

struct EnvironmentSettings;
struct FontRecord;

// Kanji numerals for vertical writing: when the setting "NTJ" is on, digits loaded into a
// region whose font face name contains "@" are written in kanji.
//
// "NTJStyle" chooses how: digit by digit (1-10-23 → 一ー一〇ー二三) or in the counting
// form for the parts of an address number and floors (一ー十ー二十三, 302番地 → 三百二番地,
// 3階 → 三階); postal codes, telephone numbers and room numbers stay digit by digit in
// either style. "NTJDash" 1 turns a hyphen, minus or
// dash standing between two digits into "ー", so 2-8-15 and ２－８－１５ print alike.
namespace KanjiNumerals {

enum Style { DigitByDigit = 0, Counting = 1 };

// Every half-width digit 0–9 and full-width digit ０–９ replaced by its kanji; every
// other character is kept.
QString convert(const QString& text);

// The text with its digits in the given style and, with `dashes`, the dashes between two
// digits as "ー". The counting form takes only the runs of digits that are parts of an
// address number (before 丁目, 丁, 番地, 番, 号 or 地割, or in a chain such as 2-8-15 or
// 721-1) and floors up to 99 (12階); a room number (101号室, 2-8-15-201, コーポ若葉201),
// a telephone number or postal code (a run that starts with 0, a later part of four
// digits, 〒), a number standing alone without a unit, and a run longer than eight digits
// stay digit by digit.
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
