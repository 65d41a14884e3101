#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the last placements of CSV rows and pictures put on the data-mode pages, kept
// while the document is open (never in its file) so that a rebuild of the pages from the
// template (a trip to template mode, another template opened) can place them again.
// Undo steps carry it, so that undoing a placement also forgets it.
//
// A placement that rebuilds the pages (CSV rows, pictures without "keep") replaces what
// was remembered; pictures placed with "keep" are added after it, in order.
class PlacementMemory
{
public:
    struct Csv
    {
        QString path;
        bool firstLineNames = false;
        bool asRecords = false;
        QList<int> rows; // table rows in the order they went onto the sheets
    };
    struct Pictures
    {
        QStringList names;
        QStringList paths; // as many as names
        int target = 0;    // PicturePlacement::Target
        bool keep = false;
    };

    void rememberCsv(const Csv& csv);
    void rememberPictures(const Pictures& pictures);
    // Forgets the CSV placement (its file is gone), keeping the pictures.
    void forgetCsv() { mCsv.reset(); }
    void clear();

    bool isEmpty() const { return !mCsv && mPictures.isEmpty(); }
    const std::optional<Csv>& csv() const { return mCsv; }
    const QList<Pictures>& pictures() const { return mPictures; }

private:
    std::optional<Csv> mCsv;
    QList<Pictures> mPictures;
};
