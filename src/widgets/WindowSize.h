#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class Profile;
class QWidget;

// Window sizes that stay within the screen and are remembered: a window opens at the size
// it was closed at (or its preferred size the first time), never larger than the available
// area of its screen, and centred over its parent. The size is kept in the settings under
// the window's key (section "ON"), as "width,height".
namespace WindowSize {

// The wanted size made to fit the available area.
QSize fitted(const QSize& wanted, const QRect& available);

void restore(QWidget* window, const Profile* profile, const QString& key, const QSize& preferred);
void save(const QWidget* window, Profile* profile, const QString& key);

} // namespace WindowSize
