#pragma once

// How the desktop names and pictures the program: the application's name,
// both windows' title (the dialog's names only its task-bar entry, having
// no title bar) and the icon set of the application and of each window.

#include <QString>

class QWidget;

inline const QString ProgramName = QStringLiteral("National Identity Card");

// Gives a window the program's title and icon.
void presentAsTheProgram(QWidget &window);
