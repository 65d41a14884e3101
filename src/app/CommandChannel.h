#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QLocalServer;

// How another program sends the running one a command, as a database program sends
// command 184 after leaving its strings in "KLTTmp.dat": a local socket in the user's
// runtime folder, taking command numbers as decimal text, one per line. Only commands meant to come
// from outside are passed on; anything else on the socket is ignored, and a connection
// that sends more than a few lines' worth is dropped.
//
// The same channel carries the desktop's "open" request: a second copy started on a
// document sends "open <absolute path>" (UTF-8) and ends, and the running copy opens it.
class CommandChannel : public QObject
{
    Q_OBJECT
public:
    // Listens under `name` (the user's channel unless another is given).
    explicit CommandChannel(const QString& name = serverName(), QObject* parent = nullptr);
    ~CommandChannel() override;

    static QString serverName();
    // Whether `command` may come from outside (only 184).
    static bool isAccepted(int command);

    // Starts listening. False when another copy of the program listens already (that copy
    // keeps the channel) or the socket cannot be made.
    bool listen();
    bool isListening() const;

    // Sends a command to the running program. Returns an empty string, or the failure in
    // words ("ORINOTEが起動していません。" when no copy of the program listens).
    static QString send(int command, const QString& name = serverName(), int timeoutMs = 3000);
    // Asks the running program to open a document (the path is made absolute). Returns an
    // empty string, or the failure in words as send() does.
    static QString sendOpen(const QString& path, const QString& name = serverName(),
                            int timeoutMs = 3000);

    // While held, received commands wait and are passed on, in order, when the last hold
    // is released: a long job (printing, building the pages) lets the event loop run, and a
    // command must not change the document in its middle.
    void hold();
    void release();
    bool isHeld() const { return mHolds > 0; }

signals:
    void commandReceived(int command);
    void openRequested(const QString& path);

private:
    void acceptConnection();
    struct Request
    {
        int command = 0;
        QString path; // an open request when not empty
    };
    void deliver(const Request& request);
    static QString sendLine(const QByteArray& line, const QString& name, int timeoutMs);

    QString mName;
    QLocalServer* mServer;
    int mHolds = 0;
    QList<Request> mWaiting;
};
