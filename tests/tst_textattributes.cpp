// Text attributes of the selected region without a window: styles, alignment, turning
// the text, the font and its size question, backgrounds, sheet backgrounds, find and
// replace with the overflow settings, and the commands' enabled and checked states.

#include "app/CommandIds.h"
#include "app/TextCommands.h"
#include "edit/FindReplace.h"
#include "edit/RegionBackground.h"
#include "edit/SheetBackgrounds.h"
#include "edit/TextAttributes.h"
#include "edit/TextImport.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "model/TextMeasurer.h"
#include "support/ProfileDocument.h"

#include <QTemporaryDir>

#include <limits>
#include <QTest>

#include <memory>

using namespace CommandIds;
using TextAttributes::Style;

namespace {

// Every character 100 units long, whatever the font.
class FixedMeasurer : public TextMeasurer
{
public:
    int textExtent(const QString& text, const FontRecord&, int) const override
    {
        return int(text.size()) * 100;
    }
};

// "a|b|c" as a list; an empty cell is an empty string.
QStringList cells(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char('|'));
}

struct Fixture : ProfileDocument
{
    explicit Fixture(const QStringList& attributes = {QStringLiteral("x")})
    {
        doc->templateMode = 1;
        for (int i = 0; i < attributes.size(); ++i) {
            doc->addTemplateTextRegion(Rect{100, -100 - 200 * i, 1100, -600 - 200 * i}, nullptr);
            tpl().regions.setAttribute(i, attributes.at(i));
        }
        doc->selection().textRect = 0;
    }
    CLabelSheetTemplate& tpl() { return doc->labelTemplate(); }
    FontRecord font() { return tpl().regions.font(0); }
};

} // namespace

class TestTextAttributes : public QObject
{
    Q_OBJECT
private slots:
    void bold_data();
    void bold();
    void stylesAndStates();
    void turnText();
    void fontAndSize_data();
    void fontAndSize();
    void backgroundFit_data();
    void backgroundFit();
    void sheetBackgrounds();
    void findNextDoesNotWrap();
    void replaceAll();
    void replaceFitsOnlyWithoutPlaceholders();
    void nothingWithoutRegion();
    void importLines_data();
    void importLines();
    void importRefusals_data();
    void importRefusals();
    void importFitsOnlyWithoutPlaceholders();
    void importSlack_data();
    void importSlack();
};

void TestTextAttributes::bold_data()
{
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("after");
    QTest::newRow("400 → 700") << 400 << 700;
    QTest::newRow("700 → 400") << 700 << 400;
    QTest::newRow("600 → 400") << 600 << 400;
}

void TestTextAttributes::bold()
{
    QFETCH(int, weight);
    QFETCH(int, after);
    Fixture f;
    FontRecord font = f.font();
    font.weight = weight;
    f.tpl().regions.setFont(0, font);
    TextCommands::run(TextBold, *f.doc);
    QCOMPARE(f.font().weight, after);
    QCOMPARE(f.doc->undoAvailable, 1);
    QVERIFY(f.doc->isModified());
}

void TestTextAttributes::stylesAndStates()
{
    Fixture f;
    QVERIFY(TextCommands::state(TextItalic, *f.doc).enabled);
    QVERIFY(!TextCommands::state(TextItalic, *f.doc).checked);
    for (const int command : {TextItalic, TextStrikeOut, TextUnderline, TextAlignRight})
        TextCommands::run(command, *f.doc);
    const FontRecord font = f.font();
    QCOMPARE(int(font.italic) + font.strikeOut + font.underline, 3);
    QCOMPARE(f.tpl().regions.alignment(0), 2);
    QVERIFY(TextCommands::state(TextUnderline, *f.doc).checked);
    QVERIFY(TextCommands::state(TextAlignRight, *f.doc).checked);
    QVERIFY(!TextCommands::state(TextAlignLeft, *f.doc).checked);
    f.doc->undo();
    QCOMPARE(f.tpl().regions.alignment(0), 0);
    QCOMPARE(f.tpl().regions.font(0).underline, quint8(1));
}

void TestTextAttributes::turnText()
{
    Fixture f;
    const Rect before = f.tpl().regions.rect(0);
    const QList<int> angles = {900, 1800, 2700, 0};
    for (const int angle : angles) {
        TextAttributes::turnText(*f.doc, true);
        QCOMPARE(f.font().escapement, angle);
        QCOMPARE(f.font().orientation, angle);
    }
    TextAttributes::turnText(*f.doc, false);
    QCOMPARE(f.font().escapement, 2700);
    QCOMPARE(f.tpl().regions.rect(0), before);
}

