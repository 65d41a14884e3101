#include "EnvironmentSettings.h"

#include "Profile.h"

void EnvironmentSettings::read(const Profile& profile)
{
    kanjiNumerals = profile.readInt(QStringLiteral("NTJ"), 1);
    fitTemplate = profile.readInt(QStringLiteral("TROT"), Leave);
    fitData = profile.readInt(QStringLiteral("TROD"), Leave);
    sizeNewRegions = profile.readInt(QStringLiteral("ARS"), 1);
    pictureAspect = profile.readInt(QStringLiteral("ARP"), 1);
    numeralStyle = profile.readInt(QStringLiteral("NTJStyle"), 0) == 1 ? 1 : 0;
    numeralDashes = profile.readInt(QStringLiteral("NTJDash"), 1) == 0 ? 0 : 1;
    honorificSama = profile.readInt(QStringLiteral("NHS"), 1) == 0 ? 0 : 1;
    moveByReading = profile.readInt(QStringLiteral("MRG"), 1) == 0 ? 0 : 1;
}

void EnvironmentSettings::write(Profile& profile) const
{
    profile.writeInt(QStringLiteral("NTJ"), kanjiNumerals);
    profile.writeInt(QStringLiteral("TROT"), fitTemplate);
    profile.writeInt(QStringLiteral("TROD"), fitData);
    profile.writeInt(QStringLiteral("ARS"), sizeNewRegions);
    profile.writeInt(QStringLiteral("ARP"), pictureAspect);
    profile.writeInt(QStringLiteral("NTJStyle"), numeralStyle);
    profile.writeInt(QStringLiteral("NTJDash"), numeralDashes);
    profile.writeInt(QStringLiteral("NHS"), honorificSama);
    profile.writeInt(QStringLiteral("MRG"), moveByReading);
}
