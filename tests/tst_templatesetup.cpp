// The template property sheet's core: the working copy, the range checks and messages of
// add/change/delete, fitting an added region to its text, and "更新" with the paper
// question, the scaling and the undo step.

#include "edit/TemplateSetup.h"
#include "edit/PaperName.h"
#include "edit/TemplateSetupApply.h"
#include "edit/TemplateSetupEdits.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "model/TextMeasurer.h"
#include "support/ProfileDocument.h"

#include <QTemporaryDir>
#include <QFile>
#include <QImage>
#include <QTest>

#include <memory>

using namespace TemplateSetupEdits;

Q_DECLARE_METATYPE(RectFields)
Q_DECLARE_METATYPE(Rect)

char* toString(const Rect& r)
{
    return QTest::toString(QStringLiteral("(%1, %2, %3, %4)")
                               .arg(r.left)
                               .arg(r.top)
                               .arg(r.right)
                               .arg(r.bottom));
}

char* toString(const Point& p)
{
    return QTest::toString(QStringLiteral("(%1, %2)").arg(p.x).arg(p.y));
}

namespace {

// Every character is a square of the cross size.
class SquareMeasurer : public TextMeasurer
{
public:
    int textExtent(const QString& text, const FontRecord&, int crossSize) const override
    {
        return int(text.size()) * crossSize;
    }
};

struct Fixture : ProfileDocument
{
    QStringList asked;
    bool answer = true;

    // Template mode on an A4 page with two sheets, one region and one ruled line.
    Fixture()
    {
        CLabelSheetTemplate& t = doc->labelTemplate();
        t.sheets.clear();
        doc->addTemplateSheet(Rect{0, 0, 1050, -1485});
        doc->addTemplateSheet(Rect{1050, 0, 2100, -1485});
        doc->addTemplateTextRegion(Rect{100, -100, 600, -300}, nullptr);
        Keisenn line;
        line.start = Point{0, -1485};
        line.end = Point{2100, -1485};
        t.keisenns.append(line);
        doc->templateMode = 1;
        doc->setModified(false);
    }
    TemplateSetup copy() const { return TemplateSetup::of(doc->labelTemplate()); }
    TemplateSetupApply::AskYesNo ask()
    {
        return [this](const QString& q) {
            asked.append(q);
            return answer;
        };
    }
};

RectFields fields(qint64 x, qint64 y, qint64 h, qint64 w)
{
    return RectFields{x, y, h, w};
}

} // namespace

class TestTemplateSetup : public QObject
{
    Q_OBJECT
private slots:
    void copyShowsYBelowTheTop();
    void rebasedMergesByObject_data();
    void rebasedMergesByObject();
    void sheetRanges_data();
    void sheetRanges();
    void regionRanges_data();
    void regionRanges();
    void lineWidthRange_data();
    void lineWidthRange();
    void changeNeedsOneRow_data();
    void changeNeedsOneRow();
    void twoLinesChangeWidthAndColourOnly();
    void deleteRows();
    void addRegionFitsFixedText_data();
    void addRegionFitsFixedText();
    void fittingStaysOnThePaper();
    void changeRegionAppliesFitSetting_data();
    void changeRegionAppliesFitSetting();
    void applyRefusesPaper_data();
    void applyRefusesPaper();
    void applyScalesOnYes_data();
    void applyScalesOnYes();
    void applyWithoutSheetsTakesNewPaper();
    void paperPictureChecked();
    void applyWithoutSheetAddsPaperSheet();
    void applyUnchangedWritesNothing();
    void pageEditsAndApplyAreOneUndoStep();
    void scalingDegenerateAndHugeInput();
};

void TestTemplateSetup::copyShowsYBelowTheTop()
{
    Fixture f;
    const TemplateSetup s = f.copy();
    QCOMPARE(s.paperHeight, 2970);
    QCOMPARE(s.paperWidth, 2100);
    QVERIFY(s.matches(f.doc->labelTemplate()));
    const RectFields r = RectFields::of(s.regions.rect(0));
    QCOMPARE(r.x, 100);
    QCOMPARE(r.y, 100);
    QCOMPARE(r.height, 200);
    QCOMPARE(r.width, 500);
    QCOMPARE(r.toRect(), s.regions.rect(0));
    const LineFields l = LineFields::of(s.lines.at(0));
    QCOMPARE(l.y1, 1485);
    QCOMPARE(l.start(), (Point{0, -1485}));
}

