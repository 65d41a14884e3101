#include "AutoSave.h"

#include "DocumentSession.h"

#include "addressbook/AddressBookRecovery.h"
#include "base/ArchiveWriter.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/MemoryProfile.h"
#include "model/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <signal.h>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("AutoSave", text);
}

const QString kDocumentKey = QStringLiteral("document=");
const QString kBookKey = QStringLiteral("addressbook=");

// Whether the process that wrote a recovery file still runs: a process of that number
// that is no zombie and runs a program of this one's name (a number taken again by
// another program does not hide the file).
bool processRuns(qint64 pid)
{
    if (pid <= 0 || pid > 0x3fffffff)
        return false;
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM)
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true; // no /proc to look into: a running process it is
    // "pid (comm) state …": the name in parentheses, the state after them.
    const QByteArray line = stat.read(4096);
    const qsizetype open = line.indexOf('('), close = line.lastIndexOf(')');
    if (open < 0 || close < open || close + 2 >= line.size())
        return true;
    if (line.at(close + 2) == 'Z')
        return false;
    const QByteArray own = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toLocal8Bit();
    return line.mid(open + 1, close - open - 1) == own.left(15);
}

} // namespace

AutoSave::AutoSave(CORINOTEDoc& doc, DocumentSession& session, int minutes, QObject* parent)
    : QObject(parent), mDoc(doc), mSession(session)
{
    connect(&mTimer, &QTimer::timeout, this, [this] { saveNow(); });
    if (minutes > 0)
        mTimer.start(minutes * 60 * 1000);
}

AutoSave::~AutoSave() = default;

int AutoSave::minutesFromSettings(const CORINOTEDoc& doc)
{
    if (!doc.profile())
        return DefaultMinutes;
    return std::clamp(doc.profile()->readInt(QStringLiteral("ASM"), DefaultMinutes), 0, 60);
}

QString AutoSave::filePath() const
{
    const QString folder = AddressBookRecovery::folder(mDoc.dataFolder);
    if (folder.isEmpty())
        return QString();
    return QDir(folder).filePath(
        QStringLiteral("autosave-%1.ond").arg(QCoreApplication::applicationPid()));
}

QString AutoSave::notePath(const QString& recoveryFile)
{
    QString note = recoveryFile;
    note.chop(4);
    return note + QStringLiteral(".txt");
}

QString AutoSave::saveNow()
{
    const QString path = filePath();
    if (path.isEmpty())
        return QString();
    const AddressBookOrigin& origin = mDoc.addressBookOrigin();
    if (!mDoc.isModified() && origin.unsavedChanges(mDoc.addressBook()) == 0) {
        removeFiles();
        return QString();
    }
    const QString failure = tr("自動保存に失敗しました。\n%1").arg(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return failure;
    // The body as saving writes it, but the document stays modified: the user's file is
    // not saved.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure;
    ArchiveWriter out(&file);
    DocumentFile::write(mDoc, out);
    if (!out.finish() || !file.flush() || !file.commit())
        return failure;
    QSaveFile note(notePath(path));
    if (!note.open(QIODevice::WriteOnly))
        return failure;
    note.write((kDocumentKey + mSession.path() + QLatin1Char('\n') + kBookKey + origin.path() +
                QLatin1Char('\n'))
                   .toUtf8());
    return note.commit() ? QString() : failure;
}

void AutoSave::finish()
{
    mTimer.stop();
    removeFiles();
}

void AutoSave::removeFiles()
{
    const QString path = filePath();
    if (path.isEmpty())
        return;
    QFile::remove(path);
    QFile::remove(notePath(path));
}

QList<AutoSave::Leftover> AutoSave::leftovers(const QString& dataFolder)
{
    QList<Leftover> list;
    const QString folder = AddressBookRecovery::folder(dataFolder);
    if (folder.isEmpty())
        return list;
    static const QRegularExpression pattern(QStringLiteral("^autosave-(\\d+)\\.ond$"));
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("autosave-*.ond")}, QDir::Files, QDir::Time);
    for (const QFileInfo& info : files) {
        const QRegularExpressionMatch match = pattern.match(info.fileName());
        if (!match.hasMatch())
            continue;
        const qint64 pid = match.captured(1).toLongLong();
        if (pid == QCoreApplication::applicationPid() || processRuns(pid))
            continue;
        Leftover leftover;
        leftover.path = info.absoluteFilePath();
        leftover.time = info.lastModified();
        QFile note(notePath(leftover.path));
        // A note that is missing or too long to be one says nothing about the names.
        if (note.open(QIODevice::ReadOnly) && note.size() < 65536) {
            const QStringList lines = QString::fromUtf8(note.readAll()).split(QLatin1Char('\n'));
            for (const QString& line : lines) {
                if (line.startsWith(kDocumentKey))
                    leftover.documentPath = line.mid(kDocumentKey.size());
                else if (line.startsWith(kBookKey))
                    leftover.bookPath = line.mid(kBookKey.size());
            }
        }
        list.append(leftover);
    }
    return list;
}

QString AutoSave::question(const Leftover& leftover)
{
    const QString document = leftover.documentPath.isEmpty()
                                 ? tr("無題")
                                 : QFileInfo(leftover.documentPath).fileName();
    QString text = tr("ORINOTE は前回正しく終了しませんでした。\n"
                      "%1 の保存していない変更が自動保存されています（%2）。")
                       .arg(document, leftover.time.toString(QStringLiteral("yyyy/MM/dd HH:mm")));
    if (!leftover.bookPath.isEmpty())
        text += QLatin1Char('\n') +
                tr("住所録 %1 の変更も含まれます。").arg(QFileInfo(leftover.bookPath).fileName());
    return text + QLatin1Char('\n') +
           tr("復元しますか?\n"
              "復元しない場合も、住所録は 住所録 → ファイル → 以前の住所録を復元 から戻せます。");
}

bool AutoSave::restore(DocumentSession& session, const Leftover& leftover)
{
    const bool restored =
        session.recover(leftover.path, leftover.documentPath, leftover.bookPath);
    if (restored) {
        QFile::remove(leftover.path);
        QFile::remove(notePath(leftover.path));
    }
    return restored;
}

void AutoSave::discard(const Leftover& leftover, const QString& dataFolder)
{
    // The book is the tail of the document body: read through a scratch document.
    MemoryProfile profile;
    CORINOTEDoc scratch(&profile);
    if (DocumentFile::open(scratch, leftover.path).isEmpty() &&
        AddressBookOrigin::recordCount(scratch.addressBook()) > 0)
        AddressBookRecovery::keep(dataFolder, scratch.addressBook(), leftover.time);
    QFile::remove(leftover.path);
    QFile::remove(notePath(leftover.path));
}
