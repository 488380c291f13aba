#pragma once

#include <QString>
#include <QStringList>

// The runner for the few programs the update needs (tar, sync). The program gets its
// arguments as a list, never through a shell, so a package name with spaces, quotes or
// "$(...)" is one argument and runs nothing. Its output is echoed to standard output, its
// errors go to standard error as they come.
// Returns the exit status, or -1 when the program could not run, crashed or took more than
// two minutes (then it is killed).
int my_system(const QString& program, const QStringList& args = {});
