#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// How the engine is started: in a terminal window of its own, detached, in
// the control program's working directory, so that its console dialogue is
// visible and its Enter prompts can be answered.
struct EngineLaunch {
  QString program;  // the terminal emulator
  QStringList arguments;
  QString workingDirectory;
  QProcessEnvironment environment;
  QString error;  // non-empty: what is missing, as a warning for the user
};

// The engine is looked up in the working directory first, then in the
// program's own directory. The terminal is $TERMINAL if set, else
// x-terminal-emulator, else xterm, searched on the PATH of `environment`.
// xterm gets a CJK font for the Japanese dialogue; a non-UTF-8 locale is
// replaced by C.UTF-8. Should the engine stop with an error, the terminal
// waits for Enter so that its report can be read.
EngineLaunch PlanEngineLaunch(const QString& workingDirectory, const QString& programDirectory,
                              const QProcessEnvironment& environment);

// Starts the planned terminal without waiting for it and without keeping its
// process. Returns an empty text on success, otherwise the warning to show.
QString StartEngine(const EngineLaunch& launch);
