#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The shell runner: what must be a program (mount, sync, cp, tar, poweroff) runs through a
// shell pipe, with the handset's paths mapped under the root.
namespace Global {

// Runs cmd through a shell pipe with its handset paths mapped under the root, echoes its
// output to standard output and returns the pclose status (-1 on failure to run).
// Only for fixed command texts: a name that comes from a file or the user must never be
// pasted into cmd; pass it to my_system_args.
int my_system(const char* cmd);
int my_system(const QString& cmd);
// Runs program with args, each argument passed as one word whatever characters it holds
// (spaces, quotes, ';', '$', '`'), so a file name cannot start a second command. Handset
// paths among the arguments are mapped under the root. Output and status as my_system.
// Example: my_system_args("cp", {"/opt/waycourse1.kwc", "/mnt/sd/Korvel/Course/" + name}).
int my_system_args(const QString& program, const QStringList& args);
// arg as one single-quoted shell word: a'b becomes 'a'\''b'.
QString shellQuote(const QString& arg);
// A test's stand-in for the shell: it is shown every command (as given, before the root
// mapping; for my_system_args the quoted line) and returns true, with *status set, when it has
// handled the command itself, or false to let the shell run it. Empty: off.
using CommandHook = std::function<bool(const QString& command, int* status)>;
void setCommandHook(CommandHook hook);

}  // namespace Global
