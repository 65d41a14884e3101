// The merge: the field catalogue, postal digits, both expansions, page texts, blank
// records, pictures, kanji numerals and fitting.

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "address/NameBlock.h"
#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "base/TextCodec.h"
#include "merge/KanjiNumerals.h"
#include "merge/MergeExpander.h"
#include "merge/MergeField.h"
#include "model/AutoReplaceRule.h"
#include "model/CAutoReplaceData.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/PageBuilder.h"
#include "model/TextMeasurer.h"

#include <QBuffer>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Rect)

namespace {

const QDate kToday(2004, 5, 3);

class FixedAdvanceMeasurer : public TextMeasurer
{
public:
    int textExtent(const QString& text, const FontRecord&, int crossSize) const override
    {
        return TextCodec::byteLength(text) * crossSize / 2;
    }
};

// A record with the given columns filled.
QStringList record(std::initializer_list<std::pair<int, QString>> fields)
{
    QStringList values;
    for (int c = 0; c < CAddressData::TextColumnCount; ++c)
        values.append(QString());
    for (const auto& [column, value] : fields)
        values[column] = value;
    return values;
}

QStringList recipient()
{
    return record({{CAddressData::EntryNumber, QStringLiteral("A-12")},
                   {CAddressData::Name, QStringLiteral("山田太郎")},
                   {CAddressData::Honorific, QStringLiteral("様")},
                   {CAddressData::PostalCode, QStringLiteral("123-4567")},
                   {CAddressData::CompanyPostalCode, QStringLiteral("9876543")},
                   {CAddressData::Address1, QStringLiteral("東京都千代田区1-2-3")},
                   {13, QStringLiteral("花子")},
                   {18, QStringLiteral("殿")},
                   {CAddressData::Age, QStringLiteral("25")},
                   {CAddressData::CompanyMail, QStringLiteral("t@example.jp")}});
}

QStringList sender()
{
    return record({{CAddressData::EntryNumber, QStringLiteral("SENDER-1")},
                   {CAddressData::Name, QStringLiteral("差出花子")},
                   {CAddressData::PostalCode, QStringLiteral("987-6543")}});
}

// A document whose template has `sheets` sheets side by side and one region per
// attribute on sheet No. 1, with `pages` data-mode pages built from it.
struct Fixture
{
    MemoryProfile profile;
    std::unique_ptr<CORINOTEDoc> doc = std::make_unique<CORINOTEDoc>(&profile);

    Fixture(int sheets, const QStringList& attributes, int pages = 1,
            const QString& face = QStringLiteral("ＭＳ 明朝"), int orientation = 0)
    {
        CLabelSheetTemplate& t = doc->labelTemplate();
        t.paperRect = Rect{0, 0, 2100, -2970};
        for (int s = 0; s < sheets; ++s) {
            Sheet sheet;
            sheet.rect = Rect{s * 500, 0, s * 500 + 500, -1000};
            t.sheets.append(sheet);
        }
        for (int k = 0; k < attributes.size(); ++k) {
            TextRect r;
            r.attribute = attributes.at(k);
            r.rect = Rect{10, -10 - 100 * k, 410, -110 - 100 * k};
            r.font = FontRecord::make(face, -100, orientation);
            t.regions.append(r);
        }
        doc->environment() = EnvironmentSettings();
        doc->environment().kanjiNumerals = 0;
        doc->environment().pictureAspect = 0;
        PageBuilder::buildPageOne(*doc);
        appendPages(pages - 1);
    }

    // Copies of page 1 with their sheet numbers moved on, as pagination appends them.
    void appendPages(int count)
    {
        const int n = doc->sheetsPerPage();
        const int perPage = doc->textRects().size();
        const int sheetsOnPage = doc->sheets().size();
        for (int p = 1; p <= count; ++p) {
            for (int s = 0; s < sheetsOnPage; ++s)
                doc->sheets().append(doc->sheets().at(s));
            for (int i = 0; i < perPage; ++i) {
                TextRect r = doc->textRects().at(i);
                r.sheetNo += p * n;
                r.orderSheetNo += p * n;
                doc->textRects().append(r);
            }
        }
    }

    void addRecords(int count, const QStringList& values = recipient())
    {
        for (int i = 0; i < count; ++i)
            doc->recordList().appendRecord(values);
    }
    void addSender(const QStringList& values = sender())
    {
        doc->addressBook().group(AddressBook::SenderGroup).appendRecord(values);
    }
    void expandWithRecords(const TextMeasurer* measurer = nullptr)
    {
        MergeExpander(*doc, kToday, measurer).expandWithRecords();
    }
    void expandWithoutRecords(const TextMeasurer* measurer = nullptr)
    {
        MergeExpander(*doc, kToday, measurer).expandWithoutRecords();
    }
    QString text(int i) const { return doc->textRects().text(i); }
    QStringList texts() const
    {
        QStringList all;
        for (int i = 0; i < doc->textRects().size(); ++i)
            all.append(text(i));
        return all;
    }
};

QString spaces(int n)
{
    return QString(n, QLatin1Char(' '));
}

} // namespace

class TestMerge : public QObject
{
    Q_OBJECT
private slots:
    void catalogueOrder();
    void catalogueColumnsMatchRecordTitles();
    void postalCode_data();
    void postalCode();

