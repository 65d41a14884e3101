#include "BatchCommand.h"

#include "BatchCsv.h"
#include "BatchList.h"
#include "BatchPictures.h"
#include "BatchPostalCode.h"
#include "BatchVCard.h"

#include "address/AddressBook.h"
#include "base/RegularFile.h"
#include "base/SaveTarget.h"
#include "base/StartupTrace.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/DocumentJson.h"
#include "model/TemplateFile.h"
#include "pages/Pagination.h"
#include "render/FontTextMeasurer.h"
#include "render/PageImageExporter.h"
#include "render/PageRenderer.h"
#include "render/PdfExporter.h"
#include "render/PrintJob.h"
#include "render/TextShaper.h"
#include "render/ui/PrinterOutput.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

#include <cstdio>

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
    {"data-folder", "DIR", "the data folder DIR, where the rules file is (default: a temporary folder)",
     &BatchCommand::Options::dataFolder},
    {"rules", "FILE", "auto-replace rules file (default: the data folder's ONUARDFile.dat)",
     &BatchCommand::Options::rules},
    {"today", "YYYY-MM-DD", "the date the date fields show (default: today)",
     &BatchCommand::Options::today},
    {"png", "PREFIX", "render the pages to PREFIX-<page>.png", &BatchCommand::Options::png},
    {"pages", "LIST", "pages of the images, the PDF and the print, e.g. 1-3,5 (default: all)",
     &BatchCommand::Options::pages},
    {"pdf", "FILE", "print the pages to the PDF file FILE", &BatchCommand::Options::pdf},
    {"csv", "FILE", "place the rows of this CSV file on the pages (at most 500)",
     &BatchCommand::Options::csv},
    {"rows", "LIST",
     "rows of the CSV file in file order, e.g. 1-20,25, counted after the header line of "
     "--csv-header (default: all)",
     &BatchCommand::Options::rows},
    {"postal-code", "CODE", "print the addresses of this postal code and do nothing else",
     &BatchCommand::Options::postalCode},
    {"customer-barcode", "CODE ADDRESS",
     "print the customer barcode's content and check character of the postal code and "
     "address, and do nothing else",
     &BatchCommand::Options::barcodeCode},
    {"import-vcard", "FILE", "append the cards of this vCard file to the group of --group",
     &BatchCommand::Options::importVCard},
    {"import-contacts", "FILE",
     "append the contacts of this vCard or contact CSV file (Google, Outlook, Outlook.com, "
     "Thunderbird) to the group of --group, telling what was kept",
     &BatchCommand::Options::importContacts},
    {"group", "NAME",
     "the group --import-vcard or --import-contacts fills and --list-pdf lists: its tab "
     "caption or its number 0-19",
     &BatchCommand::Options::importGroup},
    {"export-vcard", "GROUP FILE",
     "write the records of the group (tab caption or 0-19) to the vCard file FILE",
     &BatchCommand::Options::exportVCardGroup},
    {"list-pdf", "FILE",
     "write the address list of --group (default: every group but the senders) as a PDF table",
     &BatchCommand::Options::listPdf},
};

// "X,Y" in 0.1 mm, each within the print offset range.
bool parseOffset(const QString& text, int* x, int* y)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return false;
    bool okX = false;
    bool okY = false;
    *x = parts[0].trimmed().toInt(&okX);
    *y = parts[1].trimmed().toInt(&okY);
    return okX && okY && qAbs(*x) <= PrintJob::MaxOffset && qAbs(*y) <= PrintJob::MaxOffset;
}

} // namespace

