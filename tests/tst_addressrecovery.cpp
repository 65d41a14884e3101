// Nothing typed into the address book is lost on the way: the count of unsaved records,
// the save question that names them and their file, the copies kept of every book given
// up, and the automatic save offered back after a run that did not end.

#include "address/AddressBook.h"
#include "address/AddressBookOrigin.h"
#include "address/CAddressData.h"
#include "addressbook/AddressBookOperations.h"
#include "addressbook/AddressBookRecovery.h"
#include "app/AutoSave.h"
#include "app/DocumentSession.h"
#include "prompts/SessionPrompts.h"
#include "support/MemoryDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using C = CAddressData;
using Answer = SessionPrompts::Answer;

namespace {

class ScriptedPrompts : public SessionPrompts
{
public:
    Answer answer = Answer::Cancel;
    QString savePath;
    QString bookPath;
    QStringList questions;
    QStringList bookQuestions;
    QStringList messages;

    Answer askSaveChanges(const QString& question) override
    {
        questions.append(question);
        return answer;
    }
    Answer askSaveChangesWithBook(const QString& question) override
    {
        bookQuestions.append(question);
        return answer;
    }
    QString chooseOpenPath() override { return QString(); }
    QString chooseSavePath(const QString&) override { return savePath; }
    QString chooseAddressBookSavePath(const QString&) override { return bookPath; }
    void showMessage(const QString& text) override { messages.append(text); }
};

struct Fixture : MemoryDocument
{
    ScriptedPrompts prompts;
    std::unique_ptr<DocumentSession> session =
        std::make_unique<DocumentSession>(*doc, profile, &prompts);

    QString path(const QString& name) const { return dir.filePath(name); }
    // Types a friend into the group as the address book window does.
    void addFriend(int group, const QString& name)
    {
        QStringList values = AddressBookOperations::newRecordValues(doc->addressBook(), group);
        values[C::Name] = name;
        AddressBookOperations::addRecord(*doc, group, values);
    }
};

} // namespace

class TestAddressRecovery : public QObject
{
    Q_OBJECT
private slots:
    void changedRecords_data();
    void changedRecords();
    void saveQuestion_data();
    void saveQuestion();
    void bookFileIsNamedAndSaved();
    void copiesKeepTheLastTen();
    void restoringKeepsTheReplacedBook();
    void autoSaveWritesOnlyUnsavedWork();
    void leftoverIsOfferedBack();
};

void TestAddressRecovery::changedRecords_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<int>("changed");
    QTest::newRow("nothing") << u""_qs << 0;
    QTest::newRow("one added") << u"add"_qs << 1;
    QTest::newRow("a name changed") << u"rename"_qs << 1;
    QTest::newRow("reserved") << u"reserve"_qs << 1;
    QTest::newRow("a history row") << u"history"_qs << 1;
    QTest::newRow("one removed") << u"remove"_qs << 1;
    QTest::newRow("changed and changed back") << u"back"_qs << 0;
    QTest::newRow("sender added") << u"sender"_qs << 1;
    QTest::newRow("all cleared") << u"clear"_qs << 3;
}

void TestAddressRecovery::changedRecords()
{
    QFETCH(QString, edit);
    QFETCH(int, changed);
    AddressBook before;
    for (const QString& entry : {u"A-1"_qs, u"A-2"_qs}) {
        QStringList values(C::TextColumnCount);
        values[C::EntryNumber] = entry;
        values[C::Name] = u"青木"_qs + entry;
        before.group(0).appendRecord(values);
    }
    before.group(1).appendRecord({u"KA-1"_qs, u"100-0001"_qs});
    AddressBook after = before;
    if (edit == u"add")
        after.group(2).appendRecord({u"SA-1"_qs});
    else if (edit == u"rename")
        after.group(0).setField(1, C::Name, u"秋山"_qs);
    else if (edit == u"reserve")
        after.group(1).setFlag(0, 1);
    else if (edit == u"history")
        after.group(0).appendHistory(u"A-2"_qs, u"送信-年賀状"_qs, u"2026/01/01"_qs, QString());
    else if (edit == u"remove")
        after.group(0).removeRecord(0);
    else if (edit == u"back") {
        after.group(0).setField(0, C::Name, u"秋山"_qs);
        after.group(0).setField(0, C::Name, before.group(0).field(0, C::Name));
    } else if (edit == u"sender")
        after.group(AddressBook::SenderGroup).appendRecord({u"SENDER-1"_qs});
    else if (edit == u"clear")
        after.clear();
    QCOMPARE(AddressBookOrigin::changedRecords(before, after), changed);
}