    void expandWithRecords_data();
    void expandWithRecords();
    void expandWithoutRecords_data();
    void expandWithoutRecords();
    void hugeOffsetSaturates();
    void pageTextOnFirstSheetOfEachPage_data();
    void pageTextOnFirstSheetOfEachPage();
    void blankRecordsPrintNothing();
    void emptyRecordListExpandsFirstSheetOnly();
    void moreRecordsThanSheets();
    void damagedRecordReadsEmpty();

    void pictureFields_data();
    void pictureFields();
    void fitToPicture_data();
    void fitToPicture();

    void kanjiNumerals_data();
    void kanjiNumerals();
    void fitsByTrod_data();
    void fitsByTrod();
    void numeralForms_data();
    void numeralForms();
    void nameBlocks_data();
    void nameBlocks();
    void newSender_data();
    void newSender();
    void publishesProgress();
    void expandAllAppliesRules();
};

void TestMerge::catalogueOrder()
{
    const QList<MergeField>& fields = MergeField::catalogue();
    QCOMPARE(fields.size(), MergeField::CatalogueSize);
    QCOMPARE(fields.at(0).name, QStringLiteral("登録番号(R)"));
    QCOMPARE(fields.at(60).name, QStringLiteral("画像(R)"));
    QCOMPARE(fields.at(61).name, QStringLiteral("バーコード(R)"));
    QCOMPARE(fields.at(63).name, QStringLiteral("宛名会社(R)"));
    QCOMPARE(fields.at(64).name, QStringLiteral("登録番号(S)"));
    QCOMPARE(fields.at(126).name, QStringLiteral("宛名(S)"));
    QCOMPARE(fields.at(128).name, QStringLiteral("日付1(A)"));
    QCOMPARE(fields.at(136).name, QStringLiteral("ページNo.(A)"));
    QSet<QString> names;
    for (int i = 0; i < fields.size(); ++i) {
        names.insert(fields.at(i).name);
        if (i < 2 * MergeField::RecipientCount) // the sender names: the other suffix
            QCOMPARE(fields.at(i).name.chopped(3),
                     fields.at(i % MergeField::RecipientCount).name.chopped(3));
    }
    QCOMPARE(names.size(), MergeField::CatalogueSize);

    const QStringList choices = MergeField::attributeChoices();
    QCOMPARE(choices.size(), MergeField::CatalogueSize + 1 + 10);
    QVERIFY(choices.first().isEmpty());
    QCOMPARE(choices.at(1), QStringLiteral("登録番号(R)"));
    QCOMPARE(choices.at(MergeField::CatalogueSize), QStringLiteral("ページNo.(A)"));
    // The CSV column markers close the list, each one the placement reads as its column.
    for (int c = 1; c <= 10; ++c)
        QCOMPARE(choices.at(MergeField::CatalogueSize + c), QStringLiteral("@%1(CSV)").arg(c));
}

void TestMerge::catalogueColumnsMatchRecordTitles()
{
    // A field named after a record column takes that column: a wrong number in the table
    // would print someone's fax as their telephone.
    for (const MergeField& f : MergeField::catalogue()) {
        if (f.source == MergeField::Source::Automatic)
            continue;
        const QString base = f.name.chopped(3);
        if (f.kind == MergeField::Kind::Barcode) {
            QCOMPARE(f.column, int(CAddressData::PostalCode)); // with 住所1–3
            continue;
        }
        if (f.kind == MergeField::Kind::NameBlock || f.kind == MergeField::Kind::NameBlockCompany)
            continue; // every name column
        if (f.kind == MergeField::Kind::PostalDigit) {
            const bool company = base.startsWith(QStringLiteral("会社"));
            QCOMPARE(f.column, company ? 29 : 1);
            continue;
        }
        QVERIFY2(CAddressData::columnTitle(f.column) == base, qPrintable(f.name));
    }
}

void TestMerge::postalCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("normalised");
    QTest::addColumn<QStringList>("digits"); // 郵1 … 郵7

    const QStringList blank(7, QStringLiteral(" "));
    QTest::newRow("well formed") << QStringLiteral("123-4567") << QStringLiteral("123-4567")
                                 << QStringList{u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs,
                                                u"5"_qs, u"6"_qs, u"7"_qs};
    QTest::newRow("no hyphen: 7 bytes") << QStringLiteral("1234567") << spaces(8) << blank;
    QTest::newRow("empty") << QString() << spaces(8) << blank;
    QTest::newRow("too long") << QStringLiteral("123-45678") << spaces(8) << blank;
    // Length is counted in CP932 bytes, not characters: four full-width digits are 8 bytes
    // and kept, and no box shows half a character.
    QTest::newRow("full-width 8 bytes")
        << QStringLiteral("１２３４") << QStringLiteral("１２３４")
        << QStringList{u"１"_qs, u" "_qs, u"２"_qs, u"３"_qs, u" "_qs, u"４"_qs, u" "_qs};
    QTest::newRow("full-width 7 characters are 14 bytes")
        << QStringLiteral("１２３－４５６") << spaces(8) << blank;
    QTest::newRow("mixed 8 bytes")
        << QStringLiteral("〒12-345") << QStringLiteral("〒12-345")
        << QStringList{u"〒"_qs, u" "_qs, u"1"_qs, u"-"_qs, u"3"_qs, u"4"_qs, u"5"_qs};
}

