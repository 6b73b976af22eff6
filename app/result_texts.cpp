#include "app/result_texts.h"

#include <cmath>

#include "controls/html/html_text.h"
#include "core/cardtext.h"
#include "string_table.h"

namespace {

// Range texts are the user's own: "<" and "&" must show as typed on the page.
CString ForHtml(const CString& text) {
  return CString(html::EscapeText(std::wstring_view(text.GetString(), text.GetLength())).c_str());
}

constexpr wchar_t kNoBreakSpace[] = L"\u00A0";

CString LoadLabel(UINT id) {
  CString text;
  if (!text.LoadString(id)) text.Empty();
  return text;
}

// "Board:" stays, "Dead cards" becomes "Dead cards:".
CString WithColon(CString label) {
  label.TrimRight();
  if (label.IsEmpty() || label[label.GetLength() - 1] != L':') label += L':';
  return label;
}

CString CardImages(const CString& cards, int gaps, const CString& module) {
  return CString(FormatHandAsCardImages(std::wstring_view(cards.GetString(), cards.GetLength()), gaps,
                                        std::wstring_view(module.GetString(), module.GetLength()))
                     .c_str());
}

// Forum suit symbols; "d" first, since the later names hold no suit letter that is still to come.
CString WithSuitSymbols(CString cards) {
  cards.Replace(L"d", L":diamond:");
  cards.Replace(L"h", L":heart:");
  cards.Replace(L"s", L":spade:");
  cards.Replace(L"c", L":club:");
  return cards;
}

// A BBCode line keeps its columns in a proportional forum font only with no-break spaces.
void AppendBBLine(CString& bb, CString line) {
  line.Replace(L" ", kNoBreakSpace);
  bb += line;
}

struct Columns {
  int count;
  CString labels[6];
  int widths[6];
};

Columns MakeColumns(const ResultInput& in) {
  const ResultLabels& l = in.labels;
  Columns c{};
  if (in.hiLo) {
    c.count = 6;
    const CString labels[6] = {l.equity, l.scoops, l.winsHi, l.tiesHi, l.winsLo, l.tiesLo};
    for (int i = 0; i < 6; ++i) c.labels[i] = labels[i];
  } else {
    c.count = 3;
    c.labels[0] = l.equity;
    c.labels[1] = l.wins;
    c.labels[2] = l.ties;
  }
  const int least = in.hiLo ? 5 : 6;
  for (int i = 0; i < c.count; ++i) c.widths[i] = std::max(c.labels[i].GetLength(), least);
  return c;
}

void WriteBoardRow(const ResultInput& in, const CString& boardLabel, const CString& deadLabel, CString& dead,
                   CString& html) {
  const CString images = CardImages(in.board, 1, in.imageModule);
  if (!dead.IsEmpty()) {
    html += in.hiLo ? L"<tr>\n   <td></td>\n   <td colspan=6>\n" : L"<tr>\n   <td></td>\n   <td colspan=3>\n";
    html += L"<b>" + boardLabel + L"</b><br>" + images + L"   </td>\n";
    html += L"   <td colspan=2 WIDTH=100%%>\n";
    dead.TrimRight();
    html += L"<b>" + deadLabel + L"</b><br>" + CardImages(dead, 0, in.imageModule) + L"   </td>\n</tr>\n";
  } else {
    html += in.hiLo ? L"<tr>\n   <td></td>\n   <td colspan=8>\n" : L"<tr>\n   <td></td>\n   <td colspan=5>\n";
    html += L"<b>" + boardLabel + L"</b><br>" + images + L"   </td>\n</tr>\n";
  }
}

void WriteBoardLines(const ResultInput& in, const CString& boardLabel, const CString& deadLabel, const CString& dead,
                     CString& text, CString& bb) {
  bb += L"[FONT=courier new][SIZE=12]\r\n";
  if (!in.board.IsEmpty()) {
    text.AppendFormat(L"%s %s\r\n", boardLabel, in.board);
    CString board = in.board;
    if (board.GetLength() > 8) board.Insert(8, kNoBreakSpace);
    if (board.GetLength() > 6) board.Insert(6, kNoBreakSpace);
    bb.AppendFormat(L"[b]%s [/b]%s\r\n", boardLabel, WithSuitSymbols(board));
  }
  if (!dead.IsEmpty()) {
    text.AppendFormat(L"%s %s\r\n", deadLabel, dead);
    bb.AppendFormat(L"[b]%s [/b]%s\r\n", deadLabel, WithSuitSymbols(dead));
  }
}

void WriteHeaders(const ResultInput& in, const Columns& c, CString& html, CString& text, CString& bb) {
  html += L"<tr>\t<td class=w></td>\t<td class=w align=center><b>" + c.labels[0];
  for (int i = 1; i < c.count; ++i) html += L"</b></td>\t<td class=w align=center><b>" + c.labels[i];
  html += L"</b></td>\t<td class=w></td></tr>\n";
  CString pattern, line;
  if (in.hiLo) {
    text.AppendFormat(L"\t\t%s\t%s\t%s\t%s\t%s\t%s\r\n", c.labels[0], c.labels[1], c.labels[2], c.labels[3],
                      c.labels[4], c.labels[5]);
    pattern.Format(in.allStreets ? L"[b]              %%%0ds  %%%0ds  %%%0ds  %%%0ds  %%%0ds  %%%0ds[/b]\n"
                                 : L"[b]      %%%0ds  %%%0ds  %%%0ds  %%%0ds  %%%0ds  %%%0ds[/b]\n",
                   c.widths[0], c.widths[1], c.widths[2], c.widths[3], c.widths[4], c.widths[5]);
    line.Format(pattern, c.labels[0], c.labels[1], c.labels[2], c.labels[3], c.labels[4], c.labels[5]);
  } else {
    text.AppendFormat(L"\t\t%s\t%s\t%s\r\n", c.labels[0], c.labels[1], c.labels[2]);
    pattern.Format(in.allStreets ? L"[b]              %%%0ds  %%%0ds  %%%0ds[/b]\n"
                                 : L"[b]       %%%0ds  %%%0ds  %%%0ds[/b]\n",
                   c.widths[0], c.widths[1], c.widths[2]);
    line.Format(pattern, c.labels[0], c.labels[1], c.labels[2]);
  }
  AppendBBLine(bb, line);
}

// One seat of Omaha Hi: one row, or a Preflop row and the three street rows.
void WriteSeatHi(const ResultInput& in, const Columns& c, int k, CString& html, CString& text, CString& bb) {
  const CString cls = (k % 2) ? L" class=w" : L"";
  const CString range = NormaliseRangeCommas(in.seatTexts[k]);
  const CString rangeHtml = ForHtml(range);
  const CString& pos = in.positions[k];
  const int count = in.handCounts[k];
  const int* w = c.widths;
  auto win = [&](int street) { return in.results[2 * street][k]; };
  auto tie = [&](int street) { return in.results[2 * street + 1][k]; };
  CString pattern, line;
  if (!in.allStreets) {
    const double eq = win(0) + tie(0);
    html.AppendFormat(L"<tr><td%s>&nbsp;<b>%s</b>&nbsp;</td>\t<td%s align=right><font color=red style=b>&nbsp;%0.2lf%%&nbsp;</font></td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%d&nbsp;</td>\t<td%s WIDTH=100%%>&nbsp;{ %s }&nbsp;</td></tr>\n",
                      cls, pos, cls, eq, cls, win(0), cls, tie(0), cls, count, cls, rangeHtml);
    text.AppendFormat(L"%s:\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t{ %s }\r\n", pos, eq, win(0), tie(0), range);
    pattern.Format(L"[b]%%-5s[/b] [COLOR=#FF0000]%%%0d.2lf%%%%[/COLOR] %%%0d.2lf%%%% %%%0d.2lf%%%% {", w[0], w[1], w[2]);
    line.Format(pattern, pos, eq, win(0), tie(0));
    AppendBBLine(bb, line);
    bb.AppendFormat(L" %s }\r\n", range);
    return;
  }
  const double eq = win(0) + tie(0);
  html.AppendFormat(L"<tr><td%s align=right>&nbsp;<b>%s:</b>&nbsp;%s&nbsp;</td>\t<td%s align=right><font color=red style=b>&nbsp;%0.2lf%%&nbsp;</font></td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%d&nbsp;</td>\t<td%s WIDTH=100%%>{ %s }</td></tr>\n",
                    cls, pos, in.labels.preflop, cls, eq, cls, win(0), cls, tie(0), cls, count, cls, rangeHtml);
  text.AppendFormat(L"%s:\t%s\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t{ %s }\r\n", pos, in.labels.preflop, eq, win(0), tie(0),
                    range);
  pattern.Format(L"[b]%%-4s[/b] %%s [COLOR=#FF0000]%%%0d.2lf%%%%[/COLOR] %%%0d.2lf%%%% %%%0d.2lf%%%% {", w[0], w[1],
                 w[2]);
  line.Format(pattern, pos + L":", in.labels.preflop, eq, win(0), tie(0));
  AppendBBLine(bb, line);
  bb.AppendFormat(L" %s }\r\n", range);
  const CString labels[4] = {in.labels.preflop, in.labels.flop, in.labels.turn, in.labels.river};
  pattern.Format(L"%%12s [COLOR=#FF0000]%%%0d.2lf%%%%[/COLOR] %%%0d.2lf%%%% %%%0d.2lf%%%%\r\n", w[0], w[1], w[2]);
  for (int s = 1; s < 4; ++s) {
    const double streetEq = win(s) + tie(s);
    html.AppendFormat(L"<tr><td%s align=right>&nbsp;%s&nbsp;</td>\t<td%s align=right><font color=red style=b>&nbsp;%0.2lf%%&nbsp;</font></td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;</td>\t<td%s></td></tr>\n",
                      cls, labels[s], cls, streetEq, cls, win(s), cls, tie(s), cls, cls);
    text.AppendFormat(L"\t%s\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\r\n", labels[s], streetEq, win(s), tie(s));
    line.Format(pattern, labels[s], streetEq, win(s), tie(s));
    AppendBBLine(bb, line);
  }
}

// One seat of Omaha Hi/Lo: six values per row, the equity array used as it is.
void WriteSeatHiLo(const ResultInput& in, const Columns& c, int k, CString& html, CString& text, CString& bb) {
  const CString cls = (k % 2) ? L" class=w" : L"";
  const CString range = NormaliseRangeCommas(in.seatTexts[k]);
  const CString rangeHtml = ForHtml(range);
  const CString& pos = in.positions[k];
  const int count = in.handCounts[k];
  const int* w = c.widths;
  auto v = [&](int street, int value) { return in.results[HiLoArray(street, value)][k]; };
  CString pattern, line;
  if (!in.allStreets) {
    html.AppendFormat(L"<tr><td%s align=right>&nbsp;<b>%s</b></td>\t<td%s align=right><font color=red style=b>&nbsp;%0.2lf%%&nbsp;</font></td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%d&nbsp;</td>\t<td%s WIDTH=100%%>{ %s }</td></tr>\n",
                      cls, pos, cls, v(0, 0), cls, v(0, 1), cls, v(0, 2), cls, v(0, 3), cls, v(0, 4), cls, v(0, 5),
                      cls, count, cls, rangeHtml);
    text.AppendFormat(L"%s:\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t{ %s }\r\n", pos, v(0, 0),
                      v(0, 1), v(0, 2), v(0, 3), v(0, 4), v(0, 5), range);
    pattern.Format(L"[b]%%-4s[/b] [COLOR=#FF0000]%%%0d.2lf%%%%[/COLOR] %%%0d.2lf%%%% %%%0d.2lf%%%% %%%0d.2lf%%%% %%%0d.2lf%%%% %%%0d.2lf%%%% {",
                   w[0], w[1], w[2], w[3], w[4], w[5]);
    line.Format(pattern, pos, v(0, 0), v(0, 1), v(0, 2), v(0, 3), v(0, 4), v(0, 5));
    AppendBBLine(bb, line);
    bb.AppendFormat(L" %s }\r\n", range);
    return;
  }
  html.AppendFormat(L"<tr><td%s align=right>&nbsp;<b>%s:</b>&nbsp;%s&nbsp;</td>\t<td%s align=right><font color=red style=b>&nbsp;%0.2lf%%&nbsp;</font></td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%d&nbsp;</td>\t<td%s WIDTH=100%%>{ %s }</td></tr>\n",
                    cls, pos, in.labels.preflop, cls, v(0, 0), cls, v(0, 1), cls, v(0, 2), cls, v(0, 3), cls,
                    v(0, 4), cls, v(0, 5), cls, count, cls, rangeHtml);
  text.AppendFormat(L"%s:\t%s\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t{ %s }\r\n", pos,
                    in.labels.preflop, v(0, 0), v(0, 1), v(0, 2), v(0, 3), v(0, 4), v(0, 5), range);
  pattern.Format(L"[b]%%-4s[/b] %%s [COLOR=#FF0000]%%%0d.2lf%%%%[/COLOR] %%%0d.2lf%%%% %%%0d.2lf%%%% %%%0d.2lf%%%% %%%0d.2lf%%%% %%%0d.2lf%%%% {",
                 w[0], w[1], w[2], w[3], w[4], w[5]);
  line.Format(pattern, pos + L":", in.labels.preflop, v(0, 0), v(0, 1), v(0, 2), v(0, 3), v(0, 4), v(0, 5));
  AppendBBLine(bb, line);
  bb.AppendFormat(L" %s }\r\n", range);
  const CString labels[4] = {in.labels.preflop, in.labels.flop, in.labels.turn, in.labels.river};
  pattern.Format(L"%%12s [COLOR=#FF0000]%%%0d.2lf%%%%[/COLOR] %%%0d.2lf%%%% %%%0d.2lf%%%% %%%0d.2lf%%%% %%%0d.2lf%%%% %%%0d.2lf%%%%\r\n",
                 w[0], w[1], w[2], w[3], w[4], w[5]);
  for (int s = 1; s < 4; ++s) {
    html.AppendFormat(L"<tr><td%s align=right>&nbsp;%s&nbsp;</td>\t<td%s align=right><font color=red style=b>&nbsp;%0.2lf%%&nbsp;</font></td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right>&nbsp;%0.2lf%%&nbsp;</td>\t<td%s align=right></td>\t<td%s WIDTH=100%%></td></tr>\n",
                      cls, labels[s], cls, v(s, 0), cls, v(s, 1), cls, v(s, 2), cls, v(s, 3), cls, v(s, 4), cls,
                      v(s, 5), cls, cls);
    text.AppendFormat(L"\t%s\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\r\n", labels[s], v(s, 0),
                      v(s, 1), v(s, 2), v(s, 3), v(s, 4), v(s, 5));
    line.Format(pattern, labels[s], v(s, 0), v(s, 1), v(s, 2), v(s, 3), v(s, 4), v(s, 5));
    AppendBBLine(bb, line);
  }
}

}  // namespace

