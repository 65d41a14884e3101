#pragma once

#include <QJsonObject>
#include <QString>

class AddressBook;

// An address book described in a readable JSON file, the form in which the sample
// address book is kept in the source tree and turned into an .ona file at build time.
//
//   {
//     "groups": {
//       "あ": [
//         {"氏名": "青柳　春菜", "敬称": "様", "郵便番号": "164-0013",
//          "住所1": "…", "予約": true,
//          "履歴": [{"件名": "年賀状", "日付": "2024/01/01", "備考": "受"}]}
//       ],
//       "差出人": [ … ]
//     }
//   }
//
// Groups are named by their tab labels ("あ" … "わ", "ABC" … "YZ", "差出人"); records keep
// the order of their array. A record's keys are the column titles of the address book
// ("氏名", "郵便番号", "連名1", "会社", …) with text values, and "予約" (true reserves the
// record for printing) and "履歴" (the send/receive history). Entry numbers are given as
// the address book gives them, the group's prefix and the next sequence number, so
// "登録番号" is not accepted. A birth date must be a real date written YYYY/MM/DD.
// Unknown keys are refused.
namespace AddressBookDefinition {

// The largest definition file read.
constexpr qint64 MaxFileSize = 4 << 20;
// The most records one group may hold in a definition.
constexpr int MaxRecordsPerGroup = 5000;

// Builds the address book. On failure returns false with a Japanese message naming the
// offending group, record and key in *error, and leaves *out unchanged.
bool fromJson(const QJsonObject& json, AddressBook* out, QString* error);

// Reads a definition file and builds its address book as fromJson() does.
bool load(const QString& path, AddressBook* out, QString* error);

} // namespace AddressBookDefinition
