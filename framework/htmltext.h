// The text of an HTML page as a reader sees it, for the web-browser
// control's text view: tags dropped (block elements start new lines, table
// cells are separated by tabs, images show their alt text), white space
// collapsed as HTML does outside <pre>, entities decoded, and the contents of
// <head>, <style> and <script> left out. Lines end with "\r\n".
#pragma once

#include <string>

namespace fw::detail {

std::wstring HtmlToText(const std::wstring& html);

// The text with every line longer than `width` characters broken at its last
// blank before the width (or at the width when a line has no blank there).
// The system's edit view re-measures a paragraph from its start for every line
// it wraps, so one long paragraph (a listing of thousands of items) takes it
// minutes; lines of bounded length keep it fast.
std::wstring BreakLongLines(const std::wstring& text, std::size_t width);

// The character an entity name stands for ("amp", "#60", "#x3C"); 0 when
// unknown.
wchar_t DecodeEntity(const std::wstring& name);

}  // namespace fw::detail
