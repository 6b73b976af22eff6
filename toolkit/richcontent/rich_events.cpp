#include "toolkit/richcontent/rich_events.h"

bool CExtRichContentEvents::OnStatesChange(CExtRichContentItem*, RichWindowHandle, const RichUiStateSet&, int, bool) {
    return false;
}
bool CExtRichContentEvents::OnEvent2(CExtRichContentItem*, RichEventArg, RichEventArg, RichEventArg, RichEventArg,
                                     RichEventArg, RichEventArg) {
    return false;
}
bool CExtRichContentEvents::OnSelectedChange(CExtRichContentItem*, RichWindowHandle, bool) { return false; }
bool CExtRichContentEvents::OnEvent4(CExtRichContentItem*, RichEventArg, RichEventArg) { return false; }
bool CExtRichContentEvents::OnFocusEnter(CExtRichContentItem*, RichWindowHandle, RichEventArg) { return false; }
bool CExtRichContentEvents::OnFocusLeave(CExtRichContentItem*, RichWindowHandle, RichEventArg) { return false; }
bool CExtRichContentEvents::OnMouseWheel(CExtRichContentItem*, RichEventArg, RichEventArg, RichEventArg,
                                         RichEventArg, RichEventArg, RichEventArg) {
    return false;
}
bool CExtRichContentEvents::OnEvent8(CExtRichContentItem*, RichEventArg, RichEventArg, RichEventArg) { return false; }
bool CExtRichContentEvents::OnEvent9(CExtRichContentItem*, RichEventArg, RichEventArg, RichEventArg) { return false; }
bool CExtRichContentEvents::OnEvent10(CExtRichContentItem*, RichEventArg, RichEventArg, RichEventArg, RichEventArg,
                                      RichEventArg, RichEventArg) {
    return false;
}
bool CExtRichContentEvents::OnEvent11(CExtRichContentItem*, RichEventArg, RichEventArg, RichEventArg, RichEventArg,
                                      RichEventArg, RichEventArg) {
    return false;
}
bool CExtRichContentEvents::OnEvent12(CExtRichContentItem*, RichEventArg, RichEventArg, RichEventArg, RichEventArg,
                                      RichEventArg) {
    return false;
}
bool CExtRichContentEvents::OnEvent13(CExtRichContentItem*, RichEventArg, RichEventArg, RichEventArg, RichEventArg,
                                      RichEventArg) {
    return false;
}

CExtRichContentEventsBroadcast::~CExtRichContentEventsBroadcast() { m_listListeners.RemoveAll(); }

template <class Call>
bool CExtRichContentEventsBroadcast::Broadcast(Call&& call) const {
    // The position moves on before the listener runs, so a listener may remove itself.
    for (RichPosition pos = GetFirstListenerPosition(); pos;) {
        CExtRichContentEvents* listener = GetNextListener(pos);
        if (listener && call(*listener)) return true;
    }
    return false;
}

bool CExtRichContentEventsBroadcast::OnStatesChange(CExtRichContentItem* item, RichWindowHandle host,
                                                    const RichUiStateSet& states, int value, bool recursive) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnStatesChange(item, host, states, value, recursive); });
}
bool CExtRichContentEventsBroadcast::OnEvent2(CExtRichContentItem* item, RichEventArg a, RichEventArg b,
                                              RichEventArg c, RichEventArg d, RichEventArg e, RichEventArg f) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnEvent2(item, a, b, c, d, e, f); });
}
bool CExtRichContentEventsBroadcast::OnSelectedChange(CExtRichContentItem* item, RichWindowHandle host,
                                                      bool selected) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnSelectedChange(item, host, selected); });
}
bool CExtRichContentEventsBroadcast::OnEvent4(CExtRichContentItem* item, RichEventArg a, RichEventArg b) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnEvent4(item, a, b); });
}
bool CExtRichContentEventsBroadcast::OnFocusEnter(CExtRichContentItem* item, RichWindowHandle host, RichEventArg x) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnFocusEnter(item, host, x); });
}
bool CExtRichContentEventsBroadcast::OnFocusLeave(CExtRichContentItem* item, RichWindowHandle host, RichEventArg x) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnFocusLeave(item, host, x); });
}
bool CExtRichContentEventsBroadcast::OnMouseWheel(CExtRichContentItem* item, RichEventArg a, RichEventArg b,
                                                  RichEventArg c, RichEventArg d, RichEventArg e, RichEventArg f) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnMouseWheel(item, a, b, c, d, e, f); });
}
bool CExtRichContentEventsBroadcast::OnEvent8(CExtRichContentItem* item, RichEventArg a, RichEventArg b,
                                              RichEventArg c) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnEvent8(item, a, b, c); });
}
bool CExtRichContentEventsBroadcast::OnEvent9(CExtRichContentItem* item, RichEventArg a, RichEventArg b,
                                              RichEventArg c) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnEvent9(item, a, b, c); });
}
bool CExtRichContentEventsBroadcast::OnEvent10(CExtRichContentItem* item, RichEventArg a, RichEventArg b,
                                               RichEventArg c, RichEventArg d, RichEventArg e, RichEventArg f) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnEvent10(item, a, b, c, d, e, f); });
}
bool CExtRichContentEventsBroadcast::OnEvent11(CExtRichContentItem* item, RichEventArg a, RichEventArg b,
                                               RichEventArg c, RichEventArg d, RichEventArg e, RichEventArg f) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnEvent11(item, a, b, c, d, e, f); });
}
bool CExtRichContentEventsBroadcast::OnEvent12(CExtRichContentItem* item, RichEventArg a, RichEventArg b,
                                               RichEventArg c, RichEventArg d, RichEventArg e) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnEvent12(item, a, b, c, d, e); });
}
bool CExtRichContentEventsBroadcast::OnEvent13(CExtRichContentItem* item, RichEventArg a, RichEventArg b,
                                               RichEventArg c, RichEventArg d, RichEventArg e) {
    return Broadcast([&](CExtRichContentEvents& l) { return l.OnEvent13(item, a, b, c, d, e); });
}

RichPosition CExtRichContentEventsBroadcast::AddListener(CExtRichContentEvents* listener, bool atTail) {
    return atTail ? m_listListeners.AddTail(listener) : m_listListeners.AddHead(listener);
}
bool CExtRichContentEventsBroadcast::HasListener(const CExtRichContentEvents* listener) const {
    return m_listListeners.Find(listener) != nullptr;
}
bool CExtRichContentEventsBroadcast::RemoveListener(const CExtRichContentEvents* listener) {
    return m_listListeners.Remove(listener);
}
void CExtRichContentEventsBroadcast::RemoveAllListeners() { m_listListeners.RemoveAll(); }
RichPosition CExtRichContentEventsBroadcast::GetFirstListenerPosition() const {
    return m_listListeners.GetHeadPosition();
}
RichPosition CExtRichContentEventsBroadcast::GetLastListenerPosition() const {
    return m_listListeners.GetTailPosition();
}
CExtRichContentEvents* CExtRichContentEventsBroadcast::GetNextListener(RichPosition& position) const {
    return position ? m_listListeners.GetNext(position) : nullptr;
}
CExtRichContentEvents* CExtRichContentEventsBroadcast::GetPrevListener(RichPosition& position) const {
    return position ? m_listListeners.GetPrev(position) : nullptr;
}
