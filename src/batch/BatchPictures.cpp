#include "BatchPictures.h"

#include "model/CORINOTEDoc.h"
#include "picprint/PicturePlacement.h"
#include "render/FontTextMeasurer.h"
#include "render/TextShaper.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace BatchPictures {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BatchPictures", text);
}

} // namespace

QString place(CORINOTEDoc& doc, const QStringList& files, bool regions, bool keep,
              const QDate& today)
{
    // The program does not check the files it places; a script's misspelt name would
    // print an empty label, so the command refuses it.
    QList<PicturePlacement::Picture> pictures;
    pictures.reserve(files.size());
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (!info.isFile())
            return tr("%1: 画像ファイルがありません。").arg(file);
        pictures.append({info.fileName(), info.absoluteFilePath()});
    }
    PicturePlacement::Options options;
    options.target = regions ? PicturePlacement::Target::Regions : PicturePlacement::Target::Sheets;
    options.keep = keep;
    TextShaper shaper;
    const FontTextMeasurer measurer(shaper);
    return PicturePlacement::place(doc, pictures, options, today, &measurer);
}

} // namespace BatchPictures
