#include "framework/strformat.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace fw {

namespace {

long long Truncate(long long v, int size) {
  switch (size) {
    case 1: return static_cast<signed char>(v);
    case 2: return static_cast<short>(v);
    case 4: return static_cast<int>(v);
    default: return v;
  }
}

unsigned long long TruncateU(unsigned long long v, int size) {
  switch (size) {
    case 1: return static_cast<unsigned char>(v);
    case 2: return static_cast<unsigned short>(v);
    case 4: return static_cast<unsigned int>(v);
    default: return v;
  }
}

std::wstring Widen(const char* s, int len) {
  if (len == 0) return std::wstring();
  int n = MultiByteToWideChar(CP_ACP, 0, s, len, nullptr, 0);
  std::wstring w(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, s, len, &w[0], n);
  return w;
}

std::string Narrow(const wchar_t* s, int len) {
  if (len == 0) return std::string();
  int n = WideCharToMultiByte(CP_ACP, 0, s, len, nullptr, 0, nullptr, nullptr);
  std::string a(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, s, len, &a[0], n, nullptr, nullptr);
  return a;
}

// Text of a string argument in the output's character type, cut to the
// precision (counted in output characters).
void StringText(const FmtArg& s, int precision, std::wstring& out) {
  if (s.kind == FmtArg::kWide) {
    const wchar_t* p = s.ws ? s.ws : L"(null)";
    std::size_t n = std::wcslen(p);
    if (precision >= 0 && static_cast<std::size_t>(precision) < n) n = precision;
    out.assign(p, n);
  } else {
    const char* p = s.ns ? s.ns : "(null)";
    std::size_t n = std::strlen(p);
    if (precision >= 0 && static_cast<std::size_t>(precision) < n) n = precision;
    out = Widen(p, static_cast<int>(n));
  }
}

void StringText(const FmtArg& s, int precision, std::string& out) {
  if (s.kind == FmtArg::kNarrow) {
    const char* p = s.ns ? s.ns : "(null)";
    std::size_t n = std::strlen(p);
    if (precision >= 0 && static_cast<std::size_t>(precision) < n) n = precision;
    out.assign(p, n);
  } else {
    const wchar_t* p = s.ws ? s.ws : L"(null)";
    std::size_t n = std::wcslen(p);
    if (precision >= 0 && static_cast<std::size_t>(precision) < n) n = precision;
    out = Narrow(p, static_cast<int>(n));
  }
}

void CharText(unsigned code, bool isWide, std::wstring& out) {
  if (isWide) {
    out.assign(1, static_cast<wchar_t>(code));
  } else {
    char c = static_cast<char>(code);
    out = Widen(&c, 1);
  }
}

void CharText(unsigned code, bool isWide, std::string& out) {
  if (isWide) {
    wchar_t c = static_cast<wchar_t>(code);
    out = Narrow(&c, 1);
  } else {
    out.assign(1, static_cast<char>(code));
  }
}

struct FieldFormat {
  bool left = false, plus = false, space = false, zero = false, alt = false;
  int width = -1;
  int precision = -1;
};

template <typename C>
void Pad(std::basic_string<C>& out, int count, C ch) {
  if (count > 0) out.append(static_cast<std::size_t>(count), ch);
}

// Writes body with the prefix (sign or radix) in a field of field.width.
template <typename C>
void EmitField(std::basic_string<C>& out, const std::basic_string<C>& prefix, const std::basic_string<C>& body,
               const FieldFormat& field, bool zeroPadAllowed) {
  int len = static_cast<int>(prefix.size() + body.size());
  int fill = field.width > len ? field.width - len : 0;
  if (field.left) {
    out += prefix;
    out += body;
    Pad(out, fill, C(' '));
  } else if (field.zero && zeroPadAllowed) {
    out += prefix;
    Pad(out, fill, C('0'));
    out += body;
  } else {
    Pad(out, fill, C(' '));
    out += prefix;
    out += body;
  }
}

template <typename C>
void EmitInteger(std::basic_string<C>& out, unsigned long long magnitude, bool negative, bool isSigned, int base,
                 bool upper, FieldFormat field) {
  const char* digitsSet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::basic_string<C> digits;
  if (!(field.precision == 0 && magnitude == 0)) {
    unsigned long long v = magnitude;
    do {
      digits.insert(digits.begin(), C(digitsSet[v % base]));
      v /= base;
    } while (v != 0);
  }
  if (field.precision > static_cast<int>(digits.size()))
    digits.insert(digits.begin(), field.precision - digits.size(), C('0'));
  std::basic_string<C> prefix;
  if (isSigned) {
    if (negative) prefix += C('-');
    else if (field.plus) prefix += C('+');
    else if (field.space) prefix += C(' ');
  }
  if (field.alt) {
    if (base == 16 && magnitude != 0) {
      prefix += C('0');
      prefix += C(upper ? 'X' : 'x');
    } else if (base == 8 && (digits.empty() || digits[0] != C('0'))) {
      digits.insert(digits.begin(), C('0'));
    }
  }
  EmitField(out, prefix, digits, field, field.precision < 0);
}

template <typename C>
void EmitFloat(std::basic_string<C>& out, double value, C conv, const FieldFormat& field) {
  char fmt[32];
  int k = 0;
  fmt[k++] = '%';
  if (field.left) fmt[k++] = '-';
  if (field.plus) fmt[k++] = '+';
  if (field.space) fmt[k++] = ' ';
  if (field.zero) fmt[k++] = '0';
  if (field.alt) fmt[k++] = '#';
  fmt[k] = '\0';
  char tail[24];
  if (field.width >= 0 && field.precision >= 0)
    std::snprintf(tail, sizeof tail, "%d.%d%c", field.width, field.precision, static_cast<char>(conv));
  else if (field.width >= 0)
    std::snprintf(tail, sizeof tail, "%d%c", field.width, static_cast<char>(conv));
  else if (field.precision >= 0)
    std::snprintf(tail, sizeof tail, ".%d%c", field.precision, static_cast<char>(conv));
  else
    std::snprintf(tail, sizeof tail, "%c", static_cast<char>(conv));
  std::snprintf(fmt + k, sizeof fmt - k, "%s", tail);
  char small[128];
  int n = std::snprintf(small, sizeof small, fmt, value);
  if (n < 0) return;
  if (static_cast<std::size_t>(n) < sizeof small) {
    for (int i = 0; i < n; ++i) out += C(small[i]);
    return;
  }
  std::string big(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(&big[0], big.size(), fmt, value);
  for (int i = 0; i < n; ++i) out += C(big[i]);
}

template <typename C>
std::size_t Length(const C* s) {
  std::size_t n = 0;
  while (s[n]) ++n;
  return n;
}

template <typename C>
void FormatImpl(std::basic_string<C>& out, const C* format, FmtArgSource& args) {
  if (format == nullptr) return;
  constexpr bool kWideOut = sizeof(C) == sizeof(wchar_t);
  const C* p = format;
  while (*p) {
    if (*p != C('%')) {
      const C* run = p;
      while (*p && *p != C('%')) ++p;
      out.append(run, p - run);
      continue;
    }
    const C* specStart = p;
    ++p;
    if (*p == C('%')) {
      out += C('%');
      ++p;
      continue;
    }
    FieldFormat field;
    for (;; ++p) {
      if (*p == C('-')) field.left = true;
      else if (*p == C('+')) field.plus = true;
      else if (*p == C(' ')) field.space = true;
      else if (*p == C('0')) field.zero = true;
      else if (*p == C('#')) field.alt = true;
      else break;
    }
    if (*p == C('*')) {
      long long w = args.NextSigned(4);
      if (w < 0) {
        field.left = true;
        w = -w;
      }
      field.width = static_cast<int>(w > 100000 ? 100000 : w);
      ++p;
    } else {
      while (*p >= C('0') && *p <= C('9')) {
        field.width = (field.width < 0 ? 0 : field.width) * 10 + (*p - C('0'));
        if (field.width > 100000) field.width = 100000;
        ++p;
      }
    }
    if (*p == C('.')) {
      ++p;
      field.precision = 0;
      if (*p == C('*')) {
        long long pr = args.NextSigned(4);
        field.precision = pr < 0 ? -1 : static_cast<int>(pr > 100000 ? 100000 : pr);
        ++p;
      } else {
        while (*p >= C('0') && *p <= C('9')) {
          field.precision = field.precision * 10 + (*p - C('0'));
          if (field.precision > 100000) field.precision = 100000;
          ++p;
        }
      }
    }
    // Length modifiers.
    int size = 4;
    int strWidth = 0;  // -1 narrow, +1 wide, 0 default of the output
    bool longDouble = false;
    for (bool more = true; more;) {
      switch (*p) {
        case C('h'):
          if (p[1] == C('h')) {
            size = 1;
            ++p;
          } else {
            size = 2;
          }
          strWidth = -1;
          ++p;
          break;
        case C('l'):
          if (p[1] == C('l')) {
            size = 8;
            ++p;
          } else {
            size = 4;
          }
          strWidth = 1;
          ++p;
          break;
        case C('w'):
          strWidth = 1;
          ++p;
          break;
        case C('L'):
          size = 8;
          longDouble = true;
          ++p;
          break;
        case C('q'):
        case C('j'):
        case C('z'):
        case C('t'):
          size = 8;
          ++p;
          break;
        case C('I'):
          if (p[1] == C('6') && p[2] == C('4')) {
            size = 8;
            p += 3;
          } else if (p[1] == C('3') && p[2] == C('2')) {
            size = 4;
            p += 3;
          } else {
            size = static_cast<int>(sizeof(void*));
            ++p;
          }
          break;
        default:
          more = false;
      }
    }
    C conv = *p;
    if (conv == C('\0')) {
      out.append(specStart, p - specStart);
      break;
    }
    ++p;
    switch (conv) {
      case C('d'):
      case C('i'): {
        long long v = Truncate(args.NextSigned(size), size);
        unsigned long long mag = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
        EmitInteger(out, mag, v < 0, true, 10, false, field);
        break;
      }
      case C('u'):
        EmitInteger(out, TruncateU(args.NextUnsigned(size), size), false, false, 10, false, field);
        break;
      case C('o'):
        EmitInteger(out, TruncateU(args.NextUnsigned(size), size), false, false, 8, false, field);
        break;
      case C('x'):
      case C('X'):
        EmitInteger(out, TruncateU(args.NextUnsigned(size), size), false, false, 16, conv == C('X'), field);
        break;
      case C('p'): {
        FieldFormat ps = field;
        ps.precision = static_cast<int>(2 * sizeof(void*));
        ps.alt = false;
        auto v = reinterpret_cast<std::uintptr_t>(args.NextPointer());
        EmitInteger(out, v, false, false, 16, true, ps);
        break;
      }
      case C('f'):
      case C('F'):
      case C('e'):
      case C('E'):
      case C('g'):
      case C('G'):
      case C('a'):
      case C('A'):
        EmitFloat(out, args.NextDouble(longDouble), conv, field);
        break;
      case C('c'):
      case C('C'): {
        bool wideWanted = (conv == C('C')) ? !kWideOut : kWideOut;
        if (strWidth > 0) wideWanted = true;
        if (strWidth < 0) wideWanted = false;
        bool isWide = wideWanted;
        unsigned code = args.NextChar(wideWanted, isWide);
        std::basic_string<C> text;
        CharText(code, isWide, text);
        EmitField(out, std::basic_string<C>(), text, field, false);
        break;
      }
      case C('s'):
      case C('S'): {
        bool wideWanted = (conv == C('S')) ? !kWideOut : kWideOut;
        if (strWidth > 0) wideWanted = true;
        if (strWidth < 0) wideWanted = false;
        FmtArg s = args.NextString(wideWanted);
        std::basic_string<C> text;
        StringText(s, field.precision, text);
        EmitField(out, std::basic_string<C>(), text, field, false);
        break;
      }
      case C('n'):
        args.NextPointer();  // consumed, never written
        break;
      default:
        out.append(specStart, p - specStart);
        break;
    }
  }
}

}  // namespace

FmtArg FmtArrayArgs::Take() {
  if (m_next < m_count) return m_args[m_next++];
  return FmtArg();
}

long long FmtArrayArgs::NextSigned(int) {
  FmtArg a = Take();
  switch (a.kind) {
    case FmtArg::kSigned: return a.i;
    case FmtArg::kUnsigned: return static_cast<long long>(a.u);
    case FmtArg::kDouble: return static_cast<long long>(a.d);
    case FmtArg::kNone: return 0;
    default: return static_cast<long long>(reinterpret_cast<std::intptr_t>(a.p));
  }
}

unsigned long long FmtArrayArgs::NextUnsigned(int) {
  FmtArg a = Take();
  switch (a.kind) {
    case FmtArg::kSigned: return static_cast<unsigned long long>(a.i);
    case FmtArg::kUnsigned: return a.u;
    case FmtArg::kDouble: return a.d < 0 ? static_cast<unsigned long long>(static_cast<long long>(a.d))
                                         : static_cast<unsigned long long>(a.d);
    case FmtArg::kNone: return 0;
    default: return static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(a.p));
  }
}

