#pragma once

#include <QString>

class CORINOTEDoc;

// "--postal-code CODE", "--customer-barcode CODE ADDRESS" and the postal code warning
// before printing.
namespace BatchPostalCode {

// Prints the addresses of the code to standard output, or a message to standard error;
// returns the exit code (0 found, 1 unknown or malformed).
int lookup(const QString& code);

// Prints the customer barcode's content of the code and the address (the seven digits and
// the address number, letters as letters), a tab and the check character ("0"–"9", "-",
// "CC1"…"CC8"); returns the exit code (0, or 1 with a message where no barcode can be made).
int barcode(const QString& code, const QString& address);

// The warning for standard error before printing or writing a PDF; empty when every
// reserved record's postal code fills the boxes and every picture can be drawn.
QString printWarning(const CORINOTEDoc& doc);

} // namespace BatchPostalCode
