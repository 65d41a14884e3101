// Every number field of every dialog: a value typed outside the field's range is refused
// with a message when the dialog is confirmed, and the dialog stays open, rather than the
// box cutting the typing short (600 becoming 60) or keeping the old value unasked.

#include "addressbook/ui/CAddressDataEditDialog.h"
#include "addressbook/ui/CCardSeasonDialog.h"
#include "addressbook/ui/CSearchDataDialog.h"
#include "app/SoftwareSettings.h"
#include "app/ui/CSoftwareSettingDialog.h"
#include "edit/SheetBackgrounds.h"
#include "edit/ui/CCharExtraDialog.h"
#include "edit/ui/CDivideRectDialog.h"
#include "edit/ui/CHuchidoriDialog.h"
#include "edit/ui/CKeisennDialog.h"
#include "edit/ui/CKeisennHyouDialog.h"
#include "edit/ui/CLabelSheetOptionDialog.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "render/ui/CPrintSettingDialog.h"
#include "support/ProfileDocument.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// Four sheets on an A4 template.
struct Document : ProfileDocument
{
    Document()
    {
        doc->templateMode = 1;
        CLabelSheetTemplate& t = doc->labelTemplate();
        t.sheets.clear();
        for (int i = 0; i < 4; ++i)
            doc->addTemplateSheet(Rect{100 + i * 500, -100, 500 + i * 500, -500});
    }
};

std::unique_ptr<QDialog> dialogNamed(const QString& name, CORINOTEDoc& doc)
{
    if (name == u"罫線（表）")
        return std::make_unique<CKeisennHyouDialog>(KeisennTableOptions{});
    if (name == u"分割")
        return std::make_unique<CDivideRectDialog>();
    if (name == u"環境設定")
        return std::make_unique<CSoftwareSettingDialog>(SoftwareSettings::fromDocument(doc));
    if (name == u"文字間隔")
        return std::make_unique<CCharExtraDialog>(0);
    if (name == u"縁取り")
        return std::make_unique<CHuchidoriDialog>(2, 0);
    if (name == u"罫線")
        return std::make_unique<CKeisennDialog>(TextAttributes::Frame{});
    if (name == u"シート背景") {
        doc.scalars().perSheetBackgrounds = 1;
        return std::make_unique<CLabelSheetOptionDialog>(SheetBackgrounds::load(doc));
    }
    if (name == u"住所録の編集")
        return std::make_unique<CAddressDataEditDialog>(QDate(2026, 12, 1));
    if (name == u"住所録の検索")
        return std::make_unique<CSearchDataDialog>(QDate(2026, 12, 1));
    if (name == u"年賀状の準備")
        return std::make_unique<CCardSeasonDialog>(doc.addressBook(),
                                                   CardSeason::plan(doc.addressBook(), 2027));
    if (name == u"印刷設定")
        return std::make_unique<CPrintSettingDialog>(PrintSettings::Values{}, 4);
    return nullptr;
}

// Closes every message box that comes up, keeping its text.
struct MessageCatcher
{
    QStringList texts;
    QTimer timer;

    MessageCatcher()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.append(box->text());
                box->done(QMessageBox::Ok);
            }
        });
        timer.start();
    }
};

} // namespace

class TestNumberFields : public QObject
{
    Q_OBJECT
private slots:
    void everyFieldRefusesOutOfRange_data();
    void everyFieldRefusesOutOfRange();
};

void TestNumberFields::everyFieldRefusesOutOfRange_data()
{
    QTest::addColumn<QString>("dialog");
    // The position dialogs check their fields with 変更, each with its own message.
    for (const char* name : {"罫線（表）", "分割", "環境設定", "文字間隔", "縁取り", "罫線",
                             "シート背景", "印刷設定", "住所録の編集", "住所録の検索", "年賀状の準備"})
        QTest::newRow(name) << QString::fromUtf8(name);
}

void TestNumberFields::everyFieldRefusesOutOfRange()
{
    QFETCH(QString, dialog);
    Document d;
    MessageCatcher catcher;
    int walked = 0;
    const std::unique_ptr<QDialog> probe = dialogNamed(dialog, *d.doc);
    QVERIFY(probe);
    const int fields = int(probe->findChildren<QSpinBox*>().size());
    for (int i = 0; i < fields; ++i) {
        for (const bool above : {true, false}) {
            // A fresh dialog for each try, so that one refusal does not hide the next.
            const std::unique_ptr<QDialog> dlg = dialogNamed(dialog, *d.doc);
            dlg->show();
            QSpinBox* box = dlg->findChildren<QSpinBox*>().at(i);
            if (!box->isEnabled() || !box->isVisibleTo(dlg.get()))
                continue;
            const QVariant low = box->property("low");
            const QVariant high = box->property("high");
            QVERIFY2(low.isValid() && high.isValid(),
                     qPrintable(QStringLiteral("%1: %2 has no checked range").arg(dialog, box->objectName())));
            const int typed = above ? high.toInt() + 1 : low.toInt() - 1;
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QString::number(typed));
            const qsizetype before = catcher.texts.size();
            if (auto* ranged = qobject_cast<RangeCheckedDialog*>(dlg.get()))
                ranged->showMessage = [&catcher](const QString& t) { catcher.texts.append(t); };
            if (auto* sheets = qobject_cast<CLabelSheetOptionDialog*>(dlg.get()))
                sheets->showMessage = [&catcher](const QString& t) { catcher.texts.append(t); };
            dlg->accept();
            QTRY_VERIFY2(catcher.texts.size() > before,
                         qPrintable(QStringLiteral("%1: %2 = %3 was not refused")
                                        .arg(dialog, box->objectName())
                                        .arg(typed)));
            QVERIFY(dlg->result() != QDialog::Accepted);
            ++walked;
        }
    }
    QVERIFY(walked > 0);
}

QTEST_MAIN(TestNumberFields)
#include "tst_numberfields.moc"
