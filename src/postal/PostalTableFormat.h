#pragma once

#include <QByteArray>

// The program's own postal code file, written at build time by PostalTableWriter and read
// by PostalTable. Little-endian throughout:
//
//   "ORIPOST1"
//   u32 prefectures, cities, entries, prefixes, pool bytes
//   prefectures × { u32 code (1–47), u32 name }
//   cities      × { u32 code (5 digits), u32 name, u32 prefecture index }
//   entries     × { u32 code (7 digits), u32 town, u16 city index }   sorted by code
//   prefixes    × { u32 code (5 digits), u32 town, u16 city index }   sorted by code
//   pool: strings, each u16 length + that many UTF-16 code units
//
// A name or town is a byte offset into the pool. A code with several towns has one entry
// per town, next to each other in the table's order. A prefix entry gives its town to
// every seven-digit code that starts with its five digits (large buildings whose floors
// have codes of their own), before the code's own entries.
namespace PostalTableFormat {

inline QByteArray magic()
{
    return QByteArrayLiteral("ORIPOST1");
}
constexpr int HeaderSize = 8 + 5 * 4;
constexpr int PrefectureSize = 8;
constexpr int CitySize = 12;
constexpr int EntrySize = 10;

} // namespace PostalTableFormat
