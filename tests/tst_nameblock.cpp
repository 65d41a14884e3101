// Name blocks (宛名(R)): the layout of joint names, and the bundled postcards and envelopes
// with a family of six names and long addresses.

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "address/NameBlock.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/TemplateFile.h"
#include "pages/Pagination.h"
#include "render/NameBlockLayout.h"
#include "render/PictureCache.h"
#include "render/TextRegionRenderer.h"
#include "render/TextShaper.h"

#include <QDir>
#include <QTest>

#include <algorithm>

namespace {

using Role = NameBlockLayout::Role;

// Every character one em wide.
int emWide(const QString& text, int height)
{
    return int(text.size()) * height;
}

QStringList record(std::initializer_list<std::pair<int, QString>> fields)
{
    QStringList values(CAddressData::TextColumnCount);
    for (const auto& [column, value] : fields)
        values[column] = value;
    return values;
}

} // namespace

class TestNameBlock : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void bundledTemplates_data();
    void bundledTemplates();
};

void TestNameBlock::layout_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QString>("text"); // as the merge writes it
    QTest::addColumn<int>("height");   // the names' em size

    // A vertical region 26 mm across and 106 mm long, names at most 12 mm, as on the
    // postcard; lines are 2 + 0.5 + 2 + 0.5 + 1 = 6 em long, 720 at 120. Neighbouring lines
    // stand a quarter em apart: n lines take n + (n − 1) / 4 em across.
    QTest::newRow("one name") << 900 << u"山田\t太郎\t様"_qs << 120;
    QTest::newRow("two names") << 900 << u"山田\t太郎\t様\n\t花子\t様"_qs << 115;
    QTest::newRow("three names share the width")
        << 900 << u"山田\t太郎\t様\n\t花子\t様\n\t一郎\tくん"_qs << 74;
    QTest::newRow("six names") << 900 << u"山田\t太郎\t様\n\tA\t様\n\tB\t様\n\tC\t様\n\tD\t様\n\tE\t様"_qs
                               << 35;
    // 2 + 0.5 + 12 + 0.5 + 1 = 16 em must fit 1060: 66.
    QTest::newRow("long given name shrinks the block")
        << 900 << u"山田\t太郎\t様\n\tアレクサンドラ・ミハイロ\t様"_qs << 66;
    QTest::newRow("joint name without honorific")
        << 900 << u"山田\t太郎\t様\n\t花子\t"_qs << 115;
    QTest::newRow("joint name with its own surname")
        << 900 << u"田中\t太郎\t様\n鈴木\t花子\t様"_qs << 115;
    QTest::newRow("a longer joint surname")
        << 900 << u"田中\t太郎\t様\n長谷川\t花子\t様\n\t一郎\t様"_qs << 74;
    QTest::newRow("main name without a space")
        << 900 << u"山田太郎\t\t様\n\t花子\t様"_qs << 115;
    // 1 + 2 × 0.7 + 2 × 0.25 = 2.9 em in 260: 89.
    QTest::newRow("company lines") << 900 << u"山田商事株式会社\n営業部　課長\n山田\t太郎\t様"_qs
                                   << 89;
    QTest::newRow("horizontal") << 0 << u"山田\t太郎\t様\n\t花子\t様\n\t一郎\tくん"_qs << 74;
    QTest::newRow("turned the other way") << 2700 << u"山田\t太郎\t様\n\t花子\t様"_qs << 115;
}

