#include "BatchCommand.h"
#include "BatchPostalCode.h"

#include "base/PrivateFolder.h"
#include "base/StartupTrace.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "model/UndoSnapshots.h"
#include "render/FontSystemWarmUp.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <unistd.h>
#include <memory>

int main(int argc, char* argv[])
{
    StartupTrace::mark("main");
    const FontSystemWarmUp fonts;
    // Headless whatever the environment: fonts and painting work without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Scripts and CI often run without a login session; give Qt a private runtime folder
    // instead of letting it warn on every run.
    // The folder is in /tmp: one another user made first is not taken.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime =
            QDir::temp().filePath(QStringLiteral("orinote-runtime-%1").arg(uint(getuid())));
        if (PrivateFolder::make(runtime).isEmpty())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orinote-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORINOTE_VERSION));
    StartupTrace::mark("platform");

    BatchCommand::Options options;
    QString error;
    if (!BatchCommand::parse(QCoreApplication::arguments(), &options, &error)) {
        std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(error));
        return 2;
    }

    if (options.postalCodeGiven)
        return BatchPostalCode::lookup(options.postalCode);
    if (!options.barcodeCode.isEmpty() || !options.barcodeAddress.isEmpty())
        return BatchPostalCode::barcode(options.barcodeCode, options.barcodeAddress);

    if (const QString refusal = SettingsProfile::checkPath(
            options.profile.isEmpty() ? SettingsProfile::userPath() : options.profile);
        !refusal.isEmpty()) {
        std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(refusal));
        return 1;
    }
    auto profile = options.profile.isEmpty()
                       ? std::make_unique<SettingsProfile>()
                       : std::make_unique<SettingsProfile>(options.profile);
    if (const QString ranges = profile->rangeMessage(); !ranges.isEmpty())
        std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(ranges));
    QTemporaryDir scratch;
    CORINOTEDoc doc(profile.get());
    doc.dataFolder = options.dataFolder.isEmpty() ? scratch.path() : options.dataFolder;
    doc.undoSnapshots().setKeeping(false);

    error = BatchCommand(options).run(doc);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
