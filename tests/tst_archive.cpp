#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

#include <QBuffer>
#include <QTest>

#include <functional>

namespace {

QByteArray written(const std::function<void(ArchiveWriter&)>& write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter w(&buffer);
    write(w);
    if (!w.finish())
        qFatal("write failed");
    return bytes;
}

QByteArray repeat(char c, int n) { return QByteArray(n, c); }

} // namespace

class TestArchive : public QObject
{
    Q_OBJECT
private slots:
    void stringForms_data();
    void stringForms();
    void countForms_data();
    void countForms();
    void fixedSizePrimitives();
    void readsWideForm();
    void everyCharacterReadsBack();
    void filesOfOthersKeepTheirBytes_data();
    void filesOfOthersKeepTheirBytes();
    void truncationAtEveryByte();
    void hostileCountsFailFast_data();
    void hostileCountsFailFast();
    void sequentialDeviceNeverOverAllocates();
};

void TestArchive::stringForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QString() << QByteArray(1, '\0');
    QTest::newRow("short") << u"A4無地"_qs << QByteArray("\x06" "A4\x96\xB3\x92\x6E");
    QTest::newRow("254 bytes") << QString(254, u'x') << QByteArray("\xFE") + repeat('x', 254);
    QTest::newRow("255 bytes") << QString(255, u'x')
                               << QByteArray("\xFF\xFF\x00", 3) + repeat('x', 255);
    QTest::newRow("65533 bytes") << QString(0xFFFD, u'x')
                                 << QByteArray("\xFF\xFD\xFF", 3) + repeat('x', 0xFFFD);
    QTest::newRow("65534 bytes takes the long form")
        << QString(0xFFFE, u'x') << QByteArray("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7) + repeat('x', 0xFFFE);
    QTest::newRow("kanji counted in bytes")
        << QString(200, u'山') << QByteArray("\xFF\x90\x01", 3) + QByteArray("\x8E\x52").repeated(200);
    // A name CP932 cannot hold is written in the wide form instead of being lost.
    QTest::newRow("wide form") << u"𠮷田"_qs
                               << QByteArray("\xFF\xFE\xFF\x03\x42\xD8\xB7\xDF\x30\x75", 10);
    // ¥ has a CP932 byte, 0x5C, but that byte reads as '\': the wide form keeps the ¥.
    QTest::newRow("one-way character")
        << u"¥1"_qs << QByteArray("\xFF\xFE\xFF\x02\xA5\x00\x31\x00", 8);
}

void TestArchive::stringForms()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    const QByteArray out = written([&](ArchiveWriter& w) { w.writeString(text); });
    QCOMPARE(out.toHex(' ').left(60), bytes.toHex(' ').left(60));
    QCOMPARE(out, bytes);

    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ArchiveReader r(&in);
    QCOMPARE(r.readString(), text);
    QVERIFY(r.ok());
    QVERIFY(r.atEnd());
}

void TestArchive::countForms_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("prefix");

    QTest::newRow("0") << 0 << QByteArray("\x00\x00", 2);
    QTest::newRow("3") << 3 << QByteArray("\x03\x00", 2);
    QTest::newRow("65534") << 65534 << QByteArray("\xFE\xFF", 2);
    QTest::newRow("65535") << 65535 << QByteArray("\xFF\xFF\xFF\xFF\x00\x00", 6);
    QTest::newRow("70000") << 70000 << QByteArray("\xFF\xFF\x70\x11\x01\x00", 6);
}

void TestArchive::countForms()
{
    QFETCH(int, count);
    QFETCH(QByteArray, prefix);

    QList<qint32> values(count);
    for (int i = 0; i < count; ++i)
        values[i] = i * 7 - 3;
    QByteArray out = written([&](ArchiveWriter& w) { w.writeIntArray(values); });
    QCOMPARE(out.left(prefix.size()), prefix);
    QCOMPARE(out.size(), prefix.size() + 4 * count);

    QBuffer in(&out);
    in.open(QIODevice::ReadOnly);
    ArchiveReader r(&in);
    QCOMPARE(r.readIntArray(), values);
    QVERIFY(r.ok());
}

