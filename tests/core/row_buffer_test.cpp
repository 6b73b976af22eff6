// The storage of narrowed range rows kept from run to run: a block is given
// again only once nobody holds it, never to two holders at once, and always
// holds the count asked for.
#include "equity_fixture.h"

#include "core/equity_deal.h"
#include "core/row_buffer.h"
#include "core/secure_random.h"

using namespace equity_test;

namespace {

TEST(RowBuffer, BlockComesBackOnlyWhenLetGo)
{
    CardMask* first = nullptr;
    {
        auto a = ReusableRowBuffer(1000);
        ASSERT_TRUE(a);
        first = a.get();
        // Held: a second caller gets storage of its own, whatever it asks for.
        for (std::size_t count : {1u, 1000u, 5000u}) {
            auto b = ReusableRowBuffer(count);
            ASSERT_TRUE(b);
            EXPECT_NE(b.get(), first) << count;
            std::fill(b.get(), b.get() + count, ~CardMask{0});
        }
        a[0] = 7;
        EXPECT_EQ(a[0], 7u);
    }
    // Let go: the same block serves a count it holds, and a larger count
    // gets a block of that size (every entry written; the sanitizer build
    // sees any overrun).
    struct Case {
        std::size_t count;
    };
    for (const Case c : {Case{1000}, Case{10}, Case{200000}, Case{200000}, Case{3}}) {
        auto block = ReusableRowBuffer(c.count);
        ASSERT_TRUE(block);
        std::fill(block.get(), block.get() + c.count, CardMask{c.count});
        EXPECT_EQ(block[c.count - 1], c.count);
    }
    auto again = ReusableRowBuffer(200000);
    auto smaller = ReusableRowBuffer(5);
    EXPECT_NE(again.get(), smaller.get());
}

// Hands of seat 0 over many picks (no other seat, nothing used).
CardMask CardsPicked(equity_detail::SeatRanges& seats, SecureRandom& random)
{
    CardMask seen = 0;
    CardMask hands[kMaxSeats], all = 0;
    for (int i = 0; i < 4000; ++i) {
        if (seats.Pick(random, 0, hands, &all))
            seen |= hands[0];
    }
    return seen;
}

// Two runs at once (the graph beside the main engine): each keeps the rows
// it narrowed for its own board while the other narrows rows for another.
TEST(RowBuffer, RunsAtOnceKeepTheirOwnRows)
{
    // Every tenth hand: wide, but never "every hand", so picked from the row.
    static CardMask rows[kMaxSeats][kHandCount];
    int at = 0, index = 0;
    for (int a = 0; a < 52; ++a)
        for (int b = a + 1; b < 52; ++b)
            for (int c = b + 1; c < 52; ++c)
                for (int d = c + 1; d < 52; ++d)
                    if (index++ % 10 == 0)
                        rows[0][at++] = pokereval::cardMask(a) | pokereval::cardMask(b) |
                                        pokereval::cardMask(c) | pokereval::cardMask(d);
    const int count[kMaxSeats] = {at};
    const CardMask boards[2] = {Cards("AhKd7c"), Cards("2s3s4s")};
    SecureRandom random;
    equity_detail::SeatRanges first, second;
    ASSERT_TRUE(first.Init(rows, count, 1, random));
    first.LeaveOut(boards[0], random);
    ASSERT_TRUE(second.Init(rows, count, 1, random));
    second.LeaveOut(boards[1], random);
    ASSERT_EQ(first.Picked(), 1);
    ASSERT_EQ(second.Picked(), 1);
    EXPECT_EQ(CardsPicked(first, random) & boards[0], 0u);
    EXPECT_EQ(CardsPicked(second, random) & boards[1], 0u);
}

}  // namespace
