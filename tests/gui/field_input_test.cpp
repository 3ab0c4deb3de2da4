// Every text field of both windows given what a user may type or paste:
// nothing, blanks, huge and tiny numbers, NaN and infinity spellings,
// full-width digits and very long text. Each press either shows one warning
// and writes nothing, or is accepted; whatever the windows then write, the
// engine's readers take.
#include <QComboBox>
#include <QLineEdit>

#include "tables.h"
#include "window_fixture.h"

namespace {

// The engine's own reader applied to a file the windows wrote: an empty
// string when the engine would run with it, otherwise its run-time error.
template <typename Load>
std::string EngineRefusal(Load load, const char* file) {
  try {
    load(file);
    return {};
  } catch (const lumora::RunTimeError& e) {
    return e.what();
  }
}

// QLineEdit keeps at most 32767 characters of a typed or pasted text.
const std::string LONG_NINES(32767, '9');
const std::string LONG_GARBAGE(32767, 'x');
const std::string SPREAD_FORTY = "4" + std::string(20000, ' ') + "0";  // 40 once blanks go

struct Input {
  const char* name;
  std::string text;
};

const Input INPUTS[] = {
    {"empty", ""},
    {"blanks", "  \t "},
    {"1e308", "1e308"},
    {"1e400", "1e400"},
    {"-1e400", "-1e400"},
    {"1e-400", "1e-400"},
    {"NaN", "NaN"},
    {"nan", "nan"},
    {"inf", "inf"},
    {"-Infinity", "-Infinity"},
    {"full-width 100", "１００"},
    {"full-width 1.5", "１．５"},
    {"long nines", LONG_NINES},
    {"long garbage", LONG_GARBAGE},
    {"40 spread over blanks", SPREAD_FORTY},
};

using FieldInputTest = WindowTest;

TEST_F(FieldInputTest, HistoriesFieldWarnsOrWritesANumberTheEngineRuns) {
  const QString NUMBER_WARNING = " 入射光子数を選択もしくは直接入力して下さい ";
  AcceptSpectrum();
  std::vector<Input> inputs(std::begin(INPUTS), std::end(INPUTS));
  inputs.push_back({"just below 2^63", "9.2e18"});
  inputs.push_back({"above 2^63", "9.3e18"});
  for (const Input& in : inputs) {
    WriteFile("history.dat", "earlier\r\n");
    warner.texts.clear();
    on1<QComboBox>("Combo1")->setEditText(QString::fromStdString(in.text));
    on1("Command1")->click();
    const std::string written = ReadFile("history.dat");
    if (written == "earlier\r\n") {
      EXPECT_EQ(warner.texts, QStringList{NUMBER_WARNING}) << in.name;
    } else {
      EXPECT_TRUE(warner.texts.isEmpty()) << in.name;
      EXPECT_EQ(EngineRefusal(lumora::load_histories, "history.dat"), "")
          << in.name << ": " << written;
    }
    const bool accepted = std::string(in.name) == "40 spread over blanks" ||
                          std::string(in.name) == "just below 2^63";
    EXPECT_EQ(written != "earlier\r\n", accepted) << in.name << ": " << written;
  }
}

// The warning of each field for each input; "" means the spectrum is computed.
TEST_F(FieldInputTest, SpectrumFieldsWarnOrComputeASpectrumTheEngineRuns) {
  const char* VOLTAGE = "　管電圧を再入力　";
  const char* ANGLE = "　ターゲット角度を再入力　";
  const char* INHERENT = "　固有ろ過を再入力　";
  const char* STEEP = "ターゲット角度は 90 度未満にして下さい";
  const char* OPAQUE = "フィルタが厚すぎてＸ線が透過しません";
  const char* UNCOMPUTABLE = "この照射条件ではスペクトルを計算できません";
  // Fields in the order Text1 (voltage), Text5 (angle), Text2 (inherent), Text3 (Al), Text4 (Cu).
  const char* FIELDS[] = {"Text1", "Text5", "Text2", "Text3", "Text4"};
  const char* DEFAULTS[] = {"100", "12", "2.5", "0", "0"};
  const std::map<std::string, std::array<const char*, 5>> expected = {
      {"empty", {VOLTAGE, ANGLE, INHERENT, "", ""}},
      {"blanks", {VOLTAGE, ANGLE, INHERENT, "", ""}},
      {"1e308", {VOLTAGE, STEEP, OPAQUE, OPAQUE, OPAQUE}},
      {"1e400", {VOLTAGE, UNCOMPUTABLE, UNCOMPUTABLE, UNCOMPUTABLE, UNCOMPUTABLE}},
      {"-1e400", {VOLTAGE, ANGLE, INHERENT, UNCOMPUTABLE, UNCOMPUTABLE}},
      {"1e-400", {VOLTAGE, ANGLE, INHERENT, "", ""}},
      {"NaN", {VOLTAGE, ANGLE, INHERENT, "", ""}},
      {"nan", {VOLTAGE, ANGLE, INHERENT, "", ""}},
      {"inf", {VOLTAGE, ANGLE, INHERENT, "", ""}},
      {"-Infinity", {VOLTAGE, ANGLE, INHERENT, "", ""}},
      {"full-width 100", {VOLTAGE, ANGLE, INHERENT, "", ""}},
      {"full-width 1.5", {VOLTAGE, ANGLE, INHERENT, "", ""}},
      {"long nines", {VOLTAGE, UNCOMPUTABLE, UNCOMPUTABLE, UNCOMPUTABLE, UNCOMPUTABLE}},
      {"long garbage", {VOLTAGE, ANGLE, INHERENT, "", ""}},
      {"40 spread over blanks", {"", "", "", "", ""}},
  };
  for (const Input& in : INPUTS) {
    for (int f = 0; f < 5; ++f) {
      on1("Command4")->click();  // open the spectrum window, OK disabled
      for (int g = 0; g < 5; ++g) on5<QLineEdit>(FIELDS[g])->setText(DEFAULTS[g]);
      on5<QLineEdit>(FIELDS[f])->setText(QString::fromStdString(in.text));
      std::filesystem::remove("P_Spectrum.dat");
      warner.texts.clear();
      on5("Command1")->click();

      const std::string what = std::string(FIELDS[f]) + " = " + in.name;
      const char* warning = expected.at(in.name)[f];
      if (*warning) {
        EXPECT_EQ(warner.texts, QStringList{warning}) << what;
        EXPECT_FALSE(on5("Command4")->isEnabled()) << what;
        // The three checked fields show their default again after their own warning.
        if (f < 3 && warning == std::array{VOLTAGE, ANGLE, INHERENT}[f]) {
          EXPECT_EQ(on5<QLineEdit>(FIELDS[f])->text(), DEFAULTS[f]) << what;
        }
        on5("Command2")->click();  // Cancel
        continue;
      }
      EXPECT_TRUE(warner.texts.isEmpty()) << what << ": " << warner.texts.join('|').toStdString();
      ASSERT_TRUE(on5("Command4")->isEnabled()) << what;
      on5("Command4")->click();  // OK writes P_Spectrum.dat
      EXPECT_EQ(EngineRefusal(lumora::load_spectrum, "P_Spectrum.dat"), "") << what;
    }
  }
}

}  // namespace
