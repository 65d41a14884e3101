#pragma once

// A new, empty document over a settings file of its own in a temporary folder, so that
// nothing of the user's settings (a default template above all) takes part; undo snapshots
// and other data go to the same folder, which is removed with it.

#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"

#include <QTemporaryDir>

#include <memory>

struct ProfileDocument
{
    QTemporaryDir dir;
    std::unique_ptr<SettingsProfile> profile;
    std::unique_ptr<CORINOTEDoc> doc;

    ProfileDocument()
    {
        profile = std::make_unique<SettingsProfile>(dir.filePath(QStringLiteral("t.ini")));
        doc = std::make_unique<CORINOTEDoc>(profile.get());
        doc->dataFolder = dir.path();
        doc->newDocument();
    }
};
