#pragma once

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

// Keeps the source folders standing like the floors of a house: reads the ladder from
// README.md's "Layout of the source" (each numbered item names the folders of one floor in
// backticks before its colon, ground floor first) and the quoted #include lines of every
// .h and .cpp file under a source root, then finds
//  - a folder with sources that no floor names,
//  - an include that points to a higher floor,
//  - folders that include each other, directly or round a longer circle.
// An include is resolved as the compiler resolves it: beside the including file first,
// then from the source root; one that names no file there (a Qt or system header written
// with quotes) is not the ladder's business.
class LayerCheck
{
public:
    struct Problem
    {
        QString file;    // the including file, relative to the source root
        QString include; // the include as written; empty for a folder on no floor
        QString text;    // what is wrong, for the report
    };

    // The floors of README.md's text: folder → floor number. Empty with `error` set when
    // the section or its numbered items are missing.
    static QMap<QString, int> readLadder(const QString& readme, QString* error);

    LayerCheck(const QString& sourceRoot, const QMap<QString, int>& floors);

    // Reads the tree and fills problems() and the folder graph.
    void run();

    const QList<Problem>& problems() const { return mProblems; }
    // One line per folder, lowest floor first: "3 render -> base, model".
    QString graph() const;
    // Every problem on a line of its own: "file: include: text".
    QString report() const;

private:
    struct Include
    {
        QString file;
        QString spelled;
        QString fromFolder;
        QString toFolder;
        bool up;
    };

    void readFile(const QString& relativePath, const QSet<QString>& files);
    void findCircles();

    QString mRoot;
    QMap<QString, int> mFloors;
    QList<Include> mIncludes;
    QMap<QString, QSet<QString>> mEdges; // folder → the folders it includes
    QList<Problem> mProblems;
};