void TestAddressRecovery::saveQuestion_data()
{
    QTest::addColumn<int>("friends");
    QTest::addColumn<bool>("bookFile");
    QTest::addColumn<bool>("documentChanged");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("proceeds");
    QTest::addColumn<int>("copies");

    const QString plain = u"無題 への変更を保存しますか?"_qs;
    const QString six = plain + u"\n保存しないと、住所録の変更（6件）も失われます。"_qs;
    QTest::newRow("layout only: the plain question")
        << 0 << false << true << Answer::Discard << plain << true << 0;
    QTest::newRow("six typed, discarded: a copy kept")
        << 6 << false << true << Answer::Discard << six << true << 1;
    QTest::newRow("six typed, cancelled") << 6 << false << true << Answer::Cancel << six << false << 0;
    QTest::newRow("six typed, book saved alone")
        << 6 << false << true << Answer::SaveAddressBook << six << true << 0;
    QTest::newRow("book file, layout changed too")
        << 2 << true << true << Answer::Discard
        << plain + u"\n保存しないと、住所録 friends.ona の変更（2件）も失われます。"_qs << true << 1;
    QTest::newRow("book file, document saved")
        << 2 << true << false << Answer::Save
        << u"住所録 friends.ona への変更（2件）を保存しますか?"_qs << true << 0;
}

void TestAddressRecovery::saveQuestion()
{
    QFETCH(int, friends);
    QFETCH(bool, bookFile);
    QFETCH(bool, documentChanged);
    QFETCH(Answer, answer);
    QFETCH(QString, question);
    QFETCH(bool, proceeds);
    QFETCH(int, copies);

    Fixture f;
    const QString book = f.path(u"friends.ona"_qs);
    if (bookFile) {
        QVERIFY(f.doc->addressBook().storeFile(book).isEmpty());
        bool changed = false;
        QVERIFY(AddressBookOperations::loadFile(*f.doc, book, &changed).isEmpty());
    }
    for (int i = 0; i < friends; ++i)
        f.addFriend(i % 3, u"友人%1"_qs.arg(i));
    f.doc->setModified(documentChanged);
    f.prompts.answer = answer;
    f.prompts.bookPath = f.path(u"saved"_qs);

    QCOMPARE(f.session->newDocument(), proceeds);
    const QStringList asked = friends > 0 ? f.prompts.bookQuestions : f.prompts.questions;
    QCOMPARE(asked, QStringList{question});
    QCOMPARE(AddressBookRecovery::copies(f.doc->dataFolder).size(), copies);
    if (copies > 0)
        QCOMPARE(AddressBookRecovery::copies(f.doc->dataFolder).first().records, friends);
    if (answer == Answer::SaveAddressBook || answer == Answer::Save) {
        // The records are in the book's file, whichever it was.
        AddressBook saved;
        QVERIFY(saved.loadFile(bookFile ? book : f.path(u"saved.ona"_qs)).isEmpty());
        QCOMPARE(AddressBookOrigin::recordCount(saved), friends);
    }
    if (!proceeds)
        QCOMPARE(AddressBookOrigin::recordCount(f.doc->addressBook()), friends);
}

