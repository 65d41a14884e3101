// Fonts: which installed file each face of the stored files draws with, which characters
// stand upright in vertical writing, and that measuring is the shaping that draws.

#include "render/FontFileFace.h"
#include "render/FontResolver.h"
#include "render/FontTextMeasurer.h"
#include "render/ShapingFont.h"
#include "render/TextShaper.h"
#include "render/VerticalOrientation.h"

#include "base/FontRecord.h"
#include "base/TextCodec.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QTest>

#include <hb-ot.h>
#include <hb.h>

namespace {

// The glyphs and positions HarfBuzz gives a face, in a vertical or a horizontal line.
QList<int> shapedBy(hb_face_t* face, const QString& text, bool vertical)
{
    hb_font_t* font = hb_font_create(face);
    hb_ot_font_set_funcs(font);
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.utf16()), int(text.size()),
                        0, -1);
    hb_buffer_set_direction(buffer, vertical ? HB_DIRECTION_TTB : HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(buffer);
    const hb_feature_t vert = {HB_TAG('v', 'e', 'r', 't'), 1, 0, ~0u};
    hb_shape(font, buffer, &vert, vertical ? 1 : 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
    QList<int> out;
    for (unsigned g = 0; g < count; ++g)
        out << int(info[g].codepoint) << pos[g].x_advance << pos[g].y_advance << pos[g].x_offset
            << pos[g].y_offset;
    hb_buffer_destroy(buffer);
    hb_font_destroy(font);
    return out;
}

} // namespace

class TestFontRender : public QObject
{
    Q_OBJECT

