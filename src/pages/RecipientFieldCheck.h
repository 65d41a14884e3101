#pragma once

#include <QString>

class CORINOTEDoc;

// Whether the reserved records have anywhere to go: a template without a single region
// that takes a recipient's field ("氏名(R)", "住所1(R)", …) would print blank pages for
// them, as a new document's blank A4 page does.
class RecipientFieldCheck
{
public:
    // The message for the user when records are reserved but no region of the template
    // takes a recipient's field; empty otherwise.
    static QString message(const CORINOTEDoc& doc);
};
