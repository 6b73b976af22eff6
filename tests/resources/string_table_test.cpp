// Every string the program's code loads by id, with the exact text its callers rely on.
#include <gtest/gtest.h>

#include "resource.h"
#include "resource_module.h"

namespace {

std::wstring Load(int id) {
    const wchar_t* text = nullptr;
    int n = LoadStringW(res::Module(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 ? std::wstring(text, n) : std::wstring();
}

struct Entry {
    int id;
    const wchar_t* text;
};

const Entry kFixedTexts[] = {
    {IDS_APP_TITLE, L"Brightfold Vantorn - Omaha"},
    {IDS_EVALUATING, L"Evaluating ..."},
    {IDS_CREATING_ITEMS, L"Creating items ..."},
    {IDS_SIMULATION_IN_PROGRESS, L"Simulation in progress ..."},
    {IDS_CHART_FILE_FILTER, L"PNG files (*.png)|*.png|JPG files (*.jpg)|*.jpg|Bitmap files (*.bmp)|*.bmp||"},
    {IDS_CHART_SAVE_ERROR, L"Error while saving chart [%s]"},
    {IDS_STRAIGHT_DRAW_PROBABILITIES, L"Straight draw probabilities"},
    {IDS_NO_RESULTS, L"No results found. Simulation is either impossible or cannot be completed."},
    {IDS_NEXT_TURN, L"&Turn"},
    {IDS_NEXT_RIVER, L"&River"},
    {IDS_TIP_CALCULATE_GRAPH, L"Calculates the equity graph"},
    {IDS_TIP_SAVE_GRAPH, L"Save graph as screenshot"},
    {IDS_VS, L" vs. "},
    {IDS_PERCENT_COMPLETE, L"%0.0lf %% complete"},
    {IDS_TIP_RESET_HAND, L"Reset"},
    {IDS_TIP_RESET, L"Reset"},
    {IDS_TIP_STRAIGHT_OUTS, L"View all straight outs"},
    {IDS_TIP_NUT_STRAIGHT_OUTS, L"View all nut straight outs"},
    {IDS_TIP_FLUSH_OUTS, L"View all flush outs"},
    {IDS_TIP_NUT_FLUSH_OUTS, L"View all nut flush outs"},
    {IDS_LIMIT_ALL, L"all"},
    {IDS_SORT_VS_RANDOM_FIRST, L"Equity vs. 1 random hand"},
    {IDS_SORT_VS_RANDOM_FIRST + 1, L"Equity vs. 2 random hands"},
    {IDS_SORT_VS_RANDOM_FIRST + 8, L"Equity vs. 9 random hands"},
    {IDS_ON_BOARD, L"On board "},
    {IDS_BOARD, L"Board:"},
    {IDS_VERSION_PREFIX, L"Version: "},
    {IDS_TIP_HAND_RANGE_EXPLORER, L"Hand range explorer"},
    {IDS_TIP_FLOP_CARD_SELECTION, L"Flop card selection"},
    {IDS_TIP_CLEAR_FLOP, L"Clear flop cards"},
    {IDS_TIP_TURN_CARD_SELECTION, L"Turn card selection"},
    {IDS_TIP_CLEAR_TURN, L"Clear turn cards"},
    {IDS_TIP_RIVER_CARD_SELECTION, L"River card selection"},
    {IDS_TIP_CLEAR_RIVER, L"Clear river cards"},
    {IDS_TIP_DEAD_CARD_SELECTION, L"Dead card selection"},
    {IDS_TIP_CLEAR_DEAD, L"Clear dead cards"},
    {IDS_TIP_SEAT_MENU, L"Card/range/percentile selection"},
    {IDS_TIP_RANDOM, L"random"},
    {IDS_TIP_CLEAR, L"Clear"},
    {IDS_TIP_ALL_STREETS, L"Show/hide equities on all streets"},
    {IDS_SCENARIO_EXISTS, L"This scenario [%s] already exist, overwrite?"},
    {IDS_PREFLOP, L"Preflop"},
    {IDS_EQUITY, L"Equity"},
    {IDS_TIP_HANDRANGE_EXPLORER, L"Handrange Explorer"},
    {IDS_RANKING_VS_RANDOM_FIRST, L"vs. 1 random hand"},
    {IDS_RANKING_VS_RANDOM_FIRST + 1, L"vs. 2 random hands"},
    {IDS_RANKING_VS_RANDOM_FIRST + 8, L"vs. 9 random hands"},
    {IDS_TIP_HANDRANGE_EXPLORER_PREDEFINED, L"Handrange Explorer"},
    {IDS_FLOP, L"Flop"},
    {IDS_TURN, L"Turn"},
    {IDS_RIVER, L"River"},
    {IDS_DEAD_CARDS, L"Dead cards"},
    {IDS_CURRENT_VERSION, L"You are currently running version \x1b" L"E%s\x1b" L"F of the Brightfold Vantorn - Omaha"},
    {IDS_NEWER_VERSION, L"The newer version \x1b" L"E%s\x1b" L"F is available."},
    {IDS_SUPPRESS_VERSION, L"Don't remind me of version %s again."},
    {IDS_HAND_HEADER, L"Hand:"},
    {IDS_RANDOM_KEYWORD, L"random"},
    {IDS_COUNT, L"Count"},
    {IDS_PERCENT, L"Percent"},
    {IDS_FLOPPED_STRAIGHT, L"Flopped straight"},
    {IDS_FLOPPED_NUT_STRAIGHT, L"Flopped nut straight"},
    {IDS_STRAIGHT_OUTS, L"Straight outs"},
    {IDS_NUT_STRAIGHT_OUTS, L"Nut straight outs"},
    {IDS_DISTINCT_HANDS, L"Distinct hands"},
    {IDS_COMBOS, L"Combos"},
    {IDS_GRAPH_EQUITY, L"Equity"},
    {IDS_PERCENTAGE_OF_FLOPS, L"Percentage of flops"},
    {IDS_PERCENTAGE_OF_TURNS, L"Percentage of turns"},
    {IDS_PERCENTAGE_OF_RIVERS, L"Percentage of rivers"},
    {IDS_EQUITY_GRAPH_TITLE, L"- Equity Graph"},
    {IDS_LEGEND_RANGE_VS_RANGE, L"\x2014 Range vs. Range"},
    {IDS_LEGEND_HAND_VS_HAND, L"\x2014 Hand vs. Hand"},
    {IDS_LEGEND_HAND_VS_RANGE, L"\x2014 Hand vs. Range"},
    {IDS_SCENARIO_EXTENSION, L"vof"},
    {IDS_SCENARIO_FILTER, L"Vantorn - Omaha Files (*.vof)|*.vof||"},
    {IDS_SCOOPS, L"Scoops"},
    {IDS_WINS_HI, L"Wins Hi"},
    {IDS_TIES_HI, L"Ties Hi"},
    {IDS_WINS_LO, L"Wins Lo"},
    {IDS_TIES_LO, L"Ties Lo"},
    {IDS_WINS, L"Wins"},
    {IDS_TIES, L"Ties"},
    {IDS_GAME_OMAHA, L"Omaha"},
    {IDS_GAME_OMAHA_HILO, L"Omaha Hi/Lo"},
    {IDS_MESSAGE_BOX_OK, L"&OK"},
    {IDS_MESSAGE_BOX_YES, L"&Yes"},
    {IDS_MESSAGE_BOX_NO, L"&No"},
    {AFX_IDS_UNTITLED, L"AFX_IDS_UNTITLED"},
};

TEST(StringTable, HoldsEveryTextItsCallersQuote) {
    for (const Entry& e : kFixedTexts) {
        EXPECT_EQ(Load(e.id), e.text) << "string " << e.id;
    }
}

TEST(StringTable, RankingListsCountFromOneToNineRandomHands) {
    for (int k = 0; k < 9; ++k) {
        std::wstring hands = std::to_wstring(k + 1) + (k == 0 ? L" random hand" : L" random hands");
        EXPECT_EQ(Load(IDS_SORT_VS_RANDOM_FIRST + k), L"Equity vs. " + hands);
        EXPECT_EQ(Load(IDS_RANKING_VS_RANDOM_FIRST + k), L"vs. " + hands);
    }
    // The outside ranking is named after a web domain.
    for (int id : {IDS_SORT_OUTSIDE_RANKING, IDS_RANKING_OUTSIDE}) {
        std::wstring label = Load(id);
        EXPECT_NE(label.find(L".example"), std::wstring::npos) << label;
    }
}

TEST(StringTable, AddressesAreWebAddresses) {
    for (int id : {IDS_DOWNLOAD_PAGE_URL, IDS_SUPPORT_FORUM_URL, IDS_HOME_PAGE_URL, IDS_UPDATE_FILE_URL}) {
        std::wstring url = Load(id);
        EXPECT_TRUE(url.rfind(L"http://", 0) == 0 || url.rfind(L"https://", 0) == 0) << url;
        EXPECT_EQ(url.find(L' '), std::wstring::npos) << url;
    }
    const std::wstring path = L"/ApplicationServices/Apps/Vantorn/Vantorn-Omaha/Install/version.ini";
    std::wstring update = Load(IDS_UPDATE_FILE_URL);
    ASSERT_GE(update.size(), path.size());
    EXPECT_EQ(update.substr(update.size() - path.size()), path);
    EXPECT_EQ(update.rfind(L"http://", 0), 0u) << "the version file is fetched over plain HTTP";
}

}  // namespace
