#include "DocumentSession.h"

#include "prompts/SessionPrompts.h"

#include "addressbook/AddressBookOperations.h"
#include "addressbook/AddressBookRecovery.h"
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
    const QString book = mDoc.addressBookOrigin().fileName();
    if (!book.isEmpty())
        return tr("%1・住所録 %2 - ORINOTE").arg(title(), book);
    return tr("%1 - ORINOTE").arg(title());
}

QString DocumentSession::saveQuestion(int bookChanges) const
{
    const QString question = tr("%1 への変更を保存しますか?").arg(title());
    if (bookChanges == 0)
        return question;
    const QString book = mDoc.addressBookOrigin().fileName();
    if (book.isEmpty())
        return question + QLatin1Char('\n') +
               tr("保存しないと、住所録の変更（%1件）も失われます。").arg(bookChanges);
    if (!mDoc.isModified())
        return tr("住所録 %1 への変更（%2件）を保存しますか?").arg(book).arg(bookChanges);
    return question + QLatin1Char('\n') +
           tr("保存しないと、住所録 %1 の変更（%2件）も失われます。").arg(book).arg(bookChanges);
}

bool DocumentSession::saveModified()
{
    const int bookChanges = mDoc.addressBookOrigin().unsavedChanges(mDoc.addressBook());
    if (!mDoc.isModified() && bookChanges == 0)
        return true;
    const QString question = saveQuestion(bookChanges);
    const SessionPrompts::Answer answer = bookChanges > 0
                                              ? mPrompts->askSaveChangesWithBook(question)
                                              : mPrompts->askSaveChanges(question);
    switch (answer) {
    case SessionPrompts::Answer::Save:
        // The document (which holds the book), then the book's own file when it has one.
        if (mDoc.isModified() || mDoc.addressBookOrigin().path().isEmpty()) {
            const std::function<bool()> saveDocument = [this] { return save(); };
            if (!(runSave ? runSave(saveDocument) : saveDocument()))
                return false;
        }
        return mDoc.addressBookOrigin().path().isEmpty() ||
               mDoc.addressBookOrigin().unsavedChanges(mDoc.addressBook()) == 0 ||
               saveAddressBook();
    case SessionPrompts::Answer::SaveAddressBook:
        return saveAddressBook();
    case SessionPrompts::Answer::Discard:
        // The records go, but a copy stays for 以前の住所録を復元.
        if (const QString failure = AddressBookRecovery::keepUnsaved(mDoc); !failure.isEmpty())
            mPrompts->showMessage(failure);
        return true;
    case SessionPrompts::Answer::Cancel:
        break;
    }
    return false;
}

bool DocumentSession::saveAddressBook()
{
    QString path = mDoc.addressBookOrigin().path();
    if (path.isEmpty()) {
        const QString suggestion =
            (mPath.isEmpty() ? tr("住所録") : QFileInfo(mPath).completeBaseName()) +
            QStringLiteral(".ona");
        path = mPrompts->chooseAddressBookSavePath(suggestion);
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".ona");
    }
    const QString message = AddressBookOperations::saveFile(mDoc, path);
    if (!message.isEmpty()) {
        mPrompts->showMessage(message);
        return false;
    }
    emit titleChanged();
    return true;
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
    // The book came with the document: it belongs to it.
    mDoc.addressBookOrigin().reset(mDoc.addressBook());
    setPath(path);
    mIdentity = FileIdentity::of(path);
    mLock = FileLock(path);
    addRecent(path);
    emit documentReplaced();
    return true;
}

bool DocumentSession::recover(const QString& file, const QString& documentPath,
                              const QString& bookPath)
{
    const QString message = DocumentFile::open(mDoc, file);
    mDoc.clearUndo();
    if (!message.isEmpty()) {
        mDoc.newDocument();
        setPath(QString());
        emit documentReplaced();
        mPrompts->showMessage(message);
        return false;
    }
    mDoc.currentPage = 1;
    AddressBook saved;
    if (!bookPath.isEmpty() && QFileInfo(bookPath).isFile() && saved.loadFile(bookPath).isEmpty())
        mDoc.addressBookOrigin().reset(saved, bookPath);
    else
        mDoc.addressBookOrigin().forget();
    setPath(QFileInfo(documentPath).isFile() ? documentPath : QString());
    mDoc.setModified(true);
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
    // The book was saved with the document, unless it belongs to a file of its own.
    if (mDoc.addressBookOrigin().path().isEmpty())
        mDoc.addressBookOrigin().reset(mDoc.addressBook());
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
