// The text of an HTML page as a reader sees it, for the web-browser
// control's text view: tags dropped (block elements start new lines, table
// cells are separated by tabs, images show their alt text), white space
// collapsed as HTML does outside <pre>, entities decoded, and the contents of
// <head>, <style> and <script> left out. Lines end with "\r\n".
#pragma once

#include <string>

namespace fw::detail {

std::wstring HtmlToText(const std::wstring& html);

// The character an entity name stands for ("amp", "#60", "#x3C"); 0 when
// unknown.
wchar_t DecodeEntity(const std::wstring& name);

}  // namespace fw::detail
