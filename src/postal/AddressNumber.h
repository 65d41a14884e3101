#pragma once

#include <QString>

// The address number (住所表示番号) of Japan Post's customer barcode: the digits, hyphens
// and single capital letters of the part of an address after the town name, by the rules
// of the barcode manual.
//
// Full-width characters count as half-width, small letters as capitals; "&", "/", "・"
// and "." are dropped. Kanji numerals (二十一, 百一) standing before 丁目, 丁, 番地, 番,
// 号, 地割, 線, の or ノ become digits. Digits, hyphens and single letters are kept;
// every other run of characters (kanji, kana, other kanji numerals, spaces, runs of two
// or more letters) becomes one hyphen, as does an "F" after a digit (a floor: 10F is 10).
// Hyphens next to a letter and at either end are dropped, and runs of hyphens become one.
namespace AddressNumber {

QString of(const QString& rest);

// The value of a run of kanji numerals ("二十一" 21, "百一" 101, "三〇五" 305); -1 when
// the text is not one.
int kanjiValue(const QString& numerals);

} // namespace AddressNumber