double FmtArrayArgs::NextDouble(bool) {
  FmtArg a = Take();
  switch (a.kind) {
    case FmtArg::kDouble: return a.d;
    case FmtArg::kSigned: return static_cast<double>(a.i);
    case FmtArg::kUnsigned: return static_cast<double>(a.u);
    default: return 0.0;
  }
}

FmtArg FmtArrayArgs::NextString(bool wide) {
  FmtArg a = Take();
  if (a.kind == FmtArg::kWide || a.kind == FmtArg::kNarrow) return a;
  FmtArg s;
  if (a.kind == FmtArg::kNone) {
    // A missing argument prints as nothing.
    s.kind = FmtArg::kWide;
    s.ws = L"";
    return s;
  }
  // Anything else prints as a null string rather than being dereferenced.
  s.kind = wide ? FmtArg::kWide : FmtArg::kNarrow;
  s.p = nullptr;
  return s;
}

unsigned FmtArrayArgs::NextChar(bool wide, bool& isWide) {
  FmtArg a = Take();
  isWide = wide;
  switch (a.kind) {
    case FmtArg::kSigned: return static_cast<unsigned>(a.i);
    case FmtArg::kUnsigned: return static_cast<unsigned>(a.u);
    default: return 0;
  }
}

const void* FmtArrayArgs::NextPointer() {
  FmtArg a = Take();
  switch (a.kind) {
    case FmtArg::kSigned:
    case FmtArg::kUnsigned: return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(a.u));
    case FmtArg::kDouble:
    case FmtArg::kNone: return nullptr;
    default: return a.p;
  }
}