// Regions written as their left edges, "b" for bold: the pages' copy and the template
// both changed since the copy was taken, each to other objects, or to the same one
// (asked, the answer given).
namespace {

TextRectFamily regionsOf(const QString& text)
{
    TextRectFamily f;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        TextRect r;
        const int x = QString(word).remove(u'b').toInt();
        r.rect = Rect{x, -100, x + 100, -200};
        r.font.weight = word.endsWith(u'b') ? 700 : 400;
        f.append(r);
    }
    return f;
}

QString textOf(const TextRectFamily& f)
{
    QStringList words;
    for (int i = 0; i < f.size(); ++i)
        words.append(QString::number(f.rect(i).left) +
                     (f.font(i).weight == 700 ? QStringLiteral("b") : QString()));
    return words.join(u' ');
}

} // namespace

void TestTemplateSetup::rebasedMergesByObject_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("pages");
    QTest::addColumn<QString>("view");
    QTest::addColumn<bool>("pagesWin"); // the answer where asked
    QTest::addColumn<QString>("merged");
    QTest::addColumn<int>("asked");
    QTest::newRow("pages add, view bolds") << "100 200" << "100 200 300" << "100b 200" << true << "100b 200 300" << 0;
    QTest::newRow("each moves another") << "100 200" << "150 200" << "100 250" << true << "150 250" << 0;
    QTest::newRow("pages delete, view bolds another") << "100 200 300" << "100 300" << "100 200 300b" << true << "100 300b" << 0;
    QTest::newRow("view deletes, pages add") << "100 200" << "100 200 300" << "200" << true << "200 300" << 0;
    QTest::newRow("both add") << "100" << "100 300" << "100 200" << true << "100 200 300" << 0;
    QTest::newRow("both the same change") << "100 200" << "100b 300" << "100b 200" << true << "100b 300" << 0;
    QTest::newRow("both move one: pages") << "100 200" << "150 200" << "120 200" << true << "150 200" << 1;
    QTest::newRow("both move one: view") << "100 200" << "150 200" << "120 200" << false << "120 200" << 1;
    QTest::newRow("view deletes what pages change: view") << "100 200" << "100 250" << "100" << false << "100" << 1;
    QTest::newRow("view deletes what pages change: pages") << "100 200" << "100 250" << "100" << true << "100 250" << 1;
}

void TestTemplateSetup::rebasedMergesByObject()
{
    QFETCH(QString, base);
    QFETCH(QString, pages);
    QFETCH(QString, view);
    QFETCH(bool, pagesWin);
    QFETCH(QString, merged);
    QFETCH(int, asked);
    TemplateSetup b;
    b.regions = regionsOf(base);
    TemplateSetup e = b;
    e.regions = regionsOf(pages);
    TemplateSetup n = b;
    n.regions = regionsOf(view);
    n.lines.append(Keisenn{Point{0, 0}, Point{100, 0}, 1, 0}); // the view's alone
    QList<int> questions;
    const TemplateSetup out = TemplateSetup::rebased(
        e, b, n, [&](TemplateSetup::ObjectKind kind, int index) {
            questions.append(index);
            return kind == TemplateSetup::ObjectKind::Region && pagesWin;
        });
    QCOMPARE(textOf(out.regions), merged);
    QCOMPARE(questions.size(), asked);
    QCOMPARE(out.lines.size(), 1);
}

