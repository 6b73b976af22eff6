// The Evaluate run of the main dialog: which seats take part, the text handed to the engine,
// the interim values of the street fields, and the program's close while a run is on.
// COmahaVantornDlg::OnEvaluate and COmahaVantornDlg::ShowEquityProgress (evaluate_run.cpp) use
// these; the pure ones are tested on their own.
#pragma once

#include "core/equity.h"
#include "framework/afxwin.h"

// Seats that the short-handed layout hides (the first four) take no part while it is on.
bool SeatShownInLayout(int seat, bool shortHanded);

// The seats of a run, in dialog order: range text not empty, check box ticked, seat shown.
struct EvaluateSeats {
  int count = 0;
  int index[kMaxSeats] = {};
};
EvaluateSeats SelectEvaluateSeats(const CString texts[kMaxSeats], const bool ticked[kMaxSeats], bool shortHanded);

// The engine's board text: each ticked street's text as typed, then "|" and the dead cards when
// their box is ticked and they are not empty.
CString BuildEngineBoardText(const CString& flop, bool flopTicked, const CString& turn, bool turnTicked,
                             const CString& river, bool riverTicked, const CString& dead, bool deadTicked);

// An interim or final equity as a street field shows it ("45.23%"); empty for a value that is
// not a number, so nothing undefined reaches the user.
CString FormatEquityField(double value);

// Whether the time limit has passed: more than limitMs milliseconds from start to now.
bool EvaluationTimeIsUp(ULONGLONG startTick, ULONGLONG nowTick, int limitMs);

// For the program's tests: when the environment variable OMAHAVANTORN_ENGINE_REPORT names a
// file, each run appends a line "workers W attempts A deals D" with what the engine dealt.
void ReportEngineRun(const EquityRunStats& stats);

// True from the start of a run until OnEvaluate has finished with it.
bool EvaluationInProgress();
// Asks the running evaluation to stop at its next progress call and to close the main window
// once it has ended (the frame's close while a run is on).
void RequestCloseAfterEvaluation();