void TestAddressRecovery::bookFileIsNamedAndSaved()
{
    Fixture f;
    f.addFriend(0, u"青木"_qs);
    QVERIFY(f.session->windowTitle() == u"無題 - ORINOTE"_qs);
    // Saved as a file of its own, the book belongs to it.
    const QString book = f.path(u"family.ona"_qs);
    QVERIFY(AddressBookOperations::saveFile(*f.doc, book).isEmpty());
    QCOMPARE(f.doc->addressBookOrigin().path(), book);
    QCOMPARE(f.session->windowTitle(), u"無題・住所録 family.ona - ORINOTE"_qs);
    QCOMPARE(f.doc->addressBookOrigin().unsavedChanges(f.doc->addressBook()), 0);
    // Saving the document leaves the book's own file as the place of its records.
    f.addFriend(1, u"加藤"_qs);
    f.prompts.savePath = f.path(u"cards.ond"_qs);
    QVERIFY(f.session->save());
    QCOMPARE(f.doc->addressBookOrigin().unsavedChanges(f.doc->addressBook()), 1);
    // Quitting with Save writes the book to its file as well.
    f.prompts.answer = Answer::Save;
    QVERIFY(f.session->saveModified());
    AddressBook saved;
    QVERIFY(saved.loadFile(book).isEmpty());
    QCOMPARE(AddressBookOrigin::recordCount(saved), 2);
    // A book read whole from a file belongs to it; a broken one belongs nowhere.
    QFile broken(f.path(u"broken.ona"_qs));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("\x05\x00\x01", 3);
    broken.close();
    bool changed = false;
    QVERIFY(!AddressBookOperations::loadFile(*f.doc, broken.fileName(), &changed).isEmpty());
    QVERIFY(changed);
    QCOMPARE(f.doc->addressBookOrigin().path(), QString());
}

void TestAddressRecovery::copiesKeepTheLastTen()
{
    QTemporaryDir dir;
    AddressBook book;
    const QDateTime start(QDate(2026, 12, 9), QTime(14, 5));
    for (int i = 0; i < 12; ++i) {
        book.group(0).appendRecord({u"A-%1"_qs.arg(i + 1)});
        QCOMPARE(AddressBookRecovery::keep(dir.path(), book, start.addSecs(60 * i)), QString());
    }
    // Two in the same millisecond are both kept, the later one first.
    book.group(0).removeRecord(0);
    QCOMPARE(AddressBookRecovery::keep(dir.path(), book, start.addSecs(60 * 11)), QString());
    const QList<AddressBookRecovery::Copy> copies = AddressBookRecovery::copies(dir.path());
    QCOMPARE(copies.size(), AddressBookRecovery::KeptCopies);
    QCOMPARE(AddressBookRecovery::label(copies.first()), u"2026/12/09 14:16　11件"_qs);
    QCOMPARE(copies.at(1).records, 12);
    QCOMPARE(copies.last().records, 4);
    // Each copy is an address book file.
    AddressBook read;
    QVERIFY(read.loadFile(copies.at(2).path).isEmpty());
    // (the third newest: taken at 14:15 with eleven records)
    QCOMPARE(read.group(0).recordCount(), 11);
    // Without a data folder nothing is kept, and nothing fails.
    QCOMPARE(AddressBookRecovery::keep(QString(), book, start), QString());
}

void TestAddressRecovery::restoringKeepsTheReplacedBook()
{
    Fixture f;
    for (int i = 0; i < 6; ++i)
        f.addFriend(0, u"友人%1"_qs.arg(i));
    f.prompts.answer = Answer::Discard;
    QVERIFY(f.session->newDocument());
    QCOMPARE(AddressBookOrigin::recordCount(f.doc->addressBook()), 0);
    f.addFriend(3, u"田中"_qs);

    const QList<AddressBookRecovery::Copy> copies = AddressBookRecovery::copies(f.doc->dataFolder);
    QCOMPARE(copies.size(), 1);
    QCOMPARE(AddressBookRecovery::restore(*f.doc, copies.first()), QString());
    QCOMPARE(f.doc->addressBook().group(0).recordCount(), 6);
    QCOMPARE(f.doc->addressBook().group(0).field(5, C::Name), u"友人5"_qs);
    // The restored records are saved nowhere yet, and the replaced one became a copy.
    QCOMPARE(f.doc->addressBookOrigin().unsavedChanges(f.doc->addressBook()), 6);
    QCOMPARE(f.doc->addressBookOrigin().path(), QString());
    QVERIFY(f.doc->isModified());
    QCOMPARE(AddressBookRecovery::copies(f.doc->dataFolder).size(), 2);
    QCOMPARE(AddressBookRecovery::copies(f.doc->dataFolder).first().records, 1);
}

