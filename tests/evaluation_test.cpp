// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/evaluation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "engine/number_text.h"
#include "engine/spoken_result.h"

namespace velto {
namespace {

constexpr double U = BandUnset;
constexpr double Silver = -2, Gold = -1, Black = 0, Brown = 1, Red = 2, Orange = 3, Yellow = 4,
                 Green = 5, Blue = 6, Violet = 7, Grey = 8, White = 9;

constexpr const char* kOhm = " Ом. +/-";
constexpr const char* kKiloOhm = " кОм.    +/-";
constexpr const char* kMegaOhm = " МОм.    +/-";

class Evaluation : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
    void TearDown() override { SetDecimalSeparator('.'); }
};

struct Worked {
    BandMode mode;
    BandValues bands;
    std::string text;
};

TEST_F(Evaluation, WorkedMarkingsGiveNumberUnitAndTolerance) {
    const Worked cases[] = {
        {BandMode::FourBand, {Brown, Black, Black, Gold, U}, std::string("10") + kOhm + "5%"},
        {BandMode::FourBand, {Yellow, Violet, Red, Gold, U}, std::string("4,7") + kKiloOhm + "5%"},
        {BandMode::FourBand, {Brown, Black, Silver, Silver, U}, std::string("0,1") + kOhm + "10%"},
        {BandMode::FourBand, {White, White, White, Grey, U}, std::string("99000") + kMegaOhm + "0,05%"},
        {BandMode::FourBand, {Brown, Black, Red, Brown, U}, std::string("1") + kKiloOhm + "1%"},
        {BandMode::FourBand, {Brown, Black, Green, Brown, U}, std::string("1") + kMegaOhm + "1%"},
        {BandMode::FourBand, {Brown, Red, Red, Gold, U}, std::string("1,2") + kKiloOhm + "5%"},
        {BandMode::FourBand, {Yellow, Violet, Silver, Blue, U}, std::string("0,47") + kOhm + "0,25%"},
        {BandMode::FourBand, {Red, Red, Black, Green, Brown}, std::string("22") + kOhm + "0,5%"},
        {BandMode::FourBand, {Red, Red, Black, Violet, U}, std::string("22") + kOhm + "0,1%"},
        {BandMode::FourBand, {Red, Red, Black, Red, U}, std::string("22") + kOhm + "2%"},
        {BandMode::FiveBand, {White, White, White, Black, Brown}, std::string("999") + kOhm + "1%"},
        {BandMode::FiveBand, {Brown, Black, Brown, Brown, Violet}, std::string("1,01") + kKiloOhm + "0,1%"},
        {BandMode::FiveBand, {White, White, White, White, Grey}, std::string("999000") + kMegaOhm + "0,05%"},
        {BandMode::FiveBand, {Brown, Black, Black, Silver, Gold}, std::string("1") + kOhm + "5%"},
    };
    for (const Worked& c : cases) {
        EXPECT_EQ(EvaluateBands(c.mode, c.bands), c.text);
    }
}

// The words a screen reader says for the panel: unit and per cent agree with their
// numbers (after 1, after 2 to 4 and fractions, after the rest and the teens).
TEST_F(Evaluation, ResultsAreSpokenInAgreeingWords) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string("1") + kOhm + "1%", "1 ом, допуск плюс-минус 1 процент"},
        {std::string("2") + kOhm + "2%", "2 ома, допуск плюс-минус 2 процента"},
        {std::string("5") + kOhm + "5%", "5 ом, допуск плюс-минус 5 процентов"},
        {std::string("11") + kOhm + "10%", "11 ом, допуск плюс-минус 10 процентов"},
        {std::string("21") + kOhm + "0,5%", "21 ом, допуск плюс-минус 0,5 процента"},
        {std::string("0,1") + kOhm + "0,25%", "0,1 ома, допуск плюс-минус 0,25 процента"},
        {std::string("2,7") + kKiloOhm + "1%", "2,7 килоома, допуск плюс-минус 1 процент"},
        {std::string("1") + kKiloOhm + "2%", "1 килоом, допуск плюс-минус 2 процента"},
        {std::string("22") + kKiloOhm + "0,05%", "22 килоома, допуск плюс-минус 0,05 процента"},
        {std::string("12") + kKiloOhm + "5%", "12 килоом, допуск плюс-минус 5 процентов"},
        {std::string("1000") + kMegaOhm + "0,1%", "1000 мегаом, допуск плюс-минус 0,1 процента"},
        {std::string("21") + kMegaOhm + "1%", "21 мегаом, допуск плюс-минус 1 процент"},
        {std::string("4.7") + kMegaOhm + "5%", "4.7 мегаома, допуск плюс-минус 5 процентов"},
        {"Четвертое кольцо резистора с четырмя кольцами не может быть чёрное.",
         "Четвертое кольцо резистора с четырмя кольцами не может быть чёрное."},
        {" ", ""},
    };
    for (const auto& [shown, spoken] : cases) EXPECT_EQ(SpokenResult(shown), spoken) << shown;
    // What the evaluation writes is what is read out.
    EXPECT_EQ(SpokenResult(*EvaluateBands(BandMode::FourBand, {Yellow, Violet, Red, Gold, U})),
              "4,7 килоома, допуск плюс-минус 5 процентов");
}

