#pragma once

#include <QIcon>

// The toolbar's pictures, drawn rather than shipped: 1 New, 2 Open, 3 Save,
// 4 Add, 5 Remove, 6 Edit, 7 Wizard, 8 Play, 9 Generate, 10 Stop.
QIcon ToolbarIcon(int number);
