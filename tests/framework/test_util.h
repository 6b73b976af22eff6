// Helpers shared by the framework tests.
#pragma once

#include <exception>
#include <ostream>
#include <string>

#include "framework/afx.h"

namespace fwtest {

// True when f raises an exception of class E (thrown as a pointer, the
// framework's way); the exception object is deleted.
template <class E, class F>
bool Raises(F&& f) {
  try {
    f();
  } catch (E* e) {
    e->Delete();
    return true;
  } catch (CException* e) {
    e->Delete();
    return false;
  } catch (...) {
    return false;
  }
  return false;
}

// The cause of the CFileException or CArchiveException f raises, -1 if none.
template <class E, class F>
int CauseOf(F&& f) {
  try {
    f();
  } catch (E* e) {
    int cause = e->m_cause;
    e->Delete();
    return cause;
  } catch (CException* e) {
    e->Delete();
    return -2;
  }
  return -1;
}

}  // namespace fwtest

// Readable GoogleTest output for the string classes.
inline void PrintTo(const CString& s, std::ostream* os) {
  std::string utf8;
  int n = WideCharToMultiByte(CP_UTF8, 0, s.GetString(), s.GetLength(), nullptr, 0, nullptr, nullptr);
  utf8.resize(n > 0 ? n : 0);
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, s.GetString(), s.GetLength(), utf8.data(), n, nullptr, nullptr);
  *os << '"' << utf8 << '"';
}
inline void PrintTo(const CStringA& s, std::ostream* os) { *os << '"' << s.GetString() << '"'; }