void TestMerge::postalCode()
{
    QFETCH(QString, code);
    QFETCH(QString, normalised);
    QFETCH(QStringList, digits);
    QCOMPARE(MergeField::normalisedPostalCode(code), normalised);
    const int positions[7] = {0, 1, 2, 4, 5, 6, 7};
    for (int k = 0; k < 7; ++k)
        QCOMPARE(MergeField::postalDigit(normalised, positions[k]), digits.at(k));

    // Through the merge: every digit field of a recipient with this code.
    QStringList attributes{QStringLiteral("郵便番号(R)")};
    for (int k = 1; k <= 7; ++k)
        attributes.append(QStringLiteral("郵%1(R)").arg(k));
    Fixture f(1, attributes);
    f.addRecords(1, record({{CAddressData::EntryNumber, QStringLiteral("A-1")},
                            {CAddressData::PostalCode, code}}));
    f.expandWithRecords();
    QCOMPARE(f.texts(), QStringList{normalised} + digits);
}

void TestMerge::expandWithRecords_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<int>("senderMode"); // 0 present, 1 empty group, 2 index past the end, 3 < 0
    QTest::addColumn<QString>("expected");

    const auto row = [](const char* name, const QString& a, int mode, const QString& e) {
        QTest::newRow(name) << a << mode << e;
    };
    row("name", QStringLiteral("氏名(R)"), 0, QStringLiteral("山田太郎"));
    row("entry number", QStringLiteral("登録番号(R)"), 0, QStringLiteral("A-12"));
    row("joint name 3", QStringLiteral("連名3(R)"), 0, QStringLiteral("花子"));
    row("honorific 5", QStringLiteral("敬称5(R)"), 0, QStringLiteral("殿"));
    row("empty column", QStringLiteral("FAX(R)"), 0, QString());
    row("name followed by a space", QStringLiteral("氏名(R) "), 0, QStringLiteral("氏名(R) "));
    row("postal code", QStringLiteral("郵便番号(R)"), 0, QStringLiteral("123-4567"));
    row("postal digit 3", QStringLiteral("郵3(R)"), 0, QStringLiteral("3"));
    row("postal digit 4", QStringLiteral("郵4(R)"), 0, QStringLiteral("4"));
    row("company code without hyphen", QStringLiteral("会社郵便番号(R)"), 0, spaces(8));
    row("company digit of a bad code", QStringLiteral("会社郵1(R)"), 0, QStringLiteral(" "));
    row("sender name", QStringLiteral("氏名(S)"), 0, QStringLiteral("差出花子"));
    row("sender digit", QStringLiteral("郵7(S)"), 0, QStringLiteral("3"));
    row("no sender", QStringLiteral("氏名(S)"), 1, QString());
    row("sender index past the group", QStringLiteral("氏名(S)"), 2, QString());
    row("negative sender index", QStringLiteral("郵便番号(S)"), 3, QString());
    row("fixed text with (S), no sender", QStringLiteral("差出人: (S)"), 1, QString());
    row("fixed text with (S), sender", QStringLiteral("差出人: (S)"), 0,
        QStringLiteral("差出人: (S)"));
    row("date with slashes", QStringLiteral("日付1(A)"), 0, QStringLiteral("2004/5/3"));
    row("date in kanji", QStringLiteral("日付2(A)"), 0, QStringLiteral("2004年5月3日"));
    row("year", QStringLiteral("年(A)"), 0, QStringLiteral("2004"));
    row("month", QStringLiteral("月(A)"), 0, QStringLiteral("5"));
    row("day", QStringLiteral("日(A)"), 0, QStringLiteral("3"));
    row("picture tool field", QStringLiteral("画像(A)"), 0, QString());
    row("picture file name", QStringLiteral("画像ファイル名(A)"), 0, QString());
    row("sheet number", QStringLiteral("シートNo.(A)"), 0, QStringLiteral("1"));
    row("page number", QStringLiteral("ページNo.(A)"), 0, QStringLiteral("1"));
    row("page number with offset is fixed text", QStringLiteral("ページNo.(A)+1"), 0,
        QStringLiteral("ページNo.(A)+1"));
    row("csv marker", QStringLiteral("@3(CSV)"), 0, QString());
    row("at sign alone is text", QStringLiteral("a@b.jp"), 0, QStringLiteral("a@b.jp"));
    row("page text on the first sheet", QStringLiteral("\"御中\""), 0, QStringLiteral("御中"));
    row("one quote is text", QStringLiteral("\""), 0, QStringLiteral("\""));
    row("fixed text", QStringLiteral("謹賀新年"), 0, QStringLiteral("謹賀新年"));
}

void TestMerge::expandWithRecords()
{
    QFETCH(QString, attribute);
    QFETCH(int, senderMode);
    QFETCH(QString, expected);

    Fixture f(1, {attribute});
    f.addRecords(1);
    if (senderMode != 1)
        f.addSender();
    if (senderMode == 2)
        f.doc->scalars().senderIndex = 1;
    if (senderMode == 3)
        f.doc->scalars().senderIndex = -1;
    f.expandWithRecords();
    QCOMPARE(f.text(0), expected);
}