void TestTemplateSetup::sheetRanges_data()
{
    QTest::addColumn<RectFields>("f");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("height 49") << fields(0, 0, 49, 100) << false;
    QTest::newRow("height 50") << fields(0, 0, 50, 100) << true;
    QTest::newRow("height 4200") << fields(0, 0, 4200, 100) << true;
    QTest::newRow("height 4201") << fields(0, 0, 4201, 100) << false;
    QTest::newRow("width 49") << fields(0, 0, 100, 49) << false;
    QTest::newRow("width 2970") << fields(0, 0, 100, 2970) << true;
    QTest::newRow("width 2971") << fields(0, 0, 100, 2971) << false;
    QTest::newRow("x -1") << fields(-1, 0, 100, 100) << false;
    QTest::newRow("x 2970") << fields(2970, 0, 100, 100) << true;
    QTest::newRow("y 4200") << fields(0, 4200, 100, 100) << true;
    QTest::newRow("y 4201") << fields(0, 4201, 100, 100) << false;
    QTest::newRow("y huge") << fields(0, qint64(1) << 40, 100, 100) << false;
}

void TestTemplateSetup::sheetRanges()
{
    QFETCH(RectFields, f);
    QFETCH(bool, accepted);
    Fixture fx;
    TemplateSetup s = fx.copy();
    const TemplateSetup before = s;
    const QString added = addSheet(s, f, true);
    QCOMPARE(added.isEmpty(), accepted);
    if (accepted) {
        QCOMPARE(s.sheets.size(), 3);
        QCOMPARE(s.sheets.rect(2), (Rect{qint32(f.x), qint32(-f.y), qint32(f.x + f.width),
                                         qint32(-f.y - f.height)}));
        QCOMPARE(s.sheets.elliptic(2), 1);
        QCOMPARE(s.sheets.backColor(2), 0xFFFFFF);
        QVERIFY(s.sheets.backPicture(2).isEmpty());
    } else {
        QCOMPARE(added, QStringLiteral("入力された数値は正しくありません。"));
        QCOMPARE(s, before);
    }
    // Changing a sheet checks the same ranges.
    TemplateSetup c = fx.copy();
    QCOMPARE(changeSheet(c, {1}, f, false).isEmpty(), accepted);
    QCOMPARE(c.sheets.rect(1) == f.toRect(), accepted);
}

void TestTemplateSetup::regionRanges_data()
{
    QTest::addColumn<RectFields>("f");
    QTest::addColumn<qint64>("layer");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("height 24") << fields(0, 0, 24, 100) << qint64(1) << false;
    QTest::newRow("height 25") << fields(0, 0, 25, 100) << qint64(1) << true;
    QTest::newRow("width 24") << fields(0, 0, 100, 24) << qint64(1) << false;
    QTest::newRow("width 25") << fields(0, 0, 100, 25) << qint64(1) << true;
    QTest::newRow("width 2971") << fields(0, 0, 100, 2971) << qint64(1) << false;
    QTest::newRow("height 4200") << fields(0, 0, 4200, 100) << qint64(1) << true;
    QTest::newRow("layer 0") << fields(0, 0, 100, 100) << qint64(0) << false;
    QTest::newRow("layer 10") << fields(0, 0, 100, 100) << qint64(10) << true;
    QTest::newRow("layer 11") << fields(0, 0, 100, 100) << qint64(11) << false;
}

void TestTemplateSetup::regionRanges()
{
    QFETCH(RectFields, f);
    QFETCH(qint64, layer);
    QFETCH(bool, accepted);
    Fixture fx;
    TemplateSetup s = fx.copy();
    RegionFields r;
    r.attribute = QStringLiteral("氏名(R)");
    r.layer = layer;
    r.rect = f;
    QCOMPARE(addRegion(s, r, true, nullptr).isEmpty(), accepted);
    QCOMPARE(s.regions.size(), accepted ? 2 : 1);
    if (accepted) {
        QCOMPARE(s.regions.rect(1), f.toRect());
        QCOMPARE(s.regions.layer(1), qint32(layer));
        QCOMPARE(s.regions.attribute(1), QStringLiteral("氏名(R)"));
        QCOMPARE(s.regions.font(1).height, qint32(-f.height));
    }
}

void TestTemplateSetup::lineWidthRange_data()
{
    QTest::addColumn<qint64>("width");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0") << qint64(0) << false;
    QTest::newRow("1") << qint64(1) << true;
    QTest::newRow("30") << qint64(30) << true;
    QTest::newRow("31") << qint64(31) << false;
}

