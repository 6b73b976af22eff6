// Event sink maps: handlers for the events a hosted control fires (the
// web-browser control's DocumentComplete, ...), by control id and dispatch id.
//
//   BEGIN_EVENTSINK_MAP(CMyDialog, CDialog)
//     ON_EVENT(CMyDialog, IDC_BROWSER, DISPID_DOCUMENTCOMPLETE, &CMyDialog::OnDocumentComplete,
//              VTS_DISPATCH VTS_PVARIANT)
//   END_EVENTSINK_MAP()
//
// The handler's parameters are taken from the event's arguments in order and
// converted to the parameter types: LPDISPATCH, LPUNKNOWN, VARIANT*, long,
// int, short, BOOL, double, BSTR, LPCTSTR, CString, and BOOL* or
// VARIANT_BOOL* for arguments passed by reference (written back). Missing
// arguments arrive as zero. A handler returns void, or BOOL where FALSE lets
// the event go on to later entries. The parameter list (VTS_...) documents
// the event; it is not checked.
#pragma once

#include <tuple>
#include <type_traits>

#include "framework/cmdtarget.h"
#include "framework/cstring.h"

#define DECLARE_EVENTSINK_MAP()                       \
 protected:                                           \
  static const AFX_MSGMAP* GetThisEventSinkMap();     \
  const AFX_MSGMAP* GetEventSinkMap() const override;

#define BEGIN_EVENTSINK_MAP(theClass, baseClass)                                        \
  const AFX_MSGMAP* theClass::GetEventSinkMap() const { return GetThisEventSinkMap(); } \
  const AFX_MSGMAP* theClass::GetThisEventSinkMap() {                                   \
    using ThisClass [[maybe_unused]] = theClass;                                        \
    using TheBaseClass = baseClass;                                                     \
    static const AFX_MSGMAP_ENTRY fw_entries[] = {

#define END_EVENTSINK_MAP()                                                                 \
  {0, 0, 0, 0, nullptr, nullptr}};                                                          \
  static const AFX_MSGMAP fw_map = {&TheBaseClass::GetThisEventSinkMap, &fw_entries[0]};   \
  return &fw_map;                                                                           \
  }

#define ON_EVENT(theClass, id, dispid, memberFxn, vtsParams) \
  FW_MSG_ENTRY(0, (UINT)(dispid), id, id, nullptr, ::fw::detail::CallEvent(fw_c, fw_p, memberFxn))
#define ON_EVENT_RANGE(theClass, idFirst, idLast, dispid, memberFxn, vtsParams) \
  FW_MSG_ENTRY(0, (UINT)(dispid), idFirst, idLast, nullptr, ::fw::detail::CallEvent(fw_c, fw_p, memberFxn))

// Parameter descriptions (documentation only).
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_PI4 "\x43"
#define VTS_PBOOL "\x4B"
#define VTS_PVARIANT "\x4C"