void TestMerge::expandWithoutRecords_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<int>("region"); // 2 sheets per page, 2 pages, one region per sheet
    QTest::addColumn<QString>("expected");

    QTest::newRow("sheet plus ten on sheet 3")
        << QStringLiteral("シートNo.(A)+10") << 2 << QStringLiteral("13");
    QTest::newRow("page minus one on page 1")
        << QStringLiteral("ページNo.(A)-1") << 0 << QStringLiteral("0");
    QTest::newRow("page on page 2") << QStringLiteral("ページNo.(A)") << 3 << QStringLiteral("2");
    QTest::newRow("page plus one") << QStringLiteral("ページNo.(A)+1") << 1 << QStringLiteral("2");
    QTest::newRow("inside a longer text")
        << QStringLiteral("第シートNo.(A)枚") << 1 << QStringLiteral("2");
    QTest::newRow("sign without digits")
        << QStringLiteral("シートNo.(A)+abc") << 0 << QStringLiteral("1");
    QTest::newRow("digits stop at the first other character")
        << QStringLiteral("シートNo.(A)+12枚目") << 0 << QStringLiteral("13");
    QTest::newRow("plus is taken before minus")
        << QStringLiteral("シートNo.(A)-2+5") << 0 << QStringLiteral("6");
    QTest::newRow("recipient is empty") << QStringLiteral("氏名(R)") << 0 << QString();
    QTest::newRow("recipient digit is empty") << QStringLiteral("郵1(R)") << 0 << QString();
    QTest::newRow("sender") << QStringLiteral("氏名(S)") << 2 << QStringLiteral("差出花子");
    QTest::newRow("date") << QStringLiteral("日付1(A)") << 3 << QStringLiteral("2004/5/3");
    QTest::newRow("page text on every sheet")
        << QStringLiteral("\"御中\"") << 3 << QStringLiteral("御中");
    QTest::newRow("csv marker") << QStringLiteral("@2(CSV)") << 1 << QString();
}

void TestMerge::expandWithoutRecords()
{
    QFETCH(QString, attribute);
    QFETCH(int, region);
    QFETCH(QString, expected);
    Fixture f(2, {attribute}, 2);
    f.addSender();
    f.addRecords(4); // ignored without records
    QCOMPARE(f.doc->textRects().size(), 4);
    f.expandWithoutRecords();
    QCOMPARE(f.text(region), expected);
}

void TestMerge::hugeOffsetSaturates()
{
    Fixture f(1, {QStringLiteral("ページNo.(A)-99999999999999999999999999"),
                  QStringLiteral("シートNo.(A)+99999999999999999999999999")});
    f.expandWithoutRecords();
    QVERIFY(f.text(0).startsWith(QLatin1Char('-')));
    QVERIFY(f.text(1).toLongLong() > 1000000000000000000LL);
    QCOMPARE(MergeExpander::attributeOffset(QStringLiteral("+99999999999999999999")),
             MergeExpander::attributeOffset(QStringLiteral("+999999999999999999999999")));
}

void TestMerge::pageTextOnFirstSheetOfEachPage_data()
{
    QTest::addColumn<bool>("withRecords");
    QTest::addColumn<QStringList>("expected");
    const QString t = QStringLiteral("年賀");
    QTest::newRow("with records") << true << QStringList{t, {}, {}, {}, t, {}, {}, {}};
    QTest::newRow("without records") << false << QStringList(8, t);
}

void TestMerge::pageTextOnFirstSheetOfEachPage()
{
    QFETCH(bool, withRecords);
    QFETCH(QStringList, expected);
    Fixture f(4, {QStringLiteral("\"年賀\"")}, 2);
    f.addRecords(8);
    withRecords ? f.expandWithRecords() : f.expandWithoutRecords();
    QCOMPARE(f.texts(), expected);
}

void TestMerge::blankRecordsPrintNothing()
{
    // Print start position 3: two labels of the sheet are already used. Nothing of the
    // design may be printed on them, not the sender, the date or a fixed text either.
    const QStringList attributes{QStringLiteral("謹賀新年"), QStringLiteral("氏名(S)"),
                                 QStringLiteral("日付2(A)"), QStringLiteral("氏名(R)"),
                                 QStringLiteral("郵1(R)"),   QStringLiteral("画像(S)"),
                                 QStringLiteral("\"御中\""), QStringLiteral("シートNo.(A)")};
    Fixture f(4, attributes);
    f.addSender(record({{CAddressData::EntryNumber, QStringLiteral("SENDER-1")},
                        {CAddressData::Name, QStringLiteral("差出花子")},
                        {CAddressData::Picture, QStringLiteral("/nonexistent/me.png")}}));
    f.doc->recordList().appendBlankRecord();
    f.doc->recordList().appendBlankRecord();
    f.addRecords(2);
    f.expandWithRecords();

    const int m = attributes.size();
    for (int w = 0; w < 2 * m; ++w) {
        QVERIFY2(f.text(w).isEmpty(),
                 qPrintable(QStringLiteral("region %1: %2").arg(w).arg(f.text(w))));
        QVERIFY(f.doc->textRects().backPicture(w).isEmpty());
    }
    const QStringList third = f.texts().mid(2 * m, m);
    QCOMPARE(third, (QStringList{QStringLiteral("謹賀新年"), QStringLiteral("差出花子"),
                                 QStringLiteral("2004年5月3日"), QStringLiteral("山田太郎"),
                                 QStringLiteral("1"), QString(), QString(), QStringLiteral("3")}));
    QCOMPARE(f.doc->textRects().backPicture(2 * m + 5), QStringLiteral("/nonexistent/me.png"));
}

