// The result of an Evaluate run written three times: the HTML page of the result browser, the
// tab-separated plain text and the forum BBCode text that the copy buttons put on the clipboard.
// Everything here is a pure function of its input, so the texts can be checked byte for byte.
#pragma once

#include "core/equity.h"
#include "framework/afxwin.h"

// The labels of the texts, from the string table (LoadResultLabels) or given by a test.
struct ResultLabels {
  CString board;  // "Board:" (a colon is added when missing)
  CString dead;   // "Dead cards" (likewise)
  CString preflop, flop, turn, river;
  CString equity, wins, ties;                             // Omaha Hi columns
  CString scoops, winsHi, tiesHi, winsLo, tiesLo;         // Omaha Hi/Lo columns after "Equity"
};

ResultLabels LoadResultLabels();

struct ResultInput {
  bool hiLo = false;
  bool allStreets = false;  // one block of four street rows per seat instead of one row
  // The engine's result arrays: kEquityHiArrays (Omaha Hi) or kEquityHiLoArrays (Omaha Hi/Lo)
  // arrays of one value per seat in run order. Null: no result, nothing is built.
  const double (*results)[kMaxSeats] = nullptr;
  int seatCount = 0;
  CString seatTexts[kMaxSeats];  // range texts as typed
  CString positions[kMaxSeats];  // "UTG" ... "BB"
  int handCounts[kMaxSeats] = {};
  CString board;  // the board as bare card letters (ResultBoardText)
  CString dead;   // the dead-card text when its box is ticked, else empty
  CString css;           // the page's style element
  CString homePageUrl;   // first line of the plain text
  CString imageModule;   // module path of the card pictures' res:// addresses
  ResultLabels labels;
};

struct ResultTexts {
  CString html;
  CString text;
  CString bbCode;
};

// Builds the page and both texts; an input without results gives three empty texts.
ResultTexts BuildResultTexts(const ResultInput& input);

// The board of the texts: the flop when ticked, then turn and river each when ticked and not
// empty, without any blank.
CString ResultBoardText(const CString& flop, bool flopTicked, const CString& turn, bool turnTicked,
                        const CString& river, bool riverTicked);

// Every comma followed by exactly one blank: "AA,KK ,  QQ" gives "AA, KK , QQ".
CString NormaliseRangeCommas(CString range);

// Whether every value a result page would show is a finite number.
bool ResultsAreFinite(const double (*results)[kMaxSeats], int arrays, int seatCount);
