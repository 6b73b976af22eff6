// printf-style formatting for the string classes. Arguments reach the
// formatter either as a typed array (the variadic Format templates, which also
// accept the string classes themselves for %s) or as a va_list (FormatV).
// Conversions follow the Windows run-time conventions: in a wide format %s
// takes a wide string and %S / %hs a narrow one; %ld is 32-bit; %I64d,
// %lld, %Id and %zd are 64-bit. %n is never written.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>
#include <type_traits>

namespace fw {

struct FmtArg {
  enum Kind : unsigned char { kNone, kSigned, kUnsigned, kDouble, kWide, kNarrow, kPointer };
  Kind kind = kNone;
  union {
    long long i;
    unsigned long long u;
    double d;
    const wchar_t* ws;
    const char* ns;
    const void* p;
  };
  FmtArg() : u(0) {}
};

template <typename V>
FmtArg MakeFmtArg(const V& value) {
  using D = std::decay_t<V>;
  FmtArg a;
  if constexpr (std::is_same_v<D, bool>) {
    a.kind = FmtArg::kSigned;
    a.i = value ? 1 : 0;
  } else if constexpr (std::is_enum_v<D>) {
    a.kind = FmtArg::kSigned;
    a.i = static_cast<long long>(value);
  } else if constexpr (std::is_integral_v<D>) {
    if constexpr (std::is_signed_v<D>) {
      a.kind = FmtArg::kSigned;
      a.i = static_cast<long long>(value);
    } else {
      a.kind = FmtArg::kUnsigned;
      a.u = static_cast<unsigned long long>(value);
    }
  } else if constexpr (std::is_floating_point_v<D>) {
    a.kind = FmtArg::kDouble;
    a.d = static_cast<double>(value);
  } else if constexpr (std::is_same_v<D, std::nullptr_t>) {
    a.kind = FmtArg::kPointer;
    a.p = nullptr;
  } else if constexpr (std::is_same_v<D, const wchar_t*> || std::is_same_v<D, wchar_t*>) {
    a.kind = FmtArg::kWide;
    a.ws = value;
  } else if constexpr (std::is_same_v<D, const char*> || std::is_same_v<D, char*> ||
                       std::is_same_v<D, const unsigned char*> || std::is_same_v<D, unsigned char*>) {
    a.kind = FmtArg::kNarrow;
    a.ns = reinterpret_cast<const char*>(value);
  } else if constexpr (std::is_pointer_v<D>) {
    a.kind = FmtArg::kPointer;
    a.p = reinterpret_cast<const void*>(value);
  } else if constexpr (std::is_convertible_v<const V&, const wchar_t*>) {
    a.kind = FmtArg::kWide;
    a.ws = static_cast<const wchar_t*>(value);
  } else if constexpr (std::is_convertible_v<const V&, const char*>) {
    a.kind = FmtArg::kNarrow;
    a.ns = static_cast<const char*>(value);
  } else if constexpr (std::is_same_v<D, std::wstring>) {
    a.kind = FmtArg::kWide;
    a.ws = value.c_str();
  } else if constexpr (std::is_same_v<D, std::string>) {
    a.kind = FmtArg::kNarrow;
    a.ns = value.c_str();
  } else {
    static_assert(sizeof(D) == 0, "this type cannot be a format argument");
  }
  return a;
}

// Source of the arguments consumed by the conversions of one format.
class FmtArgSource {
 public:
  virtual ~FmtArgSource() = default;
  // size: 1, 2, 4 or 8 bytes, from the conversion's length modifier.
  virtual long long NextSigned(int size) = 0;
  virtual unsigned long long NextUnsigned(int size) = 0;
  virtual double NextDouble(bool isLongDouble) = 0;
  // A string argument; wide tells what the conversion expects. The result is
  // kWide or kNarrow (possibly a null pointer).
  virtual FmtArg NextString(bool wide) = 0;
  // A character code for %c; wide tells what the conversion expects. Sets
  // isWide to the kind of the returned code.
  virtual unsigned NextChar(bool wide, bool& isWide) = 0;
  virtual const void* NextPointer() = 0;
};

class FmtArrayArgs : public FmtArgSource {
 public:
  FmtArrayArgs(const FmtArg* args, std::size_t count) : m_args(args), m_count(count) {}
  long long NextSigned(int size) override;
  unsigned long long NextUnsigned(int size) override;
  double NextDouble(bool isLongDouble) override;
  FmtArg NextString(bool wide) override;
  unsigned NextChar(bool wide, bool& isWide) override;
  const void* NextPointer() override;

 private:
  FmtArg Take();
  const FmtArg* m_args;
  std::size_t m_count;
  std::size_t m_next = 0;
};

class FmtVaArgs : public FmtArgSource {
 public:
  explicit FmtVaArgs(va_list args) { va_copy(m_args, args); }
  ~FmtVaArgs() override { va_end(m_args); }
  FmtVaArgs(const FmtVaArgs&) = delete;
  FmtVaArgs& operator=(const FmtVaArgs&) = delete;
  long long NextSigned(int size) override;
  unsigned long long NextUnsigned(int size) override;
  double NextDouble(bool isLongDouble) override;
  FmtArg NextString(bool wide) override;
  unsigned NextChar(bool wide, bool& isWide) override;
  const void* NextPointer() override;

 private:
  va_list m_args;
};

// Appends the formatted text to out. A null format appends nothing.
void FormatAppend(std::wstring& out, const wchar_t* format, FmtArgSource& args);
void FormatAppend(std::string& out, const char* format, FmtArgSource& args);

}  // namespace fw