// The given names start at one position, the honorifics at one position after every
// name, one size for the names, and every piece inside the region; vertical lines run
// from right to left, horizontal ones from the top.
void TestNameBlock::layout()
{
    QFETCH(int, orientation);
    QFETCH(QString, text);
    QFETCH(int, height);

    const bool turned = orientation == 900 || orientation == 2700;
    const Rect rect = turned ? Rect{370, -300, 630, -1360} : Rect{300, -370, 1360, -630};
    const NameBlock block = NameBlock::fromText(text);
    const NameBlockLayout l =
        NameBlockLayout::compute(rect, orientation, 1, 120, block, emWide);
    QCOMPARE(l.nameHeight, height);
    QVERIFY(!l.pieces.isEmpty());

    int given = -1, honorific = -1, nameEnd = 0, surnames = 0;
    const int mainLine = int(block.company.size());
    for (const NameBlockLayout::Piece& p : l.pieces) {
        QVERIFY2(p.along >= 0 && p.along + p.width <= l.span, qPrintable(p.text));
        QVERIFY2(p.across >= 0 && p.across + p.height <= l.crossSize, qPrintable(p.text));
        QCOMPARE(p.height, p.role == Role::Company ? int(height * 0.7) : height);
        if (p.role == Role::Surname) {
            // Every surname level with the main one, at the line's start.
            ++surnames;
            QCOMPARE(p.along, l.pieces.at(mainLine).along);
        }
        if (p.role == Role::Given && !block.names.first().given.isEmpty()) {
            if (given < 0)
                given = p.along;
            QCOMPARE(p.along, given);
        }
        if (p.role == Role::Surname || p.role == Role::Given)
            nameEnd = std::max(nameEnd, p.along + p.width);
        if (p.role == Role::Honorific) {
            if (honorific < 0)
                honorific = p.along;
            QCOMPARE(p.along, honorific);
        }
        // The line's place across the region, in the order of the lines.
        const auto at = [&](const NameBlockLayout::Piece& q) {
            return orientation == 900 ? -q.start.x()
                   : orientation == 2700 ? q.start.x()
                                         : -q.start.y();
        };
        for (const NameBlockLayout::Piece& q : l.pieces) {
            if (q.line > p.line)
                QVERIFY(at(q) > at(p));
            // Neighbouring lines a quarter em apart, not touching.
            if (q.line == p.line + 1 && q.role != Role::Company && p.role != Role::Company)
                QVERIFY2(at(q) - at(p) >= height + height / 4 - 1, qPrintable(q.text));
        }
    }
    const int withSurname = int(std::count_if(block.names.begin(), block.names.end(),
                                              [](const auto& n) { return !n.surname.isEmpty(); }));
    QCOMPARE(surnames, withSurname);
    if (honorific >= 0)
        QVERIFY(honorific > nameEnd);
    if (block.names.first().given.isEmpty() && block.names.size() > 1) {
        // Without a given name to align to, the joint names end where the main name ends.
        QCOMPARE(l.pieces.at(1).along + l.pieces.at(1).width, nameEnd);
    }
}

void TestNameBlock::bundledTemplates_data()
{
    QTest::addColumn<QString>("title");
    for (const char* t : {"はがき宛名（縦書き）", "はがき宛名（横書き）", "往復はがき宛名（縦書き）",
                          "長形3号封筒宛名（縦書き）", "長形4号封筒宛名（縦書き）",
                          "洋形2号封筒宛名（縦書き）", "角形2号封筒宛名（縦書き）", "A4ラベル10面",
                          "A4ラベル12面", "A4ラベル12面（バーコード付き）", "A4ラベル18面",
                          "A4ラベル21面", "A4ラベル24面", "A4ラベル44面", "A4ラベル65面"})
        QTest::newRow(t) << QString::fromUtf8(t);
}