void TestTextAttributes::fontAndSize_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("angle");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<Rect>("sized"); // from (100, -100, 1100, -600) at 12 points

    QTest::newRow("12 points across: 42 high") << QStringLiteral("IPAGothic") << 0 << QString()
                                              << Rect{100, -100, 1100, -142};
    QTest::newRow("12 points down: 42 wide") << QStringLiteral("@ＭＳ 明朝") << 900 << QString()
                                            << Rect{100, -100, 142, -600};
    QTest::newRow("a face longer than the record")
        << QStringLiteral("とても長いフォントの名前でございます明朝体") << 0
        << QStringLiteral("フォント名が長すぎるため、このフォントは使用できません。")
        << Rect{100, -100, 1100, -600};
}

void TestTextAttributes::fontAndSize()
{
    QFETCH(QString, face);
    QFETCH(int, angle);
    QFETCH(QString, refusal);
    QFETCH(Rect, sized);
    Fixture f;
    FontRecord font = f.font();
    font.escapement = font.orientation = angle;
    font.underline = 1;
    font.height = -77;
    f.tpl().regions.setFont(0, font);
    TextAttributes::FontChoice choice;
    choice.face = face;
    choice.weight = 700;
    choice.italic = true;
    QCOMPARE(TextAttributes::setFont(*f.doc, choice), refusal);
    if (refusal.isEmpty()) {
        TextAttributes::sizeToPoints(*f.doc, 12);
        QCOMPARE(f.font().faceName(), face);
        QCOMPARE(f.font().weight, 700);
        // Only weight, italic, character set and face come from the dialog.
        QCOMPARE(f.font().underline, quint8(1));
        QCOMPARE(f.font().height, -77);
    }
    QCOMPARE(f.tpl().regions.rect(0), sized);
    QCOMPARE(f.doc->undoAvailable, refusal.isEmpty() ? 1 : 0);
}

void TestTextAttributes::backgroundFit_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<Rect>("after"); // from (100, -100, 1100, -600): 1000 × 500

    QTest::newRow("square: 500 × 500 moved right by 250") << QSize(200, 200)
                                                           << Rect{350, -100, 850, -600};
    QTest::newRow("wide: keeps the width, centred down") << QSize(400, 100)
                                                         << Rect{100, -225, 1100, -475};
}

void TestTextAttributes::backgroundFit()
{
    QFETCH(QSize, picture);
    QFETCH(Rect, after);
    Fixture f;
    RegionBackground::Values v = RegionBackground::of(*f.doc);
    QVERIFY(v.noColor);
    v.picture = QStringLiteral("/p.png");
    v.keyColor = 0x00FF00;
    v.keyOn = true;
    v.transparency = 130;
    RegionBackground::apply(*f.doc, v);
    RegionBackground::fitToPicture(*f.doc, picture);
    QCOMPARE(f.tpl().regions.rect(0), after);
    QCOMPARE(f.tpl().regions.transparentColor(0), 0x00FF00);
    QCOMPARE(f.tpl().regions.pictureTransparency(0), 100);
    f.doc->undo(); // one step for the values and the fitting
    QCOMPARE(f.tpl().regions.rect(0), (Rect{100, -100, 1100, -600}));
    QVERIFY(f.tpl().regions.backPicture(0).isEmpty());
}

void TestTextAttributes::sheetBackgrounds()
{
    Fixture f;
    f.doc->addTemplateSheet(Rect{0, 0, 10, -10});
    f.doc->scalars().currentSheetNo = 2;
    SheetBackgrounds b = SheetBackgrounds::load(*f.doc);
    QCOMPARE(b.startIndex(), 1);
    QCOMPARE(b.checkNumber(3), QStringLiteral("ラベル番号の値が正しくありません。"));
    QVERIFY(b.checkNumber(2).isEmpty());
    SheetBackgrounds::Values v;
    v.color = 0x112233;
    v.bleedX = -101;
    QCOMPARE(b.store(1, v), QStringLiteral("「シートの枠をはみ出す幅」を変更してください。"));
    v.bleedX = -100;
    QVERIFY(b.store(1, v).isEmpty());
    b.apply(*f.doc);
    QCOMPARE(f.tpl().sheets.backColor(1), 0x112233);
    QCOMPARE(f.tpl().sheets.bleedX(1), -100);
    QCOMPARE(f.tpl().sheets.backColor(0), 0xFFFFFF);
    QCOMPARE(f.doc->undoAvailable, 1);
}

