// The result writers: the page, the plain text and the BBCode text of fixed results, compared
// byte for byte with the fixtures in fixtures/results (UTF-8 files of the UTF-16 texts), for
// Omaha Hi and Hi/Lo, with one equity column and with every street; and their small rules.
//
// Set OV_WRITE_RESULT_FIXTURES=1 to write the fixtures from the current writers (then read them).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/evaluate_run.h"
#include "app/result_texts.h"

namespace {

std::string Utf8(const CString& text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.GetString(), text.GetLength(), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.GetString(), text.GetLength(), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

std::wstring FixturePath(const std::string& name) {
  return std::wstring(OV_FIXTURE_DIR) + L"/" + std::wstring(name.begin(), name.end());
}

void CompareWithFixture(const CString& text, const std::string& name) {
  const std::string actual = Utf8(text);
  const std::wstring path = FixturePath(name);
  const char* write = std::getenv("OV_WRITE_RESULT_FIXTURES");
  if (write && *write == '1') {
    std::ofstream(path.c_str(), std::ios::binary) << actual;
  }
  std::ifstream in(path.c_str(), std::ios::binary);
  ASSERT_TRUE(in.good()) << "missing fixture " << name;
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_EQ(actual, expected.str()) << name;
}

// Values chosen so that every column differs and the sums are checkable.
struct Fixture {
  double hi[kEquityHiArrays][kMaxSeats] = {};
  double hiLo[kEquityHiLoArrays][kMaxSeats] = {};

  Fixture() {
    for (int s = 0; s < 4; ++s) {
      const double win[3] = {40.127 + s, 30.5 - s, 19.377};
      const double tie[3] = {3.0, 2.0, 5.0};
      for (int k = 0; k < 3; ++k) {
        hi[2 * s][k] = win[k];
        hi[2 * s + 1][k] = tie[k];
      }
      const double values[6][3] = {{45.678 + s, 33.333, 20.989 - s},  // equity
                                   {12.5, 7.25, 1.0},                 // scoops
                                   {30.0, 20.0, 10.0},                // wins hi
                                   {4.5, 4.5, 0.0},                   // ties hi
                                   {25.0, 0.0, 5.0},                  // wins lo
                                   {2.25, 0.0, 2.25}};                // ties lo
      for (int v = 0; v < 6; ++v)
        for (int k = 0; k < 3; ++k) hiLo[HiLoArray(s, v)][k] = values[v][k];
    }
  }
};

ResultInput BaseInput() {
  ResultInput in;
  in.css = L"<style type=\"text/css\">td { background-color: #E8E8E8; }</style>\n";
  in.homePageUrl = L"https://www.brightfold.example/vantorn/omaha";
  in.imageModule = L"C:\\Program Files\\OmahaVantorn\\OmahaVantorn.exe";
  in.labels = LoadResultLabels();
  const wchar_t* texts[3] = {L"AA,KK ,  QQ", L"random", L"AsKsQhJh"};
  const wchar_t* positions[3] = {L"MP2", L"MP3", L"CO"};
  const int counts[3] = {6, 270725, 1};
  for (int k = 0; k < 3; ++k) {
    in.seatTexts[k] = texts[k];
    in.positions[k] = positions[k];
    in.handCounts[k] = counts[k];
  }
  in.seatCount = 3;
  return in;
}

void CheckAll(const ResultInput& in, const std::string& name) {
  const ResultTexts out = BuildResultTexts(in);
  CompareWithFixture(out.html, name + ".html");
  CompareWithFixture(out.text, name + ".txt");
  CompareWithFixture(out.bbCode, name + ".bbcode");
}

TEST(ResultTexts, LabelsComeFromTheStringTable) {
  const ResultLabels l = LoadResultLabels();
  EXPECT_EQ(l.board, L"Board:");
  EXPECT_EQ(l.dead, L"Dead cards");
  EXPECT_EQ(l.equity, L"Equity");
  EXPECT_EQ(l.tiesLo, L"Ties Lo");
  EXPECT_EQ(l.river, L"River");
}

// Omaha Hi, one equity column: flop and turn (one no-break space), dead cards with a trailing
// blank, three seats (the second one's rows white), commas normalised.
TEST(ResultTexts, OmahaHiOneColumnMatchesItsFixture) {
  Fixture f;
  ResultInput in = BaseInput();
  in.results = f.hi;
  in.board = ResultBoardText(L"AhKd7c", true, L"3h", true, L"", false);
  in.dead = L"2c5s ";
  CheckAll(in, "hi_one_column");
}

// Omaha Hi, every street: a full board (two no-break spaces), no dead cards, two seats.
TEST(ResultTexts, OmahaHiAllStreetsMatchesItsFixture) {
  Fixture f;
  ResultInput in = BaseInput();
  in.results = f.hi;
  in.allStreets = true;
  in.seatCount = 2;
  in.board = ResultBoardText(L"AhKd7c", true, L"3h", true, L"Ts", true);
  CheckAll(in, "hi_all_streets");
}

// Omaha Hi/Lo, one equity column: flop only (no no-break space), dead cards, three seats.
TEST(ResultTexts, OmahaHiLoOneColumnMatchesItsFixture) {
  Fixture f;
  ResultInput in = BaseInput();
  in.results = f.hiLo;
  in.hiLo = true;
  in.board = ResultBoardText(L"2h4d8s", true, L"", true, L"", false);
  in.dead = L"Kc";
  CheckAll(in, "hilo_one_column");
}

// Omaha Hi/Lo, every street, preflop: an empty board row, no board lines in the texts.
TEST(ResultTexts, OmahaHiLoAllStreetsMatchesItsFixture) {
  Fixture f;
  ResultInput in = BaseInput();
  in.results = f.hiLo;
  in.hiLo = true;
  in.allStreets = true;
  CheckAll(in, "hilo_all_streets");
}

TEST(ResultTexts, RowsCarryTheParts) {
  Fixture f;
  ResultInput in = BaseInput();
  in.results = f.hi;
  const ResultTexts out = BuildResultTexts(in);
  // Equity is win plus tie; the BBCode columns are six wide with two decimals.
  EXPECT_NE(out.text.Find(L"MP2:\t43.13%\t40.13%\t3.00%\t{ AA, KK , QQ }\r\n"), -1) << Utf8(out.text);
  EXPECT_NE(out.bbCode.Find(L"[COLOR=#FF0000]\u00A043.13%[/COLOR]\u00A0\u00A040.13%"), -1) << Utf8(out.bbCode);
  EXPECT_NE(out.bbCode.Find(L"\u00A0{ AA, KK , QQ }\r\n"), -1) << "the range keeps ordinary blanks";
  EXPECT_EQ(out.text.Find(L"\u00A0"), -1) << "the plain text has no no-break space";
  // The page writes the dead-card cell's width unformatted, with both percent signs.
  ResultInput dead = BaseInput();
  dead.results = f.hi;
  dead.dead = L"2c";
  EXPECT_NE(BuildResultTexts(dead).html.Find(L"<td colspan=2 WIDTH=100%%>"), -1);
}

TEST(ResultTexts, RangeTextsShowAsTypedOnThePage) {
  Fixture f;
  for (const bool hiLo : {false, true}) {
    for (const bool allStreets : {false, true}) {
      ResultInput in = BaseInput();
      in.hiLo = hiLo;
      in.allStreets = allStreets;
      in.results = hiLo ? f.hiLo : f.hi;
      in.seatTexts[0] = L"AA<b>&KK";
      const ResultTexts out = BuildResultTexts(in);
      EXPECT_NE(out.html.Find(L"{ AA&lt;b&gt;&amp;KK }"), -1) << Utf8(out.html);
      EXPECT_EQ(out.html.Find(L"AA<b>"), -1) << "the page must not take the range for markup";
      EXPECT_NE(out.text.Find(L"{ AA<b>&KK }"), -1) << "the plain copy keeps the text as typed";
      EXPECT_NE(out.bbCode.Find(L"AA<b>&KK"), -1);
    }
  }
}

TEST(ResultTexts, NoSeatGivesTheAddressLineAndAnEmptyTable) {
  Fixture f;
  ResultInput in = BaseInput();
  in.results = f.hi;
  in.seatCount = 0;
  const ResultTexts out = BuildResultTexts(in);
  EXPECT_EQ(out.text, L"https://www.brightfold.example/vantorn/omaha\r\n");
  EXPECT_EQ(out.bbCode, L"");
  EXPECT_EQ(out.html, L"<html><head>\n\n" + in.css + L"</head><body>\n<table BORDER=0 WIDTH=100%></table>\n</body>\n</html>");
  in.results = nullptr;
  const ResultTexts none = BuildResultTexts(in);
  EXPECT_TRUE(none.html.IsEmpty() && none.text.IsEmpty() && none.bbCode.IsEmpty());
}

TEST(ResultTexts, BoardAndRangeRules) {
  struct Case {
    const wchar_t *flop, *turn, *river;
    bool f, t, r;
    const wchar_t* board;
  } cases[] = {
      {L"Ah Kd 7c", L" 3h", L"Ts ", true, true, true, L"AhKd7c3hTs"},  // blanks never reach the texts
      {L"AhKd7c", L"3h", L"Ts", true, false, true, L"AhKd7cTs"},        // each street by its own box
      {L"AhKd7c", L"", L"", true, true, true, L"AhKd7c"},
      {L"AhKd7c", L"3h", L"", false, false, false, L""},
  };
  for (const Case& c : cases) EXPECT_EQ(ResultBoardText(c.flop, c.f, c.turn, c.t, c.river, c.r), c.board) << c.board;

  EXPECT_EQ(NormaliseRangeCommas(L"AA,KK ,  QQ"), L"AA, KK , QQ");
  EXPECT_EQ(NormaliseRangeCommas(L"AA, KK,QQ"), L"AA, KK, QQ");
  EXPECT_EQ(NormaliseRangeCommas(L"random"), L"random");
}

TEST(ResultTexts, NonFiniteValuesAreFound) {
  double values[2][kMaxSeats] = {{50, 50}, {0, 0}};
  EXPECT_TRUE(ResultsAreFinite(values, 2, 2));
  values[1][1] = std::nan("");
  EXPECT_FALSE(ResultsAreFinite(values, 2, 2));
  EXPECT_TRUE(ResultsAreFinite(values, 2, 1)) << "only the run's seats count";
  EXPECT_FALSE(ResultsAreFinite(nullptr, 2, 2));
}

TEST(EvaluateRun, SeatsBoardTextFieldsAndTime) {
  CString texts[kMaxSeats] = {L"AA", L"", L"KK", L"", L"QQ", L"JJ", L"", L"random", L"", L"TT"};
  bool ticked[kMaxSeats] = {true, true, true, false, true, false, false, true, true, true};
  // Ten seats: text and tick needed; short-handed: the hidden first four never count.
  const EvaluateSeats ten = SelectEvaluateSeats(texts, ticked, false);
  ASSERT_EQ(ten.count, 5);
  const int tenExpected[] = {0, 2, 4, 7, 9};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(ten.index[k], tenExpected[k]);
  const EvaluateSeats six = SelectEvaluateSeats(texts, ticked, true);
  ASSERT_EQ(six.count, 3);
  EXPECT_EQ(six.index[0], 4);
  EXPECT_EQ(six.index[2], 9);

  EXPECT_EQ(BuildEngineBoardText(L"AhKd7c", true, L"", false, L"3h", true, L"2c", true), L"AhKd7c3h|2c");
  EXPECT_EQ(BuildEngineBoardText(L"AhKd7c", true, L"", false, L"3h", true, L"", true), L"AhKd7c3h");
  EXPECT_EQ(BuildEngineBoardText(L"AhKd7c", false, L"Qs", false, L"", false, L"2c", false), L"");

  EXPECT_EQ(FormatEquityField(45.234), L"45.23%");
  EXPECT_EQ(FormatEquityField(100.0), L"100.00%");
  EXPECT_EQ(FormatEquityField(std::nan("")), L"");
  EXPECT_EQ(FormatEquityField(HUGE_VAL), L"");

  EXPECT_FALSE(EvaluationTimeIsUp(1000, 6000, 5000)) << "exactly the time: not yet";
  EXPECT_TRUE(EvaluationTimeIsUp(1000, 6001, 5000));
  EXPECT_TRUE(EvaluationTimeIsUp(1000, 1000, -1));
}

}  // namespace
