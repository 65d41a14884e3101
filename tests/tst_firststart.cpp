// The first start offers what to print, with pictures of the bundled templates, and the
// choice becomes the template of every new document; the desktop hands every file type of
// the program to it.

#include "app/FirstStart.h"
#include "app/ui/AppCommands.h"
#include "app/ui/CFirstStartDialog.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class TestFirstStart : public QObject
{
    Q_OBJECT
private slots:
    void offeredOnce_data();
    void offeredOnce();
    void choiceBecomesTheNewDocument();
    void desktopEntryTakesEveryFileType();
    void aboutNamesLicenceAndSite();
};

void TestFirstStart::offeredOnce_data()
{
    QTest::addColumn<QString>("defaultTemplate");
    QTest::addColumn<int>("offered");
    QTest::addColumn<bool>("due");
    QTest::newRow("no settings yet") << QString() << 0 << true;
    QTest::newRow("a default template already") << u"/t/封筒.ont"_qs << 0 << false;
    QTest::newRow("asked before, the blank page kept") << QString() << 1 << false;
}

void TestFirstStart::offeredOnce()
{
    QFETCH(QString, defaultTemplate);
    QFETCH(int, offered);
    QFETCH(bool, due);
    MemoryProfile profile;
    if (!defaultTemplate.isEmpty())
        profile.writeString(u"STF"_qs, defaultTemplate);
    if (offered)
        profile.writeInt(u"FSO"_qs, offered);
    QCOMPARE(FirstStart::isDue(profile), due);
    // Answered with the blank page, it is not asked again.
    FirstStart::answer(profile, QString());
    QVERIFY(!FirstStart::isDue(profile));
    QCOMPARE(profile.readString(u"STF"_qs, QString()), defaultTemplate);
}

void TestFirstStart::choiceBecomesTheNewDocument()
{
    CFirstStartDialog dialog;
    // Every choice is in the catalogue and shows its picture: a white paper in the grey.
    QCOMPARE(dialog.choiceButtons().size(), FirstStart::choices().size());
    for (QToolButton* button : dialog.choiceButtons()) {
        const QImage picture = button->icon().pixmap(button->iconSize()).toImage();
        int white = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                white += picture.pixelColor(x, y) == QColor(Qt::white) ? 1 : 0;
        QVERIFY2(white > picture.width() * picture.height() / 10, qPrintable(button->text()));
        QVERIFY(button->text().contains(QLatin1Char('&')));
    }
    dialog.choiceButtons().first()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(QFileInfo(dialog.chosenTemplate()).fileName(), u"はがき宛名（縦書き）.ont"_qs);

    QTemporaryDir dir;
    MemoryProfile profile;
    FirstStart::answer(profile, dialog.chosenTemplate());
    CORINOTEDoc doc(&profile);
    doc.dataFolder = dir.path();
    QCOMPARE(doc.newDocument(), QString());
    QCOMPARE(doc.scalars().templateName, u"はがき宛名（縦書き）"_qs);
    QVERIFY(doc.regionsPerSheet() > 0);
}

void TestFirstStart::desktopEntryTakesEveryFileType()
{
    const QString resources = QStringLiteral(ORINOTE_SOURCE_DIR "/src/app/resources/");
    QFile mime(resources + u"orinote-mime.xml"_qs);
    QVERIFY(mime.open(QIODevice::ReadOnly));
    const QString types = QString::fromUtf8(mime.readAll());
    QFile desktop(resources + u"orinote.desktop"_qs);
    QVERIFY(desktop.open(QIODevice::ReadOnly));
    QString listed;
    for (const QString& line : QString::fromUtf8(desktop.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(u"MimeType="_qs))
            listed = line.mid(9);
    }
    const QRegularExpression declared(u"<mime-type type=\"([^\"]+)\""_qs);
    int count = 0;
    for (auto it = declared.globalMatch(types); it.hasNext(); ++count) {
        const QString type = it.next().captured(1);
        QVERIFY2(listed.split(QLatin1Char(';')).contains(type), qPrintable(type));
    }
    QCOMPARE(count, 3);
}

void TestFirstStart::aboutNamesLicenceAndSite()
{
    const QString text = AppCommands::aboutText();
    QVERIFY(text.contains(u"MIT ライセンス"_qs));
    QVERIFY(text.contains(u"https://orinote.github.io/"_qs));
}

QTEST_MAIN(TestFirstStart)
#include "tst_firststart.moc"
