#pragma once

#include <QSize>
#include <QString>

#include <functional>

class CORINOTEDoc;

// Fitting a sheet or text region to the aspect ratio of its background picture.
namespace PictureFit {

// Reads a picture's size in pixels (an invalid size when it cannot be read).
using SizeReader = std::function<QSize(const QString& path)>;
// The size the picture file's header gives.
QSize fileSize(const QString& path);

// The target: in data mode the selected data-mode region; in template mode the selected
// region, else the selected sheet. Whether the target has a background picture.
bool hasTarget(const CORINOTEDoc& doc);

// Keeps the height (right moves) or the width (bottom moves) and gives the rectangle
// the picture's aspect ratio, the picture's sides swapped when it is turned a quarter.
// Takes one undo snapshot. A picture that cannot be read changes nothing and gives
// "画像ファイルを読み込めません。"; without a target nothing happens.
QString fit(CORINOTEDoc& doc, bool keepHeight, const SizeReader& read = fileSize);

} // namespace PictureFit
