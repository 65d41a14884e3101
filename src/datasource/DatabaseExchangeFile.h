#pragma once

#include <QString>
#include <QStringList>

class ArchiveReader;
class ArchiveWriter;

// "KLTTmp.dat": the file in which an outside database program leaves a list of strings for
// the data-mode form, in the data folder. It holds the element count, then each string with
// its length prefix (CP932), in the archive form, and nothing else: no header, no version.
namespace DatabaseExchangeFile {

// The longest string taken: longer ones are refused with the whole file.
constexpr int MaxStringLength = 4096;

QString fileName();
QString filePath(const QString& dataFolder);

// Reads the list. False when the stream ends inside it (a count that claims more strings
// than the bytes left is refused before anything is allocated); `strings` is then empty.
// Bytes after the list are not looked at.
bool read(ArchiveReader& in, QStringList& strings);
void write(ArchiveWriter& out, const QStringList& strings);

// Reads the file and leaves it where it is; the same answers as take().
QString load(const QString& path, QStringList& strings);

// Reads the file and deletes it once read. Returns an empty string, or "データベースの
// データを受信できません。" when it is missing, is not a regular file, cannot be read or
// ends early, or "データベースの文字列が長すぎます（1つの文字列は4096文字まで）。" when a
// string is longer than MaxStringLength; the file is then left where it is and `strings`
// is empty.
QString take(const QString& path, QStringList& strings);

} // namespace DatabaseExchangeFile
