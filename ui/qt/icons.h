// Pictures of the ribbon buttons and the window icon, drawn with QPainter at start-up.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace torvex {

enum class ButtonPicture { Play, Pause, Stop, Helicopter, AirTanker, Bulldozer, Crew };

// A ribbon button picture (drawn for the 25 x 25 buttons).
QIcon ButtonIcon(ButtonPicture picture);
// The program's window icon: a flame over a ridge.
QIcon WindowIcon();
// The title picture shown when the program folder holds none.
QPixmap DrawnSplashPicture(int width, int height);

}  // namespace torvex