// A family of six names at a 30-character address, from a sender with a joint name: every
// name prints, and every text stays inside its region and the card.
void TestNameBlock::bundledTemplates()
{
    QFETCH(QString, title);
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.newDocument();
    QCOMPARE(TemplateFile::apply(doc, QDir(QStringLiteral(ORINOTE_CATALOGUE_DIR))
                                          .filePath(title + QStringLiteral(".ont"))),
             QString());
    CAddressData& group = doc.addressBook().group(0);
    group.appendRecord(record({{CAddressData::EntryNumber, u"1"_qs},
                               {CAddressData::PostalCode, u"164-0013"_qs},
                               {CAddressData::Address1, u"鹿児島県鹿児島市吉野町字大明ヶ丘一丁目二千三百四十五番地六十"_qs},
                               {CAddressData::Address2, u"グランドメゾン札幌中央公園前１２０３号室"_qs},
                               {CAddressData::Address3, u"長谷川様方"_qs},
                               {CAddressData::Company, u"長谷川商事株式会社"_qs},
                               {CAddressData::Department, u"営業部"_qs},
                               {CAddressData::Position, u"部長"_qs},
                               {CAddressData::Name, u"長谷川　太郎"_qs},
                               {CAddressData::Honorific, u"様"_qs},
                               {9, u"花子"_qs}, {10, u"様"_qs}, {11, u"一郎"_qs}, {12, u"様"_qs},
                               {13, u"次郎"_qs}, {14, u"くん"_qs}, {15, u"桜"_qs}, {16, u"ちゃん"_qs},
                               {17, u"梅"_qs}, {18, u"ちゃん"_qs}}));
    group.setFlag(0, 1);
    doc.addressBook().group(AddressBook::SenderGroup)
        .appendRecord(record({{CAddressData::EntryNumber, u"S1"_qs},
                              {CAddressData::Address1, u"東京都中野区弥生台二丁目八番十五号"_qs},
                              {CAddressData::Name, u"青柳　春菜"_qs},
                              {9, u"大輔"_qs}}));
    QCOMPARE(group.field(0, CAddressData::Address1).size(), 30);
    QCOMPARE(group.field(0, CAddressData::Address2).size(), 20);
    Pagination::buildFromReservation(doc, QDate(2024, 1, 1), nullptr);

    TextShaper shaper;
    PictureCache pictures;
    TextRegionRenderer renderer(shaper, pictures);
    const Rect paper = doc.labelTemplate().paperRect;
    const bool labels = title.contains(u"ラベル");
    int blocks = 0;
    QStringList printed; // the merge fields of the first sheet that print something
    for (int i = 0; i < doc.textRects().size(); ++i) {
        const TextRect region = doc.textRects().at(i);
        if (labels && (i >= doc.regionsPerSheet() || region.text.isEmpty()))
            continue; // the other labels stay blank
        printed.append(region.attribute);
        const QByteArray what = region.attribute.toUtf8();
        QVERIFY2(region.rect.left >= paper.left && region.rect.right <= paper.right &&
                     region.rect.top <= paper.top && region.rect.bottom >= paper.bottom,
                 what);
        if (NameBlock::isField(region.attribute)) {
            ++blocks;
            const NameBlockLayout l = renderer.nameBlockLayout(region, region.text);
            const bool recipient = region.attribute.endsWith(u"(R)");
            int names = 0;
            for (const NameBlockLayout::Piece& p : l.pieces) {
                names += p.role == Role::Given ? 1 : 0;
                QVERIFY2(p.along >= 0 && p.along + p.width <= l.span, what);
                QVERIFY2(p.across >= 0 && p.across + p.height <= l.crossSize, what);
            }
            QCOMPARE(names, recipient ? 6 : 2);
            continue;
        }
        TextRegionRenderer::Context context;
        context.mode = RenderMode::Print;
        const RegionLayout l = renderer.layout(region, region.text, context);
        if (region.attribute.startsWith(u"住所")) {
            QVERIFY2(region.squeezesLongText(), what);
            QVERIFY2(l.offset >= 0 && l.offset + l.width * l.squeeze <= l.span + 1, what);
        }
    }
    // The 洋形 and 角形 envelopes keep their one-name regions; a label has the recipient's
    // block with the company lines, and 住所3.
    QCOMPARE(blocks, title.contains(u"長形") || labels ? 1 : title.contains(u"封筒") ? 0 : 2);
    if (labels) {
        QVERIFY(printed.contains(u"宛名会社(R)"_qs));
        QVERIFY(printed.contains(u"住所3(R)"_qs));
    }
    if (title.startsWith(u"長形3号"))
        QVERIFY(printed.contains(u"役職(R)"_qs));
}

QTEST_MAIN(TestNameBlock)
#include "tst_nameblock.moc"