// Black is the digit 0 in the third of five bands: two of the commonest markings.
TEST_F(Evaluation, BlackThirdOfFiveBandsIsTheDigitZero) {
    EXPECT_EQ(EvaluateBands(BandMode::FiveBand, {Brown, Black, Black, Brown, Brown}),
              std::string("1") + kKiloOhm + "1%");
    EXPECT_EQ(EvaluateBands(BandMode::FiveBand, {Brown, Black, Black, Black, Brown}),
              std::string("100") + kOhm + "1%");
    EXPECT_EQ(EvaluateBands(BandMode::FiveBand, {Yellow, Violet, Black, Red, Gold}),
              std::string("47") + kKiloOhm + "5%");
}

TEST_F(Evaluation, InvalidFourthOfFourBandsNamesItsColour) {
    const std::string prefix = "Четвертое кольцо резистора с четырмя кольцами не может быть ";
    const std::pair<double, std::string> cases[] = {
        {Black, "чёрное."}, {Orange, "оранжевое."}, {Yellow, "жёлтое."}, {White, "белое."}};
    for (const auto& [colour, ending] : cases) {
        EXPECT_EQ(EvaluateBands(BandMode::FourBand, {Red, Red, Red, colour, U}), prefix + ending);
        EXPECT_EQ(EvaluateBands(BandMode::FourBand, {White, Black, Silver, colour, Gold}), prefix + ending);
    }
}

TEST_F(Evaluation, SilverOrGoldThirdOfFiveBandsNamesItsColour) {
    const std::string prefix = "Третье кольцо резистора с пятью кольцами не может быть ";
    for (double multiplier : {Silver, Black, White}) {
        for (double tolerance : {Silver, Brown, Grey}) {
            EXPECT_EQ(EvaluateBands(BandMode::FiveBand, {Brown, Black, Silver, multiplier, tolerance}),
                      prefix + "серебристое.");
            EXPECT_EQ(EvaluateBands(BandMode::FiveBand, {Red, Red, Gold, multiplier, tolerance}),
                      prefix + "золотистое.");
        }
    }
}

TEST_F(Evaluation, AnUnsetBandTheModeNeedsLeavesTheTextAsItIs) {
    const BandValues four = {Red, Red, Red, Gold, U};
    const BandValues five = {Red, Red, Red, Red, Gold};
    for (int band = 0; band < 4; ++band) {
        BandValues bands = four;
        bands[band] = U;
        EXPECT_EQ(EvaluateBands(BandMode::FourBand, bands), std::nullopt) << band;
    }
    for (int band = 0; band < 5; ++band) {
        BandValues bands = five;
        bands[band] = U;
        EXPECT_EQ(EvaluateBands(BandMode::FiveBand, bands), std::nullopt) << band;
    }
    EXPECT_EQ(EvaluateBands(BandMode::FiveBand, four), std::nullopt);
    EXPECT_EQ(EvaluateBands(BandMode::FourBand, four), std::string("2,2") + kKiloOhm + "5%");
    EXPECT_EQ(EvaluateBands(BandMode::FourBand, BandValues{U, U, U, U, U}), std::nullopt);
}

TEST_F(Evaluation, CodesThatNoListCanHoldLeaveTheTextAsItIs) {
    const double odd[] = {3.5, 42, -3, 10, -0.5, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity()};
    for (double code : odd) {
        for (int band = 0; band < 5; ++band) {
            BandValues bands = {Red, Red, Red, Red, Gold};
            bands[band] = code;
            EXPECT_EQ(EvaluateBands(BandMode::FiveBand, bands), std::nullopt) << code << " in " << band;
            if (band < 4) {
                EXPECT_EQ(EvaluateBands(BandMode::FourBand, bands), std::nullopt) << code << " in " << band;
            }
        }
    }
    // Silver and gold are multipliers, never digits; black carries no tolerance.
    EXPECT_EQ(EvaluateBands(BandMode::FourBand, {Silver, Red, Red, Gold, U}), std::nullopt);
    EXPECT_EQ(EvaluateBands(BandMode::FiveBand, {Red, Gold, Red, Red, Gold}), std::nullopt);
    EXPECT_EQ(EvaluateBands(BandMode::FiveBand, {Red, Red, Red, Red, Black}), std::nullopt);
}

