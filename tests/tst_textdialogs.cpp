// The text attribute dialogs offscreen, run through their commands: values in, OK stored
// as one undo step, Cancel changing nothing; the key colour picked from the preview.

#include "app/CommandIds.h"
#include "app/ui/CommandActions.h"
#include "app/ui/TextActions.h"
#include "edit/ui/CCharExtraDialog.h"
#include "edit/ui/CFindReplaceTextDialog.h"
#include "edit/ui/CHuchidoriDialog.h"
#include "edit/ui/CKeisennDialog.h"
#include "edit/ui/FontChoiceDialog.h"
#include "edit/ui/GuideFrameEdit.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "prompts/SessionPrompts.h"
#include "widgets/CPictureFileDialog.h"
#include "widgets/PicturePreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace CommandIds;

namespace {

class Prompts : public SessionPrompts
{
public:
    bool yes = true;
    QStringList said;
    Answer askSaveChanges(const QString&) override { return Answer::Cancel; }
    QString chooseOpenPath() override { return {}; }
    QString chooseSavePath(const QString&) override { return {}; }
    void showMessage(const QString& text) override { said.append(text); }
    void showInformation(const QString& text) override
    {
        said.append(QStringLiteral("(i) ") + text);
    }
    bool askYesNo(const QString& question) override
    {
        said.append(question);
        return yes;
    }
};

using Fill = std::function<void(QDialog*)>;

void spin(QDialog* d, const char* name, int value)
{
    auto* s = d->findChild<QSpinBox*>(QLatin1String(name));
    QVERIFY2(s, name);
    s->setValue(value);
}

} // namespace

Q_DECLARE_METATYPE(Fill)

class TestTextDialogs : public QObject
{
    Q_OBJECT
private slots:
    void dialogs_data();
    void dialogs();
    void outOfRangeRefused_data();
    void outOfRangeRefused();
    void pictureChooserRefusesNonPicture_data();
    void pictureChooserRefusesNonPicture();
    void findResultsAreInformation();
    void fontDialogShowsRegion_data();
    void fontDialogShowsRegion();
    void keyColourFromPreview();
    void importText();
};

void TestTextDialogs::dialogs_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<Fill>("fill");
    QTest::addColumn<QString>("stored"); // what the region or sheet holds after OK

    QTest::newRow("outline") << int(TextOutline) << Fill([](QDialog* d) { spin(d, "width", 7); })
                             << QStringLiteral("outline 7");
    QTest::newRow("spacing") << int(TextSpacing)
                             << Fill([](QDialog* d) { spin(d, "spacing", 450); })
                             << QStringLiteral("spacing 450");
    QTest::newRow("frame") << int(RegionFrame) << Fill([](QDialog* d) {
        d->findChildren<QCheckBox*>().value(0)->setChecked(true);
        spin(d, "width", 12);
    }) << QStringLiteral("frame 1 12");
    QTest::newRow("background") << int(RegionBackground) << Fill([](QDialog* d) {
        d->findChild<QSlider*>(QStringLiteral("transparency"))->setValue(40);
    }) << QStringLiteral("transparency 40");
    QTest::newRow("sheet background") << int(SheetBackground)
                                      << Fill([](QDialog* d) { spin(d, "bleedX", -30); })
                                      << QStringLiteral("bleed -30");
}

void TestTextDialogs::dialogs()
{
    QFETCH(int, command);
    QFETCH(Fill, fill);
    QFETCH(QString, stored);
    for (const bool ok : {false, true}) {
        QTemporaryDir dir;
        SettingsProfile profile(dir.filePath(QStringLiteral("p.ini")));
        CORINOTEDoc doc(&profile);
        doc.dataFolder = dir.path();
        doc.newDocument();
        doc.templateMode = 1;
        doc.addTemplateTextRegion(Rect{100, -100, 600, -300}, nullptr);
        doc.selection().textRect = 0;
        QWidget window;
        CommandActions actions;
        TextActions text(doc, actions, &window);
        Prompts prompts;
        text.setPrompts(&prompts);
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            fill(d);
            if (ok)
                d->accept();
            else
                d->reject();
        });
        text.run(command);
        const TextRectFamily& r = doc.labelTemplate().regions;
        const QString now =
            command == TextOutline   ? QStringLiteral("outline %1").arg(r.outlineWidth(0))
            : command == TextSpacing ? QStringLiteral("spacing %1").arg(r.charSpacing(0))
            : command == RegionFrame
                ? QStringLiteral("frame %1 %2").arg(r.borderSides(0).top).arg(r.borderWidth(0))
            : command == RegionBackground
                ? QStringLiteral("transparency %1").arg(r.pictureTransparency(0))
                : QStringLiteral("bleed %1").arg(doc.labelTemplate().sheets.bleedX(0));
        if (ok) {
            QCOMPARE(now, stored);
            QCOMPARE(doc.undoAvailable, 1);
        } else {
            QVERIFY(now != stored);
            QCOMPARE(doc.undoAvailable, 0);
        }
    }
}