QStringList BatchCommand::normalisedArguments(const QStringList& arguments)
{
    QStringList out;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--export-vcard") && i + 2 < arguments.size()) {
            out.append(QStringLiteral("--export-vcard=") + arguments[i + 1]);
            out.append(QStringLiteral("--export-vcard-file=") + arguments[i + 2]);
            i += 2;
            continue;
        }
        if (arguments[i] == QLatin1String("--customer-barcode") && i + 2 < arguments.size()) {
            out.append(QStringLiteral("--customer-barcode=") + arguments[i + 1]);
            out.append(QStringLiteral("--customer-barcode-address=") + arguments[i + 2]);
            i += 2;
            continue;
        }
        if (arguments[i] != QLatin1String("--print")) {
            out.append(arguments[i]);
            continue;
        }
        const bool named = i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-'));
        out.append(QStringLiteral("--print=") + (named ? arguments[++i] : QString()));
    }
    return out;
}

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
    const QCommandLineOption dpi(QStringLiteral("dpi"),
                                 QStringLiteral("resolution of the page images (default %1)")
                                     .arg(PageImageExporter::DefaultDpi),
                                 QStringLiteral("N"));
    const QCommandLineOption preview(QStringLiteral("preview"),
                                     QStringLiteral("page images as the preview shows them (default)"));
    const QCommandLineOption edit(QStringLiteral("edit"),
                                  QStringLiteral("page images as the edit display shows them"));
    const QCommandLineOption print(QStringLiteral("print"),
                                   QStringLiteral("print the pages on the CUPS queue PRINTER "
                                                  "(the default printer when none is named)"),
                                   QStringLiteral("PRINTER"));
    const QCommandLineOption start(QStringLiteral("start"),
                                   QStringLiteral("print start position: the sheet of page 1 "
                                                  "that takes the first record"),
                                   QStringLiteral("N"));
    const QCommandLineOption offset(QStringLiteral("offset"),
                                    QStringLiteral("print offsets X,Y in 0.1 mm (right and down "
                                                   "positive; default: the settings' PosX,PosY)"),
                                    QStringLiteral("X,Y"));
    const QCommandLineOption calibration(
        QStringLiteral("calibration"),
        QStringLiteral("the calibration page as the first printed page"));
    const QCommandLineOption picture(
        QStringLiteral("picture"),
        QStringLiteral("place this picture on a sheet (repeat for more, in order)"),
        QStringLiteral("FILE"));
    const QCommandLineOption pictureRegions(
        QStringLiteral("picture-regions"),
        QStringLiteral("place the pictures into the picture regions instead of the sheets"));
    const QCommandLineOption keep(
        QStringLiteral("keep"),
        QStringLiteral("keep what the pages hold and place the pictures on the sheets after the "
                       "last one that holds a picture, a record or a CSV cell, adding pages as "
                       "needed"));
    const QCommandLineOption csvHeader(
        QStringLiteral("csv-header"),
        QStringLiteral("the CSV file's first line names its columns and is not placed"));
    const QCommandLineOption csvAsRecords(
        QStringLiteral("csv-as-records"),
        QStringLiteral("with --csv-header: place the CSV rows as address records, their "
                       "columns taken by name (氏名, 郵便番号, 住所1, Name, Zip ...)"));
    QCommandLineOption vcardFile(QStringLiteral("export-vcard-file"), QString(),
                                 QStringLiteral("FILE"));
    vcardFile.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption barcodeAddress(QStringLiteral("customer-barcode-address"), QString(),
                                      QStringLiteral("ADDRESS"));
    barcodeAddress.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({dpi, preview, edit, print, start, offset, calibration, picture,
                       pictureRegions, keep, csvHeader, csvAsRecords, vcardFile, barcodeAddress});
    if (!parser.parse(normalisedArguments(arguments))) {
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

    options->exportVCardFile = parser.value(vcardFile);
    options->barcodeAddress = parser.value(barcodeAddress);
    if (parser.isSet(QStringLiteral("customer-barcode"))) {
        if (!parser.isSet(barcodeAddress)) {
            *error = tr("--customer-barcode には郵便番号と住所を指定してください。");
            return false;
        }
        if (parser.optionNames().size() > 2) {
            *error = tr("--customer-barcode はほかの指定と一緒には使えません。");
            return false;
        }
    }
    if (parser.isSet(QStringLiteral("export-vcard")) && options->exportVCardFile.isEmpty()) {
        *error = tr("--export-vcard にはグループとファイルを指定してください。");
        return false;
    }
    if (!options->importVCard.isEmpty() && options->importGroup.isEmpty()) {
        *error = tr("--import-vcard と --group は一緒に指定してください。");
        return false;
    }
    if (!options->importContacts.isEmpty() && options->importGroup.isEmpty()) {
        *error = tr("--import-contacts と --group は一緒に指定してください。");
        return false;
    }
    if (!options->importGroup.isEmpty() && options->importVCard.isEmpty() &&
        options->importContacts.isEmpty() && options->listPdf.isEmpty()) {
        *error = tr("--group は --import-vcard、--import-contacts か --list-pdf と一緒に指定して"
                    "ください。");
        return false;
    }
    options->pictures = parser.values(picture);
    options->pictureRegions = parser.isSet(pictureRegions);
    options->keep = parser.isSet(keep);
    if ((options->pictureRegions || options->keep) && options->pictures.isEmpty()) {
        *error = tr("--picture-regions, --keep は --picture と一緒に指定してください。");
        return false;
    }
    options->csvHeader = parser.isSet(csvHeader);
    options->csvAsRecords = parser.isSet(csvAsRecords);
    if (options->csvAsRecords && !options->csvHeader) {
        *error = tr("--csv-as-records は --csv-header と一緒に指定してください。");
        return false;
    }
    if ((parser.isSet(QStringLiteral("rows")) || options->csvHeader) && options->csv.isEmpty()) {
        *error = tr("--rows, --csv-header は --csv と一緒に指定してください。");
        return false;
    }
    options->postalCodeGiven = parser.isSet(QStringLiteral("postal-code"));
    if (parser.isSet(QStringLiteral("postal-code")) && parser.optionNames().size() > 1) {
        *error = tr("--postal-code はほかの指定と一緒には使えません。");
        return false;
    }

    options->edit = parser.isSet(edit);
    if (parser.isSet(preview) && options->edit) {
        *error = tr("--preview と --edit は同時に指定できません。");
        return false;
    }
    options->dpi = PageImageExporter::DefaultDpi;
    if (parser.isSet(dpi)) {
        bool ok = false;
        options->dpi = parser.value(dpi).toInt(&ok);
        if (!ok || options->dpi < PageImageExporter::MinDpi ||
            options->dpi > PageImageExporter::MaxDpi) {
            *error = tr("--dpi には %1 から %2 までの数を指定してください。")
                         .arg(PageImageExporter::MinDpi)
                         .arg(PageImageExporter::MaxDpi);
            return false;
        }
    }
    const bool imageOption = parser.isSet(dpi) || parser.isSet(preview) || options->edit;
    if (imageOption && options->png.isEmpty()) {
        *error = tr("--dpi, --preview, --edit は --png と一緒に指定してください。");
        return false;
    }
    options->print = parser.isSet(print);
    options->printer = parser.value(print);
    const bool printing = options->print || !options->pdf.isEmpty();
    if (!options->pages.isEmpty() && !printing && options->png.isEmpty()) {
        *error = tr("--pages は --png, --pdf, --print と一緒に指定してください。");
        return false;
    }
    options->calibration = parser.isSet(calibration);
    if ((options->calibration || parser.isSet(offset)) && !printing) {
        *error = tr("--offset, --calibration は --pdf か --print と一緒に指定してください。");
        return false;
    }
    if (parser.isSet(offset)) {
        options->offsetGiven = true;
        if (!parseOffset(parser.value(offset), &options->offsetX, &options->offsetY)) {
            *error = tr("--offset には -1000 から 1000 までの数を X,Y の形で指定してください。");
            return false;
        }
    }
    if (parser.isSet(start)) {
        bool ok = false;
        options->start = parser.value(start).toInt(&ok);
        if (!ok || options->start < 1) {
            *error = tr("印刷開始シート位置の数値が正しくありません。");
            return false;
        }
    }
    if (!options->today.isEmpty() &&
        !QDate::fromString(options->today, Qt::ISODate).isValid()) {
        *error = tr("--today の日付が正しくありません: %1").arg(options->today);
        return false;
    }
    return true;
}

