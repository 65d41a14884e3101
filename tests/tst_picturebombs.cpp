// Pictures as a hostile or careless file gives them: a PNG that declares 20000 × 20000
// pixels in a few megabytes, a 50-megapixel photograph, a JPEG cut short. Each is judged
// by its header before decoding; what will not print is named, what will print is not,
// and a picture damaged in its data is named after the job.

#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "pages/PicturePrintCheck.h"
#include "render/PdfExporter.h"
#include "render/PictureCache.h"
#include "render/PictureFile.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <zlib.h>

namespace {

QByteArray pngChunk(const char* type, const QByteArray& data)
{
    QByteArray c;
    c.resize(4);
    qToBigEndian<quint32>(quint32(data.size()), c.data());
    const QByteArray body = QByteArray(type, 4) + data;
    c += body;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(quint32(::crc32(0, reinterpret_cast<const Bytef*>(body.constData()),
                                          uInt(body.size()))),
                          crc.data());
    return c + crc;
}

// A valid black RGB PNG of side × side pixels whose rows compress to almost nothing: the
// decompression bomb, written in about a second.
bool writeBomb(const QString& path, int side)
{
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(side), header.data());
    qToBigEndian<quint32>(quint32(side), header.data() + 4);
    header[8] = 8; // bits
    header[9] = 2; // RGB
    z_stream z{};
    if (deflateInit(&z, 9) != Z_OK)
        return false;
    const QByteArray row(1 + 3 * side, '\0'); // filter byte, then black pixels
    QByteArray idat;
    QByteArray out(1 << 16, '\0');
    for (int y = 0; y < side; ++y) {
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.constData()));
        z.avail_in = uInt(row.size());
        const int flush = y + 1 == side ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = reinterpret_cast<Bytef*>(out.data());
            z.avail_out = uInt(out.size());
            deflate(&z, flush);
            idat.append(out.constData(), out.size() - qsizetype(z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) &&
           f.write(QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) +
                   pngChunk("IDAT", idat) + pngChunk("IEND", {})) > 0;
}

// A photograph-sized JPEG: 8192 × 6144 grey noise (50 megapixels, beyond the decoders'
// 128 MB when decoded whole).
bool writeLargeJpeg(const QString& path)
{
    QImage image(8192, 6144, QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            line[x] = uchar((x * 7 + y * 13) ^ (x >> 3));
    }
    return QImageWriter(path, "jpeg").write(image);
}

// A region of 80 × 60 mm on the first label showing `picture`.
void placeRegion(CORINOTEDoc& doc, const QString& picture)
{
    TextRect r;
    r.rect = Rect{100, -100, 900, -700};
    r.sheetNo = 1;
    r.backPicture = picture;
    doc.textRects().append(r);
    doc.templateMode = 0;
}

} // namespace

class TestPictureBombs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void judgedByHeader_data();
    void judgedByHeader();
    void bombIsNeverDecoded();
    void largePhotographIsNotWarned();
    void damagedJpegIsNamed_data();
    void damagedJpegIsNamed();

private:
    QTemporaryDir mDir;
    QString mBomb;
    QString mLarge;
};

void TestPictureBombs::initTestCase()
{
    mBomb = mDir.filePath(u"bomb.png"_qs);
    mLarge = mDir.filePath(u"large.jpg"_qs);
    QVERIFY(writeBomb(mBomb, 20000));
    QVERIFY(writeLargeJpeg(mLarge));
}

void TestPictureBombs::judgedByHeader_data()
{
    QTest::addColumn<QSize>("whole");
    QTest::addColumn<QSize>("drawn");
    QTest::addColumn<bool>("jpeg");
    QTest::addColumn<bool>("fits");
    QTest::newRow("PNG bomb drawn small") << QSize(60000, 60000) << QSize(500, 500) << false << false;
    QTest::newRow("50 MP JPEG drawn small") << QSize(8192, 6144) << QSize(945, 709) << true << true;
    QTest::newRow("50 MP JPEG at half") << QSize(8192, 6144) << QSize(4096, 3072) << true << true;
    QTest::newRow("50 MP JPEG whole") << QSize(8192, 6144) << QSize() << true << false;
    QTest::newRow("50 MP PNG drawn small") << QSize(8192, 6144) << QSize(945, 709) << false << false;
    QTest::newRow("photograph PNG") << QSize(4000, 3000) << QSize(945, 709) << false << true;
    QTest::newRow("JPEG past the pixel bound") << QSize(65000, 65000) << QSize(100, 100) << true << false;
    QTest::newRow("no picture") << QSize() << QSize(100, 100) << false << false;
}