// 600 typed into a field of 0..500 (or 0..30, 0..50) is kept as typed and refused on OK
// with the range message, the dialog staying open; a value in range is taken.
void TestTextDialogs::outOfRangeRefused_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("high");
    QTest::newRow("文字間隔") << QStringLiteral("spacing") << QStringLiteral("spacing") << 500;
    QTest::newRow("縁取り") << QStringLiteral("outline") << QStringLiteral("width") << 30;
    QTest::newRow("枠線") << QStringLiteral("frame") << QStringLiteral("width") << 50;
}

void TestTextDialogs::outOfRangeRefused()
{
    QFETCH(QString, dialog);
    QFETCH(QString, field);
    QFETCH(int, high);
    std::unique_ptr<RangeCheckedDialog> d;
    if (dialog == QLatin1String("spacing"))
        d = std::make_unique<CCharExtraDialog>(10);
    else if (dialog == QLatin1String("outline"))
        d = std::make_unique<CHuchidoriDialog>(2, 0);
    else
        d = std::make_unique<CKeisennDialog>(TextAttributes::Frame{});
    QStringList messages;
    d->showMessage = [&](const QString& m) { messages.append(m); };
    d->show();
    // Return presses OK, also after another button (色の変更) was used.
    for (QPushButton* b : d->findChildren<QPushButton*>())
        QCOMPARE(b->isDefault() || b->autoDefault(),
                 b == d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
    auto* box = d->findChild<QSpinBox*>(field);
    QVERIFY(box);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("600"));
    QCOMPARE(box->value(), 600); // not cut to 60
    d->accept();
    QCOMPARE(messages, QStringList{QStringLiteral("入力された数値は正しくありません。")});
    QVERIFY(d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Rejected));
    box->setValue(high);
    d->accept();
    QCOMPARE(d->result(), int(QDialog::Accepted));
}

// The picture chooser of the background dialogs and the paper picture refuses, while it is
// open, a file that is not a picture.
void TestTextDialogs::pictureChooserRefusesNonPicture_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: a real PNG
    QTest::addColumn<bool>("taken");
    QTest::newRow("a picture") << QByteArray() << true;
    QTest::newRow("text named .png") << QByteArray("not a picture\n") << false;
    QTest::newRow("a PNG cut after its signature") << QByteArray("\x89PNG\r\n\x1a\n", 8) << false;
}

void TestTextDialogs::pictureChooserRefusesNonPicture()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, taken);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("back.png"));
    if (content.isEmpty()) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(path));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    CPictureFileDialog dialog(CPictureFileDialog::pictureFilter(), path);
    QStringList messages;
    dialog.showMessage = [&](const QString& m) { messages.append(m); };
    dialog.show();
    dialog.selectFile(path);
    dialog.accept();
    QCOMPARE(dialog.result() == QDialog::Accepted, taken);
    QCOMPARE(messages, taken ? QStringList() : QStringList{QStringLiteral("画像ファイルを読み込めません。")});
}

// The font dialog opens on the region's face, style and size; what is not changed comes
// back as it was (a weight of 600, a face that is not installed), a typed size is taken.
void TestTextDialogs::fontDialogShowsRegion_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("typedSize"); // empty: leave the size
    QTest::addColumn<int>("style");         // -1: leave the style
    QTest::addColumn<int>("weightBack");
    QTest::addColumn<int>("pointsBack");
    QTest::newRow("as it was") << QStringLiteral("ＭＳ ゴシック") << 400 << 85 << QString() << -1
                               << 400 << 85;
    QTest::newRow("weight 600 kept") << QStringLiteral("ＭＳ 明朝") << 600 << 30 << QString() << -1
                                     << 600 << 30;
    QTest::newRow("not installed, kept") << QStringLiteral("見本行書体") << 400 << 12 << QString()
                                         << -1 << 400 << 12;
    QTest::newRow("typed 150 points") << QStringLiteral("ＭＳ 明朝") << 400 << 12
                                      << QStringLiteral("150") << -1 << 400 << 150;
    QTest::newRow("made bold") << QStringLiteral("ＭＳ 明朝") << 400 << 12 << QString() << 2 << 700
                               << 12;
    QTest::newRow("600 made plain") << QStringLiteral("ＭＳ 明朝") << 600 << 12 << QString() << 0
                                    << 400 << 12;
}

void TestTextDialogs::fontDialogShowsRegion()
{
    QFETCH(QString, face);
    QFETCH(int, weight);
    QFETCH(int, points);
    QFETCH(QString, typedSize);
    QFETCH(int, style);
    QFETCH(int, weightBack);
    QFETCH(int, pointsBack);
    FontRecord font = FontRecord::make(face, -300, 0);
    font.weight = weight;
    FontChoiceDialog dialog(font, points);
    auto* size = dialog.findChild<QComboBox*>(QStringLiteral("size"));
    QVERIFY(size);
    QCOMPARE(size->currentText(), QString::number(points));
    if (!typedSize.isEmpty())
        size->setEditText(typedSize);
    if (style >= 0)
        dialog.findChildren<QComboBox*>().value(0)->setCurrentIndex(style);
    const TextAttributes::FontChoice c = dialog.choice();
    QCOMPARE(c.face, face);
    QCOMPARE(c.weight, weightBack);
    QCOMPARE(c.points, pointsBack);
}

