// Two running copies of the program editing one document: the second save does not
// silently discard what the first one saved.

#include "app/DocumentSession.h"
#include "base/FileIdentity.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/MemoryProfile.h"
#include "prompts/SessionPrompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace {

// Answers the question about a file changed on disk as scripted, and counts it.
class ChangedPrompts : public SessionPrompts
{
public:
    ChangedAnswer answer = ChangedAnswer::Cancel;
    QString savePath;
    int asked = 0;
    bool openAnyway = false;
    int askedOpen = 0;

    Answer askSaveChanges(const QString&) override { return Answer::Cancel; }
    QString chooseOpenPath() override { return QString(); }
    QString chooseSavePath(const QString&) override { return savePath; }
    void showMessage(const QString&) override {}
    bool askYesNo(const QString&) override
    {
        ++askedOpen;
        return openAnyway;
    }
    ChangedAnswer askChangedOnDisk(const QString&) override
    {
        ++asked;
        return answer;
    }
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestTwoCopies : public QObject
{
    Q_OBJECT
private slots:
    void secondSaveAsks_data();
    void secondSaveAsks();
    void secondOpenAsks_data();
    void secondOpenAsks();
};

void TestTwoCopies::secondOpenAsks_data()
{
    QTest::addColumn<bool>("firstSavedMeanwhile");
    QTest::addColumn<bool>("openAnyway");
    QTest::newRow("open, declined") << false << false;
    QTest::newRow("open anyway") << false << true;
    QTest::newRow("after the first saved, declined") << true << false;
}

// A copy that has the file open holds its lock (through its saves too): a second copy
// opening the file is asked first, and once the first has let go no question comes. The
// first copy is another process, as it is in use.
void TestTwoCopies::secondOpenAsks()
{
    QFETCH(bool, firstSavedMeanwhile);
    QFETCH(bool, openAnyway);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"card.ond"_qs);
    MemoryProfile profile;
    {
        CORINOTEDoc doc(&profile);
        doc.newDocument();
        QCOMPARE(DocumentFile::save(doc, path), QString());
    }
    int ready[2];
    int done[2];
    QCOMPARE(::pipe(ready), 0);
    QCOMPARE(::pipe(done), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        // The first copy: opens the file (and saves it), says so, waits to be let go.
        ::close(ready[0]);
        ::close(done[1]);
        CORINOTEDoc firstDoc(&profile);
        firstDoc.newDocument();
        ChangedPrompts firstPrompts;
        DocumentSession first(firstDoc, profile, &firstPrompts);
        bool ok = first.openFile(path);
        if (ok && firstSavedMeanwhile) {
            firstDoc.setModified(true);
            ok = first.save();
        }
        const char c = ok ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        char wait;
        (void)!::read(done[0], &wait, 1);
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(done[0]);
    char c = 0;
    QCOMPARE(::read(ready[0], &c, 1), ssize_t(1));
    QCOMPARE(c, 'y');

    CORINOTEDoc secondDoc(&profile);
    secondDoc.newDocument();
    ChangedPrompts secondPrompts;
    secondPrompts.openAnyway = openAnyway;
    DocumentSession second(secondDoc, profile, &secondPrompts);
    const bool opened = second.openFile(path);
    ::close(done[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    QCOMPARE(opened, openAnyway);
    QCOMPARE(secondPrompts.askedOpen, 1);
    QCOMPARE(second.path().isEmpty(), !openAnyway);

    // The first copy has ended: the file opens without a question.
    if (!openAnyway) {
        CORINOTEDoc thirdDoc(&profile);
        ChangedPrompts thirdPrompts;
        DocumentSession third(thirdDoc, profile, &thirdPrompts);
        QVERIFY(third.openFile(path));
        QCOMPARE(thirdPrompts.askedOpen, 0);
    }
}

void TestTwoCopies::secondSaveAsks_data()
{
    QTest::addColumn<QString>("other"); // what the other copy did to the file
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("fileHolds"); // "mine" or "theirs"
    using A = SessionPrompts::ChangedAnswer;
    QTest::newRow("untouched: saved without a question")
        << u"nothing"_qs << int(A::Cancel) << false << u"mine"_qs;
    QTest::newRow("saved by the other copy, overwrite")
        << u"saved"_qs << int(A::Overwrite) << true << u"mine"_qs;
    QTest::newRow("saved by the other copy, save as")
        << u"saved"_qs << int(A::SaveAs) << true << u"theirs"_qs;
    QTest::newRow("saved by the other copy, cancel")
        << u"saved"_qs << int(A::Cancel) << true << u"theirs"_qs;
    // Same size and time put back: only the hash tells.
    QTest::newRow("same size and time, other content")
        << u"same size and time"_qs << int(A::Cancel) << true << u"theirs"_qs;
}

void TestTwoCopies::secondSaveAsks()
{
    QFETCH(QString, other);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(QString, fileHolds);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"card.ond"_qs);
    MemoryProfile profile;
    {
        CORINOTEDoc first(&profile);
        first.newDocument();
        first.scalars().templateName = u"ORIG"_qs;
        QCOMPARE(DocumentFile::save(first, path), QString());
    }

    // This copy opens the file and changes it.
    CORINOTEDoc doc(&profile);
    ChangedPrompts prompts;
    prompts.answer = SessionPrompts::ChangedAnswer(answer);
    prompts.savePath = dir.filePath(u"mine.ond"_qs);
    DocumentSession session(doc, profile, &prompts);
    QVERIFY(session.openFile(path));
    doc.scalars().templateName = u"MINE"_qs;
    doc.setModified(true);

    // The other copy saves the same file meanwhile.
    struct stat before;
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
    if (other != u"nothing"_qs) {
        CORINOTEDoc theirs(&profile);
        QCOMPARE(DocumentFile::open(theirs, path), QString());
        theirs.scalars().templateName = other == u"saved"_qs ? u"THEIRS, LONGER"_qs : u"THEM"_qs;
        QCOMPARE(DocumentFile::save(theirs, path), QString());
        if (other == u"same size and time"_qs) {
            QCOMPARE(QFileInfo(path).size(), qint64(before.st_size));
            utimbuf times{before.st_atime, before.st_mtime};
            QCOMPARE(::utime(QFile::encodeName(path).constData(), &times), 0);
        }
    }
    const QByteArray theirBytes = readAll(path);

    const bool saved = session.save();
    QCOMPARE(prompts.asked, asked ? 1 : 0);
    CORINOTEDoc check(&profile);
    QCOMPARE(DocumentFile::open(check, path), QString());
    if (fileHolds == u"mine"_qs) {
        QVERIFY(saved);
        QCOMPARE(check.scalars().templateName, u"MINE"_qs);
    } else {
        QCOMPARE(readAll(path), theirBytes);
    }
    if (answer == int(SessionPrompts::ChangedAnswer::SaveAs) && asked) {
        QVERIFY(saved);
        QCOMPARE(session.path(), QFileInfo(prompts.savePath).absoluteFilePath());
    }
    if (answer == int(SessionPrompts::ChangedAnswer::Cancel) && asked) {
        QVERIFY(!saved);
        QVERIFY(doc.isModified());
    }
}

QTEST_GUILESS_MAIN(TestTwoCopies)
#include "tst_twocopies.moc"