void TestMerge::emptyRecordListExpandsFirstSheetOnly()
{
    Fixture f(2,
              {QStringLiteral("氏名(R)"), QStringLiteral("謹賀新年"), QStringLiteral("\"御中\"")});
    for (int i = 0; i < f.doc->textRects().size(); ++i)
        f.doc->textRects().setText(i, QStringLiteral("untouched"));
    f.expandWithRecords();
    QCOMPARE(f.texts(), (QStringList{QString(), QStringLiteral("謹賀新年"), QStringLiteral("御中"),
                                     u"untouched"_qs, u"untouched"_qs, u"untouched"_qs}));
}

void TestMerge::moreRecordsThanSheets()
{
    Fixture f(2, {QStringLiteral("氏名(R)")});
    f.addRecords(5);
    f.expandWithRecords();
    QCOMPARE(f.doc->textRects().size(), 2);
    QCOMPARE(f.texts(), (QStringList{QStringLiteral("山田太郎"), QStringLiteral("山田太郎")}));
}

void TestMerge::damagedRecordReadsEmpty()
{
    // A record list whose name column is shorter than its other columns.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ArchiveWriter out(&buffer);
        for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
            if (CAddressData::isReservedColumn(c) || c == CAddressData::Name)
                out.writeStringArray({});
            else
                out.writeStringArray({QStringLiteral("A-1"), QStringLiteral("A-2")});
        }
        out.writeIntArray({1, 1});
        for (int c = 0; c < CAddressData::HistoryColumnCount; ++c)
            out.writeStringArray({});
        QVERIFY(out.finish());
    }
    Fixture f(2, {QStringLiteral("氏名(R)"), QStringLiteral("登録番号(R)")});
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ArchiveReader in(&buffer);
    f.doc->recordList().read(in);
    QVERIFY(in.ok());
    f.expandWithRecords();
    QCOMPARE(f.texts(),
             (QStringList{QString(), QStringLiteral("A-1"), QString(), QStringLiteral("A-2")}));
}

void TestMerge::pictureFields_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<bool>("withRecords");
    QTest::addColumn<int>("arp");
    QTest::addColumn<QString>("file");            // "wide" (200 × 100), "missing" or empty
    QTest::addColumn<QString>("expectedPicture"); // "record", "sender", "old", "" or "missing"
    QTest::addColumn<Rect>("expectedRect");

    const Rect original{0, 0, 1000, -1000};
    const Rect fitted{0, -250, 1000, -750};
    QTest::newRow("recipient picture, ARP 1") << QStringLiteral("画像(R)") << true << 1 << "wide"
                                              << "record" << fitted;
    QTest::newRow("recipient picture, ARP 0") << QStringLiteral("画像(R)") << true << 0 << "wide"
                                              << "record" << original;
    QTest::newRow("unreadable picture keeps the rectangle")
        << QStringLiteral("画像(R)") << true << 1 << "missing"
        << "missing" << original;
    QTest::newRow("no picture path clears the picture")
        << QStringLiteral("画像(R)") << true << 1 << ""
        << "" << original;
    QTest::newRow("sender picture") << QStringLiteral("画像(S)") << true << 1 << "wide"
                                    << "sender" << fitted;
    QTest::newRow("without records the recipient picture stays")
        << QStringLiteral("画像(R)") << false << 1 << "wide"
        << "old" << original;
    QTest::newRow("without records the sender picture is set")
        << QStringLiteral("画像(S)") << false << 1 << "wide"
        << "sender" << fitted;
}

void TestMerge::pictureFields()
{
    QFETCH(QString, attribute);
    QFETCH(bool, withRecords);
    QFETCH(int, arp);
    QFETCH(QString, file);
    QFETCH(QString, expectedPicture);
    QFETCH(Rect, expectedRect);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString wide = dir.filePath(QStringLiteral("wide.png"));
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(wide));
    const QString missing = dir.filePath(QStringLiteral("missing.png"));
    const QString path = file == QLatin1String("wide")      ? wide
                         : file == QLatin1String("missing") ? missing
                                                            : QString();

    Fixture f(1, {attribute});
    f.doc->environment().pictureAspect = arp;
    f.doc->textRects().setRect(0, Rect{0, 0, 1000, -1000});
    f.doc->textRects().setBackPicture(0, QStringLiteral("old.png"));
    f.doc->textRects().setText(0, QStringLiteral("stale"));
    f.addRecords(1, record({{CAddressData::EntryNumber, QStringLiteral("A-1")},
                            {CAddressData::Picture, path}}));
    f.addSender(record(
        {{CAddressData::EntryNumber, QStringLiteral("SENDER-1")}, {CAddressData::Picture, path}}));
    withRecords ? f.expandWithRecords() : f.expandWithoutRecords();

    const QString picture = f.doc->textRects().backPicture(0);
    if (expectedPicture == QLatin1String("old"))
        QCOMPARE(picture, QStringLiteral("old.png"));
    else
        QCOMPARE(picture, path);
    QCOMPARE(f.text(0), QString());
    QCOMPARE(f.doc->textRects().rect(0), expectedRect);
}

