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
#include <utime.h>

namespace {

// Answers the question about a file changed on disk as scripted, and counts it.
class ChangedPrompts : public SessionPrompts
{
public:
    ChangedAnswer answer = ChangedAnswer::Cancel;
    QString savePath;
    int asked = 0;

    Answer askSaveChanges(const QString&) override { return Answer::Cancel; }
    QString chooseOpenPath() override { return QString(); }
    QString chooseSavePath(const QString&) override { return savePath; }
    void showMessage(const QString&) override {}
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
};

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
