#pragma once

#include <QString>

class CORINOTEDoc;

// "--postal-code CODE" and the postal code warning before printing.
namespace BatchPostalCode {

// Prints the addresses of the code to standard output, or a message to standard error;
// returns the exit code (0 found, 1 unknown or malformed).
int lookup(const QString& code);

// The warning for standard error before printing or writing a PDF; empty when every
// reserved record's postal code fills the boxes.
QString printWarning(const CORINOTEDoc& doc);

} // namespace BatchPostalCode
