// The floor under the program's start-up: a Qt Widgets main window with a menu bar, a
// tool bar and a status bar, shown maximized, nothing of ORINOTE's own. bench/startup runs
// it in turn with orinote, so the two figures come from the same machine in the same
// state; what orinote takes beyond it is its own.

#include "base/StartupTrace.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char* argv[])
{
    StartupTrace::mark("main");
    QApplication app(argc, argv);
    StartupTrace::mark("platform");
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"))->addAction(QStringLiteral("終了"));
    window.addToolBar(QStringLiteral("標準"))->addAction(QStringLiteral("開く"));
    window.setCentralWidget(new QLabel(QStringLiteral("宛名")));
    window.statusBar()->showMessage(QStringLiteral("レディ"));
    StartupTrace::mark("window");
    window.showMaximized();
    StartupTrace::mark("shown");
    StartupTrace::markFirstPaint(&app);
    return app.exec();
}