void TestMerge::fitToPicture_data()
{
    QTest::addColumn<Rect>("rect");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<Rect>("expected");

    QTest::newRow("wide picture narrows the height")
        << Rect{0, 0, 1000, -1000} << QSize(200, 100) << Rect{0, -250, 1000, -750};
    QTest::newRow("tall picture narrows the width")
        << Rect{0, 0, 1000, -1000} << QSize(100, 200) << Rect{250, 0, 750, -1000};
    QTest::newRow("same aspect stays")
        << Rect{100, -100, 300, -200} << QSize(400, 200) << Rect{100, -100, 300, -200};
    // (−101 + 50 − 0) / 2 truncates toward zero to −25 (not −26).
    QTest::newRow("centre truncates toward zero")
        << Rect{0, 0, 100, -101} << QSize(2, 1) << Rect{0, -25, 100, -75};
    QTest::newRow("odd width") << Rect{0, 0, 101, -100} << QSize(1, 1) << Rect{0, 0, 100, -100};
    QTest::newRow("empty picture leaves it")
        << Rect{0, 0, 100, -100} << QSize(0, 10) << Rect{0, 0, 100, -100};
}

void TestMerge::fitToPicture()
{
    QFETCH(Rect, rect);
    QFETCH(QSize, picture);
    QFETCH(Rect, expected);
    QCOMPARE(MergeExpander::fitToPicture(rect, picture), expected);
}

void TestMerge::kanjiNumerals_data()
{
    QTest::addColumn<int>("ntj");
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("expected");

    const QString vertical = QStringLiteral("@ＭＳ 明朝");
    QTest::newRow("postal code") << 1 << vertical << QStringLiteral("郵便番号(R)")
                                 << QStringLiteral("一二三ー四五六七");
    QTest::newRow("address") << 1 << vertical << QStringLiteral("住所1(R)")
                             << QStringLiteral("東京都千代田区一ー二ー三");
    QTest::newRow("date") << 1 << vertical << QStringLiteral("日付2(A)")
                          << QStringLiteral("二〇〇四年五月三日");
    QTest::newRow("full-width digits")
        << 1 << vertical << QStringLiteral("２丁目１０番") << QStringLiteral("二丁目一〇番");
    QTest::newRow("NTJ off") << 0 << vertical << QStringLiteral("郵便番号(R)")
                             << QStringLiteral("123-4567");
    QTest::newRow("horizontal face") << 1 << QStringLiteral("ＭＳ 明朝")
                                     << QStringLiteral("郵便番号(R)") << QStringLiteral("123-4567");
    QTest::newRow("@ inside the face name")
        << 1 << QStringLiteral("ＭＳ@明朝") << QStringLiteral("年(A)")
        << QStringLiteral("二〇〇四");
    // ァ is 0x83 0x40 in CP932: its second byte is "@", but the name has no "@".
    QTest::newRow("0x40 as a second byte")
        << 1 << QStringLiteral("ァ明朝") << QStringLiteral("年(A)") << QStringLiteral("2004");
}

void TestMerge::kanjiNumerals()
{
    QFETCH(int, ntj);
    QFETCH(QString, face);
    QFETCH(QString, attribute);
    QFETCH(QString, expected);
    Fixture f(1, {attribute}, 1, face, 900);
    f.doc->environment().kanjiNumerals = ntj;
    f.addRecords(1);
    f.expandWithRecords();
    QCOMPARE(f.text(0), expected);
    QCOMPARE(KanjiNumerals::convert(QStringLiteral("0123456789")),
             QStringLiteral("〇一二三四五六七八九"));
}

