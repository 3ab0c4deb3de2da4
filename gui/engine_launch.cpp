#include "engine_launch.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "exchange_files.h"

namespace {

// Runs the engine and, should it stop with an error, keeps the terminal open
// until Enter so that the engine's report stays readable. $1 is the engine.
const char ENGINE_WRAPPER[] =
    "\"$1\"; status=$?; if [ \"$status\" -ne 0 ]; then "
    "printf '\\n%s\\n' \"Lumicore-1 は終了コード $status で停止しました。Enter で閉じます。\"; "
    "read -r _; fi";

QString FindExecutable(const QString& name, const QProcessEnvironment& environment) {
  if (name.contains('/')) {
    const QFileInfo file(name);
    return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
  }
  const QStringList path = environment.value("PATH").split(':', Qt::SkipEmptyParts);
  if (path.isEmpty()) return {};  // findExecutable would fall back to our own PATH
  return QStandardPaths::findExecutable(name, path);
}

bool IsXterm(const QString& terminal) {
  const QString name = QFileInfo(QFileInfo(terminal).canonicalFilePath()).fileName();
  return name == "xterm" || name == "uxterm" || name == "lxterm";
}

bool HasUtf8Locale(const QProcessEnvironment& environment) {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const QString value = environment.value(variable);
    if (!value.isEmpty())
      return value.contains("UTF-8", Qt::CaseInsensitive) ||
             value.contains("utf8", Qt::CaseInsensitive);
  }
  return false;
}

}  // namespace

EngineLaunch PlanEngineLaunch(const QString& workingDirectory, const QString& programDirectory,
                              const QProcessEnvironment& environment) {
  EngineLaunch launch;
  launch.workingDirectory = workingDirectory;

  QString engine;
  QString notExecutable;
  for (const QString& directory : {workingDirectory, programDirectory}) {
    const QFileInfo candidate(QDir(directory).filePath(ENGINE_PROGRAM));
    if (!candidate.isFile()) continue;
    if (candidate.isExecutable()) {
      engine = candidate.absoluteFilePath();
      break;
    }
    if (notExecutable.isEmpty()) notExecutable = candidate.absoluteFilePath();
  }
  if (engine.isEmpty()) {
    launch.error =
        notExecutable.isEmpty()
            ? QString("シミュレーションプログラム %1 が見つかりません（%2 にも %3 にもありません）")
                  .arg(ENGINE_PROGRAM, workingDirectory, programDirectory)
            : QString("シミュレーションプログラム %1 に実行権限がありません").arg(notExecutable);
    return launch;
  }

  QStringList options;
  const QString chosen = environment.value("TERMINAL").trimmed();
  if (!chosen.isEmpty()) {
    QStringList command = QProcess::splitCommand(chosen);
    launch.program = FindExecutable(command.takeFirst(), environment);
    if (launch.program.isEmpty()) {
      launch.error = QString("端末 %1（環境変数 TERMINAL）が見つかりません").arg(chosen);
      return launch;
    }
    options = command;
  } else {
    launch.program = FindExecutable("x-terminal-emulator", environment);
    if (launch.program.isEmpty()) launch.program = FindExecutable("xterm", environment);
    if (launch.program.isEmpty()) {
      launch.error =
          "端末プログラムが見つかりません（x-terminal-emulator も xterm もありません）。"
          "xterm をインストールして下さい";
      return launch;
    }
    options += {"-T", ENGINE_PROGRAM};
  }
  // xterm sizes its cells by the widest glyph of its main face, so a CJK face
  // there would space every ASCII letter by a full width: a Latin monospace
  // face sets the cells and the CJK face draws the double-width characters.
  if (IsXterm(launch.program))
    options += {"-fa", "monospace", "-fd", "Noto Sans Mono CJK JP", "-fs", "12"};

  launch.arguments = options;
  launch.arguments += {"-e", "sh", "-c", ENGINE_WRAPPER, ENGINE_PROGRAM, engine};

  launch.environment = environment;
  if (!HasUtf8Locale(environment)) launch.environment.insert("LC_ALL", "C.UTF-8");
  return launch;
}

QString StartEngine(const EngineLaunch& launch) {
  if (!launch.error.isEmpty()) return launch.error;
  QProcess terminal;
  terminal.setProgram(launch.program);
  terminal.setArguments(launch.arguments);
  terminal.setWorkingDirectory(launch.workingDirectory);
  terminal.setProcessEnvironment(launch.environment);
  if (!terminal.startDetached()) return QString("端末 %1 を起動できません").arg(launch.program);
  return {};
}
