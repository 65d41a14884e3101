#pragma once

#include <QString>

struct EnvironmentSettings;
struct FontRecord;

// Kanji numerals for vertical writing: when the setting "NTJ" is on, digits loaded into a
// region whose font face name contains "@" are written as 〇一二三四五六七八九.
namespace KanjiNumerals {

// Every half-width digit 0–9 and full-width digit ０–９ replaced by its kanji; every
// other character is kept.
QString convert(const QString& text);

// Whether the text has a digit that convert() would change.
bool hasDigit(const QString& text);

// Whether text loaded into a region with this font gets kanji numerals under the given
// settings.
bool applies(const EnvironmentSettings& settings, const FontRecord& font);

} // namespace KanjiNumerals