void TestMerge::numeralForms_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("dashes");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const int digits = KanjiNumerals::DigitByDigit;
    const int counting = KanjiNumerals::Counting;
    QTest::newRow("digit by digit") << digits << false << u"1-10-23"_qs << u"一-一〇-二三"_qs;
    QTest::newRow("digit by digit, dashes") << digits << true << u"1-10-23"_qs
                                            << u"一ー一〇ー二三"_qs;
    // The counting form: only the parts of an address number and floors.
    QTest::newRow("丁目 番 号") << counting << true << u"2丁目8番15号"_qs << u"二丁目八番十五号"_qs;
    QTest::newRow("0 before 番") << counting << true << u"0番"_qs << u"〇番"_qs;
    QTest::newRow("10 番地") << counting << true << u"10番地"_qs << u"十番地"_qs;
    QTest::newRow("302 番地") << counting << true << u"302番地"_qs << u"三百二番地"_qs;
    QTest::newRow("1111 番地") << counting << true << u"1111番地"_qs << u"千百十一番地"_qs;
    QTest::newRow("10000 番地") << counting << true << u"10000番地"_qs << u"一万番地"_qs;
    QTest::newRow("120305 番地") << counting << true << u"120305番地"_qs
                                 << u"十二万三百五番地"_qs;
    QTest::newRow("地割") << counting << true << u"3地割"_qs << u"三地割"_qs;
    QTest::newRow("address") << counting << true << u"弥生台1-10-23"_qs
                             << u"弥生台一ー十ー二十三"_qs;
    QTest::newRow("番地 of three digits in a chain") << counting << true
                                                    << u"東塩小路町721-1"_qs
                                                    << u"東塩小路町七百二十一ー一"_qs;
    QTest::newRow("full-width") << counting << true << u"２－８－１５"_qs << u"二ー八ー十五"_qs;
    QTest::newRow("half and full alike") << counting << true << u"2-8-15"_qs
                                         << u"二ー八ー十五"_qs;
    QTest::newRow("floor") << counting << true << u"3階"_qs << u"三階"_qs;
    QTest::newRow("floor 99") << counting << true << u"99階"_qs << u"九十九階"_qs;
    QTest::newRow("floor 100") << counting << true << u"100階"_qs << u"一〇〇階"_qs;
    QTest::newRow("room number") << counting << true << u"101号室"_qs << u"一〇一号室"_qs;
    QTest::newRow("room joined to the address") << counting << true << u"2-8-15-201"_qs
                                                << u"二ー八ー十五ー二〇一"_qs;
    QTest::newRow("number after a building name") << counting << true << u"コーポ若葉201"_qs
                                                  << u"コーポ若葉二〇一"_qs;
    QTest::newRow("two digits alone") << counting << true << u"ハイツ12"_qs << u"ハイツ一二"_qs;
    QTest::newRow("three digits alone") << counting << true << u"302"_qs << u"三〇二"_qs;
    QTest::newRow("postal code") << counting << true << u"〒164-0013"_qs
                                 << u"〒一六四ー〇〇一三"_qs;
    QTest::newRow("postal code without mark") << counting << true << u"164-1013"_qs
                                              << u"一六四ー一〇一三"_qs;
    QTest::newRow("telephone") << counting << true << u"03-1234-5678"_qs
                               << u"〇三ー一二三四ー五六七八"_qs;
    QTest::newRow("telephone without area code") << counting << true << u"1234-5678"_qs
                                                 << u"一二三四ー五六七八"_qs;
    QTest::newRow("address and room") << counting << true << u"弥生町2-8-15 コーポ若葉201号室"_qs
                                      << u"弥生町二ー八ー十五 コーポ若葉二〇一号室"_qs;
    QTest::newRow("minus, dash, bar") << digits << true << u"1−2‐3―4ｰ5"_qs
                                      << u"一ー二ー三ー四ー五"_qs;
    QTest::newRow("dashes kept") << counting << false << u"2－8-15"_qs << u"二－八-十五"_qs;
    QTest::newRow("dash not between digits") << counting << true << u"A-1 -2 3-"_qs
                                             << u"A-一 -二 三-"_qs;
    QTest::newRow("nine digits digit by digit") << counting << true << u"123456789番地"_qs
                                                << u"一二三四五六七八九番地"_qs;
    QTest::newRow("no digits") << counting << true << u"コーポ-若葉"_qs << u"コーポ-若葉"_qs;
}

void TestMerge::numeralForms()
{
    QFETCH(int, style);
    QFETCH(bool, dashes);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(KanjiNumerals::convert(input, KanjiNumerals::Style(style), dashes), expected);

    // The settings take the same path into a vertical region, and none into a horizontal.
    EnvironmentSettings env;
    env.numeralStyle = style;
    env.numeralDashes = dashes ? 1 : 0;
    QCOMPARE(KanjiNumerals::forRegion(env, FontRecord::make(u"@ＭＳ 明朝"_qs, -100, 900), input),
             expected);
    QCOMPARE(KanjiNumerals::forRegion(env, FontRecord::make(u"ＭＳ 明朝"_qs, -100, 0), input),
             input);
}

void TestMerge::nameBlocks_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QStringList>("joint"); // 連名1–5, then 敬称1–5
    QTest::addColumn<QString>("expected");
    const QStringList none(10);
    QTest::newRow("main name only") << u"宛名(R)"_qs << none << u"山田\t太郎\t様"_qs;
    QStringList family = none;
    family[0] = u"花子"_qs;
    family[5] = u"様"_qs;
    family[2] = u"一郎"_qs; // 連名3, after an empty 連名2
    family[7] = u"くん"_qs;
    QTest::newRow("empty joint name closed up")
        << u"宛名(R)"_qs << family << u"山田\t太郎\t様\n\t花子\t様\n\t一郎\tくん"_qs;
    QStringList joint = none;
    joint[0] = u"鈴木　花子"_qs; // a joint name with its own surname, 敬称1 empty as imported
    joint[1] = u"一郎"_qs;
    joint[6] = u"くん"_qs;
    QTest::newRow("own surname, empty honorific takes the main one")
        << u"宛名(R)"_qs << joint << u"山田\t太郎\t様\n鈴木\t花子\t様\n\t一郎\tくん"_qs;
    QTest::newRow("company lines") << u"宛名会社(R)"_qs << none
                                   << u"山田商事株式会社\n営業部　課長\n山田\t太郎\t様"_qs;
    QTest::newRow("sender") << u"宛名(S)"_qs << none << u"差出\t花子\t"_qs;
}

void TestMerge::nameBlocks()
{
    QFETCH(QString, attribute);
    QFETCH(QStringList, joint);
    QFETCH(QString, expected);
    QStringList values = record({{CAddressData::EntryNumber, u"1"_qs},
                                 {CAddressData::Name, u"山田　太郎"_qs},
                                 {CAddressData::Honorific, u"様"_qs},
                                 {CAddressData::Address1, u"東京都1-2-3"_qs},
                                 {CAddressData::Company, u"山田商事株式会社"_qs},
                                 {CAddressData::Department, u"営業部"_qs},
                                 {CAddressData::Position, u"課長"_qs}});
    for (int k = 0; k < 5; ++k) {
        values[CAddressData::JointName1 + 2 * k] = joint.at(k);
        values[CAddressData::JointName1 + 2 * k + 1] = joint.at(5 + k);
    }
    // A vertical face with numerals on: the block is kept as the names are.
    Fixture f(1, {attribute}, 1, u"@ＭＳ 明朝"_qs, 900);
    f.doc->environment().kanjiNumerals = 1;
    f.addRecords(1, values);
    f.addSender(record({{CAddressData::EntryNumber, u"S"_qs}, {CAddressData::Name, u"差出 花子"_qs}}));
    f.expandWithRecords();
    QCOMPARE(f.text(0), expected);
    const NameBlock block = NameBlock::fromText(expected);
    QCOMPARE(block.toText(), expected);
}

