#include "BatchCommand.h"

#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    // Headless whatever the environment: fonts and painting work without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orinote-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORINOTE_VERSION));

    BatchCommand::Options options;
    QString error;
    if (!BatchCommand::parse(QCoreApplication::arguments(), &options, &error)) {
        std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(error));
        return 2;
    }

    auto profile = options.profile.isEmpty()
                       ? std::make_unique<SettingsProfile>()
                       : std::make_unique<SettingsProfile>(options.profile);
    QTemporaryDir scratch;
    CORINOTEDoc doc(profile.get());
    doc.dataFolder = options.dataFolder.isEmpty() ? scratch.path() : options.dataFolder;

    error = BatchCommand(options).run(doc);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
