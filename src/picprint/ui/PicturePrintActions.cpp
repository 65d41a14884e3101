#include "PicturePrintActions.h"

#include "CLoadPicPlaceDialog.h"
#include "CPrintPictureFileDialog.h"

#include "model/CORINOTEDoc.h"
#include "model/Profile.h"
#include "prompts/ProgressReporter.h"
#include "prompts/SessionPrompts.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString PicturePrintActions::folderKey()
{
    return QStringLiteral("PICPRINTDIR");
}

PicturePrintActions::PicturePrintActions(CORINOTEDoc& doc, Profile& profile, QWidget* window)
    : QObject(window), mDoc(doc), mProfile(profile), mWindow(window)
{
    mAskOptions = [this] { return CLoadPicPlaceDialog::ask(mWindow); };
    mAskPictures = [this](QString* folder) -> std::optional<QList<PicturePlacement::Picture>> {
        CPrintPictureFileDialog dialog(*folder, mWindow);
        const bool accepted = dialog.exec() == QDialog::Accepted;
        *folder = dialog.folder();
        if (!accepted)
            return std::nullopt;
        return dialog.pictures();
    };
}

QString PicturePrintActions::startFolder() const
{
    const QString last = mProfile.readString(folderKey(), QString());
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

void PicturePrintActions::run()
{
    const std::optional<PicturePlacement::Options> options = mAskOptions();
    if (!options)
        return;
    // Refused before anything is asked or cleared, not after the pictures are chosen.
    const QString refusal = PicturePlacement::refusal(mDoc, *options);
    if (!refusal.isEmpty()) {
        if (mPrompts)
            mPrompts->showMessage(refusal);
        return;
    }
    if (PicturePlacement::clearsReservation(mDoc, *options) &&
        !(mPrompts &&
          mPrompts->askOkCancel(tr("すべての印刷予約データをクリアします。よろしいですか？"))))
        return;

    QString folder = startFolder();
    const std::optional<QList<PicturePlacement::Picture>> pictures = mAskPictures(&folder);
    // The folder left behind is where the chooser opens next time, chosen or not.
    if (!folder.isEmpty())
        mProfile.writeString(folderKey(), folder);
    if (!pictures)
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    ProgressReporter* reporter = mProgress;
    const QString message = PicturePlacement::place(mDoc, *pictures, *options, QDate::currentDate(),
                                                    &mMeasurer, [reporter](int done, int total) {
                                                        if (!reporter)
                                                            return;
                                                        if (done == 0)
                                                            reporter->start(total);
                                                        else
                                                            reporter->advance(done);
                                                    });
    if (mProgress)
        mProgress->finish();
    QApplication::restoreOverrideCursor();
    if (!message.isEmpty() && mPrompts)
        mPrompts->showMessage(message);
}
