#pragma once

#include <QString>

class Profile;

// The five settings of 環境設定 that the document mirrors from the profile.
struct EnvironmentSettings
{
    enum FitMode { Leave = 0, Shrink = 1, Enlarge = 2, TwoLines = 3 };

    int kanjiNumerals = 1;   // "NTJ"
    int fitTemplate = Leave; // "TROT": 0..2
    int fitData = Leave;     // "TROD": 0..3
    int sizeNewRegions = 1;  // "ARS"
    int pictureAspect = 1;   // "ARP"

    void read(const Profile& profile);
    void write(Profile& profile) const;
};
