#pragma once

#include <QPixmap>

// The wizard's welcome page picture: the program's name running down a dark strip in the game's colours.
QPixmap WelcomePicture();
