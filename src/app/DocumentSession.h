#pragma once

#include "RecentFiles.h"
#include "base/FileIdentity.h"
#include "base/FileLock.h"

#include <QObject>
#include <QString>

#include <functional>

class CORINOTEDoc;
class Profile;
class SessionPrompts;

// The document's file life: New, Open, Save, Save As, the recent files, and the
// question "%1 への変更を保存しますか?" before unsaved changes would be lost (new, open,
// quitting, a dropped file). %1 is the document's title: its file name, or "無題" before
// the first save. When the address book holds records saved nowhere, the question says
// how many ("保存しないと、住所録の変更（6件）も失われます。"), names the address book
// file the book belongs to, and may be answered by saving only the address book; a book
// given up unsaved is kept as a recovery copy in the data folder (AddressBookRecovery).
//
// Every step that fails tells the user through the prompts and leaves the document in a
// usable state: a file that cannot be opened at all (moved, not readable) leaves the
// open document as it was, one that breaks off while being read is replaced by a new
// document (never left without sheets), and a failed save keeps the file name and the
// modified flag.
class DocumentSession : public QObject
{
    Q_OBJECT
public:
    // The prompts must outlive the session (or be replaced first). The recent files are
    // read from the profile.
    DocumentSession(CORINOTEDoc& doc, Profile& profile, SessionPrompts* prompts,
                    QObject* parent = nullptr);

    void setPrompts(SessionPrompts* prompts) { mPrompts = prompts; }

    // How the save question's 「はい」 runs the save it is given: the main window builds the
    // pages from the template for it in template mode, as for 上書き保存. Unset: as given.
    std::function<bool(const std::function<bool()>&)> runSave;

    QString path() const { return mPath; }
    // The file name, or "無題".
    QString title() const;
    // The main window's title: "<title> - ORINOTE", "<title>・住所録 <file> - ORINOTE" when
    // the address book belongs to a file of its own.
    QString windowTitle() const;
    const RecentFiles& recentFiles() const { return mRecent; }

    // When the document has unsaved changes, asks whether to save them: Yes saves (and
    // fails like save()), No goes on without saving, Cancel stops. Returns whether the
    // caller may go on.
    bool saveModified();

    // Command 57600: a new document after the save question.
    bool newDocument();
    // Command 57601: asks for a file after the save question and opens it.
    bool open();
    // Opens the given file after the save question (a dropped file, a recent file).
    bool openFile(const QString& path);
    // Opens the file without asking: the document named on the command line.
    bool load(const QString& path);
    // Recent file i (0 = newest). A file that cannot be opened leaves the list.
    bool openRecent(int i);
    // Command 57603: saves under the current name; before the first save as Save As.
    bool save();
    // Command 57604: asks for a name (".ond" added when none is given) and saves.
    bool saveAs();
    // Saves the address book to the file it belongs to, or under a name asked for (".ona"
    // added when none is given); the book then belongs to that file.
    bool saveAddressBook();
    // Opens an automatic save of a run that ended without finishing: the document is
    // modified and named as its file `documentPath` (無題 when empty or gone); the address
    // book belongs to `bookPath` (as that file now holds it) or, without one, to the
    // document with every record unsaved. A file that cannot be read is said, and a new
    // document follows.
    bool recover(const QString& file, const QString& documentPath, const QString& bookPath);

signals:
    // The document was replaced by a new or an opened one.
    void documentReplaced();
    // The file name (and so the title) changed.
    void titleChanged();
    void recentFilesChanged();

private:
    QString saveQuestion(int bookChanges) const;
    bool saveTo(const QString& path);
    void setPath(const QString& path);
    void addRecent(const QString& path);

    CORINOTEDoc& mDoc;
    Profile& mProfile;
    SessionPrompts* mPrompts;
    RecentFiles mRecent;
    QString mPath;
    // The file as it was opened or last saved here; null for a new document.
    FileIdentity mIdentity;
    // Held while the file is open here, for a second copy that opens it.
    FileLock mLock;
};
