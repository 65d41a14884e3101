#include "CWaitDialog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProgressBar>
#include <QTimerEvent>
#include <QVBoxLayout>

CWaitDialog::CWaitDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("データを読み込んでいます..."));
    setModal(false);
    mBar = new QProgressBar(this);
    mBar->setRange(0, 100);
    mBar->setValue(0);
    mBar->setMinimumWidth(280);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mBar);
}

void CWaitDialog::start(int total)
{
    startWith(tr("データを読み込んでいます..."), total);
}

void CWaitDialog::startWith(const QString& title, int total)
{
    setWindowTitle(title);
    mCounter.start(total);
    mBar->setValue(0);
    show();
    mTimer.start(TickMilliseconds, this);
    if (!mWorking) {
        mWorking = true;
        emit workStarted();
    }
}

std::function<void(int, int)> CWaitDialog::feed(ProgressReporter* reporter)
{
    if (!reporter)
        return {};
    return [reporter](int done, int total) {
        if (done == 0)
            reporter->start(total);
        else
            reporter->advance(done);
    };
}

void CWaitDialog::advance(int done)
{
    mCounter.setDone(done);
    // Let the timer and the painting through about every 50 ms, without taking user
    // input in the middle of the operation.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - mLastEvents >= 50) {
        mLastEvents = now;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void CWaitDialog::finish()
{
    mTimer.stop();
    hide();
    if (mWorking) {
        mWorking = false;
        emit workFinished();
    }
}

int CWaitDialog::barValue() const
{
    return mBar->value();
}

void CWaitDialog::tick()
{
    mBar->setValue(mCounter.percent());
}

void CWaitDialog::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == mTimer.timerId())
        tick();
    else
        QDialog::timerEvent(event);
}
