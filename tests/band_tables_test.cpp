// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/band_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velto {
namespace {

struct Entry {
    std::string_view text;
    double code;
    std::uint32_t stripe;
};

constexpr std::uint32_t kSilver = 0xDEE6E7, kGold = 0xD7B01A, kBlack = 0x000000, kBrown = 0x800000,
                        kRed = 0xFF0000, kOrange = 0xF4AC53, kYellow = 0xFFFF00, kGreen = 0x4BBD42,
                        kBlue = 0x86ADF7, kViolet = 0xDC52EB, kGrey = 0x808080, kWhite = 0xFFFFFF;

const std::vector<std::vector<Entry>> kExpectedLists = {
    {{"Коричневый", 1, kBrown}, {"Красный", 2, kRed}, {"Оранжевый", 3, kOrange},
     {"Жёлтый", 4, kYellow}, {"Зелёный", 5, kGreen}, {"Голубой", 6, kBlue},
     {"Фиолетовый", 7, kViolet}, {"Серый", 8, kGrey}, {"Белый ", 9, kWhite}},
    {{"Чёрный", 0, kBlack}, {"Коричневый", 1, kBrown}, {"Красный", 2, kRed},
     {"Оранжевый", 3, kOrange}, {"Желтый", 4, kYellow}, {"Зелёный", 5, kGreen},
     {"Голубой", 6, kBlue}, {"Фиолетовый", 7, kViolet}, {"Серый", 8, kGrey}, {"Белый", 9, kWhite}},
    {{"Серебристый", -2, kSilver}, {"Золотистый", -1, kGold}, {"Черный", 0, kBlack},
     {"Коричневый", 1, kBrown}, {"Красный", 2, kRed}, {"Оранжевый", 3, kOrange},
     {"Жёлтый", 4, kYellow}, {"Зелёный", 5, kGreen}, {"Голубой", 6, kBlue},
     {"Фиолетовый", 7, kViolet}, {"Серый", 8, kGrey}, {"Белый ", 9, kWhite}},
    {{"Серебристый", -2, kSilver}, {"Золотистый", -1, kGold}, {"Чёрный", 0, kBlack},
     {"Коричневый", 1, kBrown}, {"Красный", 2, kRed}, {"Оранжевый", 3, kOrange},
     {"Жёлтый", 4, kYellow}, {"Зелёный", 5, kGreen}, {"Голубой", 6, kBlue},
     {"Фиолетовый", 7, kViolet}, {"Серый", 8, kGrey}, {"Белый ", 9, kWhite}},
    {{"Серебристый", -2, kSilver}, {"Золотистый", -1, kGold}, {"Коричневый", 1, kBrown},
     {"Красный", 2, kRed}, {"Зелёный", 5, kGreen}, {"Голубой", 6, kBlue},
     {"Фиолетовый", 7, kViolet}, {"Серый", 8, kGrey}},
};

TEST(BandTables, EveryListHoldsItsEntriesWithTheirCodesAndStripes) {
    for (int band = 1; band <= 5; ++band) {
        SCOPED_TRACE("band " + std::to_string(band));
        const auto& expected = kExpectedLists[band - 1];
        const auto texts = ListEntries(band);
        ASSERT_EQ(texts.size(), expected.size());
        for (std::size_t position = 0; position < expected.size(); ++position) {
            SCOPED_TRACE("position " + std::to_string(position));
            EXPECT_EQ(texts[position], expected[position].text);
            const auto pick = LookUpPick(band, static_cast<int>(position));
            ASSERT_TRUE(pick.has_value());
            EXPECT_EQ(pick->code, expected[position].code);
            EXPECT_EQ(pick->stripe, expected[position].stripe);
        }
    }
}

TEST(BandTables, PositionsOutsideTheListYieldNothing) {
    const int lengths[] = {9, 10, 12, 12, 8};
    for (int band = 1; band <= 5; ++band) {
        for (int position : {-1, -2, lengths[band - 1], lengths[band - 1] + 1, 1 << 30}) {
            EXPECT_FALSE(LookUpPick(band, position).has_value()) << band << "/" << position;
        }
    }
}

TEST(BandTables, BandsOutsideOneToFiveHaveNoList) {
    for (int band : {0, 6, -1, 1000}) {
        EXPECT_TRUE(ListEntries(band).empty());
        EXPECT_FALSE(LookUpPick(band, 0).has_value());
    }
}

}  // namespace
}  // namespace velto
