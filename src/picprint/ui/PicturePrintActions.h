#pragma once

#include "picprint/PicturePlacement.h"
#include "render/FontTextMeasurer.h"

#include <QObject>

#include <functional>
#include <optional>

class CORINOTEDoc;
class ProgressReporter;
class Profile;
class SessionPrompts;
class QWidget;

// Command 407 "画像印刷(&P)": the options dialog, the question before the print
// reservation is cleared, the picture chooser and the placement with the progress window.
// The chooser starts in the folder it was left in last time (kept in the profile, as
// the program does not change its working folder).
class PicturePrintActions : public QObject
{
    Q_OBJECT
public:
    // The profile key of the chooser's last folder.
    static QString folderKey();

    using OptionsAsker = std::function<std::optional<PicturePlacement::Options>()>;
    // Given the starting folder; returns the chosen pictures (nothing when cancelled) and
    // leaves the folder it ended in.
    using PictureAsker =
        std::function<std::optional<QList<PicturePlacement::Picture>>(QString* folder)>;

    PicturePrintActions(CORINOTEDoc& doc, Profile& profile, QWidget* window);

    void setPrompts(SessionPrompts* prompts) { mPrompts = prompts; }
    void setProgress(ProgressReporter* progress) { mProgress = progress; }
    // The dialogs; tests answer them instead.
    void setOptionsAsker(OptionsAsker asker) { mAskOptions = std::move(asker); }
    void setPictureAsker(PictureAsker asker) { mAskPictures = std::move(asker); }

    // The folder the chooser opens in: the last one left, else the pictures folder, else
    // the home folder.
    QString startFolder() const;

    void run();

private:
    CORINOTEDoc& mDoc;
    Profile& mProfile;
    QWidget* mWindow;
    SessionPrompts* mPrompts = nullptr;
    ProgressReporter* mProgress = nullptr;
    FontTextMeasurer mMeasurer;
    OptionsAsker mAskOptions;
    PictureAsker mAskPictures;
};
