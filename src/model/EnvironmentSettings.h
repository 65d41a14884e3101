#pragma once

#include <QString>

class Profile;

// The settings of 環境設定 that the document mirrors from the profile.
struct EnvironmentSettings
{
    enum FitMode { Leave = 0, Shrink = 1, Enlarge = 2, TwoLines = 3 };

    int kanjiNumerals = 1;   // "NTJ"
    int fitTemplate = Leave; // "TROT": 0..2
    int fitData = Leave;     // "TROD": 0..3
    int sizeNewRegions = 1;  // "ARS"
    int pictureAspect = 1;   // "ARP"
    int numeralStyle = 0;    // "NTJStyle": 0 digit by digit, 1 counting form (十, 二十三)
    int numeralDashes = 1;   // "NTJDash": 1 turns a dash between two digits into ー
    int honorificSama = 1;   // "NHS": a new address record starts with the honorific 様
    int moveByReading = 1;   // "MRG": a saved record goes to the kana group of its reading

    void read(const Profile& profile);
    void write(Profile& profile) const;
};
