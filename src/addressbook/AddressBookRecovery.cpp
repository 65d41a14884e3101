#include "AddressBookRecovery.h"

#include "AddressBookOperations.h"

#include "address/AddressBook.h"
#include "address/AddressBookOrigin.h"
#include "model/CORINOTEDoc.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("AddressBookRecovery", text);
}

const QString& timeFormat()
{
    static const QString format = QStringLiteral("yyyyMMdd-HHmmsszzz");
    return format;
}

// "addressbook-<time>-<records>.ona", with "-<n>" before the suffix when two copies fall
// in the same millisecond.
const QRegularExpression& namePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^addressbook-(\\d{8}-\\d{9})-(\\d+)(?:-\\d+)?\\.ona$"));
    return pattern;
}

} // namespace

QString AddressBookRecovery::folder(const QString& dataFolder)
{
    return dataFolder.isEmpty() ? QString() : QDir(dataFolder).filePath(QStringLiteral("recovery"));
}

QString AddressBookRecovery::keep(const QString& dataFolder, const AddressBook& book,
                                  const QDateTime& when)
{
    const QString dir = folder(dataFolder);
    if (dir.isEmpty())
        return QString();
    const QString failure = tr("住所録の復元用コピーを保存できませんでした。\n%1");
    if (!QDir().mkpath(dir))
        return failure.arg(dir);
    // Copies sort by the time in their names: one taken in the same millisecond as the
    // newest (or with the clock set back) still comes after it.
    QDateTime time = when;
    if (const QList<Copy> kept = copies(dataFolder); !kept.isEmpty() && kept.first().time >= time)
        time = kept.first().time.addMSecs(1);
    const QString stem = QStringLiteral("addressbook-%1-%2")
                             .arg(time.toString(timeFormat()))
                             .arg(AddressBookOrigin::recordCount(book));
    QString path = QDir(dir).filePath(stem + QStringLiteral(".ona"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(dir).filePath(QStringLiteral("%1-%2.ona").arg(stem).arg(n));
    if (!book.storeFile(path).isEmpty())
        return failure.arg(path);
    const QList<Copy> all = copies(dataFolder);
    for (qsizetype i = KeptCopies; i < all.size(); ++i)
        QFile::remove(all.at(i).path);
    return QString();
}

QString AddressBookRecovery::keepUnsaved(const CORINOTEDoc& doc)
{
    if (doc.addressBookOrigin().unsavedChanges(doc.addressBook()) == 0)
        return QString();
    return keep(doc.dataFolder, doc.addressBook(), QDateTime::currentDateTime());
}

QList<AddressBookRecovery::Copy> AddressBookRecovery::copies(const QString& dataFolder)
{
    QList<Copy> list;
    const QString dir = folder(dataFolder);
    if (dir.isEmpty())
        return list;
    const QStringList names =
        QDir(dir).entryList({QStringLiteral("addressbook-*.ona")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = namePattern().match(name);
        if (!match.hasMatch())
            continue;
        Copy copy;
        copy.path = QDir(dir).filePath(name);
        copy.time = QDateTime::fromString(match.captured(1), timeFormat());
        copy.records = match.captured(2).toInt();
        if (copy.time.isValid())
            list.prepend(copy);
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const Copy& a, const Copy& b) { return a.time > b.time; });
    return list;
}

QString AddressBookRecovery::label(const Copy& copy)
{
    return tr("%1　%2件")
        .arg(copy.time.toString(QStringLiteral("yyyy/MM/dd HH:mm")))
        .arg(copy.records);
}

QString AddressBookRecovery::restore(CORINOTEDoc& doc, const Copy& copy)
{
    // Loading keeps the book being replaced when it holds unsaved records.
    bool changed = false;
    const QString message = AddressBookOperations::loadFile(doc, copy.path, &changed);
    if (changed)
        doc.addressBookOrigin().forget();
    return message;
}