void TestTextAttributes::findNextDoesNotWrap()
{
    Fixture f({QStringLiteral("山田様"), QStringLiteral("鈴木"), QStringLiteral("山田花子")});
    FindReplace find;
    QVERIFY(find.findNext(*f.doc, QStringLiteral("山田")));
    QCOMPARE(find.position(), 0);
    QVERIFY(find.findNext(*f.doc, QStringLiteral("山田")));
    QCOMPARE(f.doc->selection().textRect, 2);
    QVERIFY(!find.findNext(*f.doc, QStringLiteral("山田")));
    QCOMPARE(find.position(), -1);
    QCOMPARE(f.doc->undoAvailable, 0); // finding changes nothing
}

void TestTextAttributes::replaceAll()
{
    Fixture f({QStringLiteral("山田様"), QStringLiteral("鈴木"), QStringLiteral("山田花子")});
    FindReplace find;
    QCOMPARE(find.replaceAll(*f.doc, QStringLiteral("山田"), QStringLiteral("佐藤"), nullptr), 2);
    QCOMPARE(f.tpl().regions.attribute(0), QStringLiteral("佐藤様"));
    QCOMPARE(f.tpl().regions.attribute(2), QStringLiteral("佐藤花子"));
    QCOMPARE(FindReplace::replaced(2), QStringLiteral("2個のアイテムを置換しました。"));
    f.doc->undo();
    QCOMPARE(f.tpl().regions.attribute(2), QStringLiteral("山田花子"));
}

// In template mode "TROT" fits a region whose new text holds no (S) or (R) placeholder.
void TestTextAttributes::replaceFitsOnlyWithoutPlaceholders()
{
    Fixture f({QStringLiteral("(R)様(S)"), QStringLiteral("(R)")});
    f.doc->environment().fitTemplate = 2; // enlarge
    const FixedMeasurer measurer;
    FindReplace find;
    QCOMPARE(find.replaceAll(*f.doc, QStringLiteral("(R)"), QStringLiteral("山田太郎様方御中御一同"), &measurer),
             2);
    QCOMPARE(f.tpl().regions.rect(0), (Rect{100, -100, 1100, -600}));
    QVERIFY(f.tpl().regions.rect(1).right > 1100);
}

void TestTextAttributes::nothingWithoutRegion()
{
    Fixture f;
    f.doc->selection().textRect = -1;
    QVERIFY(!TextCommands::state(TextBold, *f.doc).enabled);
    QVERIFY(TextCommands::state(SheetBackground, *f.doc).enabled);
    TextAttributes::toggle(*f.doc, Style::Bold);
    TextAttributes::setFrame(*f.doc, {true, true, true, true, 3, 0});
    QCOMPARE(f.doc->undoAvailable, 0);
    QCOMPARE(f.font().weight, 400);
}

// Three regions "一", "二", "三"; the selection is the group in the given order.
void TestTextAttributes::importLines_data()
{
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("after");
    const QList<int> inOrder{0, 1, 2};
    QTest::newRow("four lines, three regions: the fourth is ignored")
        << inOrder << QStringLiteral("a\r\nb\r\nc\r\nd") << cells("a|b|c");
    QTest::newRow("one line: only the first region changes")
        << inOrder << QStringLiteral("a") << cells("a|二|三");
    QTest::newRow("an empty middle line empties the second region")
        << inOrder << QStringLiteral("a\n\nc") << cells("a||c");
    QTest::newRow("only a CR before a LF is dropped")
        << inOrder << QStringLiteral("a\rb\r\nc\r") << cells("a\rb|c\r|三");
    QTest::newRow("lines follow the selection order")
        << QList<int>{2, 0} << QStringLiteral("x\r\ny") << cells("y|二|x");
}

