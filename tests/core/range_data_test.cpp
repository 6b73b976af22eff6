// Known counts on the shipped table files, so that the range language and the
// tables' class records are seen to agree.
#include "core/handbase.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(RangeOnShippedTables, KnownCounts) {
    static COmahaBase base;
    const std::filesystem::path folder = OV_DATA_DIR;
    if (!std::filesystem::exists(folder / kClassFileName)) GTEST_SKIP() << "no table files in " << folder;
    ASSERT_TRUE(base.LoadTables(folder).Loaded());

    struct Case {
        const wchar_t* text;
        int hands;
    };
    const Case cases[] = {
        {L"****", 270725},      {L"AA**", 6961},           {L"AsKs**", 1225},
        {L"[AK]**", 4894},      {L"[AK][QJ]", 12},         {L"****/np", 183040},  // 715 rank sets x 4^4 suits
        {L"****/ds", 36504},    {L"****/mt", 2860},        {L"****/qu", 13},
        {L"****/rb", 28561},    {L"KQJT/r000", 256},       {L"AA**,KK**", 13886},
        {L"****/tp/ds", 468},   {L"(A***&/ds)!AAAA", 10368},
    };
    for (const Case& c : cases) {
        base.SelectRange(c.text);
        const std::wstring wide = c.text;
        EXPECT_EQ(base.CountSelectedHands(), c.hands) << std::string(wide.begin(), wide.end());
    }
    base.SelectRange(L"****");
    EXPECT_EQ(base.CountSelectedClasses(), kClassCount);
}

}  // namespace