void TestPictureBombs::judgedByHeader()
{
    QFETCH(QSize, whole);
    QFETCH(QSize, drawn);
    QFETCH(bool, jpeg);
    QFETCH(bool, fits);
    QCOMPARE(PictureFile::fits(whole, drawn, jpeg), fits);
}

// The bomb decoded at a drawn size walks every one of its rows (minutes for 60000 ×
// 60000); judged by its header it costs nothing, draws nothing, and is named.
void TestPictureBombs::bombIsNeverDecoded()
{
    QElapsedTimer timer;
    timer.start();
    PictureCache cache;
    QImage page(400, 400, QImage::Format_RGB32);
    page.fill(Qt::white);
    for (int zoom = 1; zoom <= 3; ++zoom) {
        QPainter painter(&page);
        QVERIFY(!cache.draw(painter, QRectF(0, 0, 100.0 * zoom, 100.0 * zoom), mBomb, 0, 1.0));
    }
    QVERIFY(PictureFile::read(mBomb, QSize(100, 100)).isNull());
    // Nothing was painted: a refused picture never prints as a black square.
    QCOMPARE(page.pixel(50, 50), qRgb(255, 255, 255));

    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.newDocument();
    placeRegion(doc, mBomb);
    QCOMPARE(PicturePrintCheck::check(doc).files, QStringList{mBomb});
    // Far above the milliseconds this takes; decoding the bomb takes tens of seconds.
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
}

// A 50-megapixel photograph in a postcard region decodes scaled and prints: the check
// before printing does not call it unreadable; drawn whole it would not fit.
void TestPictureBombs::largePhotographIsNotWarned()
{
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.newDocument();
    placeRegion(doc, mLarge);
    QCOMPARE(PicturePrintCheck::check(doc).files, QStringList());
    QVERIFY(!PicturePrintCheck::readable(mLarge, Rect(), 0, true));

    PictureCache cache;
    QImage page(300, 300, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    QVERIFY(cache.draw(painter, QRectF(0, 0, 300, 300), mLarge, 0, 1.0));
}

void TestPictureBombs::damagedJpegIsNamed_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("cut short") << u"truncated"_qs;
    QTest::newRow("damaged in the middle") << u"middle"_qs;
    QTest::newRow("whole") << u"none"_qs;
}

// A JPEG cut short or damaged in its data decodes with the rest grey: the PDF is still
// written, and the job's message names the label and the file.
void TestPictureBombs::damagedJpegIsNamed()
{
    QFETCH(QString, damage);
    QImage image(600, 400, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(QImageWriter(&buffer, "jpeg").write(image));
    }
    if (damage == u"truncated"_qs)
        bytes.truncate(bytes.size() / 2);
    else if (damage == u"middle"_qs)
        bytes.replace(bytes.size() / 2, 64, QByteArray(64, '\xFF')); // a run of marker bytes
    const QString picture = mDir.filePath(damage + u".jpg"_qs);
    QFile f(picture);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.newDocument();
    QVERIFY(doc.sheets().size() > 0);
    doc.sheets().setBackPicture(0, picture);
    doc.templateMode = 0;
    QString damaged;
    PrintJob::Settings settings;
    settings.damagedPictures = &damaged;
    const QString pdf = mDir.filePath(damage + u".pdf"_qs);
    QCOMPARE(PdfExporter::exportPdf(doc, pdf, settings), QString());
    QVERIFY(QFile::exists(pdf));
    if (damage == u"none"_qs) {
        QCOMPARE(damaged, QString());
    } else {
        QVERIFY2(damaged.contains(picture), qPrintable(damaged));
        QVERIFY2(damaged.contains(u"ラベル 1）"_qs), qPrintable(damaged));
    }
}

QTEST_MAIN(TestPictureBombs)
#include "tst_picturebombs.moc"