void TestTemplateSetup::lineWidthRange()
{
    QFETCH(qint64, width);
    QFETCH(bool, accepted);
    Fixture fx;
    TemplateSetup s = fx.copy();
    const LineFields l{10, 20, 300, 20, width, 0x0000FF};
    QCOMPARE(addLine(s, l).isEmpty(), accepted);
    QCOMPARE(s.lines.size(), accepted ? 2 : 1);
    if (accepted) {
        QCOMPARE(s.lines.start(1), (Point{10, -20}));
        QCOMPARE(s.lines.end(1), (Point{300, -20}));
        QCOMPARE(s.lines.color(1), 0x0000FF);
    }
}

void TestTemplateSetup::changeNeedsOneRow_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("message");
    const QString select = QStringLiteral("アイテムを選択してください。");
    const QString one = QStringLiteral("一つの項目のみを選択してください。");
    QTest::newRow("sheet none") << "sheet" << QList<int>{} << select;
    QTest::newRow("sheet two") << "sheet" << QList<int>{0, 1} << one;
    QTest::newRow("sheet stale row") << "sheet" << QList<int>{7} << select;
    QTest::newRow("sheet one") << "sheet" << QList<int>{1} << QString();
    QTest::newRow("sheet same row twice") << "sheet" << QList<int>{1, 1} << QString();
    QTest::newRow("region none") << "region" << QList<int>{} << select;
    QTest::newRow("region one") << "region" << QList<int>{0} << QString();
    QTest::newRow("line none") << "line" << QList<int>{}
                               << QStringLiteral("変更するデータを選択してください。");
    QTest::newRow("line one") << "line" << QList<int>{0} << QString();
}

void TestTemplateSetup::changeNeedsOneRow()
{
    QFETCH(QString, family);
    QFETCH(QList<int>, rows);
    QFETCH(QString, message);
    Fixture fx;
    TemplateSetup s = fx.copy();
    const TemplateSetup before = s;
    QString result;
    if (family == QLatin1String("sheet")) {
        result = changeSheet(s, rows, fields(200, 300, 400, 500), false);
    } else if (family == QLatin1String("region")) {
        RegionFields r;
        r.rect = fields(200, 300, 400, 500);
        r.attribute = QStringLiteral("様");
        result = changeRegion(s, rows, r, 0, nullptr);
    } else {
        result = changeLines(s, rows, LineFields{1, 2, 3, 4, 5, 6}, {});
    }
    QCOMPARE(result, message);
    QCOMPARE(s == before, !message.isEmpty());
}

void TestTemplateSetup::twoLinesChangeWidthAndColourOnly()
{
    Fixture fx;
    TemplateSetup s = fx.copy();
    QVERIFY(addLine(s, LineFields{0, 100, 500, 100, 1, 0}).isEmpty());
    const TemplateSetup before = s;
    const LineFields f{7, 8, 9, 10, 12, 0x00FF00};
    QStringList questions;
    bool answer = false;
    const Confirm confirm = [&](const QString& q) {
        questions.append(q);
        return answer;
    };

    QCOMPARE(changeLines(s, {1, 0}, f, confirm), QString());
    QCOMPARE(questions, QStringList{linesQuestion()});
    QCOMPARE(s, before); // Cancel

    answer = true;
    QCOMPARE(changeLines(s, {1, 0}, f, confirm), QString());
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(s.lines.width(i), 12);
        QCOMPARE(s.lines.color(i), 0x00FF00);
        QCOMPARE(s.lines.start(i), before.lines.start(i));
        QCOMPARE(s.lines.end(i), before.lines.end(i));
    }
    // A bad width is refused before anything is asked.
    questions.clear();
    QCOMPARE(changeLines(s, {0, 1}, LineFields{0, 0, 0, 0, 31, 0}, confirm),
             QStringLiteral("入力された数値は正しくありません。"));
    QVERIFY(questions.isEmpty());
}

