// Scenario files: what the program writes reads back, hand-written files are understood, and
// anything else is refused with a message while the record stays as it was.
#include <gtest/gtest.h>

#include "app/scenario_file.h"
#include "temp_folder.h"

namespace {

Scenario Sample() {
  Scenario s = Scenario::Empty();
  s.players[0] = L"AsKsQhJh";
  s.players[1] = L"AA**,KK**";
  s.players[5] = L"random";
  s.players[9] = L"  spaced value\xE9";  // leading blanks belong to the value; é is one byte
  s.flop = L"AsKd7h";
  s.turn = L"2c";
  s.dead = L"Qd";
  return s;
}

TEST(ScenarioFormat, WritesFourteenLinesInOrderWithCrLf) {
  std::string bytes;
  ASSERT_TRUE(FormatScenario(Scenario::Empty(), &bytes, nullptr));
  EXPECT_EQ(bytes,
            "Player0=\r\nPlayer1=\r\nPlayer2=\r\nPlayer3=\r\nPlayer4=\r\nPlayer5=\r\nPlayer6=\r\nPlayer7=\r\n"
            "Player8=\r\nPlayer9=\r\nFlop=\r\nTurn=\r\nRiver=\r\nDead=\r\n");
  ASSERT_TRUE(FormatScenario(Sample(), &bytes, nullptr));
  EXPECT_NE(bytes.find("Player1=AA**,KK**\r\nPlayer2=\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("Player9=  spaced value\xE9\r\n"), std::string::npos);
}

TEST(ScenarioFormat, RefusesCharactersAboveOneByte) {
  Scenario s = Scenario::Empty();
  s.flop = L"As\x20AC";
  std::string bytes = "untouched";
  CString error;
  EXPECT_FALSE(FormatScenario(s, &bytes, &error));
  EXPECT_EQ(bytes, "untouched");
  EXPECT_NE(error.Find(L"Flop"), -1);
}

TEST(ScenarioParse, RoundTripsEveryField) {
  std::string bytes;
  ASSERT_TRUE(FormatScenario(Sample(), &bytes, nullptr));
  Scenario read;
  CString error;
  ASSERT_TRUE(ParseScenario(bytes, &read, &error)) << CStringA(error).GetString();
  EXPECT_EQ(read, Sample());
}

TEST(ScenarioParse, HandWrittenFiles) {
  // Any order, repetitions (the last wins), blanks around a line, LF only, notes and unknown keys.
  const std::string text =
      "; my favourite spot\n"
      "  River=9h  \r\n"
      "Flop=AsKd7h\n"
      "Player=KKQQ\n"          // no number: seat 0
      "Player+3=JJ**\n"
      "Player07x=77**\n"       // leading digits count
      "flop=2c2d2h\n"          // keys are case-sensitive
      "Turn =5c\n"             // a blank before "=" makes another key
      "=orphan\n"
      "\n"
      "River=Td\n";
  Scenario read;
  read.players[1] = L"kept";
  ASSERT_TRUE(ParseScenario(text, &read, nullptr));
  EXPECT_EQ(read.players[0], CString(L"KKQQ"));
  EXPECT_EQ(read.players[1], CString(L"kept")) << "a key not in the file leaves its value";
  EXPECT_EQ(read.players[3], CString(L"JJ**"));
  EXPECT_EQ(read.players[7], CString(L"77**"));
  EXPECT_EQ(read.flop, CString(L"AsKd7h"));
  EXPECT_FALSE(read.turn.has_value());
  EXPECT_EQ(read.river, CString(L"Td"));
  EXPECT_FALSE(read.dead.has_value());
}

TEST(ScenarioParse, EmptyValuesAreRead) {
  Scenario read = Sample();
  ASSERT_TRUE(ParseScenario("Player0=\r\nFlop=\r\n", &read, nullptr));
  EXPECT_EQ(read.players[0], CString());
  EXPECT_EQ(read.flop, CString());
  EXPECT_EQ(read.players[1], Sample().players[1]);
}

TEST(ScenarioParse, RefusesBadFilesAndChangesNothing) {
  struct Case {
    const char* name;
    std::string bytes;
    const wchar_t* messagePart;
  };
  const Case cases[] = {
      {"seat past the last", "Flop=AsKd7h\r\nPlayer30=AA\r\n", L"Player30"},
      {"negative seat", "Player-1=AA\r\n", L"Player-1"},
      {"huge seat number", "Player99999999999999999999=AA\r\n", L"Player9999"},
      {"seat ten", "Player10=AA\r\n", L"Player10"},
      {"binary", std::string("Flop=As\0Kd\r\n", 12), L"binary"},
      {"line too long", "Flop=" + std::string(kScenarioMaxLine, 'x') + "\r\n", L"too long"},
      {"huge", std::string(kScenarioMaxFileSize + 1, '\n'), L"too large"},
      {"nothing known", "hello\r\nworld=1\r\n", L"no scenario"},
      {"empty", "", L"no scenario"},
  };
  for (const Case& c : cases) {
    Scenario read = Sample();
    CString error;
    EXPECT_FALSE(ParseScenario(c.bytes, &read, &error)) << c.name;
    EXPECT_EQ(read, Sample()) << c.name;
    EXPECT_NE(error.Find(c.messagePart), -1) << c.name << ": " << CStringA(error).GetString();
  }
  // A last line without a line end is read (hand-edited files).
  {
    Scenario read = Sample();
    ASSERT_TRUE(ParseScenario("Player0=AA\r\nFlop=AsKd7h", &read, nullptr));
    EXPECT_EQ(read.players[0], CString(L"AA"));
    EXPECT_EQ(read.flop, CString(L"AsKd7h"));
  }
  // The longest allowed line is read.
  Scenario read;
  EXPECT_TRUE(ParseScenario("Flop=" + std::string(kScenarioMaxLine - 5, 'x') + "\r\n", &read, nullptr));
}

TEST(ScenarioFiles, SaveLoadAndReplace) {
  apptest::TempFolder folder;
  const std::wstring path = folder / L"spot.vof";
  ASSERT_TRUE(SaveScenarioFile(path.c_str(), Sample(), nullptr));
  Scenario read;
  ASSERT_TRUE(LoadScenarioFile(path.c_str(), &read, nullptr));
  EXPECT_EQ(read, Sample());

  // Saving over an existing file replaces it and leaves no temporary file.
  ASSERT_TRUE(SaveScenarioFile(path.c_str(), Scenario::Empty(), nullptr));
  std::string bytes;
  ASSERT_TRUE(FormatScenario(Scenario::Empty(), &bytes, nullptr));
  EXPECT_EQ(apptest::ReadFileBytes(path), bytes);
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder / L"*").c_str(), &found);
  int files = 0;
  do files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
  while (::FindNextFileW(search, &found));
  ::FindClose(search);
  EXPECT_EQ(files, 1);
}

TEST(ScenarioFiles, FailedSaveKeepsThePreviousFile) {
  apptest::TempFolder folder;
  const std::wstring path = folder / L"spot.vof";
  ASSERT_TRUE(SaveScenarioFile(path.c_str(), Sample(), nullptr));
  const std::string before = apptest::ReadFileBytes(path);

  // A text the format cannot hold fails before anything is touched.
  Scenario bad = Scenario::Empty();
  bad.dead = L"\x0100";
  CString error;
  EXPECT_FALSE(SaveScenarioFile(path.c_str(), bad, &error));
  EXPECT_EQ(apptest::ReadFileBytes(path), before);

  // A target that cannot be replaced (held open without sharing) fails and keeps its content.
  HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SaveScenarioFile(path.c_str(), Scenario::Empty(), &error));
  ::CloseHandle(held);
  EXPECT_EQ(apptest::ReadFileBytes(path), before);
  EXPECT_FALSE(apptest::FileExists(path + L".saving"));

