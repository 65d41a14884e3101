#include "BatchCommand.h"

#include "addressbook/AddressBook.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/DocumentJson.h"
#include "model/TemplateFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BatchCommand", text);
}

struct OptionEntry
{
    const char* name;
    const char* value;
    const char* help;
    QString BatchCommand::Options::*field;
};

const OptionEntry kOptions[] = {
    {"document", "FILE", "start from this document file (default: a new document)",
     &BatchCommand::Options::document},
    {"template", "FILE", "apply this sheet template file as opening a template does",
     &BatchCommand::Options::templateFile},
    {"addressbook", "FILE", "load this address book file", &BatchCommand::Options::addressBook},
    {"save", "FILE", "save the document to FILE", &BatchCommand::Options::save},
    {"save-template", "FILE", "save the template to FILE", &BatchCommand::Options::saveTemplate},
    {"save-addressbook", "FILE", "save the address book to FILE",
     &BatchCommand::Options::saveAddressBook},
    {"json", "FILE", "write the whole document as JSON to FILE ('-' for standard output)",
     &BatchCommand::Options::json},
    {"profile", "FILE", "use this settings file instead of the user's",
     &BatchCommand::Options::profile},
    {"data-folder", "DIR", "keep undo snapshots in DIR (default: a temporary folder)",
     &BatchCommand::Options::dataFolder},
};

} // namespace

bool BatchCommand::parse(const QStringList& arguments, Options* options, QString* error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("ORINOTE without a window: open, merge, save and export."));
    parser.addHelpOption();
    parser.addVersionOption();
    for (const OptionEntry& option : kOptions) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(option.name),
                                           QString::fromLatin1(option.help),
                                           QString::fromLatin1(option.value)));
    }
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty()) {
        *error = tr("不明な引数です: %1").arg(parser.positionalArguments().join(QLatin1Char(' ')));
        return false;
    }
    for (const OptionEntry& option : kOptions)
        options->*option.field = parser.value(QString::fromLatin1(option.name));
    return true;
}

QString BatchCommand::run(CORINOTEDoc& doc) const
{
    const QString error = loadInputs(doc);
    if (!error.isEmpty())
        return error;
    return writeOutputs(doc);
}

QString BatchCommand::loadInputs(CORINOTEDoc& doc) const
{
    const Options& o = mOptions;
    if (!o.document.isEmpty()) {
        const QString message = DocumentFile::open(doc, o.document);
        if (!message.isEmpty())
            return QStringLiteral("%1: %2").arg(o.document, message);
    } else {
        const QString message = doc.newDocument();
        if (!message.isEmpty())
            return message;
    }
    if (!o.templateFile.isEmpty()) {
        const QString message = TemplateFile::apply(doc, o.templateFile);
        if (!message.isEmpty())
            return QStringLiteral("%1: %2").arg(o.templateFile, message);
    }
    if (!o.addressBook.isEmpty()) {
        doc.takeUndoSnapshot();
        const QString message = doc.addressBook().loadFile(o.addressBook);
        doc.scalars().senderIndex = 0;
        doc.recordList() = doc.addressBook().buildRecordList(doc.scalars().printStartPosition);
        doc.setModified(true);
        if (!message.isEmpty())
            return QStringLiteral("%1: %2").arg(o.addressBook, message);
    }
    return QString();
}

QString BatchCommand::writeOutputs(CORINOTEDoc& doc) const
{
    const Options& o = mOptions;
    if (!o.save.isEmpty()) {
        const QString message = DocumentFile::save(doc, o.save);
        if (!message.isEmpty())
            return QStringLiteral("%1: %2").arg(o.save, message);
    }
    if (!o.saveTemplate.isEmpty()) {
        const QString message = TemplateFile::save(doc, o.saveTemplate);
        if (!message.isEmpty())
            return QStringLiteral("%1: %2").arg(o.saveTemplate, message);
    }
    if (!o.saveAddressBook.isEmpty()) {
        const QString message = doc.addressBook().storeFile(o.saveAddressBook);
        if (!message.isEmpty())
            return QStringLiteral("%1: %2").arg(o.saveAddressBook, message);
    }
    if (!o.json.isEmpty()) {
        const QByteArray json = QJsonDocument(DocumentJson::toJson(doc)).toJson();
        if (o.json == QLatin1String("-")) {
            QFile out;
            if (!out.open(stdout, QIODevice::WriteOnly) || out.write(json) != json.size())
                return tr("標準出力に書き込めませんでした。");
        } else {
            QSaveFile out(o.json);
            if (!out.open(QIODevice::WriteOnly) || out.write(json) != json.size() ||
                !out.flush() || !out.commit())
                return tr("%1: JSONファイルの書き込みに失敗しました。").arg(o.json);
        }
    }
    return QString();
}
