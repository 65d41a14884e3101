#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/SettingsProfile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStatusBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("ORINOTE"));
    QCoreApplication::setApplicationName(QStringLiteral("ORINOTE"));

    SettingsProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(doc.dataFolder);

    QMainWindow window;
    window.setWindowTitle(QCoreApplication::translate("main", "無題 - ORINOTE"));
    window.statusBar()->showMessage(QCoreApplication::translate("main", "レディ"));
    window.resize(1024, 768);
    window.show();

    QString message = doc.newDocument();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) {
        message = DocumentFile::open(doc, args.at(1));
        if (message.isEmpty())
            window.setWindowTitle(QStringLiteral("%1 - ORINOTE").arg(QFileInfo(args.at(1)).fileName()));
    }
    if (!message.isEmpty())
        QMessageBox::warning(&window, QStringLiteral("ORINOTE"), message);
    return app.exec();
}