void TestTemplateSetup::deleteRows()
{
    Fixture fx;
    TemplateSetup s = fx.copy();
    QVERIFY(addSheet(s, fields(0, 2000, 100, 100), false).isEmpty());
    QCOMPARE(removeSheets(s, {}), QStringLiteral("削除するデータを選択してください。"));
    // Any order, repeats and stale rows: each named sheet goes once, the others stay.
    QCOMPARE(removeSheets(s, {0, 2, 0, 9}), QString());
    QCOMPARE(s.sheets.size(), 1);
    QCOMPARE(s.sheets.rect(0), (Rect{1050, 0, 2100, -1485}));
    // Every sheet may go: "更新" puts one back.
    QCOMPARE(removeSheets(s, {0}), QString());
    QVERIFY(s.sheets.isEmpty());
    QCOMPARE(removeRegions(s, {0}), QString());
    QVERIFY(s.regions.isEmpty());
    QCOMPARE(removeRegions(s, {0}), QStringLiteral("削除するデータを選択してください。"));
    QCOMPARE(removeLines(s, {0}), QString());
    QVERIFY(s.lines.isEmpty());
}

void TestTemplateSetup::addRegionFitsFixedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("direction"); // 0 horizontal, 1 vertical, 2 western
    QTest::addColumn<bool>("ars");
    QTest::addColumn<Rect>("expected");
    // Region at x 100, y 200 (top −200), 300 high and 500 wide.
    const Rect drawn{100, -200, 600, -500};
    // "御中": 2 characters, 4 bytes; extent 2 × 300, average 600 / 4 = 150.
    QTest::newRow("fixed text") << QStringLiteral("御中") << 0 << true
                                << Rect{100, -200, 100 + 600 + 150, -500};
    // Mixed widths: "Tel 番号" is 6 characters, 8 bytes: 1800 + 1800 / 8.
    // 100 + 1800 + 225 would run past the A4 paper: the fit ends at its edge.
    QTest::newRow("mixed bytes") << QStringLiteral("Tel 番号") << 0 << true
                                 << Rect{100, -200, 2100, -500};
    // Vertical and western measure with the width (500) and grow downwards.
    QTest::newRow("vertical") << QStringLiteral("御中") << 1 << true
                              << Rect{100, -200, 600, -200 - 1000 - 250};
    QTest::newRow("western") << QStringLiteral("御中") << 2 << true
                             << Rect{100, -200, 600, -200 - 1000 - 250};
    QTest::newRow("recipient field") << QStringLiteral("氏名(R)") << 0 << true << drawn;
    QTest::newRow("sender field") << QStringLiteral("郵1(S)") << 0 << true << drawn;
    QTest::newRow("automatic field") << QStringLiteral("日付2(A)") << 0 << true << drawn;
    QTest::newRow("empty") << QString() << 0 << true << drawn;
    QTest::newRow("ARS off") << QStringLiteral("御中") << 0 << false << drawn;
}

void TestTemplateSetup::addRegionFitsFixedText()
{
    QFETCH(QString, text);
    QFETCH(int, direction);
    QFETCH(bool, ars);
    QFETCH(Rect, expected);
    Fixture fx;
    TemplateSetup s = fx.copy();
    RegionFields r;
    r.attribute = text;
    r.layer = 3;
    r.rect = fields(100, 200, 300, 500);
    r.vertical = direction == 1;
    r.western = direction == 2;
    SquareMeasurer measurer;
    QCOMPARE(addRegion(s, r, ars, &measurer), QString());
    const int i = s.regions.size() - 1;
    QCOMPARE(s.regions.rect(i), expected);
    const FontRecord font = s.regions.font(i);
    const QString faces[] = {QStringLiteral("ＭＳ 明朝"), QStringLiteral("@ＭＳ 明朝"),
                             QStringLiteral("ＭＳ 明朝")};
    const int angles[] = {0, 900, 2700};
    QCOMPARE(font.faceName(), faces[direction]);
    QCOMPARE(font.escapement, angles[direction]);
    QCOMPARE(font.orientation, angles[direction]);
    QCOMPARE(font.height, direction == 0 ? -300 : -500);
    QCOMPARE(font.weight, 400);
    QCOMPARE(int(font.charSet), 128);
    QCOMPARE(s.regions.layer(i), 3);
    QCOMPARE(s.regions.backColorOff(i), 1);
    QCOMPARE(s.regions.borderColor(i), 0xFFFFFF);
}

