#pragma once

#include "game/GameFolders.h"

// This system's places for the games: the home and Documents folders, the install folders the player chose,
// then those the system knows of (on Windows, the Steam and GOG entries ioRTCW itself reads, and the
// installers' entries of ET and ET: Legacy).
GamePlaces SystemGamePlaces(const QStringList &chosenInstalls);
