#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// How another program sends the running one a command, as a database program sends
// command 184 after leaving its strings in "KLTTmp.dat": a local socket in the user's
// runtime folder, taking command numbers as decimal text, one per line. Only commands meant to come
// from outside are passed on; anything else on the socket is ignored, and a connection
// that sends more than a few lines' worth is dropped.
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

signals:
    void commandReceived(int command);

private:
    void acceptConnection();

    QString mName;
    QLocalServer* mServer;
};
