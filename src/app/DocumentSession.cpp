#include "DocumentSession.h"

#include "prompts/SessionPrompts.h"

#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"

#include <QFileInfo>

DocumentSession::DocumentSession(CORINOTEDoc& doc, Profile& profile, SessionPrompts* prompts,
                                 QObject* parent)
    : QObject(parent), mDoc(doc), mProfile(profile), mPrompts(prompts)
{
    mRecent.load(mProfile);
}

QString DocumentSession::title() const
{
    return mPath.isEmpty() ? tr("無題") : QFileInfo(mPath).fileName();
}

QString DocumentSession::windowTitle() const
{
    return tr("%1 - ORINOTE").arg(title());
}

bool DocumentSession::saveModified()
{
    if (!mDoc.isModified())
        return true;
    switch (mPrompts->askSaveChanges(tr("%1 への変更を保存しますか?").arg(title()))) {
    case SessionPrompts::Answer::Save:
        return save();
    case SessionPrompts::Answer::Discard:
        return true;
    case SessionPrompts::Answer::Cancel:
        break;
    }
    return false;
}

bool DocumentSession::newDocument()
{
    if (!saveModified())
        return false;
    const QString message = mDoc.newDocument();
    setPath(QString());
    emit documentReplaced();
    if (!message.isEmpty())
        mPrompts->showMessage(message);
    return true;
}

bool DocumentSession::open()
{
    if (!saveModified())
        return false;
    const QString path = mPrompts->chooseOpenPath();
    if (path.isEmpty())
        return false;
    return load(path);
}

bool DocumentSession::openFile(const QString& path)
{
    if (!saveModified())
        return false;
    return load(path);
}

bool DocumentSession::load(const QString& path)
{
    // Another copy of the program that has the file open holds its lock: ask before
    // opening it a second time (two copies saving one file lose each other's changes).
    if (!QFileInfo(path).absoluteFilePath().isEmpty() &&
        QFileInfo(path).absoluteFilePath() != mPath && FileLock::heldElsewhere(path) &&
        !mPrompts->askYesNo(tr("%1\nこのファイルは別に起動したORINOTEで開かれています。"
                               "両方で編集して保存すると、先に保存した変更が失われることがあります。"
                               "開きますか？")
                                .arg(path)))
        return false;
    bool kept = false;
    const QString message = DocumentFile::open(mDoc, path, &kept);
    if (kept) {
        // The file could not be opened: the open document, its name and its undo stay.
        mPrompts->showMessage(message);
        return false;
    }
    // The snapshots belong to the document that was open before: undoing into it would
    // put the old document under this file's name.
    mDoc.clearUndo();
    if (!message.isEmpty()) {
        // A failed read leaves the document emptied, without a sheet to show or edit;
        // carry on with a new document instead.
        const QString newMessage = mDoc.newDocument();
        setPath(QString());
        emit documentReplaced();
        mPrompts->showMessage(message);
        if (!newMessage.isEmpty())
            mPrompts->showMessage(newMessage);
        return false;
    }
    mDoc.currentPage = 1;
    setPath(path);
    mIdentity = FileIdentity::of(path);
    mLock = FileLock(path);
    addRecent(path);
    emit documentReplaced();
    return true;
}

bool DocumentSession::openRecent(int i)
{
    if (i < 0 || i >= mRecent.count())
        return false;
    if (!saveModified())
        return false;
    const QString path = mRecent.files().at(i);
    if (load(path))
        return true;
    mRecent.removeAt(int(mRecent.files().indexOf(path)));
    mRecent.save(mProfile);
    emit recentFilesChanged();
    return false;
}

bool DocumentSession::save()
{
    if (mPath.isEmpty())
        return saveAs();
    // Another copy of the program may have saved this file since it was opened here:
    // saving over it would discard that copy's changes without a word. A file that is
    // gone meanwhile is simply made again.
    const FileIdentity now = mIdentity.isNull() ? FileIdentity() : FileIdentity::of(mPath);
    if (!now.isNull() && now != mIdentity) {
        const QString question =
            tr("%1\nこのファイルは開いた後に別のプログラム（別に起動したORINOTEなど）で"
               "変更されています。上書きすると、その変更は失われます。")
                .arg(mPath);
        switch (mPrompts->askChangedOnDisk(question)) {
        case SessionPrompts::ChangedAnswer::Overwrite:
            break;
        case SessionPrompts::ChangedAnswer::SaveAs:
            return saveAs();
        case SessionPrompts::ChangedAnswer::Cancel:
            return false;
        }
    }
    return saveTo(mPath);
}

bool DocumentSession::saveAs()
{
    const QString suggestion = mPath.isEmpty() ? title() + QStringLiteral(".ond") : mPath;
    QString path = mPrompts->chooseSavePath(suggestion);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".ond");
    return saveTo(path);
}

bool DocumentSession::saveTo(const QString& path)
{
    const QString message = DocumentFile::save(mDoc, path);
    if (!message.isEmpty()) {
        mPrompts->showMessage(message);
        return false;
    }
    setPath(path);
    mIdentity = FileIdentity::of(path);
    // The save put a new file in the old one's place: the lock goes with the new one.
    mLock = FileLock(path);
    addRecent(path);
    return true;
}

void DocumentSession::setPath(const QString& path)
{
    const QString absolute = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (absolute.isEmpty()) {
        mIdentity = FileIdentity();
        mLock = FileLock();
    }
    if (absolute == mPath)
        return;
    mPath = absolute;
    emit titleChanged();
}

void DocumentSession::addRecent(const QString& path)
{
    mRecent.add(path);
    mRecent.save(mProfile);
    emit recentFilesChanged();
}