QString BatchCommand::run(CORINOTEDoc& doc) const
{
    QString error = loadInputs(doc);
    StartupTrace::mark("inputs");
    if (error.isEmpty())
        error = buildPages(doc);
    StartupTrace::mark("pages");
    if (error.isEmpty())
        error = placeData(doc);
    if (error.isEmpty())
        error = writeOutputs(doc);
    StartupTrace::mark("outputs");
    return error;
}

QDate BatchCommand::today() const
{
    return mOptions.today.isEmpty() ? QDate::currentDate()
                                    : QDate::fromString(mOptions.today, Qt::ISODate);
}

// CSV rows and pictures go onto the pages built from the template and the address book.
QString BatchCommand::placeData(CORINOTEDoc& doc) const
{
    const Options& o = mOptions;
    if (!o.csv.isEmpty()) {
        const QString message = BatchCsv::place(doc, o.csv, o.rows, o.csvHeader, o.csvAsRecords, today());
        if (!message.isEmpty())
            return message;
    }
    if (!o.pictures.isEmpty())
        return BatchPictures::place(doc, o.pictures, o.pictureRegions, o.keep, today());
    return QString();
}

// Opening a template and loading an address book both rebuild the pages from the print
// reservation, merge included, as closing the address book window does.
QString BatchCommand::buildPages(CORINOTEDoc& doc) const
{
    const Options& o = mOptions;
    if (!o.rules.isEmpty() && !QFileInfo::exists(o.rules))
        return tr("%1: 自動処理設定ファイルがありません。").arg(o.rules);
    // Refused here too, not only when the pages are rebuilt and the rules read.
    if (!o.rules.isEmpty() && !RegularFile::is(o.rules))
        return tr("%1: 自動処理設定ファイルを開けませんでした。").arg(o.rules);
    if (o.start > 0) {
        if (o.start > doc.sheetsPerPage())
            return tr("印刷開始シート位置の数値が正しくありません。");
        doc.scalars().printStartPosition = o.start;
    }
    if (o.templateFile.isEmpty() && o.addressBook.isEmpty() && o.start == 0)
        return QString();
    const QString rulesPath =
        o.rules.isEmpty() ? CAutoReplaceData::filePath(doc.dataFolder) : o.rules;
    const QString message = doc.autoReplaceData().loadFile(rulesPath);
    if (!message.isEmpty())
        return QStringLiteral("%1: %2").arg(rulesPath, message);
    if (doc.labelTemplate().sheets.isEmpty())
        return tr("シートは必ず1つ以上設定してください。");
    TextShaper shaper;
    const FontTextMeasurer measurer(shaper);
    Pagination::buildFromReservation(doc, today(), &measurer);
    return QString();
}

