#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class CORINOTEDoc;
class DocumentSession;

// The automatic save of the open document and its address book, as a recovery file in the
// folder "recovery" of the data folder (never the user's own files): every few minutes
// ("ASM" of the settings, 3 by default, 0 for never) while anything is unsaved. A run
// that ends normally removes its file; one that did not (a crash, the session killed)
// leaves it, and the next start offers it back.
//
// Each running copy writes its own file, "autosave-<process id>.ond", with a note of the
// document's and the address book's file names beside it; a file whose process is gone
// is a leftover.
class AutoSave : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultMinutes = 3;

    struct Leftover
    {
        QString path;         // the recovery file (.ond)
        QDateTime time;       // when it was written
        QString documentPath; // the document's file then, empty for 無題
        QString bookPath;     // the address book's own file then, or empty
    };

    // Saves every `minutes` minutes (none for 0); the document and the session must
    // outlive the object.
    AutoSave(CORINOTEDoc& doc, DocumentSession& session, int minutes, QObject* parent = nullptr);
    ~AutoSave() override;

    // The minutes of the settings, brought into 0 … 60.
    static int minutesFromSettings(const CORINOTEDoc& doc);

    // Writes the recovery file now when the document or its address book holds anything
    // unsaved, and removes it when not. Returns an empty string or the failure.
    QString saveNow();
    // Removes this run's recovery file: the program ends normally.
    void finish();
    QString filePath() const;

    // The leftovers of runs that ended without finishing, newest first.
    static QList<Leftover> leftovers(const QString& dataFolder);
    // The question offering a leftover back.
    static QString question(const Leftover& leftover);
    // Opens the leftover as the document: modified, under the name its document had, the
    // address book belonging to the file it belonged to; the leftover's files are
    // removed. Returns whether it could be read.
    static bool restore(DocumentSession& session, const Leftover& leftover);
    // Gives the leftover up: its address book goes among the copies of 以前の住所録を復元
    // (when it has records) and its files are removed.
    static void discard(const Leftover& leftover, const QString& dataFolder);

private:
    static QString notePath(const QString& recoveryFile);
    void removeFiles();

    CORINOTEDoc& mDoc;
    DocumentSession& mSession;
    QTimer mTimer;
};