// Fitting a long fixed text stops at the paper's edge, and the row can be changed again.
void TestTemplateSetup::fittingStaysOnThePaper()
{
    for (const int direction : {0, 1}) {
        Fixture fx;
        TemplateSetup s = fx.copy();
        RegionFields r;
        r.attribute = QString(100, QChar(u'あ'));
        r.rect = fields(100, 200, 50, 50);
        r.vertical = direction == 1;
        SquareMeasurer measurer;
        QCOMPARE(addRegion(s, r, true, &measurer), QString());
        const int i = s.regions.size() - 1;
        const Rect fitted = s.regions.rect(i);
        const Rect paper = s.paperRect();
        QVERIFY(fitted.right <= paper.right && fitted.bottom >= paper.bottom);
        QCOMPARE(direction == 0 ? fitted.right : fitted.bottom,
                 direction == 0 ? paper.right : paper.bottom);
        // 変更 with the row's own values, fitting to enlarge: accepted, still on the paper.
        r.rect = fields(fitted.left, -fitted.top, fitted.top - fitted.bottom,
                        fitted.right - fitted.left);
        QCOMPARE(changeRegion(s, {i}, r, 2, &measurer), QString());
        QVERIFY(s.regions.rect(i).right <= paper.right);
        QVERIFY(s.regions.rect(i).bottom >= paper.bottom);
    }
}

void TestTemplateSetup::changeRegionAppliesFitSetting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fitMode");
    QTest::addColumn<bool>("fitted");
    QTest::newRow("enlarge fixed text") << QStringLiteral("株式会社見本") << 2 << true;
    QTest::newRow("enlarge date field") << QStringLiteral("日付2(A)") << 2 << true;
    QTest::newRow("enlarge name field") << QStringLiteral("氏名(R)") << 2 << false;
    QTest::newRow("enlarge sender field") << QStringLiteral("氏名(S)") << 2 << false;
    QTest::newRow("leave") << QStringLiteral("株式会社見本") << 0 << false;
}

void TestTemplateSetup::changeRegionAppliesFitSetting()
{
    QFETCH(QString, text);
    QFETCH(int, fitMode);
    QFETCH(bool, fitted);
    Fixture fx;
    TemplateSetup s = fx.copy();
    RegionFields r;
    r.attribute = text;
    r.rect = fields(100, 100, 200, 300); // six squares of 200 do not fit in 300
    SquareMeasurer measurer;
    QCOMPARE(changeRegion(s, {0}, r, fitMode, &measurer), QString());
    QCOMPARE(s.regions.attribute(0), text);
    QCOMPARE(s.regions.rect(0).left, 100);
    QCOMPARE(s.regions.rect(0).right > 400, fitted);
}

void TestTemplateSetup::applyRefusesPaper_data()
{
    QTest::addColumn<qint64>("height");
    QTest::addColumn<qint64>("width");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("width 2971") << qint64(2970) << qint64(2971) << false;
    QTest::newRow("width 299") << qint64(2970) << qint64(299) << false;
    QTest::newRow("height 4201") << qint64(4201) << qint64(2100) << false;
    QTest::newRow("height 299") << qint64(299) << qint64(2100) << false;
    QTest::newRow("A3 portrait") << qint64(4200) << qint64(2970) << true;
    QTest::newRow("smallest") << qint64(300) << qint64(300) << true;
}