QString BatchCommand::writeImages(CORINOTEDoc& doc) const
{
    const Options& o = mOptions;
    QList<int> pages;
    if (!o.pages.isEmpty()) {
        QString error;
        pages = PageImageExporter::parsePages(o.pages, doc.pageCount(), &error);
        if (pages.isEmpty())
            return error;
    }
    const PageRenderer::Options options = PageRenderer::Options::fromProfile(
        *doc.profile(), o.edit ? RenderMode::Edit : RenderMode::Preview);
    return PageImageExporter::exportPages(doc, o.png, o.dpi, options, pages);
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
        doc.recordList() = doc.addressBook().buildRecordList(doc.printStartPosition());
        doc.setModified(true);
        if (!message.isEmpty())
            return QStringLiteral("%1: %2").arg(o.addressBook, message);
        const QString limit = doc.addressBook().checkPrintLimit();
        if (!limit.isEmpty())
            return QStringLiteral("%1: %2").arg(o.addressBook, limit);
    }
    if (!o.importVCard.isEmpty()) {
        QString warning;
        const QString message = BatchVCard::importFile(doc, o.importVCard, o.importGroup, &warning);
        if (!message.isEmpty())
            return message;
        if (!warning.isEmpty())
            std::fprintf(stderr, "orinote-batch: %s: %s\n", qPrintable(o.importVCard),
                         qPrintable(warning));
    }
    if (!o.importContacts.isEmpty()) {
        QString summary;
        const QString message =
            BatchVCard::importContacts(doc, o.importContacts, o.importGroup, &summary);
        if (!message.isEmpty())
            return message;
        std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(summary));
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
    if (!o.exportVCardGroup.isEmpty()) {
        const QString message = BatchVCard::exportGroup(doc, o.exportVCardGroup, o.exportVCardFile);
        if (!message.isEmpty())
            return message;
    }
    if (!o.listPdf.isEmpty()) {
        const QString message = BatchList::writePdf(doc, o.importGroup, o.listPdf, today());
        if (!message.isEmpty())
            return message;
    }
    if (!o.json.isEmpty()) {
        const QByteArray json = QJsonDocument(DocumentJson::toJson(doc)).toJson();
        if (o.json == QLatin1String("-")) {
            QFile out;
            // Flushed and checked: a full disk or a closed pipe shows only there.
            if (!out.open(stdout, QIODevice::WriteOnly) || out.write(json) != json.size() ||
                !out.flush() || std::fflush(stdout) != 0 || std::ferror(stdout))
                return tr("標準出力に書き込めませんでした。");
        } else {
            QSaveFile out(o.json);
            if (const QString refused = SaveTarget::open(out); !refused.isEmpty())
                return refused;
            if (out.write(json) != json.size() ||
                !out.flush() || !out.commit())
                return tr("%1: JSONファイルの書き込みに失敗しました。").arg(o.json);
        }
    }
    if (!o.png.isEmpty()) {
        const QString message = writeImages(doc);
        if (!message.isEmpty())
            return message;
    }
    return writePrints(doc);
}

