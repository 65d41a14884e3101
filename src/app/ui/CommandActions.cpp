#include "CommandActions.h"

#include "app/CommandIds.h"
#include "app/CommandState.h"

#include <QAction>
#include <QIcon>
#include <QRegularExpression>

#include <utility>

using namespace CommandIds;

namespace {

// The tool tip of a menu text: without the shortcut column and the mnemonic.
QString toolTipOf(QString text)
{
    text = text.section(QLatin1Char('\t'), 0, 0);
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)|\\.\\.\\.$"));
    text.remove(mnemonic);
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

} // namespace

CommandActions::CommandActions(QObject* parent) : QObject(parent)
{
    // ファイル
    add(FileNew, tr("新規作成(&N)"), QStringLiteral("file-new"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    add(FileOpen, tr("開く(&O)..."), QStringLiteral("file-open"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    add(FileSave, tr("上書き保存(&S)"), QStringLiteral("file-save"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    add(FileSaveAs, tr("名前を付けて保存(&A)..."));
    add(OpenTemplate, tr("テンプレートファイルを開く(&T)"));
    add(SaveTemplate, tr("テンプレートデータの保存(&E)"));
    add(FilePrint, tr("印刷(&P)..."), QStringLiteral("print"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    add(ExportPdf, tr("PDFに出力(&D)..."));
    add(PrintSetup, tr("プリンタの設定(&R)..."));
    for (int i = 0; i < RecentFileCount; ++i)
        add(RecentFile1 + i, tr("最近使ったファイル"));
    add(AppExit, tr("アプリケーションの終了(&X)"));

    // 編集
    add(EditUndo, tr("元に戻す(&U)"))
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    add(EditRedo, tr("やり直し(&R)"))
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    add(EditCut, tr("切り取り(&K)"))->setShortcut(QKeySequence::Cut);
    add(EditCopy, tr("コピー(&O)"))->setShortcut(QKeySequence::Copy);
    add(EditPaste, tr("貼り付け(&P)"))->setShortcut(QKeySequence::Paste);
    add(EditDuplicate, tr("複製(&I)"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    add(BringIntoPaper, tr("用紙内に戻す(&B)"));
    add(TemplateMode, tr("テンプレートモード(&T)"), QStringLiteral("mode-template"));
    add(DataMode, tr("データモード(&D)"), QStringLiteral("mode-data"));
    add(ClearReservation, tr("印刷予約データのクリア(&C)"));
    add(ReloadReservation, tr("印刷予約データの再読み込み(&L)"));
    add(GridNone, tr("なし(&N)"));
    add(Grid1mm, tr("1mm単位(&O)"));
    add(Grid5mm, tr("5mm単位(&F)"));
    add(Grid10mm, tr("10mm単位(&T)"));

    // シート
    add(SheetBackground, tr("背景(&B)"), QStringLiteral("sheet-background"));
    add(SheetPictureRotateRight, tr("時計回りに90度(&R)"));
    add(SheetPictureRotateLeft, tr("反時計回りに90度(&L)"));
    add(SheetFitPictureKeepHeight, tr("高さを固定して実行(&H)"));
    add(SheetFitPictureKeepWidth, tr("幅を固定して実行(&W)"));
    add(SheetCentreHorizontally, tr("用紙の左右中央に配置する(&C)"));
    add(SheetCentreVertically, tr("用紙の上下中央に配置する(&M)"));
    add(SheetSplit, tr("シート枠の分割(&D)"));
    add(SheetPosition, tr("位置・サイズ調整(&P)"), QStringLiteral("sheet-position"));
    add(SheetOrder, tr("シートオーダー(&O)"));
    add(SheetsAlike, tr("すべてのシートを同じ設定にする(&E)"));

    // 整列 and 同じサイズに揃える, once for sheets and once for text regions.
    for (const int base : {int(SheetAlignLeft), int(RegionAlignLeft)}) {
        add(base + 0, tr("左(&L)"));
        add(base + 1, tr("左右中央(&C)"));
        add(base + 2, tr("右(&R)"));
        add(base + 3, tr("上(&T)"));
        add(base + 4, tr("上下中央(&M)"));
        add(base + 5, tr("下(&B)"));
        add(base + 6, tr("幅(&W)"));
        add(base + 7, tr("高さ(&H)"));
        add(base + 8, tr("両方(&B)"));
    }

    // 文字列
    add(TextFont, tr("フォント(&F)"), QStringLiteral("text-font"));
    add(TextColor, tr("色(&C)"), QStringLiteral("text-color"));
    add(TextSpacing, tr("文字間隔(&E)"));
    add(TextItalic, tr("斜体(&I)"), QStringLiteral("text-italic"));
    add(TextBold, tr("太字(&B)"), QStringLiteral("text-bold"));
    add(TextStrikeOut, tr("取り消し線(&K)"), QStringLiteral("text-strikeout"));
    add(TextUnderline, tr("下線(&U)"), QStringLiteral("text-underline"));
    add(TextAlignLeft, tr("左寄せ(&L)"), QStringLiteral("align-left"));
    add(TextAlignCentre, tr("中央寄せ(&N)"), QStringLiteral("align-centre"));
    add(TextAlignRight, tr("右寄せ(&R)"), QStringLiteral("align-right"));
    add(TextRotateRight, tr("90度回転（時計回り）(&R)"), QStringLiteral("text-rotate-right"));
    add(TextRotateLeft, tr("90度回転（反時計回り）(&L)"), QStringLiteral("text-rotate-left"));
    add(TextOutline, tr("縁取り(&H)"), QStringLiteral("text-outline"));
    add(TextFindReplace, tr("検索・置換(&S)"));

    // 文字列編集領域
    add(RegionBackground, tr("背景(&B)"), QStringLiteral("region-background"));
    add(RegionPictureRotateRight, tr("背景画像の回転（時計回りに90度）(&R)"));
    add(RegionPictureRotateLeft, tr("背景画像の回転（反時計回りに90度）(&L)"));
    add(RegionFrame, tr("枠線(&K)"), QStringLiteral("region-frame"));
    add(RegionCentreHorizontally, tr("用紙の左右中央に配置する(&C)"));
    add(RegionCentreVertically, tr("用紙の上下中央に配置する(&M)"));
    add(RegionDistributeHorizontally, tr("水平方向(&H)"));
    add(RegionDistributeVertically, tr("垂直方向(&V)"));
    add(RegionFitPictureKeepHeight, tr("高さを固定して実行(&H)"));
    add(RegionFitPictureKeepWidth, tr("幅を固定して実行(&W)"));
    add(RegionRotateRight, tr("90度回転（時計回り）(&R)"), QStringLiteral("region-rotate-right"));
    add(RegionRotateLeft, tr("90度回転（反時計回り）(&L)"), QStringLiteral("region-rotate-left"));
    add(RegionSplit, tr("文字列編集領域の分割(&D)"));
    add(RegionPosition, tr("位置・サイズ調整(&P)"), QStringLiteral("region-position"));

    // 罫線
    add(LineDistribute, tr("等間隔に配置(&I)"));
    add(LineCentreHorizontally, tr("用紙の左右中央に配置する(&C)"));
    add(LineCentreVertically, tr("用紙の上下中央に配置する(&M)"));
    add(LineAutoPlace, tr("すべてのシートに自動配置(&A)"));
    add(LinePosition, tr("位置・長さ調整(&P)"), QStringLiteral("line-position"));

    // データ, ツール
    add(AddressBookWindow, tr("住所録(&A)"));
    add(CsvFile, tr("CSVファイル(&C)"));
    add(Database, tr("データベース(&D)"));
    add(PicturePrint, tr("画像印刷(&P)"));

    // 表示
    add(EditDisplay, tr("エディットモード(&E)"), QStringLiteral("display-edit"));
    add(PreviewDisplay, tr("プレビューモード(&P)"), QStringLiteral("display-preview"));
    add(FirstPage, tr("最初のページ(&B)"), QStringLiteral("page-first"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
    add(BackTenPages, tr("10ページ戻る(&W)"), QStringLiteral("page-back-ten"));
    add(PreviousPage, tr("前のページ(&L)"), QStringLiteral("page-previous"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    add(NextPage, tr("次のページ(&N)"), QStringLiteral("page-next"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    add(ForwardTenPages, tr("10ページ進む(&A)"), QStringLiteral("page-forward-ten"));
    add(LastPage, tr("最後のページ(&F)"), QStringLiteral("page-last"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
    add(ShowGrid, tr("グリッドの表示(&G)"));
    add(ShowSheetNumbers, tr("シート番号の表示(&R)"));
    add(ShowRegionNumbers, tr("文字列編集領域番号の表示(&M)"));
    add(ShowLineNumbers, tr("罫線番号の表示(&K)"));
    add(ShowPaperPicture, tr("用紙画像の表示(&Y)"));
    add(ZoomIn, tr("拡大(&I)"), QStringLiteral("zoom-in"));
    add(ZoomOut, tr("縮小(&O)"), QStringLiteral("zoom-out"));
    add(ViewToolBar, tr("ツール バー(&T)"));
    add(ViewStatusBar, tr("ステータス バー(&S)"));

    // 設定, ヘルプ
    add(EnvironmentSetup, tr("環境設定(&S)"));
    add(AutoReplaceSettings, tr("自動処理設定(&A)"));
    add(PrintSettings, tr("印刷設定(&P)"), QStringLiteral("print-settings"));
    add(TestPrint, tr("テスト印刷(&T)"));
    add(About, tr("バージョン情報 ORINOTE(&A)..."), QStringLiteral("help-about"));

    // The object tool bar's tools.
    add(ToolAddSheet, tr("シートの追加"), QStringLiteral("tool-add-sheet"));
    add(ToolDrawSheet, tr("シートの追加"), QStringLiteral("tool-draw-sheet"));
    add(ToolSheets, tr("シートの位置・サイズ変更"), QStringLiteral("tool-sheets"));
    add(ToolAddRegion, tr("文字列編集領域の追加"), QStringLiteral("tool-add-region"));
    add(ToolDrawRegion, tr("文字列編集領域の追加"), QStringLiteral("tool-draw-region"));
    add(ToolRegions, tr("文字列編集領域の位置・サイズ変更"), QStringLiteral("tool-regions"));
    add(ToolAddLine, tr("罫線の追加"), QStringLiteral("tool-add-line"));
    add(ToolAddLineTable, tr("罫線（表）の追加"), QStringLiteral("tool-add-line-table"));
    add(ToolLines, tr("罫線の位置・長さ変更"), QStringLiteral("tool-lines"));
    // Two pairs of tools share their names; the tips tell each one's way of working.
    const std::pair<int, QString> tips[] = {
        {ToolAddSheet, tr("シートの追加（クリックした位置に既定の大きさで追加）")},
        {ToolDrawSheet, tr("シートの追加（ドラッグした範囲に追加）")},
        {ToolSheets, tr("シートの位置・サイズ変更（クリックで選択、ドラッグで移動・サイズ変更。"
                        "同じ所をもう一度クリックするか Ctrl+Alt+クリックで下のシートを選択）")},
        {ToolAddRegion, tr("文字列編集領域の追加（クリックした位置に既定の大きさで追加）")},
        {ToolDrawRegion, tr("文字列編集領域の追加（ドラッグした範囲に追加）")},
        {ToolRegions,
         tr("文字列編集領域の位置・サイズ変更（クリックで選択、ドラッグで移動・サイズ変更。"
            "同じ所をもう一度クリックするか Ctrl+Alt+クリックで下の領域を選択）")},
        {ToolAddLine, tr("罫線の追加（ドラッグで線を引く。Ctrlで垂直、Shiftで水平）")},
        {ToolAddLineTable, tr("罫線（表）の追加（ドラッグした範囲に表を作成）")},
        {ToolLines, tr("罫線の位置・長さ変更（クリックで選択、ドラッグで移動。Home・↑を押したまま"
                       "で終点、End・↓で始点だけを移動）")},
    };
    for (const auto& [command, tip] : tips) {
        mActions.value(command)->setToolTip(tip);
        mActions.value(command)->setStatusTip(tip);
    }

    // The drawing view's right-button menu.
    add(DeleteSelection, tr("削除(&X)"))->setShortcut(QKeySequence::Delete);
    add(ImportText, tr("文字列の読み込み(&T)"));
}

QAction* CommandActions::add(int command, const QString& text, const QString& icon)
{
    auto* a = new QAction(text, this);
    a->setData(command);
    a->setToolTip(toolTipOf(text));
    a->setCheckable(CommandStates::isCheckable(command));
    if (!icon.isEmpty())
        a->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
    // Shortcuts work wherever the focus is in the main window, so commands reach the
    // drawing view while the keyboard is in the left pane.
    a->setShortcutContext(Qt::WindowShortcut);
    mActions.insert(command, a);
    mOrder.append(command);
    return a;
}

void CommandActions::applyStates(const CommandContext& context)
{
    for (const int command : std::as_const(mOrder)) {
        const CommandState s = CommandStates::evaluate(command, context);
        QAction* a = mActions.value(command);
        a->setEnabled(s.enabled);
        if (a->isCheckable())
            a->setChecked(s.checked);
    }
    // 元に戻す and やり直し name the step they take back.
    const std::pair<int, QString> steps[] = {
        {EditUndo, stepText(tr("元に戻す(&U)"), context.undoName)},
        {EditRedo, stepText(tr("やり直し(&R)"), context.redoName)},
    };
    for (const auto& [command, text] : steps) {
        QAction* a = mActions.value(command);
        a->setText(text);
        a->setToolTip(toolTipOf(text));
    }
}

QString CommandActions::stepText(const QString& command, const QString& step)
{
    return step.isEmpty() ? command : command + QLatin1Char(' ') + step;
}
