#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include "window_fixture.h"

namespace {

const QString NUMBER_WARNING = " 入射光子数を選択もしくは直接入力して下さい ";
const QString SPECTRUM_WARNING = " X線スペクトルが計算されていません ";

using Form1Test = WindowTest;

TEST_F(Form1Test, StartsWithEveryControlAndOnlyTheFirstStepReachable) {
  EXPECT_EQ(form1->windowTitle(), "Lumora Monte Carlo Simulation");
  const struct {
    const char* name;
    const char* text;
  } texts[] = {
      {"Label9", "モンテカルロシミュレーション"},
      {"Label1",
       "30cm × 30cm × 20cm の水ファントムにFSD=80cm, 照射野 20cm ×20cm でＸ線束が入射した時、"
       "反対側に射出する一次線・散乱線（光子数×光子ネルギー）の２次元分布 （被写体コントラスト）"
       "を計算し、画像表示します。"},
      {"Label2", "①"},
      {"Label3", "②"},
      {"Label4", "③"},
      {"Label7", "④"},
      {"Label8", "⑤"},
      {"Label5", "入射光子数（ヒストリ）＝"},
  };
  for (const auto& t : texts) EXPECT_EQ(on1<QLabel>(t.name)->text(), t.text) << t.name;

  const struct {
    const char* name;
    const char* text;
    bool enabled;
  } buttons[] = {
      {"Command4", "入射Ｘ線スペクトルの計算", true},
      {"Command1", "上記条件で OK", false},
      {"Command2", "シミュレーションスタート", false},
      {"Command7", "計算結果読み込み", false},
      {"Command3", "画像表示", false},
      {"Command5", "リセット", true},
      {"Command6", "終 了", true},
      {"Command8", "モンテカルロソースコード", true},
  };
  for (const auto& b : buttons) {
    QPushButton* button = on1(b.name);
    EXPECT_EQ(button->text(), b.text) << b.name;
    EXPECT_EQ(button->isEnabled(), b.enabled) << b.name;
    EXPECT_EQ(button->palette().color(QPalette::Button), QColor(255, 255, 192)) << b.name;
  }

  auto* combo = on1<QComboBox>("Combo1");
  EXPECT_TRUE(combo->isEditable());
  EXPECT_EQ(combo->currentText(), "10000000");
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  EXPECT_EQ(items, QStringList({"10000", "50000", "100000", "500000", "1000000", "5000000",
                                "10000000", "50000000", "100000000", "500000000"}));

  EXPECT_EQ(on1<QRadioButton>("Option1")->text(), "一次線のみ");
  EXPECT_EQ(on1<QRadioButton>("Option2")->text(), "散乱線のみ");
  EXPECT_EQ(on1<QRadioButton>("Option3")->text(), "全光子線");
  EXPECT_TRUE(on1<QRadioButton>("Option3")->isChecked());
  EXPECT_FALSE(on1<QRadioButton>("Option1")->isChecked());
  EXPECT_EQ(module.ImageKind, 3);
  EXPECT_EQ(on1<QFrame>("Frame1"), on1("Command3")->parentWidget());  // ⑤ inside the frame

  auto* picture = on1<PictureBox>("Picture1");
  EXPECT_EQ(picture->image().size(), QSize(600, 600));
  EXPECT_EQ(CountColour(picture->image(), Qt::white), 600 * 600);
  EXPECT_NE(on1<PictureBox>("Picture2"), nullptr);
  EXPECT_EQ(on1<QFrame>("Line1")->geometry(), QRect(0, 300, 600, 1));
  EXPECT_EQ(on1<QFrame>("Line2")->geometry(), QRect(300, 0, 1, 600));
  EXPECT_EQ(on1<QFrame>("Line1")->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_TRUE(on1<QFrame>("Line1")->isVisible());

  // Steps down the left; ⑤ right of ② to ④; the picture fills the right half.
  const int left = on1("Command4")->geometry().right();
  EXPECT_LT(on1("Command4")->y(), on1("Command1")->y());
  EXPECT_LT(on1("Command1")->y(), on1("Command2")->y());
  EXPECT_LT(on1("Command2")->y(), on1("Command7")->y());
  EXPECT_GT(on1<QFrame>("Frame1")->x(), on1("Command1")->geometry().right());
  EXPECT_GT(picture->mapTo(form1.get(), QPoint(0, 0)).x(), left);
  EXPECT_LT(on1("Command6")->x(), on1("Command5")->x());
  EXPECT_LT(on1("Command5")->x(), on1("Command8")->x());
  EXPECT_TRUE(warner.texts.isEmpty());
}

// The step buttons change only as the run-state table says, row by row.
TEST_F(Form1Test, StepButtonsFollowTheRunStateTable) {
  auto steps = [&] {
    return QString("%1%2%3%4")
        .arg(on1("Command1")->isEnabled())
        .arg(on1("Command2")->isEnabled())
        .arg(on1("Command7")->isEnabled())
        .arg(on1("Command3")->isEnabled());
  };
  EXPECT_EQ(steps(), "0000");  // start-up

  on1("Command4")->click();  // ① hides the main window behind Form5
  EXPECT_FALSE(form1->isVisible());
  ASSERT_NE(form1->spectrumWindow(), nullptr);
  EXPECT_TRUE(form1->spectrumWindow()->isVisible());
  EXPECT_FALSE(on5("Command4")->isEnabled());
  on5("Command1")->click();
  on5("Command4")->click();  // spectrum window OK
  EXPECT_EQ(steps(), "1000");
  EXPECT_TRUE(form1->isVisible());
  EXPECT_FALSE(form1->spectrumWindow()->isVisible());
  EXPECT_EQ(form1->focusWidget(), on1("Command1"));
  EXPECT_TRUE(Exists("P_Spectrum.dat"));

  on1<QComboBox>("Combo1")->setEditText("abc");
  on1("Command1")->click();  // Command1 warns
  EXPECT_EQ(steps(), "1000");
  on1<QComboBox>("Combo1")->setEditText("10000000");
  on1("Command1")->click();  // Command1 succeeds
  EXPECT_EQ(steps(), "1100");
  EXPECT_EQ(form1->focusWidget(), on1("Command2"));
  EXPECT_EQ(ReadFile("history.dat"), "1.00E+07\r\n");

  on1("Command4")->click();
  on5("Command2")->click();  // spectrum window Cancel
  EXPECT_EQ(steps(), "0100");
  EXPECT_FALSE(Exists("P_Spectrum.dat"));
  EXPECT_TRUE(form1->isVisible());

  AcceptSpectrum();
  EXPECT_EQ(steps(), "1100");
  on1("Command4")->click();
  form1->spectrumWindow()->close();  // spectrum window closed through its frame
  EXPECT_EQ(steps(), "1100");
  EXPECT_FALSE(Exists("P_Spectrum.dat"));
  EXPECT_TRUE(form1->isVisible());
  EXPECT_EQ(form1->spectrumWindow(), nullptr);

  warner.texts.clear();
  on1("Command1")->click();  // P_Spectrum.dat is gone although ② is still enabled
  EXPECT_EQ(warner.texts, QStringList{SPECTRUM_WARNING});

  on1("Command5")->click();  // Reset
  EXPECT_EQ(steps(), "0000");
}

TEST_F(Form1Test, ConfirmWritesTheNumberOrWarnsAndChangesNothing) {
  AcceptSpectrum();
  const struct {
    const char* text;
    const char* written;  // nullptr: the number warning
  } cases[] = {
      {"abc", nullptr},
      {"0", nullptr},
      {"-5", nullptr},
      {"", nullptr},
      {"   ", nullptr},
      {"1e999", nullptr},
      {"10000000", "1.00E+07\r\n"},
      {"123456", "1.23E+05\r\n"},
      {"1e7", "1.00E+07\r\n"},
      {"10 000 000", "1.00E+07\r\n"},
      {"500000000", "5.00E+08\r\n"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove("history.dat");
    warner.texts.clear();
    const bool startBefore = on1("Command2")->isEnabled();
    on1<QComboBox>("Combo1")->setEditText(c.text);
    on1("Command1")->click();
    if (c.written) {
      EXPECT_TRUE(warner.texts.isEmpty()) << c.text;
      EXPECT_EQ(ReadFile("history.dat"), c.written) << c.text;
      EXPECT_TRUE(on1("Command2")->isEnabled()) << c.text;
    } else {
      EXPECT_EQ(warner.texts, QStringList{NUMBER_WARNING}) << c.text;
      EXPECT_FALSE(Exists("history.dat")) << c.text;
      EXPECT_EQ(on1("Command2")->isEnabled(), startBefore) << c.text;
    }
  }
}

TEST_F(Form1Test, ConfirmChecksTheSpectrumBeforeTheNumber) {
  AcceptSpectrum();
  std::filesystem::remove("P_Spectrum.dat");
  WriteFile("history.dat", "older\r\n");
  for (const char* text : {"10000000", "abc"}) {
    warner.texts.clear();
    on1<QComboBox>("Combo1")->setEditText(text);
    on1("Command1")->click();
    EXPECT_EQ(warner.texts, QStringList{SPECTRUM_WARNING}) << text;
    EXPECT_EQ(ReadFile("history.dat"), "older\r\n");
    EXPECT_FALSE(on1("Command2")->isEnabled());
  }
}

TEST_F(Form1Test, ConfirmThatCannotWriteTheHistoryFileShowsTheCatchAll) {
  AcceptSpectrum();
  std::filesystem::create_directory("history.dat");  // cannot be replaced by a file
  on1("Command1")->click();
  EXPECT_EQ(warner.texts, QStringList{SPECTRUM_WARNING});
  EXPECT_FALSE(on1("Command2")->isEnabled());
}

TEST_F(Form1Test, AttenuationFileProblemsKeepTheSpectrumWindowClosed) {
  const struct {
    const char* what;
    std::string content;  // empty: no file at all
  } cases[] = {
      {"missing", ""},
      {"short", AttenuationFixture(299)},
      {"malformed", "0.5,abc,1,1,0,0,0\r\n" + AttenuationFixture()},
  };
  for (const auto& c : cases) {
    std::filesystem::remove("Mus2018.dat");
    if (!c.content.empty()) WriteFile("Mus2018.dat", c.content);
    warner.texts.clear();
    on1("Command4")->click();
    ASSERT_EQ(warner.texts.size(), 1) << c.what;
    EXPECT_TRUE(warner.texts[0].contains("Mus2018.dat")) << warner.texts[0].toStdString();
    EXPECT_EQ(form1->spectrumWindow(), nullptr) << c.what;
    EXPECT_TRUE(form1->isVisible()) << c.what;
  }
}

TEST_F(Form1Test, ResetDeletesOnlyTheSpectrumFileAndClearsThePicture) {
  AcceptSpectrum();
  on1("Command1")->click();
  WriteFile("Result.dat", "result");
  on1<QComboBox>("Combo1")->setEditText("5");
  on1<QRadioButton>("Option2")->setChecked(true);
  module.ImageKind = 2;
  auto* picture = on1<PictureBox>("Picture1");
  picture->fill({1, 1}, {600, 600}, Qt::black);

  on1("Command5")->click();
  EXPECT_FALSE(Exists("P_Spectrum.dat"));
  EXPECT_TRUE(Exists("history.dat"));
  EXPECT_TRUE(Exists("Result.dat"));
  EXPECT_EQ(on1<QComboBox>("Combo1")->currentText(), "10000000");
  EXPECT_TRUE(on1<QRadioButton>("Option2")->isChecked());
  EXPECT_EQ(module.ImageKind, 2);
  EXPECT_EQ(CountColour(picture->image(), Qt::white), 600 * 600);
  EXPECT_TRUE(on1<QFrame>("Line1")->isVisible());
  EXPECT_TRUE(on1<QFrame>("Line2")->isVisible());

  on1("Command5")->click();  // again, with nothing left to delete
  EXPECT_TRUE(warner.texts.isEmpty());
}

// Runs the event loop until the program ends or a few seconds pass.
int RunUntilTheProgramEnds(std::function<void()> action) {
  QTimer::singleShot(0, action);
  QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
  return QCoreApplication::exec();
}

TEST_F(Form1Test, ExitDeletesTheThreeExchangeFilesAndEndsTheProgram) {
  for (const char* name : {"history.dat", "Result.dat", "P_Spectrum.dat", "keep.txt"})
    WriteFile(name, "x");
  EXPECT_EQ(RunUntilTheProgramEnds([&] { on1("Command6")->click(); }), 0);
  EXPECT_FALSE(Exists("history.dat"));
  EXPECT_FALSE(Exists("Result.dat"));
  EXPECT_FALSE(Exists("P_Spectrum.dat"));
  EXPECT_TRUE(Exists("keep.txt"));
  EXPECT_TRUE(Exists("Mus2018.dat"));
}

TEST_F(Form1Test, ExitWithoutExchangeFilesEndsSilently) {
  EXPECT_EQ(RunUntilTheProgramEnds([&] { on1("Command6")->click(); }), 0);
  EXPECT_TRUE(warner.texts.isEmpty());
}

TEST_F(Form1Test, ClosingTheMainWindowEndsTheProgramAndKeepsTheFiles) {
  for (const char* name : {"history.dat", "Result.dat", "P_Spectrum.dat"}) WriteFile(name, "x");
  EXPECT_EQ(RunUntilTheProgramEnds([&] { form1->close(); }), 0);
  for (const char* name : {"history.dat", "Result.dat", "P_Spectrum.dat"})
    EXPECT_TRUE(Exists(name));
}

}  // namespace
