// ORINOTE: the address book and address printing program.

#include "app/DocumentSession.h"
#include "app/SessionPrompts.h"
#include "app/ui/CMainFrame.h"
#include "render/FontTextMeasurer.h"
#include "render/Pagination.h"
#include "render/TextShaper.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"

#include <QApplication>
#include <QDate>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("ORINOTE"));
    QCoreApplication::setApplicationName(QStringLiteral("ORINOTE"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORINOTE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("orinote"));

    // The program speaks Japanese; so do Qt's own dialogs and buttons (file dialogs, the
    // Yes / No / Cancel of the save question) when Qt's translations are installed.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "住所録と宛名・ラベル印刷"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption profileOption(
        QStringLiteral("profile"),
        QCoreApplication::translate("main", "Read and write the settings in this INI file."),
        QStringLiteral("FILE"));
    const QCommandLineOption dataOption(
        QStringLiteral("data-folder"),
        QCoreApplication::translate("main", "Keep undo snapshots and the rules file in DIR."),
        QStringLiteral("DIR"));
    parser.addOption(profileOption);
    parser.addOption(dataOption);
    parser.addPositionalArgument(QStringLiteral("document"),
                                 QCoreApplication::translate("main", "A document to open (.ond)."),
                                 QStringLiteral("[document]"));
    parser.process(app);

    // Destroyed in the reverse order: the window writes the view's settings, then the
    // document writes the zoom, then the profile reaches the disk.
    const std::unique_ptr<SettingsProfile> profile =
        parser.isSet(profileOption) ? std::make_unique<SettingsProfile>(parser.value(profileOption))
                                    : std::make_unique<SettingsProfile>();
    CORINOTEDoc doc(profile.get());
    doc.dataFolder = parser.isSet(dataOption)
                         ? QDir(parser.value(dataOption)).absolutePath()
                         : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // Without the folder undo is simply not offered; nothing else depends on it.
    QDir().mkpath(doc.dataFolder);

    const QString templateMessage = doc.newDocument();
    CMainFrame frame(doc, *profile);
    // Entering data mode and opening a template place the records the document holds.
    TextShaper shaper;
    const FontTextMeasurer measurer(shaper);
    frame.setRecordMerger([&measurer](CORINOTEDoc& d, ProgressReporter*) {
        Pagination::mergeHeldRecords(d, QDate::currentDate(), &measurer);
    });
    if (!templateMessage.isEmpty())
        frame.prompts().showMessage(templateMessage);
    if (!parser.positionalArguments().isEmpty())
        frame.session().load(parser.positionalArguments().constFirst());
    frame.showMaximized();
    return app.exec();
}