ResultLabels LoadResultLabels() {
  ResultLabels l;
  l.board = LoadLabel(IDS_BOARD);
  l.dead = LoadLabel(IDS_DEAD_CARDS);
  l.preflop = LoadLabel(IDS_PREFLOP);
  l.flop = LoadLabel(IDS_FLOP);
  l.turn = LoadLabel(IDS_TURN);
  l.river = LoadLabel(IDS_RIVER);
  l.equity = LoadLabel(IDS_EQUITY);
  l.wins = LoadLabel(IDS_WINS);
  l.ties = LoadLabel(IDS_TIES);
  l.scoops = LoadLabel(IDS_SCOOPS);
  l.winsHi = LoadLabel(IDS_WINS_HI);
  l.tiesHi = LoadLabel(IDS_TIES_HI);
  l.winsLo = LoadLabel(IDS_WINS_LO);
  l.tiesLo = LoadLabel(IDS_TIES_LO);
  return l;
}

ResultTexts BuildResultTexts(const ResultInput& in) {
  ResultTexts out;
  if (!in.results) return out;
  const int seats = std::clamp(in.seatCount, 0, static_cast<int>(kMaxSeats));
  out.html = L"<html><head>\n\n" + in.css + L"</head><body>\n";
  out.text = in.homePageUrl + L"\r\n";
  out.html += L"<table BORDER=0 WIDTH=100%>";
  if (seats > 0) {
    const CString boardLabel = WithColon(in.labels.board);
    const CString deadLabel = WithColon(in.labels.dead);
    CString dead = in.dead;
    WriteBoardRow(in, boardLabel, deadLabel, dead, out.html);
    WriteBoardLines(in, boardLabel, deadLabel, dead, out.text, out.bbCode);
    const Columns columns = MakeColumns(in);
    WriteHeaders(in, columns, out.html, out.text, out.bbCode);
    for (int k = 0; k < seats; ++k) {
      if (in.hiLo)
        WriteSeatHiLo(in, columns, k, out.html, out.text, out.bbCode);
      else
        WriteSeatHi(in, columns, k, out.html, out.text, out.bbCode);
    }
    out.bbCode += L"[/SIZE][/FONT]\n";
  }
  out.html += L"</table>";
  out.html += L"\n</body>\n</html>";
  return out;
}

CString ResultBoardText(const CString& flop, bool flopTicked, const CString& turn, bool turnTicked,
                        const CString& river, bool riverTicked) {
  CString board = flopTicked ? flop : CString();
  if (turnTicked && !turn.IsEmpty()) board += L" " + turn;
  if (riverTicked && !river.IsEmpty()) board += L" " + river;
  board.TrimRight();
  board.Remove(L' ');
  return board;
}

CString NormaliseRangeCommas(CString range) {
  range.Replace(L", ", L",");
  range.Replace(L", ", L",");
  range.Replace(L",", L", ");
  return range;
}

bool ResultsAreFinite(const double (*results)[kMaxSeats], int arrays, int seatCount) {
  if (!results) return false;
  for (int a = 0; a < arrays; ++a)
    for (int k = 0; k < seatCount && k < kMaxSeats; ++k)
      if (!std::isfinite(results[a][k])) return false;
  return true;
}