void TestTemplateSetup::applyRefusesPaper()
{
    QFETCH(qint64, height);
    QFETCH(qint64, width);
    QFETCH(bool, accepted);
    Fixture fx;
    const CLabelSheetTemplate before = fx.doc->labelTemplate();
    TemplateSetup s = fx.copy();
    s.paperHeight = height;
    s.paperWidth = width;
    QVERIFY(addSheet(s, fields(0, 0, 100, 100), false).isEmpty());
    fx.answer = false;
    const auto outcome = TemplateSetupApply::apply(*fx.doc, s, fx.ask());
    QCOMPARE(outcome == TemplateSetupApply::Outcome::Applied, accepted);
    QCOMPARE(fx.doc->isModified(), accepted);
    QCOMPARE(fx.doc->undoAvailable, accepted ? 1 : 0);
    if (!accepted) {
        QCOMPARE(outcome, TemplateSetupApply::Outcome::Refused);
        QVERIFY(fx.doc->labelTemplate() == before);
        QVERIFY(fx.asked.isEmpty());
    } else {
        QCOMPARE(fx.doc->labelTemplate().paperRect,
                 (Rect{0, 0, qint32(width), qint32(-height)}));
        QCOMPARE(fx.doc->labelTemplate().sheets.size(), 3);
        QCOMPARE(fx.asked, QStringList{TemplateSetupApply::scaleQuestion()});
    }
}

void TestTemplateSetup::applyScalesOnYes_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

// With no sheet left, the sheet that stands in for none is the new paper, whether or not
// the rest is scaled to it.
void TestTemplateSetup::applyWithoutSheetsTakesNewPaper()
{
    for (const bool yes : {true, false}) {
        Fixture fx;
        TemplateSetup s = fx.copy();
        s.sheets.clear();
        s.paperWidth = 1050;
        s.paperHeight = 1485;
        fx.answer = yes;
        QCOMPARE(TemplateSetupApply::apply(*fx.doc, s, fx.ask()),
                 TemplateSetupApply::Outcome::Applied);
        const CLabelSheetTemplate& t = fx.doc->labelTemplate();
        QCOMPARE(t.sheets.size(), 1);
        QCOMPARE(t.sheets.rect(0), (Rect{0, 0, 1050, -1485}));
        QCOMPARE(fx.doc->scalars().templateName, QStringLiteral("105.0 × 148.5 mm"));
    }
    // A standard paper is named as such, landscape too.
    QCOMPARE(PaperName::of(Rect{0, 0, 1000, -1480}), QStringLiteral("はがき"));
    QCOMPARE(PaperName::of(Rect{0, 0, 2970, -2100}), QStringLiteral("A4（横）"));
    QCOMPARE(PaperName::of(Rect{0, 0, 1200, -2350}), QStringLiteral("長形3号"));
}

// A paper picture that cannot be read is named before 更新 takes it.
void TestTemplateSetup::paperPictureChecked()
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("paper.png"));
    QFile f(text);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    const QString picture = dir.filePath(QStringLiteral("real.png"));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QVERIFY(image.save(picture));
    const QString refusal = QStringLiteral("画像ファイルを読み込めません。");
    QCOMPARE(TemplateSetupApply::checkPaperPicture(text), refusal);
    QCOMPARE(TemplateSetupApply::checkPaperPicture(dir.filePath(QStringLiteral("none.png"))),
             refusal);
    QCOMPARE(TemplateSetupApply::checkPaperPicture(picture), QString());
    QCOMPARE(TemplateSetupApply::checkPaperPicture(QString()), QString());
}

void TestTemplateSetup::applyScalesOnYes()
{
    QFETCH(bool, yes);
    Fixture fx;
    fx.doc->selection().sheet = 1;
    TemplateSetup s = fx.copy();
    // A4 to half its size: sx = sy = 0.5, so every product is exact and the
    // truncation toward zero shows on the odd values.
    s.paperWidth = 1050;
    s.paperHeight = 1485;
    fx.answer = yes;
    QCOMPARE(TemplateSetupApply::apply(*fx.doc, s, fx.ask()),
             TemplateSetupApply::Outcome::Applied);
    QCOMPARE(fx.asked.size(), 1);
    const CLabelSheetTemplate& t = fx.doc->labelTemplate();
    QCOMPARE(t.paperRect, (Rect{0, 0, 1050, -1485}));
    if (yes) {
        QCOMPARE(t.sheets.rect(0), (Rect{0, 0, 525, -742}));
        QCOMPARE(t.sheets.rect(1), (Rect{525, 0, 1050, -742}));
        QCOMPARE(t.regions.rect(0), (Rect{50, -50, 300, -150}));
        QCOMPARE(t.keisenns.start(0), (Point{0, -742}));
        QCOMPARE(t.keisenns.end(0), (Point{1050, -742}));
    } else {
        QCOMPARE(t.sheets.rect(1), (Rect{1050, 0, 2100, -1485}));
        QCOMPARE(t.regions.rect(0), (Rect{100, -100, 600, -300}));
        QCOMPARE(t.keisenns.end(0), (Point{2100, -1485}));
    }
    // The data-mode layout is rebuilt from the template and the selection cleared.
    QCOMPARE(fx.doc->scalars().paperRect, t.paperRect);
    QCOMPARE(fx.doc->sheets().rect(1), t.sheets.rect(1));
    QCOMPARE(fx.doc->selection().sheet, -1);
}

