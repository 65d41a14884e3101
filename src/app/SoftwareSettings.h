#pragma once

#include "model/EnvironmentSettings.h"

#include <QString>

class CORINOTEDoc;
class Profile;

// The values of 環境設定: the default sheet template file ("STF"), the five settings the
// document mirrors, the question after printing and the undo depth.
struct SoftwareSettings
{
    QString defaultTemplate; // "STF"
    EnvironmentSettings environment;
    bool askSentHistory = true; // after a print, offer history rows for the printed records
    int undoDepth = 100;        // "元に戻す回数"

    // The document's current values and "STF" from its profile.
    static SoftwareSettings fromDocument(const CORINOTEDoc& doc);

    // OK: the document takes the five values, and the profile gets all six.
    void apply(CORINOTEDoc& doc) const;
};
