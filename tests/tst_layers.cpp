// The ladder of source folders: the real tree stands on the floors README.md names (and
// the folder graph is printed), small planted trees show that every kind of fault is found
// and named, and an upward include planted in a copy of the real tree fails the check.

#include "LayerCheck.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSource = QStringLiteral(ORINOTE_SOURCE_DIR);

QString readText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void writeText(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

const QString kLadder = QStringLiteral("# X\n## Layout of the source\n\n"
                                       "1. `low`: the ground (`not` a folder)\n"
                                       "2. `high`, `side`,\n   `high/ui`: above it\n"
                                       "## Next\n3. `ignored`: outside the section\n");

} // namespace

class TestLayers : public QObject
{
    Q_OBJECT

private slots:
    void readsTheLadder();
    void realTree();
    void plantedTrees_data();
    void plantedTrees();
    void plantedInTheRealTree();
};

void TestLayers::readsTheLadder()
{
    QString error;
    const QMap<QString, int> floors = LayerCheck::readLadder(kLadder, &error);
    QVERIFY(error.isEmpty());
    const QMap<QString, int> expected{{QStringLiteral("low"), 1},
                                      {QStringLiteral("high"), 2},
                                      {QStringLiteral("side"), 2},
                                      {QStringLiteral("high/ui"), 2}};
    QCOMPARE(floors, expected);
    QVERIFY(LayerCheck::readLadder(QStringLiteral("# no section\n"), &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

void TestLayers::realTree()
{
    QString error;
    const QMap<QString, int> floors =
        LayerCheck::readLadder(readText(kSource + QStringLiteral("/README.md")), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    LayerCheck check(kSource + QStringLiteral("/src"), floors);
    check.run();
    qInfo().noquote() << "\nThe folder graph (floor, folder -> the folders it includes):\n"
                      << check.graph();
    QVERIFY2(check.problems().isEmpty(), qPrintable(check.report()));
}

void TestLayers::plantedTrees_data()
{
    QTest::addColumn<QStringList>("files");    // path, content, path, content, …
    QTest::addColumn<QStringList>("expected"); // "file|include" of each problem, in order

    const QString lowH = QStringLiteral("#pragma once\n");
    QTest::newRow("down and sideways, one way")
        << QStringList{QStringLiteral("low/A.h"),
                       lowH,
                       QStringLiteral("low/A.cpp"),
                       QStringLiteral("#include \"A.h\"\n#include <QString>\n"),
                       QStringLiteral("high/B.cpp"),
                       QStringLiteral("#include \"low/A.h\"\n#include \"side/C.h\"\n"),
                       QStringLiteral("side/C.h"),
                       QStringLiteral("#include \"low/A.h\"\n#include \"qt.h\"\n")}
        << QStringList();
    QTest::newRow("up from the ground")
        << QStringList{QStringLiteral("low/A.cpp"),
                       QStringLiteral("// x\n  #  include \"high/B.h\"\n"),
                       QStringLiteral("high/B.h"), lowH}
        << QStringList{QStringLiteral("low/A.cpp|high/B.h")};
    QTest::newRow("up through a relative path")
        << QStringList{QStringLiteral("low/A.cpp"), QStringLiteral("#include \"../high/ui/W.h\"\n"),
                       QStringLiteral("high/ui/W.h"), lowH}
        << QStringList{QStringLiteral("low/A.cpp|../high/ui/W.h")};
    QTest::newRow("two folders on one floor include each other")
        << QStringList{QStringLiteral("high/B.h"),   QStringLiteral("#include \"side/C.h\"\n"),
                       QStringLiteral("side/C.h"),   QStringLiteral("#pragma once\n"),
                       QStringLiteral("side/C.cpp"), QStringLiteral("#include \"high/B.h\"\n")}
        << QStringList{QStringLiteral("high/B.h|side/C.h"), QStringLiteral("side/C.cpp|high/B.h")};
    QTest::newRow("a circle of three")
        << QStringList{QStringLiteral("high/B.h"),    QStringLiteral("#include \"side/C.h\"\n"),
                       QStringLiteral("side/C.h"),    QStringLiteral("#include \"high/ui/W.h\"\n"),
                       QStringLiteral("high/ui/W.h"), QStringLiteral("#include \"high/B.h\"\n")}
        << QStringList{QStringLiteral("high/B.h|side/C.h"), QStringLiteral("high/ui/W.h|high/B.h"),
                       QStringLiteral("side/C.h|high/ui/W.h")};
    QTest::newRow("a folder on no floor")
        << QStringList{QStringLiteral("extra/D.cpp"), QStringLiteral("#include \"low/A.h\"\n"),
                       QStringLiteral("low/A.h"), lowH}
        << QStringList{QStringLiteral("extra/D.cpp|")};
}

void TestLayers::plantedTrees()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    for (qsizetype i = 0; i + 1 < files.size(); i += 2)
        writeText(dir.filePath(files[i]), files[i + 1]);
    QString error;
    LayerCheck check(dir.path(), LayerCheck::readLadder(kLadder, &error));
    check.run();
    QStringList found;
    for (const LayerCheck::Problem& p : check.problems())
        found.append(p.file + u'|' + p.include);
    found.sort();
    QCOMPARE(found, expected);
}

void TestLayers::plantedInTheRealTree()
{
    QTemporaryDir dir;
    const QDir src(kSource + QStringLiteral("/src"));
    for (QDirIterator it(src.path(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        writeText(dir.filePath(src.relativeFilePath(path)), readText(path));
    }
    const QString codec = dir.filePath(QStringLiteral("base/TextCodec.cpp"));
    QVERIFY(QFile::exists(codec));
    writeText(codec, readText(codec) + QStringLiteral("#include \"app/ui/CMainFrame.h\"\n"));
    QString error;
    LayerCheck check(dir.path(), LayerCheck::readLadder(
                                     readText(kSource + QStringLiteral("/README.md")), &error));
    check.run();
    QCOMPARE(check.problems().size(), 1);
    QCOMPARE(check.problems()[0].file, QStringLiteral("base/TextCodec.cpp"));
    QCOMPARE(check.problems()[0].include, QStringLiteral("app/ui/CMainFrame.h"));
    QVERIFY(check.report().contains(QLatin1String("points up")));
}

QTEST_GUILESS_MAIN(TestLayers)
#include "tst_layers.moc"