void TestTextAttributes::importLines()
{
    QFETCH(QList<int>, order);
    QFETCH(QString, text);
    QFETCH(QStringList, after);
    Fixture f({QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")});
    f.doc->editTool = TextImport::RegionTool;
    for (const int i : order)
        f.doc->selection().addToGroup(ObjectRef{ObjectRef::TextRectKind, i});
    QStringList before;
    for (const int i : order)
        before.append(f.tpl().regions.attribute(i));
    QCOMPARE(TextImport::initialText(*f.doc), before.join(QStringLiteral("\r\n")));
    TextImport::apply(*f.doc, text, nullptr);
    QStringList now;
    for (int i = 0; i < 3; ++i)
        now.append(f.tpl().regions.attribute(i));
    QCOMPARE(now, after);
    QVERIFY(f.doc->isModified());
    f.doc->undo(); // one step takes every region back
    QCOMPARE(f.tpl().regions.attribute(0), QStringLiteral("一"));
    QCOMPARE(f.tpl().regions.attribute(2), QStringLiteral("三"));
}

void TestTextAttributes::importRefusals_data()
{
    QTest::addColumn<int>("regions");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("message");
    const QString select = QStringLiteral("文字列編集領域を選択してください。");
    QTest::newRow("nothing selected") << 2 << 0 << 3 << select;
    QTest::newRow("another tool in template mode") << 2 << 2 << 1 << select;
    QTest::newRow("thirty regions") << 30 << 30 << 3 << QString();
    QTest::newRow("thirty-one regions")
        << 31 << 31 << 3 << QStringLiteral("一度に処理できる文字列編集領域は30までです。");
}

void TestTextAttributes::importRefusals()
{
    QFETCH(int, regions);
    QFETCH(int, selected);
    QFETCH(int, tool);
    QFETCH(QString, message);
    QStringList names;
    for (int i = 0; i < regions; ++i)
        names.append(QString::number(i));
    Fixture f(names);
    f.doc->selection().textRect = -1;
    f.doc->editTool = tool;
    for (int i = 0; i < selected; ++i)
        f.doc->selection().addToGroup(ObjectRef{ObjectRef::TextRectKind, i});
    QCOMPARE(TextImport::refusal(*f.doc), message);
    TextImport::apply(*f.doc, QStringLiteral("changed"), nullptr);
    QCOMPARE(f.doc->undoAvailable, message.isEmpty() ? 1 : 0);
    QCOMPARE(f.tpl().regions.attribute(0), message.isEmpty() ? QStringLiteral("changed")
                                                              : QStringLiteral("0"));
}

// "TROT" 2 lengthens a region for a plain line but leaves one with a merge field alone.
void TestTextAttributes::importFitsOnlyWithoutPlaceholders()
{
    Fixture f({QStringLiteral("a"), QStringLiteral("b")});
    f.doc->environment().fitTemplate = 2;
    f.doc->editTool = TextImport::RegionTool;
    f.doc->selection().addToGroup(ObjectRef{ObjectRef::TextRectKind, 0});
    f.doc->selection().addToGroup(ObjectRef{ObjectRef::TextRectKind, 1});
    const FixedMeasurer measurer;
    TextImport::apply(*f.doc, QStringLiteral("氏名(R)氏名(R)氏名(R)\r\n山田太郎様方御中御一同"),
                      &measurer);
    QCOMPARE(f.tpl().regions.rect(0), (Rect{100, -100, 1100, -600}));
    QVERIFY(f.tpl().regions.rect(1).right > 1100);
}

void TestTextAttributes::importSlack_data()
{
    QTest::addColumn<qint64>("width");
    QTest::addColumn<qint64>("space");
    QTest::addColumn<qint64>("span");
    QTest::addColumn<int>("slack");
    QTest::newRow("five spaces short") << qint64(500) << qint64(100) << qint64(1000) << 5;
    QTest::newRow("part of a space short") << qint64(950) << qint64(100) << qint64(1000) << 1;
    QTest::newRow("exactly as long") << qint64(1000) << qint64(100) << qint64(1000) << -1;
    QTest::newRow("one and a half spaces over")
        << qint64(1150) << qint64(100) << qint64(1000) << -2;
    QTest::newRow("no space width") << qint64(1000) << qint64(0) << qint64(1000) << -1;
    QTest::newRow("far too long, no overflow")
        << qint64(1) << qint64(1) << (qint64(1) << 40) << std::numeric_limits<int>::max();
}

void TestTextAttributes::importSlack()
{
    QFETCH(qint64, width);
    QFETCH(qint64, space);
    QFETCH(qint64, span);
    QFETCH(int, slack);
    QCOMPARE(TextImport::slackOf(width, space, span), slack);
    if (width != 500)
        return;
    // Through the regions: a region 1000 long, "abc" 300 long, a space 100.
    Fixture f({QStringLiteral("x"), QStringLiteral("y")});
    f.doc->editTool = TextImport::RegionTool;
    f.doc->selection().addToGroup(ObjectRef{ObjectRef::TextRectKind, 1});
    f.doc->selection().addToGroup(ObjectRef{ObjectRef::TextRectKind, 0});
    const FixedMeasurer measurer;
    QCOMPARE(TextImport::slack(*f.doc, QStringLiteral("abc\r\nabcdefghijk\r\nz"), measurer),
             (QList<int>{7, -2}));
}

QTEST_MAIN(TestTextAttributes)
#include "tst_textattributes.moc"