// What find and replace report is no failure: the information icon, not the warning.
void TestTextDialogs::findResultsAreInformation()
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("p.ini")));
    CORINOTEDoc doc(&profile);
    doc.dataFolder = dir.path();
    doc.newDocument();
    QWidget window;
    CommandActions actions;
    TextActions text(doc, actions, &window);
    Prompts prompts;
    text.setPrompts(&prompts);
    auto* find = window.findChild<CFindReplaceTextDialog*>();
    QVERIFY(find);
    emit find->findNextRequested();
    emit find->replaceAllRequested();
    QCOMPARE(prompts.said, (QStringList{QStringLiteral("(i) 指定された文字列が見つかりませんでした。"),
                                        QStringLiteral("(i) 0個のアイテムを置換しました。")}));
}

void TestTextDialogs::keyColourFromPreview()
{
    QTemporaryDir dir;
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    const QString path = dir.filePath(QStringLiteral("p.png"));
    QVERIFY(picture.save(path));
    PicturePreview preview;
    preview.resize(160, 120);
    preview.setPicture(path);
    preview.setPicking(true);
    // The dropper: its hot spot is its tip, at the lower left, and it is drawn there.
    QCOMPARE(preview.cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(preview.cursor().hotSpot(), QPoint(2, 29));
    QVERIFY(qAlpha(preview.cursor().pixmap().toImage().pixel(3, 28)) > 0);
    QColor picked;
    connect(&preview, &PicturePreview::colorPicked, [&](const QColor& c) { picked = c; });
    // 40 × 20 fits the box as it is, centred: x 60..100, y 50..70.
    QTest::mouseClick(&preview, Qt::LeftButton, Qt::NoModifier, QPoint(90, 60));
    QCOMPARE(picked, QColor(Qt::blue));
    QTest::mouseClick(&preview, Qt::LeftButton, Qt::NoModifier, QPoint(65, 60));
    QCOMPARE(picked, QColor(Qt::red));
    QTest::mouseClick(&preview, Qt::RightButton, Qt::NoModifier, QPoint(65, 60));
    QCOMPARE(picked, QColor(Qt::white));
}

// Text import through its command: refused without a region, then the dialog shows the
// texts with a frame per region, the frames follow the typing, OK stores the lines.
void TestTextDialogs::importText()
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("p.ini")));
    CORINOTEDoc doc(&profile);
    doc.dataFolder = dir.path();
    doc.newDocument();
    doc.templateMode = 1;
    doc.editTool = 3;
    doc.addTemplateTextRegion(Rect{100, -100, 1100, -300}, nullptr);
    doc.addTemplateTextRegion(Rect{100, -400, 600, -600}, nullptr);
    doc.labelTemplate().regions.setAttribute(0, QStringLiteral("山田"));
    doc.labelTemplate().regions.setAttribute(1, QStringLiteral("太郎"));
    QWidget window;
    CommandActions actions;
    TextActions text(doc, actions, &window);
    Prompts prompts;
    text.setPrompts(&prompts);
    doc.selection().clear();
    text.run(ImportText);
    QCOMPARE(prompts.said, QStringList{QStringLiteral("文字列編集領域を選択してください。")});

    doc.selection().addToGroup(ObjectRef{ObjectRef::TextRectKind, 0});
    doc.selection().addToGroup(ObjectRef{ObjectRef::TextRectKind, 1});
    QString shown;
    QList<QRect> frames;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(d);
        auto* edit = d->findChild<GuideFrameEdit*>();
        QVERIFY(edit);
        shown = edit->toPlainText();
        edit->setPlainText(QStringLiteral("佐藤\n花子花子花子花子花子花子花子花子花子花子\n余り"));
        frames = {edit->frameOf(0), edit->frameOf(1), edit->frameOf(2)};
        d->accept();
    });
    text.run(ImportText);
    QCOMPARE(shown, QStringLiteral("山田\n太郎"));
    // Two regions, two frames; the long line overruns its narrower region.
    QVERIFY(frames.at(0).isValid() && frames.at(1).isValid());
    QVERIFY(!frames.at(2).isValid());
    QVERIFY(frames.at(1).top() > frames.at(0).bottom());
    QCOMPARE(doc.labelTemplate().regions.attribute(0), QStringLiteral("佐藤"));
    QCOMPARE(doc.labelTemplate().regions.attribute(1),
             QStringLiteral("花子花子花子花子花子花子花子花子花子花子"));
    QCOMPARE(doc.undoAvailable, 1);
}

QTEST_MAIN(TestTextDialogs)
#include "tst_textdialogs.moc"