void TestAddressRecovery::autoSaveWritesOnlyUnsavedWork()
{
    Fixture f;
    AutoSave autoSave(*f.doc, *f.session, 0);
    QCOMPARE(autoSave.saveNow(), QString());
    QVERIFY(!QFile::exists(autoSave.filePath()));
    f.addFriend(0, u"青木"_qs);
    QCOMPARE(autoSave.saveNow(), QString());
    QVERIFY(QFile::exists(autoSave.filePath()));
    // The user's document is not saved by it; this run's own file is no leftover.
    QVERIFY(f.doc->isModified());
    QVERIFY(AutoSave::leftovers(f.doc->dataFolder).isEmpty());
    // Saved by the user: nothing left to recover.
    f.prompts.savePath = f.path(u"mine.ond"_qs);
    QVERIFY(f.session->save());
    QCOMPARE(autoSave.saveNow(), QString());
    QVERIFY(!QFile::exists(autoSave.filePath()));
    f.addFriend(0, u"秋山"_qs);
    QCOMPARE(autoSave.saveNow(), QString());
    autoSave.finish();
    QVERIFY(!QFile::exists(autoSave.filePath()));
}

void TestAddressRecovery::leftoverIsOfferedBack()
{
    Fixture f;
    const QString book = f.path(u"friends.ona"_qs);
    QVERIFY(f.doc->addressBook().storeFile(book).isEmpty());
    bool changed = false;
    QVERIFY(AddressBookOperations::loadFile(*f.doc, book, &changed).isEmpty());
    for (int i = 0; i < 5; ++i)
        f.addFriend(i, u"友人%1"_qs.arg(i));
    {
        AutoSave autoSave(*f.doc, *f.session, 0);
        QCOMPARE(autoSave.saveNow(), QString());
        // As if the run had been killed: its files stay under a process that is gone.
        const QString dead = QFileInfo(autoSave.filePath()).dir().filePath(u"autosave-2147483000"_qs);
        QVERIFY(QFile::rename(autoSave.filePath(), dead + u".ond"_qs));
        QString note = autoSave.filePath();
        note.chop(4);
        QVERIFY(QFile::rename(note + u".txt"_qs, dead + u".txt"_qs));
    }
    f.doc->newDocument();
    const QList<AutoSave::Leftover> leftovers = AutoSave::leftovers(f.doc->dataFolder);
    QCOMPARE(leftovers.size(), 1);
    QCOMPARE(leftovers.first().bookPath, book);
    QVERIFY(AutoSave::question(leftovers.first()).contains(u"住所録 friends.ona の変更も含まれます。"_qs));

    QVERIFY(AutoSave::restore(*f.session, leftovers.first()));
    QCOMPARE(AddressBookOrigin::recordCount(f.doc->addressBook()), 5);
    QVERIFY(f.doc->isModified());
    QCOMPARE(f.session->title(), u"無題"_qs);
    QCOMPARE(f.doc->addressBookOrigin().path(), book);
    QCOMPARE(f.doc->addressBookOrigin().unsavedChanges(f.doc->addressBook()), 5);
    QVERIFY(AutoSave::leftovers(f.doc->dataFolder).isEmpty());

    // A leftover given up leaves its book among the copies.
    const QString again = AddressBookRecovery::folder(f.doc->dataFolder) + u"/autosave-2147483001.ond"_qs;
    {
        AutoSave autoSave(*f.doc, *f.session, 0);
        QCOMPARE(autoSave.saveNow(), QString());
        QVERIFY(QFile::rename(autoSave.filePath(), again));
    }
    AutoSave::discard(AutoSave::leftovers(f.doc->dataFolder).first(), f.doc->dataFolder);
    QVERIFY(!QFile::exists(again));
    QCOMPARE(AddressBookRecovery::copies(f.doc->dataFolder).first().records, 5);
}

QTEST_MAIN(TestAddressRecovery)
#include "tst_addressrecovery.moc"
