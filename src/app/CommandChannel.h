#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// How another program sends the running one a command, as a database program sends
// command 184 after leaving its strings in "KLTTmp.dat": a local socket in a folder only
// the user may enter, taking command numbers as decimal text, one per line. Only commands
// meant to come from outside are passed on; anything else on the socket is ignored, and a
// connection that sends more than a few lines' worth is dropped. Only the user's own
// programs are listened to, a few at a time, and a connection that sends nothing for a
// while is closed, so that no sender can hold the program's descriptors.
//
// The same channel carries the desktop's "open" request: a second copy started on a
// document sends "open <absolute path>" (UTF-8) and ends, and the running copy opens it.
class CommandChannel : public QObject
{
    Q_OBJECT
public:
    // Connections served at once; a further one is closed as it comes.
    static constexpr int MaxConnections = 4;
    static constexpr int DefaultIdleTimeoutMs = 10000;

    // Listens under `name` (a socket path, as serverName() gives).
    explicit CommandChannel(const QString& name, QObject* parent = nullptr);
    ~CommandChannel() override;

    // The user's channel: "orinote-command" in the user's runtime folder (XDG_RUNTIME_DIR),
    // or without one in the folder "orinote-command" (made 0700) of the user's cache
    // folder. Empty, with the reason in `error`, when that folder is not private.
    static QString serverName(QString* error = nullptr);
    // The same for the given folders (`runtimeFolder` empty when there is none).
    static QString serverNameIn(const QString& runtimeFolder, const QString& cacheFolder,
                                QString* error = nullptr);
    // Whether `command` may come from outside (only 184).
    static bool isAccepted(int command);

    // Starts listening. False when another copy of the program listens already (that copy
    // keeps the channel) or the socket cannot be made.
    bool listen();
    bool isListening() const;

    // How long a connection may send nothing before it is closed.
    void setIdleTimeout(int ms) { mIdleTimeoutMs = ms; }
    // The user whose programs may connect: the one running this program, unless a test
    // makes it another.
    void setPeerUser(uint uid) { mPeerUser = uid; }

    // Sends a command to the running program. Returns an empty string, or the failure in
    // words ("ORINOTEが起動していません。" when no copy of the program listens).
    static QString send(int command, const QString& name, int timeoutMs = 3000);
    // Asks the running program to open a document (the path is made absolute). Returns an
    // empty string, or the failure in words as send() does.
    static QString sendOpen(const QString& path, const QString& name, int timeoutMs = 3000);

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
    bool fromPeerUser(const QLocalSocket* socket) const;
    void readRequests(QLocalSocket* socket);
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
    int mConnections = 0;
    int mIdleTimeoutMs = DefaultIdleTimeoutMs;
    uint mPeerUser;
    QList<Request> mWaiting;
};
