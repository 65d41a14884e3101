// ORINOTE: the address book and address printing program.

#include "CFirstStartDialog.h"
#include "CMainFrame.h"
#include "CommandActions.h"
#include "CTemplateFileDialog.h"
#include "app/AutoSave.h"
#include "app/CommandChannel.h"
#include "app/CommandIds.h"
#include "app/DocumentSession.h"
#include "app/OpenQueue.h"
#include "app/FirstStart.h"
#include "app/PlacementReplay.h"
#include "base/StartupTrace.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/SettingsProfile.h"
#include "model/TemplateFile.h"
#include "pages/Pagination.h"
#include "prompts/SessionPrompts.h"
#include "render/FontSystemWarmUp.h"
#include "render/FontTextMeasurer.h"
#include "render/TextShaper.h"
#include "render/ui/PrinterOutput.h"
#include "widgets/CWaitDialog.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTimer>
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
        doc.takeUndoSnapshot(QStringLiteral("住所録の読み込み"));
        const QString message = doc.addressBook().loadFile(bookPath);
        // Loading an address book always makes its first sender the sender (and a load that
        // stopped part-way keeps what was read).
        doc.scalars().senderIndex = 0;
        doc.setModified(true);
        // The book belongs to its file: the titles name it and 上書き保存 writes to it.
        if (message.isEmpty())
            doc.addressBookOrigin().reset(doc.addressBook(), bookPath);
        else
            doc.addressBookOrigin().forget();
        if (!message.isEmpty())
            report(bookPath, message);
    }
    if (doc.labelTemplate().sheets.isEmpty()) {
        frame.prompts().showMessage(
            QCoreApplication::translate("main", "シートは必ず1つ以上設定してください。"));
        return;
    }
    // One print takes at most 500 records, as the address book window allows.
    if (const QString limit = doc.addressBook().checkPrintLimit(); !limit.isEmpty()) {
        frame.prompts().showMessage(limit);
        return;
    }
    Pagination::buildFromReservation(doc, QDate::currentDate(), measurer,
                                     CWaitDialog::feed(frame.waitDialog()));
    frame.waitDialog()->finish();
    doc.updateAllViews();
}

// The automatic saves of runs that ended without finishing, newest first: each offered
// back until one is taken; those not taken leave their address book among the copies of
// 以前の住所録を復元.
void offerRecovery(CMainFrame& frame)
{
    CORINOTEDoc& doc = frame.document();
    bool restored = false;
    for (const AutoSave::Leftover& leftover : AutoSave::leftovers(doc.dataFolder)) {
        if (!restored && frame.prompts().askYesNo(AutoSave::question(leftover)))
            restored = AutoSave::restore(frame.session(), leftover);
        else
            AutoSave::discard(leftover, doc.dataFolder);
    }
}

// The first start (no settings yet, nothing named on the command line) asks what to print;
// the template chosen becomes the default one and the blank document gives way to it.
void offerFirstChoice(CMainFrame& frame, Profile& profile)
{
    if (!FirstStart::isDue(profile))
        return;
    const QString chosen = CFirstStartDialog::ask(&frame);
    FirstStart::answer(profile, chosen);
    if (!chosen.isEmpty() && !frame.document().isModified())
        frame.session().newDocument();
}

// The print switches: the document printed on the default printer or a named queue as it
// was saved, without a window. Returns the exit status: 0 printed, 1 not.
int printDocument(const QString& path, const QString& queue, const QString& dataFolder,
                  const QString& profilePath)
{
    const auto fail = [](const QString& message) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        return 1;
    };
    if (path.isEmpty())
        return fail(QCoreApplication::translate("main", "印刷する文書を指定してください。"));
    // The user's settings (or --profile), for the printer's offsets.
    const std::unique_ptr<SettingsProfile> profile =
        profilePath.isEmpty() ? std::make_unique<SettingsProfile>()
                              : std::make_unique<SettingsProfile>(profilePath);
    CORINOTEDoc doc(profile.get());
    doc.dataFolder = dataFolder;
    const QString message = DocumentFile::open(doc, path);
    if (!message.isEmpty())
        return fail(QStringLiteral("%1\n%2").arg(path, message));
    // The pages of the document, as the window shows a document it opens.
    doc.templateMode = 0;
    PrintJob::Settings settings;
    settings.offsetX = doc.printOffsetX;
    settings.offsetY = doc.printOffsetY;
    const QString failure = PrinterOutput::print(doc, queue, settings);
    return failure.isEmpty() ? 0 : fail(failure);
}