void TestArchive::fixedSizePrimitives()
{
    FontRecord font = FontRecord::make(u"@ＭＳ 明朝"_qs, -150, 900);
    font.weight = 700;
    const QList<Rect> rects = {Rect{300, -200, 800, -300}};
    QByteArray out = written([&](ArchiveWriter& w) {
        w.writeIntArray({1, 2, 3});
        w.writeRectArray(rects);
        w.writePointArray({Point{-5, 7}});
        w.writeFont(font);
        w.writeWord(0xBEEF);
    });
    QCOMPARE(out.size(), (2 + 12) + (2 + 16) + (2 + 8) + 60 + 2);
    QCOMPARE(out.mid(14, 6), QByteArray("\x01\x00\x2C\x01\x00\x00", 6));
    // Font record: five ints, eight bytes, 32-byte face.
    const QByteArray f = out.mid(14 + 18 + 10, 60);
    QCOMPARE(f.left(4), QByteArray("\x6A\xFF\xFF\xFF", 4));
    QCOMPARE(f.mid(8, 4), QByteArray("\x84\x03\x00\x00", 4));
    QCOMPARE(f.mid(16, 4), QByteArray("\xBC\x02\x00\x00", 4));
    QCOMPARE(f.mid(20, 8), QByteArray("\x00\x00\x00\x80\x00\x00\x00\x20", 8));
    QCOMPARE(f.mid(28, 11), QByteArray("@\x82\x6C\x82\x72 \x96\xBE\x92\xA9", 11));
    QCOMPARE(f.right(21), QByteArray(21, '\0'));

    QBuffer in(&out);
    in.open(QIODevice::ReadOnly);
    ArchiveReader r(&in);
    QCOMPARE(r.readIntArray(), QList<qint32>({1, 2, 3}));
    QCOMPARE(r.readRectArray(), rects);
    QCOMPARE(r.readPointArray(), QList<Point>({Point{-5, 7}}));
    const FontRecord back = r.readFont();
    QVERIFY(back == font);
    QCOMPARE(back.faceName(), u"@ＭＳ 明朝"_qs);
    QVERIFY(back.isVertical());
    QCOMPARE(r.readWord(), quint16(0xBEEF));
    QVERIFY(r.ok() && r.atEnd());
}

void TestArchive::readsWideForm()
{
    // The long length forms inside the wide marker are read too.
    QByteArray bytes("\xFF\xFE\xFF\xFF\x00\x01", 6);
    for (int i = 0; i < 256; ++i)
        bytes.append("\x71\x5C", 2); // 山 in UTF-16LE
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ArchiveReader r(&in);
    QCOMPARE(r.readString(), QString(256, u'山'));
    QVERIFY(r.ok() && r.atEnd());
}

// Whatever one character is, between two others, it reads back as written.
void TestArchive::everyCharacterReadsBack()
{
    QStringList changed;
    for (int u = 1; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const QString text = u"山"_qs + QChar(char16_t(u)) + u"a"_qs;
        QByteArray bytes = written([&](ArchiveWriter& w) { w.writeString(text); });
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        ArchiveReader r(&in);
        if (r.readString() != text)
            changed.append(QString::number(u, 16));
    }
    QCOMPARE(changed, QStringList());
}

void TestArchive::filesOfOthersKeepTheirBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");

    // CP932 bytes that other writers put where this one writes a one-way character: they
    // read as the characters CP932 gives them and are written back as they were.
    QTest::newRow("backslash") << QByteArray("\x03"
                                             "a\\b");
    QTest::newRow("tilde") << QByteArray("\x01~");
    QTest::newRow("wave dash") << QByteArray("\x02\x81\x60");
    QTest::newRow("minus") << QByteArray("\x02\x81\x7C");
    QTest::newRow("cent, pound, not") << QByteArray("\x06\x81\x91\x81\x92\x81\xCA");
    QTest::newRow("dash, parallel") << QByteArray("\x04\x81\x5C\x81\x61");
}

