// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace velto {
namespace {

class NumberText : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override { SetDecimalSeparator(GetParam()); }
    void TearDown() override { SetDecimalSeparator('.'); }

    // The expected text, written with '.' and put in the separator under test.
    static std::string With(std::string text) {
        std::replace(text.begin(), text.end(), '.', GetParam());
        return text;
    }
};

struct Case {
    double value;
    const char* text;
};

TEST_P(NumberText, WritesFixedAndScientificLayouts) {
    const Case cases[] = {
        {10, "10"}, {999, "999"}, {1, "1"}, {1000000, "1000000"}, {470, "470"}, {99000, "99000"},
        {0.5, "0.5"}, {0.25, "0.25"}, {0.05, "0.05"}, {0.1, "0.1"},
        {4700 / 1000.0, "4.7"}, {99000000000 / 1000000.0, "99000"}, {999e9 / 1e6, "999000"},
        {47 * 0.01, "0.47"}, {0.1 + 0.2, "0.3"}, {1010 / 1000.0, "1.01"},
        {0.0001, "0.0001"}, {0.00012345, "0.00012345"}, {0.00001, "1E-5"}, {2.5e-7, "2.5E-7"},
        {999999999999999, "999999999999999"}, {123456789012345, "123456789012345"},
        {1e15, "1E15"}, {123456789012345678.0, "1.23456789012346E17"},
        {1.5e300, "1.5E300"}, {DBL_MAX, "1.79769313486232E308"},
        {DBL_MIN, "2.2250738585072E-308"}, {4.9406564584124654e-324, "4.94065645841247E-324"},
        {3.14159265358979323, "3.14159265358979"}, {-4.7, "-4.7"}, {-0.00001, "-1E-5"},
        {-123456789012345678.0, "-1.23456789012346E17"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumber(c.value), With(c.text)) << c.text;
    }
}

// The 15-digit cut looks at the 16th of 18 digits alone and rounds half up, so a value
// just below a half still rounds up; a carry out of the first digit adds a digit place.
TEST_P(NumberText, RoundsByTheSixteenthDigitHalfUp) {
    const Case cases[] = {
        {2.421072493769445, "2.42107249376945"},   // exactly 2.42107249376944499...
        {7.123857119660995, "7.123857119661"},     // carry through a run of nines
        {1.000000000000004, "1"},                  // 16th digit 4: cut
        {9.9999999999999982, "10"},                // carry out of the first digit
        {999999999999999.9, "1E15"},               // and into scientific notation
        {0.000099999999999999991, "0.0001"},       // and out of it
        {9.9999999999999995e-5, "0.0001"},
        {99999999999999.99, "100000000000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumber(c.value), With(c.text)) << c.text;
    }
}

TEST_P(NumberText, SpecialValuesHaveFixedTexts) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FormatNumber(0.0), "0");
    EXPECT_EQ(FormatNumber(-0.0), "0");
    EXPECT_EQ(FormatNumber(inf), "INF");
    EXPECT_EQ(FormatNumber(-inf), "-INF");
    EXPECT_EQ(FormatNumber(nan), "NAN");
    EXPECT_EQ(FormatNumber(-nan), "NAN");
}

// Over random bit patterns: the text reads back to within one unit of the value's
// 15th significant digit, fits 23 bytes and never ends its fraction in a zero.
TEST_P(NumberText, RandomDoublesReadBackWithinTheFifteenthDigit) {
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value) || value == 0) continue;
        const std::string text = FormatNumber(value);
        ASSERT_LE(text.size(), 23u) << text;

        std::string plain = text;
        std::replace(plain.begin(), plain.end(), GetParam(), '.');
        double back = 0;
        const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), back);
        ASSERT_EQ(error, std::errc()) << text;
        ASSERT_EQ(end, plain.data() + plain.size()) << text;
        const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 14);
        ASSERT_LE(std::fabs(back - value), unit) << text << " for " << value;

        const std::string mantissa = plain.substr(0, plain.find('E'));
        if (mantissa.find('.') != std::string::npos) {
            ASSERT_NE(mantissa.back(), '0') << text;
            ASSERT_NE(mantissa.back(), '.') << text;
        }
    }
}

// The digits and exponent that a text shows: "4.7" is 47 and 1, "0.05" is 5 and -1.
std::pair<std::string, int> ShownDigits(std::string text) {
    if (text[0] == '-') text.erase(0, 1);
    int E = 0;
    std::string digits;
    if (const auto e = text.find('E'); e != std::string::npos) {
        E = std::stoi(text.substr(e + 1)) + 1;
        for (char c : text.substr(0, e))
            if (c != '.') digits += c;
    } else {
        const auto point = text.find('.');
        const std::string whole = text.substr(0, point);
        const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
        digits = whole + fraction;
        E = static_cast<int>(whole.size());
        while (digits[0] == '0') {
            digits.erase(0, 1);
            --E;
        }
    }
    while (digits.back() == '0') digits.pop_back();
    return {digits, E};
}

// The same from the exact decimal expansion: 18 digits, then half up on the 16th.
std::pair<std::string, int> ExpectedDigits(double value) {
    char exact[64];
    std::snprintf(exact, sizeof exact, "%.17e", std::fabs(value));
    std::string digits = std::string(1, exact[0]) + std::string(exact + 2, 17);
    int E = std::atoi(exact + 20) + 1;
    const bool up = digits[15] >= '5';
    digits.resize(15);
    if (up) {
        int i = 14;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i < 0) {
            digits = "1";
            ++E;
        } else {
            ++digits[i];
        }
    }
    while (digits.back() == '0') digits.pop_back();
    return {digits, E};
}

TEST(NumberDigits, AgreeWithTheExactExpansionNearHalvesAndEverywhere) {
    std::mt19937_64 random(42);
    std::vector<double> values;
    for (int i = 0; i < 100000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (std::isfinite(value) && value != 0) values.push_back(value);
    }
    // Values whose 16th digit sits at a half, just above or just below it.
    for (int i = 0; i < 100000; ++i) {
        const auto first = static_cast<int>(1 + random() % 9);
        const auto fraction = static_cast<unsigned long long>(random() % 100000000000000);
        const auto exponent = static_cast<int>(random() % 600) - 300;
        for (const char* tail : {"5", "49999", "50001", "45", "55", "4", "6"}) {
            char text[64];
            std::snprintf(text, sizeof text, "%d.%014llu%se%d", first, fraction, tail, exponent);
            values.push_back(std::strtod(text, nullptr));
        }
    }
    for (double value : values) {
        ASSERT_EQ(ShownDigits(FormatNumber(value)), ExpectedDigits(value)) << FormatNumber(value);
    }
}

INSTANTIATE_TEST_SUITE_P(Separators, NumberText, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "FullStop" : "Comma"; });

}  // namespace
}  // namespace velto
