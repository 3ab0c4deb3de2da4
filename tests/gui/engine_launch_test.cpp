#include "engine_launch.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include "window_fixture.h"

namespace {

void WriteScript(const QString& file, const QString& body) {
  QFile script(file);
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write(("#!/bin/sh\n" + body).toUtf8());
  script.close();
  script.setPermissions(script.permissions() | QFile::ExeOwner);
}

bool WaitForFile(const char* name) {
  QDeadlineTimer deadline(10000);
  while (!Exists(name) && !deadline.hasExpired()) QThread::msleep(20);
  return Exists(name);
}

class EngineStartTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    saved_ = qgetenv("TERMINAL");
  }
  void TearDown() override {
    qputenv("TERMINAL", saved_);
    WindowTest::TearDown();
  }

  // Steps ① and ② done, so that ③ is enabled.
  void ReachStart() {
    AcceptSpectrum();
    on1("Command1")->click();
    ASSERT_TRUE(on1("Command2")->isEnabled());
  }

 private:
  QByteArray saved_;
};

TEST_F(EngineStartTest, StartsTheEngineInTheTerminalGivenByTerminalInTheWorkingDirectory) {
  // The stand-in terminal logs where and how it was started, then runs the
  // command after "-e" as a terminal would; the stand-in engine leaves a mark.
  WriteScript(path("stand-in-terminal"),
              "{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > terminal.log\n"
              "while [ \"$1\" != -e ]; do shift; done; shift\nexec \"$@\"\n");
  WriteScript(path("Lumicore-1"), "pwd > engine.log\n");
  qputenv("TERMINAL", path("stand-in-terminal").toUtf8());
  ReachStart();

  on1("Command2")->click();
  EXPECT_TRUE(warner.texts.isEmpty()) << warner.texts.join('|').toStdString();
  EXPECT_TRUE(on1("Command7")->isEnabled());
  EXPECT_EQ(form1->focusWidget(), on1("Command7"));
  EXPECT_TRUE(on1("Command2")->isEnabled());  // a second press starts a second engine

  ASSERT_TRUE(WaitForFile("engine.log"));
  const QDir here = QDir::current();
  EXPECT_EQ(QString::fromStdString(ReadFile("engine.log")).trimmed(), here.canonicalPath());
  ASSERT_TRUE(WaitForFile("terminal.log"));
  const QStringList log = QString::fromStdString(ReadFile("terminal.log")).split('\n');
  EXPECT_EQ(log.value(0), here.canonicalPath());
  EXPECT_TRUE(log.contains("-e"));
  EXPECT_TRUE(log.contains(here.absoluteFilePath("Lumicore-1")));
}

TEST_F(EngineStartTest, WarnsWhatIsMissingAndLeavesStepFourDisabled) {
  WriteScript(path("stand-in-terminal"), "exit 0\n");
  ReachStart();
  const struct {
    const char* what;
    const char* terminal;
    bool engine;
    bool executable;
    const char* mentioned;
  } cases[] = {
      {"no engine", "stand-in-terminal", false, false, "Lumicore-1"},
      {"engine not executable", "stand-in-terminal", true, false, "実行権限"},
      {"terminal missing", "no-such-terminal", true, true, "no-such-terminal"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove("Lumicore-1");
    if (c.engine) WriteFile("Lumicore-1", "#!/bin/sh\n");
    if (c.executable)
      QFile::setPermissions(path("Lumicore-1"),
                            QFile::permissions(path("Lumicore-1")) | QFile::ExeOwner);
    qputenv("TERMINAL", path(c.terminal).toUtf8());
    warner.texts.clear();
    on1("Command2")->click();
    ASSERT_EQ(warner.texts.size(), 1) << c.what;
    EXPECT_TRUE(warner.texts[0].contains(c.mentioned)) << warner.texts[0].toStdString();
    EXPECT_FALSE(on1("Command7")->isEnabled()) << c.what;
  }
}

// Plans for a working directory with an engine and a PATH holding only the
// terminals a test puts there.
class EnginePlanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir(work_.path()).mkdir("bin");
    WriteScript(work_.filePath("Lumicore-1"), "");
    environment_.insert("PATH", work_.filePath("bin"));
    environment_.insert("LANG", "ja_JP.UTF-8");
  }
  void AddTerminal(const char* name) { WriteScript(work_.filePath(QString("bin/") + name), ""); }
  EngineLaunch Plan() { return PlanEngineLaunch(work_.path(), "/nonexistent", environment_); }

  QTemporaryDir work_;
  QProcessEnvironment environment_;
};

TEST_F(EnginePlanTest, PrefersTerminalThenXTerminalEmulatorThenXterm) {
  EXPECT_TRUE(Plan().error.contains("xterm")) << Plan().error.toStdString();
  AddTerminal("xterm");
  EXPECT_EQ(Plan().program, work_.filePath("bin/xterm"));
  AddTerminal("x-terminal-emulator");
  EXPECT_EQ(Plan().program, work_.filePath("bin/x-terminal-emulator"));
  AddTerminal("my-term");
  environment_.insert("TERMINAL", "my-term --option");
  const EngineLaunch launch = Plan();
  EXPECT_EQ(launch.program, work_.filePath("bin/my-term"));
  EXPECT_EQ(launch.arguments.mid(0, 2), QStringList({"--option", "-e"}));
  EXPECT_EQ(launch.arguments.last(), QDir(work_.path()).filePath("Lumicore-1"));
  EXPECT_EQ(launch.workingDirectory, work_.path());
}

TEST_F(EnginePlanTest, GivesXtermACjkFontAndTheEngineAUtf8Locale) {
  AddTerminal("xterm");
  EngineLaunch launch = Plan();
  ASSERT_TRUE(launch.error.isEmpty());
  const int font = launch.arguments.indexOf("-fd");  // the double-width face
  ASSERT_GE(font, 0);
  EXPECT_EQ(launch.arguments.value(font + 1), "Noto Sans Mono CJK JP");
  EXPECT_LT(font, launch.arguments.indexOf("-e"));
  EXPECT_FALSE(launch.environment.contains("LC_ALL"));  // ja_JP.UTF-8 is kept

  environment_.insert("LANG", "C");
  launch = Plan();
  EXPECT_EQ(launch.environment.value("LC_ALL"), "C.UTF-8");
}

TEST_F(EnginePlanTest, FindsTheEngineBesideTheProgramWhenTheWorkingDirectoryHasNone) {
  AddTerminal("xterm");
  QFile::remove(work_.filePath("Lumicore-1"));
  QTemporaryDir programDirectory;
  WriteScript(programDirectory.filePath("Lumicore-1"), "");
  const EngineLaunch launch = PlanEngineLaunch(work_.path(), programDirectory.path(), environment_);
  ASSERT_TRUE(launch.error.isEmpty()) << launch.error.toStdString();
  EXPECT_EQ(launch.arguments.last(), programDirectory.filePath("Lumicore-1"));
  EXPECT_EQ(launch.workingDirectory, work_.path());
}

}  // namespace