void TestTemplateSetup::applyWithoutSheetAddsPaperSheet()
{
    Fixture fx;
    TemplateSetup s = fx.copy();
    QVERIFY(removeSheets(s, {0, 1}).isEmpty());
    s.paperHeight = 1480;
    s.paperWidth = 1000;
    QCOMPARE(TemplateSetupApply::apply(*fx.doc, s, {}), TemplateSetupApply::Outcome::Applied);
    const CLabelSheetTemplate& t = fx.doc->labelTemplate();
    QCOMPARE(t.sheets.size(), 1);
    QCOMPARE(t.sheets.rect(0), (Rect{0, 0, 1000, -1480}));
    QCOMPARE(t.sheets.backColor(0), 0xFFFFFF);
}

void TestTemplateSetup::applyUnchangedWritesNothing()
{
    Fixture fx;
    const TemplateSetup s = fx.copy();
    QCOMPARE(TemplateSetupApply::apply(*fx.doc, s, fx.ask()),
             TemplateSetupApply::Outcome::Unchanged);
    QVERIFY(!fx.doc->isModified());
    QCOMPARE(fx.doc->undoAvailable, 0);
    QVERIFY(fx.asked.isEmpty());
}

void TestTemplateSetup::pageEditsAndApplyAreOneUndoStep()
{
    Fixture fx;
    const CLabelSheetTemplate before = fx.doc->labelTemplate();
    TemplateSetup s = fx.copy();
    QVERIFY(addSheet(s, fields(0, 1500, 1400, 2100), false).isEmpty());
    QVERIFY(removeSheets(s, {0}).isEmpty());
    RegionFields r;
    r.rect = fields(50, 60, 100, 400);
    QVERIFY(addRegion(s, r, true, nullptr).isEmpty());
    QVERIFY(addLine(s, LineFields{0, 10, 20, 10, 2, 0}).isEmpty());
    s.printSheetFrames = 1;
    QCOMPARE(fx.doc->undoAvailable, 0); // the copy is not the document
    QVERIFY(fx.doc->labelTemplate() == before);

    QCOMPARE(TemplateSetupApply::apply(*fx.doc, s, fx.ask()),
             TemplateSetupApply::Outcome::Applied);
    QVERIFY(s.matches(fx.doc->labelTemplate()));
    QCOMPARE(fx.doc->undoAvailable, 1);
    fx.doc->undo();
    QVERIFY(fx.doc->labelTemplate() == before);
    QCOMPARE(fx.doc->undoAvailable, 0);
}

void TestTemplateSetup::scalingDegenerateAndHugeInput()
{
    using TemplateSetupApply::scaledRect;
    // An old paper without width (from a damaged file) keeps the x coordinates.
    const Rect flat{0, 0, 0, -2970};
    QCOMPARE(scaledRect(Rect{10, -10, 20, -2970}, flat, Rect{0, 0, 2100, -1485}),
             (Rect{10, -5, 20, -1485}));
    // Coordinates far outside a tiny old paper stay within 32 bits.
    const Rect tiny{0, 0, 1, -1};
    const Rect out = scaledRect(Rect{2000000000, -2000000000, 2100000000, -2100000000}, tiny,
                                Rect{0, 0, 2970, -4200});
    QCOMPARE(out.left, INT32_MAX);
    QCOMPARE(out.bottom, INT32_MIN);
}

QTEST_GUILESS_MAIN(TestTemplateSetup)
#include "tst_templatesetup.moc"