// An independent reading of a valid marking: digits n times 10^k, scaled to the unit
// by whole-number arithmetic and written out digit by digit.
std::string ExpectedNumber(long long n, int k, const char** unit) {
    auto atLeast = [&](int power) {  // n * 10^k >= 10^power
        long long v = n;
        int e = k;
        while (e > power) { v *= 10; --e; }
        long long bound = 1;
        for (; e < power; ++e) bound *= 10;
        return v >= bound;
    };
    *unit = kOhm;
    if (atLeast(6)) { k -= 6; *unit = kMegaOhm; }
    else if (atLeast(3)) { k -= 3; *unit = kKiloOhm; }
    if (n == 0) return "0";
    std::string digits = std::to_string(n);
    if (k >= 0) return digits + std::string(static_cast<std::size_t>(k), '0');
    const int width = -k + 1;  // at least one digit before the separator
    if (static_cast<int>(digits.size()) < width)
        digits = std::string(static_cast<std::size_t>(width) - digits.size(), '0') + digits;
    std::string text = digits.substr(0, digits.size() + k) + "," + digits.substr(digits.size() + k);
    while (text.back() == '0') text.pop_back();
    if (text.back() == ',') text.pop_back();
    return text;
}

std::string ToleranceText(double code) {
    if (code == Silver) return "10";
    if (code == Gold) return "5";
    if (code == Brown) return "1";
    if (code == Red) return "2";
    if (code == Green) return "0,5";
    if (code == Blue) return "0,25";
    if (code == Violet) return "0,1";
    return "0,05";
}

TEST_F(Evaluation, EveryFourBandPickShowsItsExactDecimalValue) {
    for (int p1 = 0; p1 < 9; ++p1)
        for (int p2 = 0; p2 < 10; ++p2)
            for (int p3 = 0; p3 < 12; ++p3)
                for (int p4 = 0; p4 < 12; ++p4) {
                    const BandValues bands = {LookUpPick(1, p1)->code, LookUpPick(2, p2)->code,
                                              LookUpPick(3, p3)->code, LookUpPick(4, p4)->code, U};
                    const auto text = EvaluateBands(BandMode::FourBand, bands);
                    ASSERT_TRUE(text.has_value());
                    const double t = bands[3];
                    if (t == Black || t == Orange || t == Yellow || t == White) {
                        EXPECT_EQ(text->rfind("Четвертое", 0), 0u);
                        continue;
                    }
                    const char* unit = nullptr;
                    const std::string number =
                        ExpectedNumber(static_cast<long long>(bands[0] * 10 + bands[1]),
                                       static_cast<int>(bands[2]), &unit);
                    ASSERT_EQ(*text, number + unit + ToleranceText(t) + "%") << p1 << p2 << p3 << p4;
                }
}

TEST_F(Evaluation, EveryFiveBandPickShowsItsExactDecimalValue) {
    for (int p1 = 0; p1 < 9; ++p1)
        for (int p2 = 0; p2 < 10; ++p2)
            for (int p3 = 2; p3 < 12; ++p3)  // silver and gold are rejected above
                for (int p4 = 0; p4 < 12; ++p4)
                    for (int p5 = 0; p5 < 8; ++p5) {
                        const BandValues bands = {LookUpPick(1, p1)->code, LookUpPick(2, p2)->code,
                                                  LookUpPick(3, p3)->code, LookUpPick(4, p4)->code,
                                                  LookUpPick(5, p5)->code};
                        const char* unit = nullptr;
                        const std::string number = ExpectedNumber(
                            static_cast<long long>(bands[0] * 100 + bands[1] * 10 + bands[2]),
                            static_cast<int>(bands[3]), &unit);
                        ASSERT_EQ(EvaluateBands(BandMode::FiveBand, bands),
                                  number + unit + ToleranceText(bands[4]) + "%")
                            << p1 << p2 << p3 << p4 << p5;
                    }
}

}  // namespace
}  // namespace velto