long long FmtVaArgs::NextSigned(int size) {
  if (size == 8) return va_arg(m_args, long long);
  return va_arg(m_args, int);
}

unsigned long long FmtVaArgs::NextUnsigned(int size) {
  if (size == 8) return va_arg(m_args, unsigned long long);
  return va_arg(m_args, unsigned int);
}

double FmtVaArgs::NextDouble(bool isLongDouble) {
  if (isLongDouble) return static_cast<double>(va_arg(m_args, long double));
  return va_arg(m_args, double);
}

FmtArg FmtVaArgs::NextString(bool wide) {
  FmtArg s;
  if (wide) {
    s.kind = FmtArg::kWide;
    s.ws = va_arg(m_args, const wchar_t*);
  } else {
    s.kind = FmtArg::kNarrow;
    s.ns = va_arg(m_args, const char*);
  }
  return s;
}

unsigned FmtVaArgs::NextChar(bool wide, bool& isWide) {
  isWide = wide;
  return static_cast<unsigned>(va_arg(m_args, int));
}

const void* FmtVaArgs::NextPointer() { return va_arg(m_args, const void*); }

void FormatAppend(std::wstring& out, const wchar_t* format, FmtArgSource& args) { FormatImpl(out, format, args); }

void FormatAppend(std::string& out, const char* format, FmtArgSource& args) { FormatImpl(out, format, args); }

}  // namespace fw
