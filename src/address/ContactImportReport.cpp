#include "ContactImportReport.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ContactImportReport", text);
}

// A name for the message: one line, not longer than a reader wants to see.
QString shown(const QString& text)
{
    QString line = text.simplified();
    if (line.size() > 40)
        line = line.left(39) + u'…';
    return line;
}

} // namespace

void ContactImportReport::Kind::add(const QString& who, const QString& what)
{
    ++count;
    if (named.size() < MaxNamed) {
        const QString name = shown(who).isEmpty() ? tr("（名前なし）") : shown(who);
        named.append(what.isEmpty() ? name : tr("%1（%2）").arg(name, shown(what)));
    }
}

QString ContactImportReport::Kind::line(const QString& title) const
{
    if (count == 0)
        return QString();
    QString text = tr("%1 %2件: %3").arg(title).arg(count).arg(named.join(tr("、")));
    if (count > named.size())
        text += tr(" ほか%1件").arg(count - named.size());
    return text;
}

void ContactImportReport::addUnplaced(const QString& who, const QString& what)
{
    mUnplaced.add(who, what);
}

void ContactImportReport::addSkipped(const QString& who, const QString& what)
{
    mSkipped.add(who, what);
}

void ContactImportReport::addCut(const QString& who, const QString& what)
{
    mCut.add(who, what);
}

void ContactImportReport::addRestoredCode(const QString& who, const QString& code)
{
    mRestored.add(who, code);
}

bool ContactImportReport::isEmpty() const
{
    return mUnplaced.count == 0 && mSkipped.count == 0 && mCut.count == 0 && mRestored.count == 0;
}

QString ContactImportReport::message() const
{
    QStringList lines;
    for (const auto& [kind, title] :
         {std::pair{&mUnplaced, tr("入りきらなかった項目")},
          std::pair{&mSkipped, tr("長すぎて読み込まなかった項目")},
          std::pair{&mCut, tr("長すぎて途中までにした項目")},
          std::pair{&mRestored, tr("先頭の0を補った郵便番号")}}) {
        if (const QString line = kind->line(title); !line.isEmpty())
            lines.append(line);
    }
    return lines.join(u'\n');
}

void ContactImportReport::append(const ContactImportReport& other)
{
    for (auto [to, from] : {std::pair{&mUnplaced, &other.mUnplaced},
                            std::pair{&mSkipped, &other.mSkipped}, std::pair{&mCut, &other.mCut},
                            std::pair{&mRestored, &other.mRestored}}) {
        to->count += from->count;
        for (const QString& name : from->named) {
            if (to->named.size() < MaxNamed)
                to->named.append(name);
        }
    }
}
