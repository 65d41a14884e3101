#include "DatabaseExchangeFile.h"

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "base/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace DatabaseExchangeFile {

QString fileName()
{
    return QStringLiteral("KLTTmp.dat");
}

QString filePath(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(fileName());
}

bool read(ArchiveReader& in, QStringList& strings)
{
    strings = in.readStringArray();
    if (!in.ok())
        strings.clear();
    return in.ok();
}

void write(ArchiveWriter& out, const QStringList& strings)
{
    out.writeStringArray(strings);
}

QString load(const QString& path, QStringList& strings)
{
    strings.clear();
    const QString failure =
        QCoreApplication::translate("DatabaseExchangeFile", "データベースのデータを受信できません。");
    QFile file(path);
    if (!RegularFile::open(file))
        return failure;
    // A string no region can show would stall every redraw of the page: refused, and
    // the file is left as it is. Refused by its declared length first, so that a huge one
    // is never read into memory.
    const QString tooLong = QCoreApplication::translate(
                                "DatabaseExchangeFile",
                                "データベースの文字列が長すぎます（1つの文字列は%1文字まで）。")
                                .arg(MaxStringLength);
    ArchiveReader in(&file);
    in.setMaxStringLength(MaxStringLength);
    if (!read(in, strings))
        return in.stringTooLong() ? tooLong : failure;
    for (const QString& string : std::as_const(strings)) {
        if (string.size() > MaxStringLength) {
            strings.clear();
            return tooLong;
        }
    }
    return QString();
}

QString take(const QString& path, QStringList& strings)
{
    const QString message = load(path, strings);
    if (message.isEmpty())
        QFile::remove(path);
    return message;
}

} // namespace DatabaseExchangeFile
