#include "DisplaySettings.h"

#include "model/Profile.h"

DisplaySettings DisplaySettings::read(const Profile& profile)
{
    DisplaySettings d;
    d.grid = profile.readInt(QStringLiteral("DISPGRID"), 0) != 0;
    d.gridUnit = profile.readInt(QStringLiteral("GRIDNUM"), 0);
    d.regionNumbers = profile.readInt(QStringLiteral("RNUM"), 0) != 0;
    d.sheetNumbers = profile.readInt(QStringLiteral("LNUM"), 0) != 0;
    d.lineNumbers = profile.readInt(QStringLiteral("KNUM"), 0) != 0;
    d.paperPicture = profile.readInt(QStringLiteral("DISPSPIC"), 0) != 0;
    return d;
}

void DisplaySettings::write(Profile& profile) const
{
    profile.writeInt(QStringLiteral("GRIDNUM"), gridUnit);
    profile.writeInt(QStringLiteral("DISPGRID"), grid ? 1 : 0);
    profile.writeInt(QStringLiteral("RNUM"), regionNumbers ? 1 : 0);
    profile.writeInt(QStringLiteral("LNUM"), sheetNumbers ? 1 : 0);
    profile.writeInt(QStringLiteral("KNUM"), lineNumbers ? 1 : 0);
    profile.writeInt(QStringLiteral("DISPSPIC"), paperPicture ? 1 : 0);
}

PageRenderer::Options DisplaySettings::rendererOptions() const
{
    PageRenderer::Options o;
    o.mode = preview ? RenderMode::Preview : RenderMode::Edit;
    o.grid = grid;
    o.sheetNumbers = sheetNumbers;
    o.regionNumbers = regionNumbers;
    o.keisennNumbers = lineNumbers;
    o.paperPicture = paperPicture;
    return o;
}