void TestMerge::newSender_data()
{
    QTest::addColumn<int>("records"); // 0: pages without records, as CSV rows leave them
    QTest::addColumn<bool>("blankFirst");
    QTest::addColumn<QStringList>("expected"); // 氏名(R), 宛名(S), 住所1(S)… per sheet
    const QString kept = u"edited"_qs;
    const QString second = u"二番\t目\t"_qs;
    QTest::newRow("records") << 2 << false
                             << QStringList{kept, second, u"大阪"_qs, kept, second, u"大阪"_qs};
    // The padding sheet of a used label stays empty.
    QTest::newRow("blank record first")
        << 2 << true << QStringList{kept, kept, kept, kept, second, u"大阪"_qs};
    QTest::newRow("no records: every sheet")
        << 0 << false << QStringList{kept, second, u"大阪"_qs, kept, second, u"大阪"_qs};
}

// A new sender changes only the regions of (S) fields on the sheets the merge fills.
void TestMerge::newSender()
{
    QFETCH(int, records);
    QFETCH(bool, blankFirst);
    QFETCH(QStringList, expected);
    Fixture f(2, {u"氏名(R)"_qs, u"宛名(S)"_qs, u"住所1(S)"_qs});
    f.addSender();
    f.addSender(record({{CAddressData::EntryNumber, u"S2"_qs},
                        {CAddressData::Name, u"二番 目"_qs},
                        {CAddressData::Address1, u"大阪"_qs}}));
    if (blankFirst)
        f.doc->recordList().appendBlankRecord();
    f.addRecords(records - (blankFirst ? 1 : 0));
    if (records > 0)
        f.expandWithRecords();
    else
        f.expandWithoutRecords();
    for (int i = 0; i < 6; ++i)
        f.doc->textRects().setText(i, u"edited"_qs);
    f.doc->scalars().senderIndex = 1;
    MergeExpander(*f.doc, kToday, nullptr).expandSenderRegions();
    for (int i = 0; i < 6; ++i)
        QCOMPARE(f.text(i), expected.at(i));
}

void TestMerge::fitsByTrod_data()
{
    QTest::addColumn<int>("trod");
    QTest::addColumn<bool>("measurer");
    QTest::addColumn<Rect>("expected");
    // "山田太郎" is 8 bytes: 400 wide at height 100, slack 25.
    QTest::newRow("enlarge") << 2 << true << Rect{10, -10, 435, -110};
    // 4h + h/4 <= 400 first holds at 90: the height narrows by 5 on each side.
    QTest::newRow("shrink") << 1 << true << Rect{10, -15, 410, -105};
    QTest::newRow("leave") << 0 << true << Rect{10, -10, 410, -110};
    QTest::newRow("two lines is drawing's business") << 3 << true << Rect{10, -10, 410, -110};
    QTest::newRow("no measurer") << 2 << false << Rect{10, -10, 410, -110};
}

void TestMerge::fitsByTrod()
{
    QFETCH(int, trod);
    QFETCH(bool, measurer);
    QFETCH(Rect, expected);
    FixedAdvanceMeasurer fixed;
    Fixture f(1, {QStringLiteral("氏名(R)")});
    f.doc->environment().fitData = trod;
    f.addRecords(1);
    f.expandWithRecords(measurer ? &fixed : nullptr);
    QCOMPARE(f.doc->textRects().rect(0), expected);

    Fixture g(1, {QStringLiteral("山田太郎")});
    g.doc->environment().fitData = trod;
    g.expandWithoutRecords(measurer ? &fixed : nullptr);
    QCOMPARE(g.doc->textRects().rect(0), expected);
}

void TestMerge::publishesProgress()
{
    Fixture f(2, {QStringLiteral("氏名(R)"), QStringLiteral("敬称(R)")}, 2);
    f.addRecords(3);
    QList<int> positions;
    MergeExpander with(*f.doc, kToday, nullptr);
    with.setProgress([&](int p) { positions.append(p); });
    with.expandWithRecords();
    QCOMPARE(positions, (QList<int>{0, 1, 2}));

    positions.clear();
    MergeExpander without(*f.doc, kToday, nullptr);
    without.setProgress([&](int p) { positions.append(p); });
    without.expandWithoutRecords();
    QCOMPARE(positions, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

void TestMerge::expandAllAppliesRules()
{
    Fixture f(2, {QStringLiteral("敬称(R)")});
    f.addRecords(2);
    CAutoReplaceData rules;
    AutoReplaceRule rule;
    rule.attribute = QStringLiteral("敬称(R)");
    rule.search = QStringLiteral("様");
    rule.replacement = QStringLiteral("御中");
    rules.append(rule);
    MergeExpander::expandAll(*f.doc, rules, kToday, nullptr);
    QCOMPARE(f.texts(), (QStringList{QStringLiteral("御中"), QStringLiteral("御中")}));
}

QTEST_GUILESS_MAIN(TestMerge)
#include "tst_merge.moc"
