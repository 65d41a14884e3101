#include "MainMenuBuilder.h"

#include "CommandActions.h"

#include "app/CommandIds.h"
#include "app/RecentFiles.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include <initializer_list>

using namespace CommandIds;

namespace {

constexpr int Separator = 0;

QString tr(const char* text)
{
    return QCoreApplication::translate("MainMenuBuilder", text);
}

void addItems(QMenu* menu, const CommandActions& actions, std::initializer_list<int> commands)
{
    for (const int c : commands) {
        if (c == Separator)
            menu->addSeparator();
        else
            menu->addAction(actions.action(c));
    }
}

QMenu* addSubmenu(QMenu* menu, const QString& title, const CommandActions& actions,
                  std::initializer_list<int> commands)
{
    QMenu* sub = menu->addMenu(title);
    addItems(sub, actions, commands);
    return sub;
}

} // namespace

namespace MainMenuBuilder {

void build(QMenuBar* bar, const CommandActions& a)
{
    QMenu* file = bar->addMenu(tr("ファイル(&F)"));
    addItems(file, a,
             {FileNew, FileOpen, FileSave, FileSaveAs, Separator, OpenTemplate, SaveTemplate,
              Separator, FilePrint, ExportPdf, Separator, RecentFile1, RecentFile1 + 1,
              RecentFile1 + 2, RecentFile1 + 3, Separator, AppExit});

    QMenu* edit = bar->addMenu(tr("編集(&E)"));
    addItems(edit, a,
             {EditUndo, EditRedo, Separator, EditCut, EditCopy, EditPaste, EditDuplicate,
              DeleteSelection, BringIntoPaper, Separator, TemplateMode, DataMode, Separator, ClearReservation,
              ReloadReservation, Separator});
    addSubmenu(edit, tr("グリッドにあわせて編集(&G)"), a, {GridNone, Grid1mm, Grid5mm, Grid10mm});

    QMenu* sheet = bar->addMenu(tr("シート(&S)"));
    addItems(sheet, a, {SheetBackground});
    addSubmenu(sheet, tr("背景画像の回転(&R)"), a,
               {SheetPictureRotateRight, SheetPictureRotateLeft});
    sheet->addSeparator();
    addSubmenu(sheet, tr("整列(&A)"), a,
               {SheetAlignLeft, SheetAlignCentre, SheetAlignRight, SheetAlignTop, SheetAlignMiddle,
                SheetAlignBottom});
    addSubmenu(sheet, tr("同じサイズに揃える(&M)"), a,
               {SheetSameHeight, SheetSameWidth, SheetSameBoth});
    addSubmenu(sheet, tr("縦横比を背景画像に合わせる(&S)"), a,
               {SheetFitPictureKeepHeight, SheetFitPictureKeepWidth});
    addSubmenu(sheet, tr("用紙の中央に配置する(&C)"), a,
               {SheetCentreHorizontally, SheetCentreVertically});
    addItems(sheet, a, {SheetSplit, Separator, SheetPosition, Separator, SheetOrder, SheetsAlike});

    QMenu* text = bar->addMenu(tr("文字列(&T)"));
    addItems(text, a,
             {TextFont, TextColor, TextSpacing, Separator, TextItalic, TextBold, TextStrikeOut,
              TextUnderline, Separator, TextAlignLeft, TextAlignCentre, TextAlignRight, Separator});
    addSubmenu(text, tr("文字列の回転(&D)"), a, {TextRotateRight, TextRotateLeft});
    addItems(text, a, {TextOutline, Separator, TextFindReplace, ImportText});

    QMenu* region = bar->addMenu(tr("文字列編集領域(&R)"));
    addItems(region, a, {RegionBackground});
    addSubmenu(region, tr("背景画像の回転(&R)"), a,
               {RegionPictureRotateRight, RegionPictureRotateLeft});
    addItems(region, a, {RegionFrame, Separator});
    addSubmenu(region, tr("整列(&A)"), a,
               {RegionAlignLeft, RegionAlignCentre, RegionAlignRight, RegionAlignTop,
                RegionAlignMiddle, RegionAlignBottom});
    addSubmenu(region, tr("用紙の中央に配置(&C)"), a,
               {RegionCentreHorizontally, RegionCentreVertically});
    addSubmenu(region, tr("等間隔に配置(&I)"), a,
               {RegionDistributeHorizontally, RegionDistributeVertically});
    addSubmenu(region, tr("同じサイズに揃える(&M)"), a,
               {RegionSameHeight, RegionSameWidth, RegionSameBoth});
    addSubmenu(region, tr("縦横比を背景画像に合わせる(&S)"), a,
               {RegionFitPictureKeepHeight, RegionFitPictureKeepWidth});
    addSubmenu(region, tr("文字列編集領域の回転(&T)"), a, {RegionRotateRight, RegionRotateLeft});
    addItems(region, a, {RegionSplit, Separator, RegionPosition});

    QMenu* lines = bar->addMenu(tr("罫線(&K)"));
    addItems(lines, a, {LineDistribute});
    addSubmenu(lines, tr("用紙の中央に配置する(&C)"), a,
               {LineCentreHorizontally, LineCentreVertically});
    addItems(lines, a, {LineAutoPlace, Separator, LinePosition});

    QMenu* data = bar->addMenu(tr("データ(&D)"));
    addItems(data, a, {AddressBookWindow, CsvFile, Database});

    QMenu* tools = bar->addMenu(tr("ツール(&L)"));
    addItems(tools, a, {PicturePrint});

    QMenu* view = bar->addMenu(tr("表示(&V)"));
    addItems(view, a,
             {EditDisplay,  PreviewDisplay,   Separator,         FirstPage,       BackTenPages,
              PreviousPage, NextPage,         ForwardTenPages,   LastPage,        Separator,
              ShowGrid,     ShowSheetNumbers, ShowRegionNumbers, ShowLineNumbers, ShowPaperPicture,
              Separator,    ZoomIn,           ZoomOut,           Separator,       ViewToolBar,
              ViewStatusBar});

    QMenu* settings = bar->addMenu(tr("設定(&O)"));
    addItems(settings, a,
             {EnvironmentSetup, AutoReplaceSettings, Separator, PrintSettings, TestPrint});

    QMenu* help = bar->addMenu(tr("ヘルプ(&H)"));
    addItems(help, a, {About});
}

void showRecentFiles(const CommandActions& actions, const RecentFiles& files)
{
    for (int i = 0; i < RecentFileCount; ++i) {
        QAction* action = actions.action(RecentFile1 + i);
        if (i < files.count()) {
            action->setText(files.menuText(i));
            action->setToolTip(files.files().at(i));
            action->setStatusTip(files.files().at(i));
            action->setVisible(true);
        } else if (i == 0) {
            action->setText(tr("最近使ったファイル"));
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
}

} // namespace MainMenuBuilder
