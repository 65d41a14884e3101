// Open requests from outside while a question is open: one question for a flood.

#include "app/OpenQueue.h"

#include <QTest>

class TestOpenQueue : public QObject
{
    Q_OBJECT
private slots:
    void floodAsksOnce_data();
    void floodAsksOnce();
};

void TestOpenQueue::floodAsksOnce_data()
{
    QTest::addColumn<int>("duringFirst"); // requests arriving while the first one asks
    QTest::addColumn<int>("duringLast");  // requests arriving while the queued one asks
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("one request") << 0 << 0 << QStringList{u"a0"_qs};
    QTest::newRow("one more while asking") << 1 << 0 << QStringList{u"a0"_qs, u"b0"_qs};
    QTest::newRow("a flood of 3290") << 3290 << 0 << QStringList{u"a0"_qs, u"b3289"_qs};
    QTest::newRow("a flood during the second question too")
        << 50 << 50 << QStringList{u"a0"_qs, u"b49"_qs, u"c49"_qs};
}

// Each open "asks", and while it asks (the question's event loop) more requests come in.
void TestOpenQueue::floodAsksOnce()
{
    QFETCH(int, duringFirst);
    QFETCH(int, duringLast);
    QFETCH(QStringList, opened);
    QStringList asked;
    OpenQueue* queue = nullptr;
    OpenQueue q([&](const QString& path) {
        asked.append(path);
        if (asked.size() == 1) {
            for (int i = 0; i < duringFirst; ++i)
                queue->request(u"b"_qs + QString::number(i));
        } else if (asked.size() == 2) {
            for (int i = 0; i < duringLast; ++i)
                queue->request(u"c"_qs + QString::number(i));
        }
    });
    queue = &q;
    q.request(u"a0"_qs);
    QCOMPARE(asked, opened);
    // Afterwards the queue opens at once again.
    q.request(u"z"_qs);
    QCOMPARE(asked.last(), u"z"_qs);
}

QTEST_GUILESS_MAIN(TestOpenQueue)
#include "tst_openqueue.moc"
