#pragma once

#include "model/CLabelSheetTemplate.h"

#include <QRect>
#include <QString>
#include <QTransform>

#include <optional>

class QPainter;

// The preview of the template file dialog: the chosen file read as one sheet template,
// its summary text and a miniature of its paper, sheets and text regions.
class TemplatePreview
{
public:
    // Reads the file. Anything that is not a whole template (no file, a folder, a read
    // error, a file that ends early) means nothing is loaded; no message is given.
    // Returns whether a template was loaded.
    bool load(const QString& path);
    void clear() { mTemplate.reset(); }

    bool isLoaded() const { return mTemplate.has_value(); }
    const CLabelSheetTemplate* loaded() const { return mTemplate ? &*mTemplate : nullptr; }

    // "【用紙サイズ】　210.0 × 297.0 mm\r\n【シート数】　…" for a loaded template, the three
    // bare headings otherwise.
    QString text() const;

    // The miniature: the box grey with a black border; when loaded, the paper white, each
    // sheet white with a black border, each text region with a dotted grey outline.
    void paint(QPainter& painter, const QRect& box) const;

    // Paper coordinates into the box at a fixed scale: the width of A4 (2100) across and
    // its height (2970) down, or A3's 2970 and 4200 when the paper is larger than A4.
    static QTransform mapping(const Rect& paper, const QRectF& box);

private:
    std::optional<CLabelSheetTemplate> mTemplate;
};
