#pragma once

class QWidget;
class RegistryStore;

// The main window's size and place between runs ("WindowGeometry").
// False when none was stored; Qt moves a window whose stored place is on no screen now back onto one.
bool RestoreWindowGeometry(QWidget &window, const RegistryStore &store);
void SaveWindowGeometry(const QWidget &window, RegistryStore &store);
