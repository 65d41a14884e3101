#pragma once

class QObject;

// Marks on the way from the program's start to its window's first paint, for measuring
// where start-up time goes (bench/startup reads them).
//
// Off unless ORINOTE_STARTUP_TRACE is set in the environment; then each mark writes one
// line "startup <phase> <ms>" to standard error, the milliseconds counted from the value
// of the variable, read as microseconds since the epoch (bash's $EPOCHREALTIME without
// its point: the moment the script started the program), or from the first mark when the
// value is anything else (such as 1). Off, a mark costs one check of a flag.
class StartupTrace
{
public:
    static bool enabled();
    static void mark(const char* phase);

    // Marks "first paint" once the first paint event that reaches any object of the
    // application has been handled and the event loop is idle again, that is, once the
    // window has painted and shown its first picture. With ORINOTE_STARTUP_TRACE_QUIT
    // set too, the event loop then ends at once, without the questions a closing window
    // asks (a measuring script runs it many times).
    static void markFirstPaint(QObject* application);
};
