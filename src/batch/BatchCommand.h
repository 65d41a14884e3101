#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class CORINOTEDoc;

// The headless command: builds a document from files and writes it out, for scripts and
// tests. Inputs take effect in a fixed order whatever their order on the command line:
// the document, the template, the address book, the cards of a vCard file, the CSV rows,
// the pictures; then the outputs are written. Printing
// (to a printer or a PDF file) goes through the same page loop as the program's.
class BatchCommand
{
public:
    struct Options
    {
        QString document;
        QString templateFile;
        QString addressBook;
        QString save;
        QString saveTemplate;
        QString saveAddressBook;
        QString json; // "-" for standard output
        QString profile;
        QString dataFolder;
        QString rules;   // auto-replace rules file; default: the data folder's
        QString today;   // YYYY-MM-DD shown by the date fields; default: today
        QString png;     // prefix of the page images
        int dpi = 0;     // resolution of the page images
        bool edit = false; // page images in the edit display instead of the preview
        QString pages;   // pages of the images, the PDF and the print, e.g. "1-3,5"
        QString pdf;     // PDF file of the printed pages
        bool print = false;
        QString printer; // CUPS queue; empty: the default printer
        int start = 0;   // print start position; 0: as the document has it
        bool offsetGiven = false;
        int offsetX = 0; // 0.1 mm; without --offset the profile's "PosX" / "PosY"
        int offsetY = 0;
        bool calibration = false;
        QString csv;          // CSV file whose rows are placed on the pages
        QString rows;         // rows of the CSV file, e.g. "1-20,25"; empty: all
        bool csvHeader = false; // the CSV file's first line names its columns
        bool csvAsRecords = false; // the CSV rows go onto the pages as address records
        QStringList pictures; // pictures placed one per sheet (or per picture region)
        bool pictureRegions = false; // place into the picture regions, not the sheets
        bool keep = false;    // keep what the pages hold and fill the free sheets
        QString postalCode;   // look up this postal code and do nothing else
        bool postalCodeGiven = false; // --postal-code, even with an empty code
        QString barcodeCode;  // the customer barcode of this code and address, nothing else
        QString barcodeAddress;
        QString importVCard;  // contact file appended to importGroup after the address book
        QString importContacts; // vCard or contact CSV file appended to importGroup
        QString importGroup;  // also the group --list-pdf lists
        QString listPdf;      // PDF file of the address list, written with the outputs
        QString exportVCardGroup; // group written to exportVCardFile with the outputs
        QString exportVCardFile;
    };

    // "--print" takes an optional queue name; the parser knows only options that always
    // or never take a value, so "--print" alone becomes "--print=" first. "--export-vcard"
    // takes two values: "--export-vcard GROUP FILE" becomes "--export-vcard=GROUP
    // --export-vcard-file=FILE"; so does "--customer-barcode CODE ADDRESS".
    static QStringList normalisedArguments(const QStringList& arguments);

    // Parses the arguments (program name first). On failure returns false with the
    // message in *error; --help and --version are left to the parser's own exit.
    static bool parse(const QStringList& arguments, Options* options, QString* error);

    explicit BatchCommand(Options options) : mOptions(std::move(options)) {}

    // Runs the command on the document. Returns an empty string on success, else the
    // message for standard error; no output is written once an input failed.
    QString run(CORINOTEDoc& doc) const;

private:
    QString loadInputs(CORINOTEDoc& doc) const;
    QString buildPages(CORINOTEDoc& doc) const;
    QString placeData(CORINOTEDoc& doc) const;
    QDate today() const; // the date the date fields show
    QString writeImages(CORINOTEDoc& doc) const;
    QString writePrints(CORINOTEDoc& doc) const;
    QString writeOutputs(CORINOTEDoc& doc) const;

    Options mOptions;
};
