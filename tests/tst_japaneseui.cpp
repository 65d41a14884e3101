// The program speaks Japanese: every text the user sees in its windows (titles, menus and
// their tips, labels, buttons, tabs, list headings, choices) is walked for Latin words,
// and only the short list of names that are Latin in Japanese too may appear.

#include "addressbook/ui/AddressDialogMenus.h"
#include "addressbook/ui/CAddressDataDialog.h"
#include "app/SoftwareSettings.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CSoftwareSettingDialog.h"
#include "merge/ui/CAutoReplaceListDialog.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// Latin words Japanese users read as they are.
const QSet<QString>& allowed()
{
    static const QSet<QString> words{
        u"ORINOTE"_qs, u"PDF"_qs, u"CSV"_qs, u"URL"_qs, u"FAX"_qs, u"OK"_qs, u"vCard"_qs,
        u"ABC"_qs, u"DEF"_qs, u"GHI"_qs, u"JKL"_qs, u"MNO"_qs, u"PQR"_qs, u"STU"_qs,
        u"VWX"_qs, u"YZ"_qs, u"mm"_qs, u"ond"_qs, u"ont"_qs, u"ona"_qs, u"csv"_qs,
        u"vcf"_qs, u"vcard"_qs, u"pdf"_qs, u"jpg"_qs, u"bmp"_qs, u"png"_qs, u"tif"_qs,
        u"gif"_qs, u"Ctrl"_qs, u"Shift"_qs, u"Alt"_qs, u"Del"_qs, u"Delete"_qs, u"Home"_qs,
        u"End"_qs, u"Up"_qs, u"Down"_qs, u"Enter"_qs, u"Esc"_qs, u"Escape"_qs, u"PgUp"_qs,
        u"PgDown"_qs, u"Ins"_qs, u"Backspace"_qs, u"Space"_qs, u"Tab"_qs, u"Left"_qs,
        u"Right"_qs, u"http"_qs, u"https"_qs, u"INI"_qs, u"ID"_qs, u"No"_qs};
    return words;
}

void addText(QStringList& texts, const QString& where, const QString& text)
{
    if (!text.isEmpty())
        texts.append(where + u": "_qs + text);
}

void addMenu(QStringList& texts, const QMenu* menu)
{
    for (const QAction* a : menu->actions()) {
        addText(texts, menu->title(), a->text());
        if (a->toolTip() != QString(a->text()).remove(QLatin1Char('&')))
            addText(texts, menu->title(), a->toolTip());
        addText(texts, menu->title(), a->statusTip());
        if (a->menu())
            addMenu(texts, a->menu());
    }
}

// Every visible text of the window and of its children, each prefixed with where it is.
QStringList visibleTexts(QWidget* window)
{
    QStringList texts;
    addText(texts, u"title"_qs, window->windowTitle());
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        for (const QAction* a : w->actions()) {
            addText(texts, u"action"_qs, a->text());
            addText(texts, u"tip"_qs, a->toolTip());
            if (a->menu())
                addMenu(texts, a->menu());
        }
        if (auto* menu = qobject_cast<QMenu*>(w))
            addMenu(texts, menu);
        if (auto* label = qobject_cast<QLabel*>(w))
            addText(texts, u"label"_qs, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            addText(texts, u"button"_qs, button->text());
        if (auto* box = qobject_cast<QGroupBox*>(w))
            addText(texts, u"box"_qs, box->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            addText(texts, u"hint"_qs, edit->placeholderText());
        if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int t = 0; t < tabs->count(); ++t)
                addText(texts, u"tab"_qs, tabs->tabText(t));
        }
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                addText(texts, u"choice"_qs, combo->itemText(i));
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model()) {
            for (int c = 0; c < view->model()->columnCount(); ++c)
                addText(texts, u"heading"_qs,
                        view->model()->headerData(c, Qt::Horizontal).toString());
        }
        addText(texts, u"tip"_qs, w->toolTip());
    }
    return texts;
}

// The texts holding a Latin word of two letters or more that is not allowed.
QStringList foreignTexts(const QStringList& texts)
{
    static const QRegularExpression word(u"[A-Za-z]{2,}"_qs);
    QStringList found;
    for (const QString& text : texts) {
        const QString shown = text.mid(text.indexOf(u": "_qs) + 2);
        auto it = word.globalMatch(shown);
        while (it.hasNext()) {
            if (!allowed().contains(it.next().captured())) {
                found.append(text);
                break;
            }
        }
    }
    return found;
}

} // namespace

class TestJapaneseUi : public QObject
{
    Q_OBJECT
private slots:
    void windowsSpeakJapanese_data();
    void windowsSpeakJapanese();
};

void TestJapaneseUi::windowsSpeakJapanese_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << u"main"_qs;
    QTest::newRow("address book") << u"address"_qs;
    QTest::newRow("settings") << u"settings"_qs;
    QTest::newRow("auto-replace rules") << u"rules"_qs;
}

void TestJapaneseUi::windowsSpeakJapanese()
{
    QFETCH(QString, window);
    QTemporaryDir dir;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = dir.path();
    doc.newDocument();
    std::unique_ptr<QWidget> shown;
    if (window == u"main")
        shown = std::make_unique<CMainFrame>(doc, profile);
    else if (window == u"address")
        shown = std::make_unique<CAddressDataDialog>(doc);
    else if (window == u"settings")
        shown = std::make_unique<CSoftwareSettingDialog>(SoftwareSettings::fromDocument(doc));
    else
        shown = std::make_unique<CAutoReplaceListDialog>(doc.autoReplaceData());
    QStringList texts = visibleTexts(shown.get());
    if (auto* address = qobject_cast<CAddressDataDialog*>(shown.get())) {
        addMenu(texts, address->menus()->listMenu());
        addMenu(texts, address->menus()->senderMenu());
    }
    QVERIFY(texts.size() > 10);
    const QStringList foreign = foreignTexts(texts);
    QVERIFY2(foreign.isEmpty(), qPrintable(foreign.join(u"\n"_qs)));
}

QTEST_MAIN(TestJapaneseUi)
#include "tst_japaneseui.moc"