// The switches that end without a window (help, version, a command for the running copy,
// printing) and a command line that only earns an error run on the offscreen platform,
// whatever DISPLAY says: a display that is missing or gone must not stop them where the
// window system is looked for (Qt aborts there).
bool endsWithoutWindow(QCommandLineParser& parser, const QStringList& windowless, int argc,
                       char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!parser.parse(arguments))
        return true;
    for (const QString& name : windowless) {
        if (parser.isSet(name))
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    StartupTrace::mark("main");
    const FontSystemWarmUp fonts;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "住所録と宛名・ラベル印刷"));
    // Qt's own help option describes itself in English (and adds its --help-all): the
    // program's help speaks Japanese throughout.
    const QCommandLineOption helpOption(
        {QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
        QCoreApplication::translate("main", "このヘルプを表示します。"));
    parser.addOption(helpOption);
    const QCommandLineOption versionOption(
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("main", "版を表示します。"));
    parser.addOption(versionOption);
    const QCommandLineOption profileOption(
        QStringLiteral("profile"),
        QCoreApplication::translate("main", "設定をこのINIファイルから読み、このファイルに書きます。"),
        QStringLiteral("FILE"));
    const QCommandLineOption dataOption(
        QStringLiteral("data-folder"),
        QCoreApplication::translate("main",
                                    "自動処理のルールファイルとデータベースからの受け渡しファイルをDIRに置きます。"),
        QStringLiteral("DIR"));
    const QCommandLineOption templateOption(
        QStringLiteral("template"),
        QCoreApplication::translate("main", "起動時にこのシートテンプレートファイル（.ont）を開きます。"),
        QStringLiteral("FILE"));
    const QCommandLineOption bookOption(
        QStringLiteral("addressbook"),
        QCoreApplication::translate(
            "main", "起動時にこの住所録ファイル（.ona）を読み込み、印刷予約した宛先を配置します。"),
        QStringLiteral("FILE"));
    const QCommandLineOption commandOption(
        QStringLiteral("command"),
        QCoreApplication::translate(
            "main", "起動しているORINOTEにコマンドNを送って終了します（184: データベースプログラムが "
                    "KLTTmp.dat に置いた文字列を受け取る）。"),
        QStringLiteral("N"));
    const QCommandLineOption printOption(
        QStringLiteral("print"),
        QCoreApplication::translate("main", "文書を通常使うプリンタで印刷して終了します。"));
    const QCommandLineOption printToOption(
        QStringLiteral("print-to"),
        QCoreApplication::translate("main", "文書をプリンタQUEUEで印刷して終了します。"),
        QStringLiteral("QUEUE"));
    parser.addOption(printOption);
    parser.addOption(printToOption);
    parser.addOption(commandOption);
    parser.addOption(profileOption);
    parser.addOption(dataOption);
    parser.addOption(templateOption);
    parser.addOption(bookOption);
    parser.addPositionalArgument(QCoreApplication::translate("main", "文書"),
                                 QCoreApplication::translate("main", "開く文書（.ond）。"),
                                 QCoreApplication::translate("main", "[文書]"));
    // Parsed once before the application: which platform it needs depends on the switches.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        endsWithoutWindow(parser, {helpOption.names().constFirst(), versionOption.names().constFirst(),
                                   commandOption.names().constFirst(), printOption.names().constFirst(),
                                   printToOption.names().constFirst()},
                          argc, argv))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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
    StartupTrace::mark("platform");
    if (StartupTrace::enabled()) {
        // Measured apart only: the window's first font would load the font database and
        // the face just the same a little later.
        QFontInfo(QApplication::font()).family();
        StartupTrace::mark("fonts");
    }

    parser.process(app);
    if (parser.isSet(versionOption)) {
        std::fprintf(stdout, "%s %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (parser.isSet(helpOption)) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    // The channel to the running copy, or none when its folder is not the user's alone.
    QString channelProblem;
    const QString channelName = CommandChannel::serverName(&channelProblem);
    if (parser.isSet(commandOption)) {
        if (channelName.isEmpty()) {
            std::fprintf(stderr, "%s\n", channelProblem.toLocal8Bit().constData());
            return 1;
        }
        const QString failure =
            CommandChannel::send(parser.value(commandOption).toInt(), channelName);
        if (failure.isEmpty())
            return 0;
        std::fprintf(stderr, "%s\n", failure.toLocal8Bit().constData());
        return 1;
    }
    const QString document = parser.positionalArguments().isEmpty()
                                 ? QString()
                                 : parser.positionalArguments().constFirst();
    // The user's own settings file gets the same check as one named: a FIFO there would
    // hold the program before its window.
    if (const QString refusal = SettingsProfile::checkPath(
            parser.isSet(profileOption) ? parser.value(profileOption) : SettingsProfile::userPath());
        !refusal.isEmpty()) {
        std::fprintf(stderr, "%s\n", refusal.toLocal8Bit().constData());
        return 1;
    }
    if (parser.isSet(printOption) || parser.isSet(printToOption)) {
        const QString folder =
            parser.isSet(dataOption)
                ? QDir(parser.value(dataOption)).absolutePath()
                : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        return printDocument(document, parser.value(printToOption), folder,
                             parser.value(profileOption));
    }
    // A template or an address book handed over by the desktop opens as --template and
    // --addressbook do, the address book in its window.
    const QString suffix = QFileInfo(document).suffix().toLower();
    const bool templateFile = suffix == QLatin1String("ont");
    const bool bookFile = suffix == QLatin1String("ona");
    const QString documentFile = templateFile || bookFile ? QString() : document;
    const QString templatePath = templateFile ? document : parser.value(templateOption);
    const QString bookPath = bookFile ? document : parser.value(bookOption);
    // One copy runs: a document opened from the desktop while it runs goes to that copy.
    if (!documentFile.isEmpty() && !channelName.isEmpty() &&
        CommandChannel::sendOpen(documentFile, channelName, 1000).isEmpty())
        return 0;

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

    StartupTrace::mark("settings");

    const QString templateMessage = doc.newDocument();
    StartupTrace::mark("new-document");
    CMainFrame frame(doc, *profile);
    StartupTrace::mark("window");
    // Entering data mode and opening a template place the records the document holds.
    TextShaper shaper;
    const FontTextMeasurer measurer(shaper);
    // The CSV rows and pictures placed since the document was opened go back on too.
    frame.setRecordMerger([&measurer, &frame](CORINOTEDoc& d, ProgressReporter* progress) {
        const QString note = PlacementReplay::replay(d, QDate::currentDate(), &measurer,
                                                     CWaitDialog::feed(progress));
        if (progress)
            progress->finish();
        // Said once the window shows the pages, not over the template mode it leaves.
        if (!note.isEmpty())
            QMetaObject::invokeMethod(
                &frame, [&frame, note] { frame.prompts().showMessage(note); },
                Qt::QueuedConnection);
    });
    if (!templateMessage.isEmpty())
        frame.prompts().showMessage(templateMessage);
    if (const QString ranges = profile->rangeMessage(); !ranges.isEmpty())
        frame.prompts().showMessage(ranges);
    if (!documentFile.isEmpty())
        frame.session().load(documentFile);
    if (!templatePath.isEmpty() || !bookPath.isEmpty())
        openStartFiles(frame, templatePath, bookPath, &measurer);
    StartupTrace::mark("document");
    // A database program sends its command to the copy that listens, the first one started.
    CommandChannel channel(channelName);
    if (channelName.isEmpty()) {
        const QString without = QCoreApplication::translate(
            "main", "ほかのプログラムからのコマンドを受け付けずに起動します。");
        std::fprintf(stderr, "%s\n%s\n", channelProblem.toLocal8Bit().constData(),
                     without.toLocal8Bit().constData());
    }
    channel.listen();
    QObject::connect(&channel, &CommandChannel::commandReceived, &frame,
                     &CMainFrame::receiveCommand);
    // A flood of requests (a file manager opening fifty files) asks one question: the
    // requests that come while it is open are kept, the last one opened afterwards.
    OpenQueue opens([&frame](const QString& path) { frame.openDocument(path); });
    QObject::connect(&channel, &CommandChannel::openRequested, &frame,
                     [&opens](const QString& path) { opens.request(path); });
    // Nothing from outside runs in the middle of a print or a merge.
    QObject::connect(frame.waitDialog(), &CWaitDialog::workStarted, &channel,
                     &CommandChannel::hold);
    QObject::connect(frame.waitDialog(), &CWaitDialog::workFinished, &channel,
                     &CommandChannel::release);
    frame.showMaximized();
    StartupTrace::mark("shown");
    StartupTrace::markFirstPaint(&app);
    AutoSave autoSave(doc, frame.session(), AutoSave::minutesFromSettings(doc));
    const bool namedFiles = !document.isEmpty() || !templatePath.isEmpty() || !bookPath.isEmpty();
    QTimer::singleShot(0, &frame, [&frame, &profile, namedFiles, bookFile] {
        offerRecovery(frame);
        if (!namedFiles)
            offerFirstChoice(frame, *profile);
        if (bookFile)
            frame.actions().action(CommandIds::AddressBookWindow)->trigger();
    });
    const int status = app.exec();
    autoSave.finish();
    CTemplateFileDialog::setFolderProfile(nullptr);
    return status;
}
