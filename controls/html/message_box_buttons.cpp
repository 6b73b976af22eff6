#include "controls/html/message_box_buttons.h"

namespace ppmb {

namespace {

struct LabelInfo {
  int id;
  UINT stringId;
  LPCWSTR builtIn;
};

const LabelInfo kLabels[] = {
    {IDOK, 9001, L"&OK"},
    {IDCANCEL, 9002, L"&Cancel"},
    {IDABORT, 9005, L"Abort"},
    {IDRETRY, 9004, L"Retry"},
    {IDIGNORE, 9003, L"Ignore"},
    {IDYES, 9007, L"&Yes"},
    {IDNO, 9008, L"&No"},
    {IDHELP, 9006, L"Help"},
    {IDTRYAGAIN, 9015, L"Try again"},
    {IDCONTINUE, 9009, L"Continue"},
    {PPMB_ID_SKIP, 9018, L"Skip"},
    {PPMB_ID_SKIP_ALL, 9019, L"Skip all"},
    {PPMB_ID_IGNORE_ALL, 9017, L"Ignore all"},
    {PPMB_ID_YES_TO_ALL, 9013, L"Yes to all"},
    {PPMB_ID_NO_TO_ALL, 9014, L"No to all"},
    {PPMB_ID_REPORT, 9016, L"Report"},
    {PPMB_ID_LESS, 9011, L"<< More"},
    {PPMB_ID_MORE, 9010, L"More >>"},
    {kCheckBoxLabelId, 9012, L"Do not show again"},
    {kCaptionFormatId, 9020, L"%s (%d seconds remaining)"},
};

const LabelInfo* Find(int id) {
  for (const LabelInfo& info : kLabels)
    if (info.id == id) return &info;
  return nullptr;
}

}  // namespace

CString ResolveText(LPCWSTR field, HINSTANCE module, DWORD flags) {
  if (!field) return CString();
  if (!IS_INTRESOURCE(field)) return CString(field);
  if (flags & PPMB_LITERAL_TEXTS) return CString();
  const UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(field));
  if (id == 0) return CString();
  wchar_t buffer[261] = L"";
  ::LoadStringW(module, id, buffer, 261);
  return CString(buffer);
}

UINT LabelStringId(int id) {
  const LabelInfo* info = Find(id);
  return info ? info->stringId : 0;
}

LPCWSTR BuiltInLabel(int id) {
  const LabelInfo* info = Find(id);
  return info ? info->builtIn : nullptr;
}

ButtonPlan PlanButtons(DWORD flags, const CString& customButtons, bool report, bool more) {
  ButtonPlan plan;
  CString text = customButtons;
  text.Remove(L'\r');
  text += L'\n';
  int start = 0;
  for (int end = text.Find(L'\n'); end >= 0 && plan.customLabels.size() < 4; end = text.Find(L'\n', start)) {
    const CString line = text.Mid(start, end - start);
    start = end + 1;
    if (line.IsEmpty()) continue;
    plan.ids.push_back(PPMB_ID_CUSTOM_FIRST + static_cast<int>(plan.customLabels.size()));
    plan.customLabels.push_back(line);
  }

  if (plan.ids.empty()) {
    const bool yesToAll = (flags & PPMB_YES_TO_ALL) != 0;
    const bool noToAll = (flags & PPMB_NO_TO_ALL) != 0;
    switch (flags & MB_TYPEMASK) {
      case MB_OK: plan.ids = {IDOK}; plan.closeAllowed = customButtons.IsEmpty(); break;
      case MB_OKCANCEL: plan.ids = {IDOK, IDCANCEL}; plan.closeAllowed = true; break;
      case MB_ABORTRETRYIGNORE: plan.ids = {IDABORT, IDRETRY, IDIGNORE}; break;
      case MB_YESNOCANCEL:
      case MB_YESNO:
        plan.ids.push_back(IDYES);
        if (yesToAll) plan.ids.push_back(PPMB_ID_YES_TO_ALL);
        plan.ids.push_back(IDNO);
        if (noToAll) plan.ids.push_back(PPMB_ID_NO_TO_ALL);
        if ((flags & MB_TYPEMASK) == MB_YESNOCANCEL) {
          plan.ids.push_back(IDCANCEL);
          plan.closeAllowed = true;
        }
        break;
      case MB_RETRYCANCEL: plan.ids = {IDRETRY, IDCANCEL}; plan.closeAllowed = true; break;
      case MB_CANCELTRYCONTINUE: plan.ids = {IDCANCEL, IDTRYAGAIN, IDCONTINUE}; plan.closeAllowed = true; break;
      case 7: plan.ids = {IDCONTINUE, IDABORT}; break;
      case 8: plan.ids = {PPMB_ID_SKIP, PPMB_ID_SKIP_ALL, IDCANCEL}; plan.closeAllowed = true; break;
      case 9: plan.ids = {IDIGNORE, PPMB_ID_IGNORE_ALL, IDCANCEL}; plan.closeAllowed = true; break;
      default: break;
    }
  }
  if (flags & MB_HELP) plan.ids.push_back(IDHELP);
  if (report) plan.ids.push_back(PPMB_ID_REPORT);
  if (more) plan.ids.push_back(PPMB_ID_MORE);
  return plan;
}

int DefaultButtonIndex(DWORD flags, int buttonCount) {
  const int index = static_cast<int>((flags >> 8) & 0x0F);
  return index < buttonCount ? index : 0;
}

bool ClosesBox(int id) {
  return id != 0 && id != IDHELP && id != PPMB_ID_REPORT && id != PPMB_ID_LESS && id != PPMB_ID_MORE;
}

bool IsOwnAnswer(const ButtonPlan& plan, DWORD flags, DWORD answer) {
  DWORD id = answer;
  // A ticked box adds the bit to the answer it stores; nothing else carries it.
  if (flags & PPMB_REMEMBER_CHECKED) {
    if (!(answer & PPMB_REMEMBER_CHECKED)) return false;
    id &= ~PPMB_REMEMBER_CHECKED;
  }
  if (id == 0 || id > 0xFFFF) return false;
  if (id == IDCANCEL && plan.closeAllowed) return true;
  for (const int own : plan.ids)
    if (own == static_cast<int>(id)) return ClosesBox(own);
  return false;
}

CString RememberKey(const CString& company, const CString& exeName) {
  CString key;
  if (company.IsEmpty())
    key.Format(L"Software\\%s\\%s", exeName.GetString(), L"PPMessageBox");
  else
    key.Format(L"Software\\%s\\%s\\%s", company.GetString(), exeName.GetString(), L"PPMessageBox");
  return key;
}

CString RememberValueName(const CString& prefix, int number) {
  CString name;
  name.Format(L"%s%d", prefix.GetString(), number);
  return name;
}

}  // namespace ppmb