namespace fw::detail {

// One event argument as a handler's parameter type.
template <typename T, typename = void>
struct EventArg;

inline VARIANT* Deref(VARIANTARG* v) {
  while (v != nullptr && V_VT(v) == (VT_VARIANT | VT_BYREF)) v = V_VARIANTREF(v);
  return v;
}

template <typename T>
T ConvertedArg(VARIANTARG* v, VARTYPE type, T (*extract)(const VARIANT&)) {
  VARIANT converted;
  ::VariantInit(&converted);
  T value{};
  if (v != nullptr && SUCCEEDED(::VariantChangeType(&converted, v, 0, type))) value = extract(converted);
  ::VariantClear(&converted);
  return value;
}

template <>
struct EventArg<LPDISPATCH> {
  LPDISPATCH value = nullptr;
  explicit EventArg(VARIANTARG* v) {
    v = Deref(v);
    if (v == nullptr) return;
    if (V_VT(v) == VT_DISPATCH) value = V_DISPATCH(v);
    else if (V_VT(v) == (VT_DISPATCH | VT_BYREF) && V_DISPATCHREF(v)) value = *V_DISPATCHREF(v);
  }
  LPDISPATCH get() { return value; }
};

template <>
struct EventArg<LPUNKNOWN> {
  LPUNKNOWN value = nullptr;
  explicit EventArg(VARIANTARG* v) {
    v = Deref(v);
    if (v == nullptr) return;
    if (V_VT(v) == VT_UNKNOWN || V_VT(v) == VT_DISPATCH) value = V_UNKNOWN(v);
  }
  LPUNKNOWN get() { return value; }
};

template <>
struct EventArg<VARIANT*> {
  VARIANT* value;
  explicit EventArg(VARIANTARG* v) : value(v != nullptr && V_VT(v) == (VT_VARIANT | VT_BYREF) ? V_VARIANTREF(v) : v) {}
  VARIANT* get() { return value; }
};

template <typename T>
struct EventArg<T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>>> {
  T value;
  explicit EventArg(VARIANTARG* v)
      : value(static_cast<T>(ConvertedArg<LONGLONG>(Deref(v), VT_I8, [](const VARIANT& c) { return c.llVal; }))) {}
  T get() { return value; }
};

template <>
struct EventArg<double> {
  double value;
  explicit EventArg(VARIANTARG* v) : value(ConvertedArg<double>(Deref(v), VT_R8, [](const VARIANT& c) { return c.dblVal; })) {}
  double get() { return value; }
};

template <>
struct EventArg<CString> {
  CString value;
  explicit EventArg(VARIANTARG* v) {
    VARIANT converted;
    ::VariantInit(&converted);
    v = Deref(v);
    if (v != nullptr && SUCCEEDED(::VariantChangeType(&converted, v, 0, VT_BSTR)) && converted.bstrVal)
      value = converted.bstrVal;
    ::VariantClear(&converted);
  }
  CString get() { return value; }
};

template <>
struct EventArg<LPCTSTR> : EventArg<CString> {
  using EventArg<CString>::EventArg;
  LPCTSTR get() { return value.GetString(); }
};

template <>
struct EventArg<BSTR> {
  BSTR value = nullptr;
  explicit EventArg(VARIANTARG* v) {
    v = Deref(v);
    if (v != nullptr && V_VT(v) == VT_BSTR) value = V_BSTR(v);
    else if (v != nullptr && V_VT(v) == (VT_BSTR | VT_BYREF) && V_BSTRREF(v)) value = *V_BSTRREF(v);
  }
  BSTR get() { return value; }
};

// BOOL is an int: VT_BOOL arrives as -1 for true.
template <>
struct EventArg<VARIANT_BOOL*> {
  VARIANT_BOOL* value = nullptr;
  explicit EventArg(VARIANTARG* v) {
    if (v != nullptr && V_VT(v) == (VT_BOOL | VT_BYREF)) value = V_BOOLREF(v);
  }
  VARIANT_BOOL* get() { return value; }
};

template <>
struct EventArg<BOOL*> {
  VARIANT_BOOL* target = nullptr;
  BOOL value = FALSE;
  explicit EventArg(VARIANTARG* v) {
    if (v != nullptr && V_VT(v) == (VT_BOOL | VT_BYREF)) {
      target = V_BOOLREF(v);
      value = *target != VARIANT_FALSE;
    }
  }
  EventArg(EventArg&& other) noexcept : target(other.target), value(other.value) { other.target = nullptr; }
  ~EventArg() {
    if (target != nullptr) *target = value ? VARIANT_TRUE : VARIANT_FALSE;
  }
  EventArg(const EventArg&) = delete;
  EventArg& operator=(const EventArg&) = delete;
  EventArg& operator=(EventArg&&) = delete;
  BOOL* get() { return &value; }
};

template <std::size_t I>
VARIANTARG* NthArg(DISPPARAMS* params) {
  if (params == nullptr || I >= params->cArgs) return nullptr;
  // The first argument is the last element.
  return &params->rgvarg[params->cArgs - 1 - I];
}

template <typename Obj, typename Cls, typename R, typename... Args, std::size_t... I>
BOOL InvokeEvent(Obj* obj, R (Cls::*fn)(Args...), DISPPARAMS* params, std::index_sequence<I...>) {
  std::tuple<EventArg<std::decay_t<Args>>...> args{EventArg<std::decay_t<Args>>(NthArg<I>(params))...};
  if constexpr (std::is_void_v<R>) {
    (obj->*fn)(std::get<I>(args).get()...);
    return TRUE;
  } else {
    return (obj->*fn)(std::get<I>(args).get()...) ? TRUE : FALSE;
  }
}

template <typename Obj, typename Cls, typename R, typename... Args>
BOOL CallEvent(AfxMsgCall& call, Obj* obj, R (Cls::*fn)(Args...)) {
  auto* event = static_cast<AFX_EVENT*>(call.pExtra);
  return InvokeEvent(obj, fn, event ? event->m_pDispParams : nullptr, std::index_sequence_for<Args...>{});
}

}  // namespace fw::detail
