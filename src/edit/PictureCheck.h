#pragma once

#include <QString>

// The one check of a picture file named for a sheet's background or the paper, whether
// typed into a field or picked in a file dialog.
namespace PictureCheck {

// An empty string when the path is empty (no picture) or names a picture that can be
// read; else "画像ファイルを読み込めません。".
QString check(const QString& path);

} // namespace PictureCheck
