// Content events: the listener interface of interactive rich content and the broadcaster that
// hands each event to its listeners in order until one handles it. A document is a broadcaster,
// so a host listens to the items of a document by adding itself to the document.
#pragma once

#include "toolkit/richcontent/rich_ptr_list.h"
#include "toolkit/richcontent/rich_types.h"

#include <cstdint>

class CExtRichContentItem;
struct RichUiStateSet;

// Integer event arguments are pointer-sized so a host can pass handles and message parameters.
using RichEventArg = std::intptr_t;

class CExtRichContentEvents {
public:
    virtual ~CExtRichContentEvents() = default;

    // Every event answers true when it was handled; the listener's defaults handle nothing.
    virtual bool OnStatesChange(CExtRichContentItem* item, RichWindowHandle host, const RichUiStateSet& states,
                                int value, bool recursive);
    virtual bool OnEvent2(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c,
                          RichEventArg d, RichEventArg e, RichEventArg f);
    virtual bool OnSelectedChange(CExtRichContentItem* item, RichWindowHandle host, bool selected);
    virtual bool OnEvent4(CExtRichContentItem* item, RichEventArg a, RichEventArg b);
    virtual bool OnFocusEnter(CExtRichContentItem* item, RichWindowHandle host, RichEventArg x);
    virtual bool OnFocusLeave(CExtRichContentItem* item, RichWindowHandle host, RichEventArg x);
    // Message record: the low 16 bits of b (signed) are the wheel delta, c and d the point, f the host.
    virtual bool OnMouseWheel(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c,
                              RichEventArg d, RichEventArg e, RichEventArg f);
    virtual bool OnEvent8(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c);
    virtual bool OnEvent9(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c);
    virtual bool OnEvent10(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c,
                           RichEventArg d, RichEventArg e, RichEventArg f);
    virtual bool OnEvent11(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c,
                           RichEventArg d, RichEventArg e, RichEventArg f);
    virtual bool OnEvent12(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c,
                           RichEventArg d, RichEventArg e);
    virtual bool OnEvent13(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c,
                           RichEventArg d, RichEventArg e);
};

class CExtRichContentEventsBroadcast : public CExtRichContentEvents {
public:
    CExtRichContentEventsBroadcast() = default;
    CExtRichContentEventsBroadcast(const CExtRichContentEventsBroadcast&) = delete;
    CExtRichContentEventsBroadcast& operator=(const CExtRichContentEventsBroadcast&) = delete;
    ~CExtRichContentEventsBroadcast() override;

    bool OnStatesChange(CExtRichContentItem* item, RichWindowHandle host, const RichUiStateSet& states, int value,
                        bool recursive) override;
    bool OnEvent2(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d,
                  RichEventArg e, RichEventArg f) override;
    bool OnSelectedChange(CExtRichContentItem* item, RichWindowHandle host, bool selected) override;
    bool OnEvent4(CExtRichContentItem* item, RichEventArg a, RichEventArg b) override;
    bool OnFocusEnter(CExtRichContentItem* item, RichWindowHandle host, RichEventArg x) override;
    bool OnFocusLeave(CExtRichContentItem* item, RichWindowHandle host, RichEventArg x) override;
    bool OnMouseWheel(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d,
                      RichEventArg e, RichEventArg f) override;
    bool OnEvent8(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c) override;
    bool OnEvent9(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c) override;
    bool OnEvent10(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d,
                   RichEventArg e, RichEventArg f) override;
    bool OnEvent11(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d,
                   RichEventArg e, RichEventArg f) override;
    bool OnEvent12(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d,
                   RichEventArg e) override;
    bool OnEvent13(CExtRichContentItem* item, RichEventArg a, RichEventArg b, RichEventArg c, RichEventArg d,
                   RichEventArg e) override;

    // Listeners are not owned; the same listener may be added more than once.
    virtual RichPosition AddListener(CExtRichContentEvents* listener, bool atTail = true);
    virtual bool HasListener(const CExtRichContentEvents* listener) const;
    virtual bool RemoveListener(const CExtRichContentEvents* listener);  // first occurrence only
    virtual void RemoveAllListeners();
    virtual RichPosition GetFirstListenerPosition() const;
    virtual RichPosition GetLastListenerPosition() const;
    virtual CExtRichContentEvents* GetNextListener(RichPosition& position) const;
    virtual CExtRichContentEvents* GetPrevListener(RichPosition& position) const;

private:
    // Hands one event to each listener in turn until one answers true.
    template <class Call>
    bool Broadcast(Call&& call) const;

    RichPtrList<CExtRichContentEvents> m_listListeners;
};