  // A folder that does not exist.
  EXPECT_FALSE(SaveScenarioFile((folder / L"missing\\spot.vof").c_str(), Sample(), &error));
  EXPECT_NE(error.Find(L"cannot be written"), -1);
}

TEST(ScenarioFiles, LoadFailuresLeaveTheRecord) {
  apptest::TempFolder folder;
  Scenario read = Sample();
  CString error;
  EXPECT_FALSE(LoadScenarioFile((folder / L"none.vof").c_str(), &read, &error));
  EXPECT_NE(error.Find(L"cannot be opened"), -1);
  const std::wstring big = folder / L"big.vof";
  ASSERT_TRUE(apptest::WriteFileBytes(big, std::string(kScenarioMaxFileSize + 10, 'x')));
  EXPECT_FALSE(LoadScenarioFile(big.c_str(), &read, &error));
  EXPECT_NE(error.Find(L"too large"), -1);
  EXPECT_EQ(read, Sample());
}

TEST(ScenarioName, DefaultNameFromSeatsAndBoard) {
  using Texts = std::array<CString, kScenarioSeats>;
  using Ticks = std::array<bool, kScenarioSeats>;
  const Ticks firstTwo = {true, true};
  EXPECT_EQ(DefaultScenarioName(Texts{L"AAKK", L"QQJJ"}, firstTwo, L"AsKd7h", L"Board:"),
            CString(L"[AAKK] vs. [QQJJ] Board=AsKd7h"));
  EXPECT_EQ(DefaultScenarioName(Texts{L"AA**", L"K*/Q*"}, firstTwo, L"", L"Board:"), CString(L"[AAxx] vs. [Kx-Qx]"));
  EXPECT_EQ(DefaultScenarioName(Texts{L"AAKKQQJJTT99", L"QQ"}, Ticks{true}, L"", L"Board:"), CString(L"[AAKKQQJJ...]"));
  // A two-card seat leads; a ticked seat with the same text is skipped, an empty ticked one shows as [].
  EXPECT_EQ(DefaultScenarioName(Texts{L"", L"AsKs", L"AsKs", L"", L"KK"}, Ticks{true, true, true, true, false}, L"",
                                L"Board:"),
            CString(L"AsKs vs. [] vs. []"));
  EXPECT_EQ(DefaultScenarioName(Texts{}, Ticks{true, true}, L"", L"Board:"), CString(L"")) << "empty seats, nothing to name";
}

TEST(ScenarioFiles, FolderOfAPath) {
  EXPECT_EQ(ScenarioFolderOf(L"C:\\games\\spot.vof"), CString(L"C:\\games"));
  EXPECT_EQ(ScenarioFolderOf(L"C:\\a/b\\spot.vof"), CString(L"C:\\a")) << "the last slash wins over backslashes";
  EXPECT_EQ(ScenarioFolderOf(L"spot.vof"), CString());
}

}  // namespace
