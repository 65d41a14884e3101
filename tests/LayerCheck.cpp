#include "LayerCheck.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <functional>

namespace {

QString folderOf(const QString& relativePath)
{
    const qsizetype slash = relativePath.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : relativePath.left(slash);
}

} // namespace

QMap<QString, int> LayerCheck::readLadder(const QString& readme, QString* error)
{
    QMap<QString, int> floors;
    const QStringList lines = readme.split(QLatin1Char('\n'));
    const qsizetype start = lines.indexOf(QStringLiteral("## Layout of the source"));
    if (start < 0) {
        *error = QStringLiteral("README.md has no section \"Layout of the source\"");
        return floors;
    }
    static const QRegularExpression item(QStringLiteral("^(\\d+)\\.\\s+(.*)$"));
    static const QRegularExpression quoted(QStringLiteral("`([^`]+)`"));
    for (qsizetype i = start + 1; i < lines.size() && !lines[i].startsWith(QLatin1String("## "));
         ++i) {
        const QRegularExpressionMatch m = item.match(lines[i]);
        if (!m.hasMatch())
            continue;
        // An item goes on over the indented lines after it; its folders stand before the
        // first colon, and backticks after it are prose.
        QString text = m.captured(2);
        while (i + 1 < lines.size() && lines[i + 1].startsWith(QLatin1Char(' ')))
            text += u' ' + lines[++i].trimmed();
        const QString names = text.section(QLatin1Char(':'), 0, 0);
        for (auto it = quoted.globalMatch(names); it.hasNext();)
            floors.insert(it.next().captured(1), m.captured(1).toInt());
    }
    if (floors.isEmpty())
        *error = QStringLiteral("\"Layout of the source\" names no floor");
    return floors;
}

LayerCheck::LayerCheck(const QString& sourceRoot, const QMap<QString, int>& floors)
    : mRoot(QDir(sourceRoot).absolutePath()), mFloors(floors)
{
}

void LayerCheck::run()
{
    mIncludes.clear();
    mEdges.clear();
    mProblems.clear();
    QSet<QString> files;
    const QDir root(mRoot);
    for (QDirIterator it(mRoot, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        files.insert(root.relativeFilePath(it.next()));
    QStringList sorted(files.begin(), files.end());
    std::sort(sorted.begin(), sorted.end());
    QSet<QString> unplaced;
    for (const QString& file : sorted) {
        const QString folder = folderOf(file);
        if (!mFloors.contains(folder) && !unplaced.contains(folder)) {
            unplaced.insert(folder);
            mProblems.append(
                {file, QString(),
                 QStringLiteral("the folder \"%1\" stands on no floor of the ladder").arg(folder)});
        }
        readFile(file, files);
    }
    findCircles();
}

void LayerCheck::readFile(const QString& relativePath, const QSet<QString>& files)
{
    QFile file(QDir(mRoot).filePath(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        return;
    static const QRegularExpression includeLine(
        QStringLiteral("^\\s*#\\s*include\\s+\"([^\"]+)\""));
    const QString folder = folderOf(relativePath);
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = includeLine.match(line);
        if (!m.hasMatch())
            continue;
        const QString spelled = m.captured(1);
        QString target = QDir::cleanPath(folder.isEmpty() ? spelled : folder + u'/' + spelled);
        if (!files.contains(target))
            target = QDir::cleanPath(spelled);
        if (!files.contains(target))
            continue;
        const QString to = folderOf(target);
        if (to == folder)
            continue;
        const bool up =
            mFloors.contains(folder) && mFloors.contains(to) && mFloors[to] > mFloors[folder];
        mIncludes.append({relativePath, spelled, folder, to, up});
        mEdges[folder].insert(to);
        if (up)
            mProblems.append({relativePath, spelled,
                              QStringLiteral("\"%1\" (floor %2) points up to \"%3\" (floor %4)")
                                  .arg(folder)
                                  .arg(mFloors[folder])
                                  .arg(to)
                                  .arg(mFloors[to])});
    }
}

// Tarjan's strongly connected components over the folder graph without the upward
// includes (reported already; every circle through floors has one): a component of more
// than one folder is a circle on one floor, and every include inside it is reported.
void LayerCheck::findCircles()
{
    QMap<QString, QSet<QString>> edges;
    for (const Include& inc : mIncludes) {
        if (!inc.up)
            edges[inc.fromFolder].insert(inc.toFolder);
    }
    QMap<QString, int> index;
    QMap<QString, int> low;
    QSet<QString> onStack;
    QStringList stack;
    QMap<QString, int> component;
    QList<QStringList> components;
    int counter = 0;
    std::function<void(const QString&)> visit = [&](const QString& v) {
        index[v] = low[v] = counter++;
        stack.append(v);
        onStack.insert(v);
        for (const QString& w : edges.value(v)) {
            if (!index.contains(w)) {
                visit(w);
                low[v] = std::min(low[v], low[w]);
            } else if (onStack.contains(w)) {
                low[v] = std::min(low[v], index[w]);
            }
        }
        if (low[v] == index[v]) {
            QStringList members;
            QString w;
            do {
                w = stack.takeLast();
                onStack.remove(w);
                members.append(w);
            } while (w != v);
            std::sort(members.begin(), members.end());
            for (const QString& m : members)
                component[m] = int(components.size());
            components.append(members);
        }
    };
    for (auto it = edges.cbegin(); it != edges.cend(); ++it) {
        if (!index.contains(it.key()))
            visit(it.key());
    }
    for (const Include& inc : mIncludes) {
        if (inc.up)
            continue;
        const int c = component.value(inc.fromFolder, -1);
        if (c < 0 || c != component.value(inc.toFolder, -2) || components[c].size() < 2)
            continue;
        mProblems.append(
            {inc.file, inc.spelled,
             QStringLiteral("\"%1\" and \"%2\" stand on each other (circle: %3)")
                 .arg(inc.fromFolder, inc.toFolder, components[c].join(QStringLiteral(", ")))});
    }
}

QString LayerCheck::graph() const
{
    QStringList folders = mFloors.keys();
    for (auto it = mEdges.cbegin(); it != mEdges.cend(); ++it) {
        if (!folders.contains(it.key()))
            folders.append(it.key());
    }
    std::stable_sort(folders.begin(), folders.end(), [this](const QString& a, const QString& b) {
        return mFloors.value(a, 0) < mFloors.value(b, 0);
    });
    QString out;
    for (const QString& folder : folders) {
        QStringList below(mEdges.value(folder).begin(), mEdges.value(folder).end());
        std::sort(below.begin(), below.end());
        out += QStringLiteral("%1 %2 -> %3\n")
                   .arg(mFloors.contains(folder) ? QString::number(mFloors[folder])
                                                 : QStringLiteral("?"),
                        folder,
                        below.isEmpty() ? QStringLiteral("-") : below.join(QStringLiteral(", ")));
    }
    return out;
}

QString LayerCheck::report() const
{
    QString out;
    for (const Problem& p : mProblems) {
        out += p.include.isEmpty()
                   ? QStringLiteral("%1: %2\n").arg(p.file, p.text)
                   : QStringLiteral("%1: #include \"%2\": %3\n").arg(p.file, p.include, p.text);
    }
    return out;
}
