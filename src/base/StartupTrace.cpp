#include "StartupTrace.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

qint64 nowUs()
{
    struct timespec t {};
    clock_gettime(CLOCK_REALTIME, &t);
    return qint64(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

struct Clock
{
    bool on = false;
    qint64 originUs = -1;
};

Clock& traceClock()
{
    static Clock c = [] {
        Clock made;
        made.on = qEnvironmentVariableIsSet("ORINOTE_STARTUP_TRACE");
        if (made.on) {
            bool number = false;
            const qint64 origin = qEnvironmentVariable("ORINOTE_STARTUP_TRACE").toLongLong(&number);
            // Later than 2001 in microseconds: a moment, not a switch.
            made.originUs = number && origin > 1000000000000000LL ? origin : nowUs();
        }
        return made;
    }();
    return c;
}

// Watches the events of the whole application for the first paint.
class PaintWatcher : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !mSeen) {
            mSeen = true;
            // Handled in full (every widget of the window painted, the picture flushed)
            // before the loop comes back to a zero timer.
            QTimer::singleShot(0, this, [this] {
                StartupTrace::mark("first-paint");
                parent()->removeEventFilter(this);
                if (qEnvironmentVariableIsSet("ORINOTE_STARTUP_TRACE_QUIT"))
                    QCoreApplication::exit(0);
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool mSeen = false;
};

} // namespace

bool StartupTrace::enabled()
{
    return traceClock().on;
}

void StartupTrace::mark(const char* phase)
{
    const Clock& c = traceClock();
    if (!c.on)
        return;
    std::fprintf(stderr, "startup %s %.1f\n", phase, double(nowUs() - c.originUs) / 1000.0);
    std::fflush(stderr);
}

void StartupTrace::markFirstPaint(QObject* application)
{
    if (!enabled() || !application)
        return;
    application->installEventFilter(new PaintWatcher(application));
}
