// Precompiled for the test programs.
#pragma once

#include "Gui.h"

#include <QTest>