    TextShaper mShaper;

private slots:
    void resolvesToFile_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("file");
        const QString ipa = QStringLiteral("/usr/share/fonts/opentype/");
        const QString m = ipa + QStringLiteral("ipafont-mincho/");
        const QString g = ipa + QStringLiteral("ipafont-gothic/");
        QTest::newRow("ＭＳ 明朝") << QStringLiteral("ＭＳ 明朝") << QStringLiteral("IPAMincho")
                                   << m + QStringLiteral("ipam.ttf");
        QTest::newRow("@ＭＳ 明朝") << QStringLiteral("@ＭＳ 明朝") << QStringLiteral("IPAMincho")
                                    << m + QStringLiteral("ipam.ttf");
        QTest::newRow("ＭＳ Ｐ明朝")
            << QStringLiteral("ＭＳ Ｐ明朝") << QStringLiteral("IPAPMincho")
            << m + QStringLiteral("ipamp.ttf");
        QTest::newRow("ＭＳ ゴシック")
            << QStringLiteral("ＭＳ ゴシック") << QStringLiteral("IPAGothic")
            << g + QStringLiteral("ipag.ttf");
        QTest::newRow("@ＭＳ Ｐゴシック")
            << QStringLiteral("@ＭＳ Ｐゴシック") << QStringLiteral("IPAPGothic")
            << g + QStringLiteral("ipagp.ttf");
        QTest::newRow("half-width MS PGothic")
            << QStringLiteral("MS Pｺﾞｼｯｸ") << QStringLiteral("IPAPGothic")
            << g + QStringLiteral("ipagp.ttf");
        QTest::newRow("MS Mincho") << QStringLiteral("MS Mincho") << QStringLiteral("IPAMincho")
                                   << m + QStringLiteral("ipam.ttf");
        QTest::newRow("ms  p明朝") << QStringLiteral("ms  p明朝") << QStringLiteral("IPAPMincho")
                                   << m + QStringLiteral("ipamp.ttf");
        QTest::newRow("installed face kept")
            << QStringLiteral("IPAGothic") << QStringLiteral("IPAGothic")
            << g + QStringLiteral("ipag.ttf");
        QTest::newRow("unknown mincho")
            << QStringLiteral("ＨＧ正楷書体-PRO") << QStringLiteral("IPAexMincho")
            << ipa + QStringLiteral("ipaexfont-mincho/ipaexm.ttf");
        QTest::newRow("unknown gothic")
            << QStringLiteral("@ＨＧ丸ゴシックM-PRO") << QStringLiteral("IPAexGothic")
            << ipa + QStringLiteral("ipaexfont-gothic/ipaexg.ttf");
        QTest::newRow("Arial") << QStringLiteral("Arial") << QStringLiteral("IPAexMincho")
                               << ipa + QStringLiteral("ipaexfont-mincho/ipaexm.ttf");
    }
    // The resolved family is what Qt loads (QFontInfo) and its tables are those of the
    // expected file.
    void resolvesToFile()
    {
        QFETCH(QString, face);
        QFETCH(QString, family);
        QFETCH(QString, file);
        if (!QFile::exists(file))
            QSKIP("font file not installed");
        if (family.startsWith(QLatin1String("IPAex")) &&
            (QFontDatabase::hasFamily(QStringLiteral("Noto Serif CJK JP")) ||
             QFontDatabase::hasFamily(QStringLiteral("Noto Sans CJK JP"))))
            QSKIP("Noto CJK is installed and comes first among the fallbacks");

        QCOMPARE(FontResolver::family(face), family);
        FontRecord record = FontRecord::make(face, 100, 0);
        const QFont font = FontResolver::font(record, 100);
        QCOMPARE(QFontInfo(font).family(), family);

        const QRawFont resolved = QRawFont::fromFont(font);
        const QRawFont expected(file, 100);
        QVERIFY(expected.isValid());
        QCOMPARE(resolved.familyName(), expected.familyName());
        QCOMPARE(resolved.fontTable("head"), expected.fontTable("head"));
        QCOMPARE(resolved.fontTable("cmap"), expected.fontTable("cmap"));

        // The shaper draws with that file too.
        const auto shaping = mShaper.fontFor(record);
        QVERIFY(shaping);
        QCOMPARE(shaping->familyName(), family);
    }

    void folding_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("folded");
        QTest::newRow("vertical") << QStringLiteral("@ＭＳ 明朝") << QStringLiteral("MS 明朝");
        QTest::newRow("ideographic space")
            << QStringLiteral("ＭＳ　Ｐゴシック") << QStringLiteral("MS Pゴシック");
        QTest::newRow("only the first @") << QStringLiteral("@@x") << QStringLiteral("@x");
        QTest::newRow("half-width katakana")
            << QStringLiteral("ＭＳ ｺﾞｼｯｸ") << QStringLiteral("MS ゴシック");
    }
    void folding()
    {
        QFETCH(QString, face);
        QFETCH(QString, folded);
        QCOMPARE(FontResolver::folded(face), folded);
    }

    void orientationClasses_data()
    {
        QTest::addColumn<uint>("codePoint");
        QTest::addColumn<int>("expected");
        QTest::newRow("A") << 0x41u << int(VerticalOrientation::Rotated);
        QTest::newRow("漢") << 0x6F22u << int(VerticalOrientation::Upright);
        QTest::newRow("、") << 0x3001u << int(VerticalOrientation::TransformedUpright);
        QTest::newRow("っ") << 0x3063u << int(VerticalOrientation::TransformedUpright);
        QTest::newRow("ー") << 0x30FCu << int(VerticalOrientation::TransformedRotated);
        QTest::newRow("（") << 0xFF08u << int(VerticalOrientation::TransformedRotated);
        QTest::newRow("－") << 0xFF0Du << int(VerticalOrientation::Rotated);
        QTest::newRow("Ａ") << 0xFF21u << int(VerticalOrientation::Upright);
        QTest::newRow("𠮷") << 0x20BB7u << int(VerticalOrientation::Upright);
        QTest::newRow("→") << 0x2192u << int(VerticalOrientation::Rotated);
        QTest::newRow("§") << 0xA7u << int(VerticalOrientation::Upright);
        QTest::newRow("last plane") << 0x10FFFDu << int(VerticalOrientation::Upright);
    }
    void orientationClasses()
    {
        QFETCH(uint, codePoint);
        QFETCH(int, expected);
        QCOMPARE(int(VerticalOrientation::of(char32_t(codePoint))), expected);
    }

    void sideways_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<bool>("sideways");
        QTest::newRow("A stands upright") << QStringLiteral("A") << false;
        QTest::newRow("small letter stands upright") << QStringLiteral("f") << false;
        QTest::newRow("digit stands upright") << QStringLiteral("7") << false;
        QTest::newRow("hyphen") << QStringLiteral("-") << true;
        QTest::newRow("space") << QStringLiteral(" ") << true;
        QTest::newRow("half-width katakana") << QStringLiteral("ｱ") << true;
        QTest::newRow("yen") << QStringLiteral("¥") << true;
        QTest::newRow("full-width minus") << QStringLiteral("－") << true;
        QTest::newRow("arrow") << QStringLiteral("→") << false;
        QTest::newRow("alpha") << QStringLiteral("α") << false;
        QTest::newRow("not equal") << QStringLiteral("≠") << false;
        QTest::newRow("degree") << QStringLiteral("°") << false;
        QTest::newRow("reference mark") << QStringLiteral("※") << false;
        QTest::newRow("e acute, outside CP932") << QStringLiteral("é") << true;
        QTest::newRow("euro, outside CP932") << QStringLiteral("€") << true;
        QTest::newRow("circled zero, outside CP932") << QStringLiteral("⓪") << false;
        QTest::newRow("kanji") << QStringLiteral("様") << false;
        QTest::newRow("ideographic comma") << QStringLiteral("、") << false;
        QTest::newRow("long vowel mark") << QStringLiteral("ー") << false;
        QTest::newRow("parenthesis") << QStringLiteral("（") << false;
        QTest::newRow("wave") << QStringLiteral("～") << false;
        QTest::newRow("full-width A") << QStringLiteral("Ａ") << false;
    }
    void sideways()
    {
        QFETCH(QString, character);
        QFETCH(bool, sideways);
        const auto font = mShaper.fontFor(FontRecord::make(QStringLiteral("@ＭＳ 明朝"), 100, 900));
        QVERIFY(font);
        QCOMPARE(TextShaper::isSideways(character.toUcs4().first(), *font), sideways);
    }

    // Lengths along a vertical line of em 100: upright half-width letters and digits take a
    // cell each, two digits standing alone share one (縦中横), three do not.
    void verticalExtents_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cells");
        QTest::newRow("A棟") << QStringLiteral("A棟") << 2;
        QTest::newRow("2F") << QStringLiteral("2F") << 2;
        QTest::newRow("10F") << QStringLiteral("10F") << 2;
        QTest::newRow("12階") << QStringLiteral("12階") << 2;
        QTest::newRow("302") << QStringLiteral("302") << 3;
        QTest::newRow("two pairs") << QStringLiteral("12号34") << 3;
    }
    void verticalExtents()
    {
        QFETCH(QString, text);
        QFETCH(int, cells);
        const FontRecord v = FontRecord::make(QStringLiteral("@ＭＳ 明朝"), 100, 900);
        QCOMPARE(mShaper.extent(text, v, 100), 100 * cells);
        // The pair's glyphs stand side by side across the column, in one cell.
        if (text == QLatin1String("10F")) {
            const ShapedLine line = mShaper.shape(text, v, 100, 0);
            QVERIFY(line.runs.size() >= 2);
            const ShapedRun& pair = line.runs.front();
            QCOMPARE(pair.glyphs.size(), 2);
            QVERIFY(pair.upright);
            QCOMPARE(pair.positions.at(0).y(), pair.positions.at(1).y());
            QVERIFY(pair.positions.at(0).x() >= -100 && pair.positions.at(0).x() < -50);
            QVERIFY(pair.positions.at(1).x() >= -51 && pair.positions.at(1).x() < 0);
        }
    }

    // Every double-byte character of CP932, by the rows of the code: upright in a vertical
    // line (with the font's vertical form where it has one), except the marks that run
    // along the line when the font has no vertical form for them.
    void cp932Orientation_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("turned");
        QTest::newRow("punctuation and symbols") << 0x8140 << 0x81FC
            << QStringLiteral("ー―‐～｜…‥（）〔〕［］｛｝〈〉《》「」『』【】：；＿￣－");
        QTest::newRow("digits, Latin, hiragana") << 0x8240 << 0x82FC << QString();
        QTest::newRow("katakana, Greek") << 0x8340 << 0x83FC << QString();
        QTest::newRow("Cyrillic, box drawing") << 0x8440 << 0x84FC << QString();
        QTest::newRow("NEC special characters") << 0x8740 << 0x879F << QStringLiteral("〝〟");
        QTest::newRow("kanji, first level") << 0x889F << 0x9872 << QString();
        QTest::newRow("kanji, second level") << 0x989F << 0xEAA4 << QString();
        QTest::newRow("NEC-selected IBM extensions") << 0xED40 << 0xEEFC << QString();
        QTest::newRow("IBM extensions") << 0xFA40 << 0xFC4B << QString();
    }
    void cp932Orientation()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, turned);
        const auto font = mShaper.fontFor(FontRecord::make(QStringLiteral("@ＭＳ 明朝"), 100, 900));
        QVERIFY(font);
        int characters = 0;
        for (int code = first; code <= last; ++code) {
            const int trail = code & 0xFF;
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC)
                continue;
            const char bytes[2] = {char(code >> 8), char(trail)};
            const QString text = TextCodec::decode(bytes, 2);
            if (text.size() != 1 || text.at(0) == QChar(0xFFFD))
                continue;
            ++characters;
            const char32_t c = text.at(0).unicode();
            const bool sideways = turned.contains(text.at(0)) && !font->hasVerticalForm(c);
            QVERIFY2(TextShaper::isSideways(c, *font) == sideways,
                     qPrintable(QStringLiteral("%1 U+%2 %3").arg(text).arg(uint(c), 4, 16, QLatin1Char('0'))
                                    .arg(sideways ? QStringLiteral("turned") : QStringLiteral("upright"))));
        }
        QVERIFY(characters > 0);
    }

    void verticalSubstitution_data()
    {
        QTest::addColumn<QString>("character");
        for (const char16_t* c :
             {u"、", u"。", u"「", u"」", u"ー", u"（", u"）", u"～", u"ぁ", u"っ", u"ャ"})
            QTest::newRow(QString::fromUtf16(c).toUtf8().constData()) << QString::fromUtf16(c);
    }
    // In a vertical line these take the font's vertical glyphs; horizontally the nominal ones.
    void verticalSubstitution()
    {
        QFETCH(QString, character);
        const FontRecord vertical = FontRecord::make(QStringLiteral("@ＭＳ 明朝"), 100, 900);
        const FontRecord horizontal = FontRecord::make(QStringLiteral("ＭＳ 明朝"), 100, 0);
        const ShapedLine v = mShaper.shape(character, vertical, 100, 0);
        const ShapedLine h = mShaper.shape(character, horizontal, 100, 0);
        QCOMPARE(v.runs.size(), 1);
        QVERIFY(v.runs.first().upright);
        QVERIFY(!h.runs.first().upright);
        const quint32 nominal = v.font->nominalGlyph(character.at(0).unicode());
        QCOMPARE(h.runs.first().glyphs.first(), nominal);
        QVERIFY(v.runs.first().glyphs.first() != nominal);
        QCOMPARE(v.advance, 100.0);
    }

    // A mixed vertical line splits into upright and sideways runs in order, one em per
    // upright character (half-width digits included) and the horizontal advance per
    // turned one.
    void mixedRuns()
    {
        const FontRecord font = FontRecord::make(QStringLiteral("@ＭＳ 明朝"), 100, 900);
        const ShapedLine line = mShaper.shape(QStringLiteral("東京1-2様"), font, 100, 0);
        QCOMPARE(line.runs.size(), 3);
        QVERIFY(line.runs.at(0).upright && !line.runs.at(1).upright && line.runs.at(2).upright);
        QCOMPARE(line.runs.at(0).glyphs.size(), 3);
        QCOMPARE(line.runs.at(1).glyphs.size(), 1);
        // IPAMincho's half-width hyphen is half an em.
        QCOMPARE(line.advance, 550.0);
        QCOMPARE(line.runs.at(2).positions.first().y(), 350.0 + line.ascent);
    }

    void spacing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("characters");
        QTest::newRow("kanji") << QStringLiteral("山田") << 2;
        QTest::newRow("surrogate pair is one") << QStringLiteral("𠮷田") << 2;
        QTest::newRow("mixed vertical") << QStringLiteral("様A1") << 3;
        QTest::newRow("empty") << QString() << 0;
    }
    // The spacing comes after every character, the last included, and measuring leaves it
    // to the caller.
    void spacing()
    {
        QFETCH(QString, text);
        QFETCH(int, characters);
        const FontRecord font = FontRecord::make(QStringLiteral("@ＭＳ 明朝"), 100, 900);
        const ShapedLine plain = mShaper.shape(text, font, 100, 0);
        const ShapedLine spaced = mShaper.shape(text, font, 100, 7);
        QCOMPARE(spaced.characters, characters);
        QCOMPARE(spaced.advance, plain.advance);
        QCOMPARE(spaced.spacedAdvance, plain.advance + 7 * characters);
        QCOMPARE(spaced.extent(7), qRound(plain.advance) + 7 * characters);
        FontTextMeasurer measurer(mShaper);
        QCOMPARE(measurer.textExtent(text, font, 100), qRound(plain.advance));
    }

    void measureScales_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("text");
        QTest::newRow("proportional gothic")
            << QStringLiteral("ＭＳ Ｐゴシック") << QStringLiteral("Address 123 あいう");
        QTest::newRow("mincho") << QStringLiteral("ＭＳ 明朝") << QStringLiteral("東京都 1-2-3");
        QTest::newRow("vertical") << QStringLiteral("@ＭＳ Ｐ明朝")
                                  << QStringLiteral("「コーポ」（２０１）ABC");
    }
    // Without hinting the extent scales with the size exactly, so what is measured at one
    // size holds on every device and zoom.
    void measureScales()
    {
        QFETCH(QString, face);
        QFETCH(QString, text);
        const FontRecord font = FontRecord::make(face, 100, face.startsWith(u'@') ? 900 : 0);
        const qreal at100 = mShaper.shape(text, font, 100, 0).advance;
        const qreal at1000 = mShaper.shape(text, font, 1000, 0).advance;
        QVERIFY(at100 > 0);
        QVERIFY(qAbs(at1000 - 10 * at100) < 1e-6 * at1000);
        FontTextMeasurer own;
        QCOMPARE(own.textExtent(text, font, 100), qRound(at100));
        QCOMPARE(own.textExtent(text, font, 0), 0);
    }

    // Shaped lines are kept by their font: what shaping does not depend on still comes
    // from the record of every call.
    void keptLinesTakeEachRecordsDecorations()
    {
        const FontRecord plain = FontRecord::make(QStringLiteral("ＭＳ 明朝"), 100, 0);
        FontRecord decorated = plain;
        decorated.underline = 1;
        decorated.strikeOut = 1;
        const ShapedLine first = mShaper.shape(QStringLiteral("山田太郎"), plain, 100, 0);
        for (const FontRecord& record : {decorated, plain, decorated}) {
            const ShapedLine line = mShaper.shape(QStringLiteral("山田太郎"), record, 100, 0);
            QCOMPARE(line.underline, record.underline != 0);
            QCOMPARE(line.strikeOut, record.strikeOut != 0);
            QVERIFY(line.font);
            QCOMPARE(line.advance, first.advance);
        }
    }

    void fileFaceShapesAsQtsTables_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("text");
        QTest::newRow("vertical mincho") << QStringLiteral("@ＭＳ 明朝")
                                         << QStringLiteral("東京都千代田区一ー二「コーポ」（２０１）");
        QTest::newRow("proportional gothic") << QStringLiteral("ＭＳ Ｐゴシック")
                                             << QStringLiteral("Address 123 あいう 様");
    }
    // HarfBuzz reads the font file Qt loaded instead of Qt's copies of its tables: the
    // same glyphs and positions, vertical origins included.
    void fileFaceShapesAsQtsTables()
    {
        QFETCH(QString, face);
        QFETCH(QString, text);
        const QRawFont raw = QRawFont::fromFont(
            FontResolver::familyFont(FontResolver::family(face), false, false, 1000));
        QVERIFY(raw.isValid());
        hb_face_t* file = FontFileFace::matching(raw, false, false);
        QVERIFY(file);
        hb_face_t* tables = hb_face_create_for_tables(
            [](hb_face_t*, hb_tag_t tag, void* font) -> hb_blob_t* {
                const char name[4] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag)};
                auto* data = new QByteArray(static_cast<const QRawFont*>(font)->fontTable(name));
                return hb_blob_create(data->constData(), uint(data->size()),
                                      HB_MEMORY_MODE_READONLY, data,
                                      [](void* p) { delete static_cast<QByteArray*>(p); });
            },
            const_cast<QRawFont*>(&raw), nullptr);
        const bool vertical = face.startsWith(u'@');
        const QList<int> fromFile = shapedBy(file, text, vertical);
        QCOMPARE(fromFile.size(), text.size() * 5);
        QCOMPARE(fromFile, shapedBy(tables, text, vertical));
        hb_face_destroy(file);
        hb_face_destroy(tables);
    }
};

QTEST_MAIN(TestFontRender)
#include "tst_fontrender.moc"
