#include "WindowSize.h"

#include "model/Profile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <algorithm>

namespace {

QSize stored(const Profile* profile, const QString& key)
{
    if (!profile)
        return QSize();
    const QStringList parts = profile->readString(key, QString()).split(QLatin1Char(','));
    if (parts.size() != 2)
        return QSize();
    bool okW = false;
    bool okH = false;
    const int w = parts[0].toInt(&okW);
    const int h = parts[1].toInt(&okH);
    return okW && okH && w > 0 && h > 0 ? QSize(w, h) : QSize();
}

} // namespace

QSize WindowSize::fitted(const QSize& wanted, const QRect& available)
{
    if (available.isEmpty())
        return wanted;
    return QSize(std::min(wanted.width(), available.width()),
                 std::min(wanted.height(), available.height()));
}

void WindowSize::restore(QWidget* window, const Profile* profile, const QString& key,
                         const QSize& preferred)
{
    const QSize remembered = stored(profile, key);
    const QWidget* parent = window->parentWidget();
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    // The frame the window manager adds is not known before the window shows: leave room.
    const QRect room = available.adjusted(0, 0, -16, -48);
    const QSize size = fitted(remembered.isValid() ? remembered : preferred, room)
                           .expandedTo(window->minimumSize());
    window->resize(size);
    const QRect over = parent ? QRect(parent->mapToGlobal(QPoint(0, 0)), parent->size()) : available;
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(over.center());
    if (!available.isEmpty()) {
        placed.moveLeft(std::clamp(placed.left(), available.left(),
                                   std::max(available.left(), available.right() - size.width())));
        placed.moveTop(std::clamp(placed.top(), available.top(),
                                  std::max(available.top(), available.bottom() - size.height() - 32)));
    }
    window->move(placed.topLeft());
}

void WindowSize::save(const QWidget* window, Profile* profile, const QString& key)
{
    if (profile)
        profile->writeString(key, QStringLiteral("%1,%2").arg(window->width()).arg(window->height()));
}
