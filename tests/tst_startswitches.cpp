// The programs at start, as scripts and careless set-ups meet them: switches that end
// without a window work with a display that is gone, an unknown switch is named, an
// answer that standard output does not take is an error, and a settings file that is a
// FIFO is refused instead of waited on.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestStartSwitches : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void exits_data();
    void exits();

private:
    QTemporaryDir mDir;
};

void TestStartSwitches::initTestCase()
{
    QVERIFY(mDir.isValid());
}

void TestStartSwitches::exits_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    // "-": no DISPLAY; "offscreen": the offscreen platform; else DISPLAY's value
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("fullOutput"); // standard output on /dev/full
    QTest::addColumn<bool>("fifoSettings"); // the user's settings file is a FIFO
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said"); // part of standard error

    const QString app = QStringLiteral(ORINOTE_APP);
    const QString batch = QStringLiteral(ORINOTE_BATCH);
    const QString gone = u":4597"_qs; // no X server answers there
    QTest::newRow("help, display gone")
        << app << QStringList{u"--help"_qs} << gone << false << false << 0 << QString();
    QTest::newRow("version, display gone")
        << app << QStringList{u"--version"_qs} << gone << false << false << 0 << QString();
    QTest::newRow("command, display gone")
        << app << QStringList{u"--command"_qs, u"184"_qs} << gone << false << false << 1
        << u"起動していません"_qs;
    QTest::newRow("print-to, display gone")
        << app << QStringList{u"--print-to"_qs, u"nowhere"_qs} << gone << false << false << 1
        << u"印刷する文書を指定してください"_qs;
    QTest::newRow("unknown switch, no display")
        << app << QStringList{u"--bogus"_qs} << u"-"_qs << false << false << 1 << u"bogus"_qs;
    QTest::newRow("unknown switch, display gone")
        << app << QStringList{u"--bogus"_qs} << gone << false << false << 1 << u"bogus"_qs;
    QTest::newRow("settings FIFO, window")
        << app << QStringList() << u"offscreen"_qs << false << true << 1 << u"ORINOTE.ini"_qs;
    QTest::newRow("settings FIFO, batch")
        << batch << QStringList{u"--json"_qs, u"-"_qs} << u"-"_qs << false << true << 1
        << u"ORINOTE.ini"_qs;
    QTest::newRow("barcode to a full disk")
        << batch
        << QStringList{u"--customer-barcode"_qs, u"100-0013"_qs, u"東京都千代田区霞が関1丁目3番2号"_qs}
        << u"-"_qs << true << false << 1 << u"標準出力"_qs;
    QTest::newRow("postal code to a full disk")
        << batch << QStringList{u"--postal-code"_qs, u"100-0013"_qs} << u"-"_qs << true << false
        << 1 << QString();
    QTest::newRow("JSON to a full disk")
        << batch << QStringList{u"--json"_qs, u"-"_qs} << u"-"_qs << true << false << 1
        << u"標準出力"_qs;
}

void TestStartSwitches::exits()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(bool, fullOutput);
    QFETCH(bool, fifoSettings);
    QFETCH(int, exitCode);
    QFETCH(QString, said);

    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"QT_QPA_PLATFORM"_qs);
    env.remove(u"WAYLAND_DISPLAY"_qs);
    if (display == u"offscreen"_qs)
        env.insert(u"QT_QPA_PLATFORM"_qs, display);
    if (display == u"-"_qs || display == u"offscreen"_qs)
        env.remove(u"DISPLAY"_qs);
    else
        env.insert(u"DISPLAY"_qs, display);
    env.insert(u"XDG_CONFIG_HOME"_qs, config.path());
    env.insert(u"XDG_RUNTIME_DIR"_qs, mDir.path());
    if (fifoSettings) {
        QVERIFY(QDir(config.path()).mkpath(u"ORINOTE"_qs));
        const QString fifo = config.filePath(u"ORINOTE/ORINOTE.ini"_qs);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    }
    QProcess p;
    p.setProcessEnvironment(env);
    if (fullOutput)
        p.setStandardOutputFile(u"/dev/full"_qs);
    p.start(program, arguments);
    // Far above what a start takes: a program that waits on the FIFO fails here.
    const bool finished = p.waitForFinished(60000);
    if (!finished)
        p.kill();
    QVERIFY2(finished, "the program did not end");
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QVERIFY2(p.exitCode() == exitCode, qPrintable(QStringLiteral("exit %1: %2").arg(p.exitCode()).arg(err)));
    QVERIFY2(err.contains(said), qPrintable(err));
}

QTEST_GUILESS_MAIN(TestStartSwitches)
#include "tst_startswitches.moc"
