#pragma once

class CommandActions;
class QMenuBar;
class RecentFiles;

// The menu bar of the main window, built from the command actions in the order of the
// program's menu: ファイル, 編集, シート, 文字列, 文字列編集領域, 罫線, データ, ツール,
// 表示, 設定, ヘルプ.
namespace MainMenuBuilder {

void build(QMenuBar* menuBar, const CommandActions& actions);

// Shows the recent files in the four places of the file menu: "&1 name" for each file,
// the unused places hidden; with no file the first place reads "最近使ったファイル".
void showRecentFiles(const CommandActions& actions, const RecentFiles& files);

} // namespace MainMenuBuilder
