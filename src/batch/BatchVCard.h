#pragma once

#include <QString>

class CORINOTEDoc;

// "--import-vcard FILE --group NAME" and "--export-vcard GROUP FILE": contact files in and
// out of one address group without a window, as the address book window's menu does. A
// group is named by its tab caption ("あ", "ABC", "差出人"), by "あ行" and the like, or by
// its number 0–19.
namespace BatchVCard {

// Appends the cards of the file to the group. Returns the message for standard error,
// empty on success; *warning tells how many cards and values were passed over.
QString importFile(CORINOTEDoc& doc, const QString& file, const QString& group, QString* warning);

// "--import-contacts FILE --group NAME": a vCard file or a contact CSV file (told apart by
// its content, the CSV layout by its header) appended to the group. Returns the message
// for standard error when nothing could be imported, empty on success; *summary tells
// what was read, added, and could not be placed.
QString importContacts(CORINOTEDoc& doc, const QString& file, const QString& group,
                       QString* summary);

// Writes every record of the group, in stored order, to the file.
QString exportGroup(const CORINOTEDoc& doc, const QString& group, const QString& file);

} // namespace BatchVCard
