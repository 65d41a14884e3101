#pragma once

#include <QDate>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>

class CORINOTEDoc;
class TextMeasurer;

// The picture printing tool's placement: a list of picture files laid onto the data-mode
// sheets, one per sheet as its background picture, or one per "画像(A)" region, the
// files' names shown in the "画像ファイル名(A)" regions.
namespace PicturePlacement {

enum class Target
{
    Sheets = 0,  // シート枠
    Regions = 1, // 「画像(A)」属性文字列編集領域
};

struct Options
{
    Target target = Target::Sheets;
    // 現在の印刷データをクリアしない: the pages stay as they are and only take the pictures.
    bool keep = false;
};

// One chosen picture: its name as listed and its full path. The same file may come
// more than once.
struct Picture
{
    QString name;
    QString path;

    friend bool operator==(const Picture& a, const Picture& b)
    {
        return a.name == b.name && a.path == b.path;
    }
};

// Told the pictures placed so far and their count, for the progress window.
using Progress = std::function<void(int done, int total)>;
// The size of a picture file in pixels (an invalid size when it cannot be read).
using SizeReader = std::function<QSize(const QString& path)>;

QString pictureField();
QString pictureNameField();

// The number of template regions whose attribute is exactly "画像(A)".
int pictureRegionCount(const CORINOTEDoc& doc);

// Why the placement cannot run at all, before anything is asked or chosen: a template
// without a sheet, or picture regions asked for while the template has none ("シートに
// 「画像(A)」属性の文字列編集領域がありません。"). Empty when it can run.
QString refusal(const CORINOTEDoc& doc, const Options& options);

// Whether placing clears the print reservation: the pages are rebuilt (keep off) while
// the record list holds records. The program asks first.
bool clearsReservation(const CORINOTEDoc& doc, const Options& options);

// The pages a rebuild makes for `pictures` pictures: ceil((S − 1 + P) / N) for sheets,
// ceil((S − 1 + ceil(P / R)) / N) for regions, at least 1.
int pagesFor(int pictures, int startPosition, int sheetsPerPage, int regionsPerSheet,
             Target target);

// Places the pictures (nothing when refusal() says so, and then returns its message).
// Takes one undo snapshot. Keep off: the print reservation is cleared when
// clearsReservation() says so, the pages are rebuilt from the template for the pictures
// and expanded without records, the sheets before the print start position (labels
// already used) and those after the last sheet with a picture are cleared, and from the
// print start position on the sheets or the picture regions take the pictures in order.
// Keep on: nothing the pages hold changes; the pictures go on the sheets after the last
// one that holds a placed picture, a record or a CSV cell (and not before the print start
// position), on pages added from the template as they need, so every picture is placed.
// Marks the document modified and redraws it. The document remembers the placement
// (PlacementMemory) for a rebuild of its pages to place again.
QString place(CORINOTEDoc& doc, const QList<Picture>& pictures, const Options& options,
              const QDate& today, const TextMeasurer* measurer, const Progress& progress = {},
              const SizeReader& sizeOf = {});

// place() without the undo step and without remembering: a remembered placement made
// again on pages just rebuilt.
QString placeAgain(CORINOTEDoc& doc, const QList<Picture>& pictures, const Options& options,
                   const QDate& today, const TextMeasurer* measurer, const Progress& progress = {},
                   const SizeReader& sizeOf = {});

} // namespace PicturePlacement
