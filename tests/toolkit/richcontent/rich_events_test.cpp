// Content events: broadcast order, the first handler stops it, listener bookkeeping.
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_state_set.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Listener : public CExtRichContentEvents {
public:
    Listener(std::string name, std::string& log, bool handles) : m_name(std::move(name)), m_log(log), m_handles(handles) {}
    bool OnEvent4(CExtRichContentItem*, RichEventArg a, RichEventArg b) override {
        m_log += m_name + std::to_string(a + b) + " ";
        return m_handles;
    }
    bool OnMouseWheel(CExtRichContentItem*, RichEventArg, RichEventArg b, RichEventArg, RichEventArg, RichEventArg,
                      RichEventArg) override {
        m_log += m_name + "wheel" + std::to_string(static_cast<short>(b & 0xFFFF)) + " ";
        return m_handles;
    }

private:
    std::string m_name;
    std::string& m_log;
    bool m_handles;
};

TEST(RichEvents, BroadcastGoesInOrderUntilOneHandles) {
    std::string log;
    Listener first("a", log, false), second("b", log, true), third("c", log, true);
    CExtRichContentLayout doc;
    CExtRichContentItem item(&doc, kRichItemElement);
    EXPECT_FALSE(item.OnEvent4(1, 2));  // no listeners
    doc.AddListener(&first);
    doc.AddListener(&second);
    doc.AddListener(&third);
    EXPECT_TRUE(item.OnEvent4(1, 2));
    EXPECT_EQ(log, "a3 b3 ");
    log.clear();
    EXPECT_TRUE(item.OnMouseWheel(0, 0x0001FF88, 0, 0, 0, 0));  // the low word is a signed delta
    EXPECT_EQ(log, "awheel-120 bwheel-120 ");
}

TEST(RichEvents, HeadInsertionAndRemovalOfTheFirstOccurrence) {
    std::string log;
    Listener x("x", log, false), y("y", log, false);
    CExtRichContentEventsBroadcast b;
    b.AddListener(&y, true);
    b.AddListener(&x, false);
    b.AddListener(&y, true);
    EXPECT_FALSE(b.OnEvent4(nullptr, 0, 0));
    EXPECT_EQ(log, "x0 y0 y0 ");
    EXPECT_TRUE(b.RemoveListener(&y));
    EXPECT_TRUE(b.HasListener(&y));
    EXPECT_TRUE(b.RemoveListener(&y));
    EXPECT_FALSE(b.HasListener(&y));
    EXPECT_FALSE(b.RemoveListener(&y));

    RichPosition pos = b.GetLastListenerPosition();
    EXPECT_EQ(b.GetPrevListener(pos), &x);
    EXPECT_EQ(pos, nullptr);
    b.RemoveAllListeners();
    EXPECT_EQ(b.GetFirstListenerPosition(), nullptr);
}

TEST(RichEvents, APlainListenerHandlesNothing) {
    CExtRichContentEvents plain;
    RichUiStateSet states;
    EXPECT_FALSE(plain.OnStatesChange(nullptr, nullptr, states, 2, true));
    EXPECT_FALSE(plain.OnEvent2(nullptr, 1, 2, 3, 4, 5, 6));
    EXPECT_FALSE(plain.OnSelectedChange(nullptr, nullptr, true));
    EXPECT_FALSE(plain.OnEvent4(nullptr, 1, 2));
    EXPECT_FALSE(plain.OnFocusEnter(nullptr, nullptr, 0));
    EXPECT_FALSE(plain.OnFocusLeave(nullptr, nullptr, 0));
    EXPECT_FALSE(plain.OnMouseWheel(nullptr, 1, 2, 3, 4, 5, 6));
    EXPECT_FALSE(plain.OnEvent8(nullptr, 1, 2, 3));
    EXPECT_FALSE(plain.OnEvent9(nullptr, 1, 2, 3));
    EXPECT_FALSE(plain.OnEvent10(nullptr, 1, 2, 3, 4, 5, 6));
    EXPECT_FALSE(plain.OnEvent11(nullptr, 1, 2, 3, 4, 5, 6));
    EXPECT_FALSE(plain.OnEvent12(nullptr, 1, 2, 3, 4, 5));
    EXPECT_FALSE(plain.OnEvent13(nullptr, 1, 2, 3, 4, 5));
}

}  // namespace
