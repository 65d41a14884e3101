// ORINOTE: the address book and address printing program.

#include "addressbook/AddressBookOperations.h"
#include "app/DocumentSession.h"
#include "app/SessionPrompts.h"
#include "app/CommandChannel.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CTemplateFileDialog.h"
#include "model/TemplateFile.h"
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

#include <cstdio>
#include <memory>

namespace {

// Opens the files named by --template and --addressbook as the commands do: the template
// as "テンプレートファイルを開く", the address book as loading it in the address book window,
// then the pages rebuilt from the print reservation with the records merged (as closing
// the address book window with the reservation does). A file that fails is reported and
// the rest still happens, so the window shows whatever could be opened.
void openStartFiles(CMainFrame& frame, const QString& templatePath, const QString& bookPath,
                    const TextMeasurer* measurer)
{
    CORINOTEDoc& doc = frame.document();
    const auto report = [&frame](const QString& path, const QString& message) {
        frame.prompts().showMessage(QStringLiteral("%1\n%2").arg(path, message));
    };
    if (!templatePath.isEmpty()) {
        const QString message = TemplateFile::apply(doc, templatePath);
        if (!message.isEmpty())
            report(templatePath, message);
    }
    if (!bookPath.isEmpty()) {
        doc.takeUndoSnapshot();
        const QString message = doc.addressBook().loadFile(bookPath);
        // Loading an address book always makes its first sender the sender (and a load that
        // stopped part-way keeps what was read).
        doc.scalars().senderIndex = 0;
        doc.setModified(true);
        if (!message.isEmpty())
            report(bookPath, message);
    }
    if (doc.labelTemplate().sheets.isEmpty()) {
        frame.prompts().showMessage(
            QCoreApplication::translate("main", "シートは必ず1つ以上設定してください。"));
        return;
    }
    // One print takes at most 500 records, as the address book window allows.
    if (const QString limit = AddressBookOperations::checkPrintLimit(doc.addressBook());
        !limit.isEmpty()) {
        frame.prompts().showMessage(limit);
        return;
    }
    Pagination::buildFromReservation(doc, QDate::currentDate(), measurer);
    doc.updateAllViews();
}

} // namespace

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
    const QCommandLineOption templateOption(
        QStringLiteral("template"),
        QCoreApplication::translate("main", "Open this sheet template file (.ont) at start."),
        QStringLiteral("FILE"));
    const QCommandLineOption bookOption(
        QStringLiteral("addressbook"),
        QCoreApplication::translate(
            "main", "Load this address book file (.ona) at start and place its reserved records."),
        QStringLiteral("FILE"));
    const QCommandLineOption commandOption(
        QStringLiteral("command"),
        QCoreApplication::translate(
            "main", "Send command N to the running program and end (184: receive the strings "
                    "a database program left in KLTTmp.dat)."),
        QStringLiteral("N"));
    parser.addOption(commandOption);
    parser.addOption(profileOption);
    parser.addOption(dataOption);
    parser.addOption(templateOption);
    parser.addOption(bookOption);
    parser.addPositionalArgument(QStringLiteral("document"),
                                 QCoreApplication::translate("main", "A document to open (.ond)."),
                                 QStringLiteral("[document]"));
    parser.process(app);
    if (parser.isSet(commandOption)) {
        const QString failure = CommandChannel::send(parser.value(commandOption).toInt());
        if (failure.isEmpty())
            return 0;
        std::fprintf(stderr, "%s\n", failure.toLocal8Bit().constData());
        return 1;
    }

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

    // The template file dialog opens where the user last chose a template, or on the
    // bundled catalogue the first time.
    CTemplateFileDialog::setFolderProfile(profile.get());

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
    if (parser.isSet(templateOption) || parser.isSet(bookOption))
        openStartFiles(frame, parser.value(templateOption), parser.value(bookOption), &measurer);
    // A database program sends its command to the copy that listens, the first one started.
    CommandChannel channel;
    channel.listen();
    QObject::connect(&channel, &CommandChannel::commandReceived, &frame,
                     &CMainFrame::receiveCommand);
    frame.showMaximized();
    const int status = app.exec();
    CTemplateFileDialog::setFolderProfile(nullptr);
    return status;
}