QString BatchCommand::writePrints(CORINOTEDoc& doc) const
{
    const Options& o = mOptions;
    if (o.pdf.isEmpty() && !o.print)
        return QString();
    PrintJob::Settings settings;
    if (!o.pages.isEmpty()) {
        QString error;
        settings.pages = PageImageExporter::parsePages(o.pages, doc.pageCount(), &error);
        if (settings.pages.isEmpty())
            return error;
    }
    settings.offsetX = o.offsetGiven ? o.offsetX : doc.printOffsetX;
    settings.offsetY = o.offsetGiven ? o.offsetY : doc.printOffsetY;
    settings.calibration = o.calibration;
    // Cards with a postal code the boxes cannot show are still printed, but named.
    const QString warning = BatchPostalCode::printWarning(doc);
    if (!warning.isEmpty())
        std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(warning));
    // Pictures whose data was damaged print part grey: named at the end, as a warning.
    QString damaged;
    settings.damagedPictures = &damaged;
    const auto warnDamaged = [&damaged] {
        if (!damaged.isEmpty())
            std::fprintf(stderr, "orinote-batch: %s\n", qPrintable(damaged));
        damaged.clear();
    };
    if (!o.pdf.isEmpty()) {
        const QString message = PdfExporter::exportPdf(doc, o.pdf, settings);
        if (!message.isEmpty())
            return message;
        warnDamaged();
    }
    if (o.print) {
        const QString message = PrinterOutput::print(doc, o.printer, settings);
        warnDamaged();
        return message;
    }
    return QString();
}
