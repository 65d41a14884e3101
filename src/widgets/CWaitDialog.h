#pragma once

#include "prompts/ProgressCounter.h"
#include "prompts/ProgressReporter.h"

#include <QBasicTimer>
#include <QDialog>

#include <functional>

class QProgressBar;

// "データを読み込んでいます...": the modeless progress dialog of long loads. It is made
// once, hidden; an operation starts it with its total, advances it as it works and
// finishes it. The bar (0 … 100) follows the count on a 500 ms timer, so a fast loop
// does not repaint it for every record; advance() lets the event loop run now and then
// so the timer and the painting get through while the operation holds the thread.
// Printing and PDF export show it under their own title. From start to finish it
// reports the work as running, so that nothing from outside changes the document in the
// middle of it.
class CWaitDialog : public QDialog, public ProgressReporter
{
    Q_OBJECT
public:
    static constexpr int TickMilliseconds = 500;

    explicit CWaitDialog(QWidget* parent = nullptr);

    void start(int total) override;
    void advance(int done) override;
    void finish() override;
    // Starts it under another title than the loading one.
    void startWith(const QString& title, int total);
    bool isWorking() const { return mWorking; }

    // A (done, total) callback for the merge: the first call (nothing done) starts the
    // dialog, the others advance it. The caller finishes it.
    static std::function<void(int, int)> feed(ProgressReporter* reporter);

    int barValue() const;
    bool isTicking() const { return mTimer.isActive(); }
    // One timer tick: the bar takes the count's percentage.
    void tick();

signals:
    void workStarted();
    void workFinished();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    ProgressCounter mCounter;
    QBasicTimer mTimer;
    QProgressBar* mBar;
    qint64 mLastEvents = 0;
    bool mWorking = false;
};