void TestArchive::filesOfOthersKeepTheirBytes()
{
    QFETCH(QByteArray, bytes);
    QByteArray copy = bytes;
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    ArchiveReader r(&in);
    const QString text = r.readString();
    QVERIFY(r.ok() && r.atEnd());
    QCOMPARE(written([&](ArchiveWriter& w) { w.writeString(text); }), bytes);
}

void TestArchive::truncationAtEveryByte()
{
    const QByteArray whole = written([](ArchiveWriter& w) {
        w.writeString(u"住所録"_qs);
        w.writeStringArray({u"A-1"_qs, QString(300, u'x'), u"𠮷"_qs});
        w.writeFontArray({FontRecord::make(u"ＭＳ 明朝"_qs, -100, 0)});
        w.writeRectArray({Rect{0, 0, 2100, -2970}});
        w.writeInt(42);
    });
    for (int cut = 0; cut < whole.size(); ++cut) {
        QByteArray part = whole.left(cut);
        QBuffer in(&part);
        in.open(QIODevice::ReadOnly);
        ArchiveReader r(&in);
        r.readString();
        r.readStringArray();
        r.readFontArray();
        r.readRectArray();
        const qint32 last = r.readInt();
        QVERIFY2(!r.ok(), qPrintable(QString::number(cut)));
        QVERIFY(!r.error().isEmpty());
        QCOMPARE(last, 0);
        QVERIFY(r.position() <= cut);
    }
}

void TestArchive::hostileCountsFailFast_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kind"); // 0 int array, 1 string array, 2 string, 3 font array

    QTest::newRow("4e9 ints") << QByteArray("\xFF\xFF\x00\x28\x6B\xEE", 6) + QByteArray(14, 'a') << 0;
    QTest::newRow("4e9 strings") << QByteArray("\xFF\xFF\x00\x28\x6B\xEE", 6) + QByteArray(14, '\0') << 1;
    QTest::newRow("4e9-byte string") << QByteArray("\xFF\xFF\xFF\x00\x28\x6B\xEE", 7) + QByteArray(13, 'a') << 2;
    QTest::newRow("wide 2e9 chars") << QByteArray("\xFF\xFE\xFF\xFF\xFF\xFF\x00\x00\x00\x80", 10) + QByteArray(10, 'a') << 2;
    QTest::newRow("one font too many") << QByteArray("\x02\x00", 2) + QByteArray(60 + 59, '\0') << 3;
}

void TestArchive::hostileCountsFailFast()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, kind);

    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ArchiveReader r(&in);
    switch (kind) {
    case 0: QVERIFY(r.readIntArray().isEmpty()); break;
    case 1: QVERIFY(r.readStringArray().isEmpty()); break;
    case 2: QVERIFY(r.readString().isEmpty()); break;
    case 3: QVERIFY(r.readFontArray().isEmpty()); break;
    }
    QVERIFY(!r.ok());
    // The claim is refused before any element is read.
    QVERIFY(r.position() <= 10);
}

// A pipe-like device does not know its size: a huge claim must still only consume
// what is there, growing as it reads.
class Pipe : public QIODevice
{
public:
    explicit Pipe(QByteArray bytes) : mBytes(std::move(bytes)) {}
    bool isSequential() const override { return true; }
    qint64 bytesRead() const { return mAt; }

protected:
    qint64 readData(char* data, qint64 max) override
    {
        const qint64 n = std::min<qint64>(max, mBytes.size() - mAt);
        memcpy(data, mBytes.constData() + mAt, size_t(n));
        mAt += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray mBytes;
    qint64 mAt = 0;
};

void TestArchive::sequentialDeviceNeverOverAllocates()
{
    QByteArray bytes = QByteArray("\xFF\xFF\xFF\x00\x28\x6B\xEE", 7) + QByteArray(100, 'a');
    Pipe in(bytes);
    in.open(QIODevice::ReadOnly);
    ArchiveReader r(&in);
    QVERIFY(r.readString().isEmpty());
    QVERIFY(!r.ok());
    QCOMPARE(in.bytesRead(), bytes.size());
}

QTEST_APPLESS_MAIN(TestArchive)
#include "tst_archive.moc"
