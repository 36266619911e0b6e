// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <optional>
#include <string>

namespace velto {
namespace {

constexpr const char* kVariables[] = {"LC_ALL", "LC_NUMERIC", "LANG"};

// Each test sets the locale variables it needs; the fixture puts the environment and
// the separator back afterwards.
class DecimalSeparatorLoading : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 3; ++i) {
            const char* value = std::getenv(kVariables[i]);
            saved_[i] = value ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(kVariables[i]);
        }
    }
    void TearDown() override {
        for (int i = 0; i < 3; ++i) {
            if (saved_[i]) setenv(kVariables[i], saved_[i]->c_str(), 1);
            else unsetenv(kVariables[i]);
        }
        SetDecimalSeparator('.');
    }
    static void RequireInstalled(const char* name) {
        locale_t locale = newlocale(LC_NUMERIC_MASK, name, locale_t{});
        ASSERT_NE(locale, locale_t{}) << name << " is not installed: run scripts/setup.sh";
        freelocale(locale);
    }

private:
    std::optional<std::string> saved_[3];
};

TEST_F(DecimalSeparatorLoading, TakesTheSeparatorOfTheNamedLocale) {
    const std::pair<const char*, char> cases[] = {
        {"ru_RU.UTF-8", ','}, {"de_DE.UTF-8", ','}, {"C", '.'}, {"POSIX", '.'}, {"C.UTF-8", '.'}};
    for (const auto& [name, separator] : cases) {
        RequireInstalled(name);
        setenv("LC_ALL", name, 1);
        SetDecimalSeparator('?');
        LoadDecimalSeparator();
        EXPECT_EQ(DecimalSeparator(), separator) << name;
    }
}

TEST_F(DecimalSeparatorLoading, FallsBackToTheFullStop) {
    RequireInstalled("ps_AF.UTF-8");
    // Pashto's decimal point is two bytes long; the other two are not installed.
    for (const char* name : {"ps_AF.UTF-8", "xx_YY.UTF-8", "ru_RU.NO-SUCH-CHARSET"}) {
        setenv("LC_ALL", name, 1);
        SetDecimalSeparator(',');
        LoadDecimalSeparator();
        EXPECT_EQ(DecimalSeparator(), '.') << name;
    }
    unsetenv("LC_ALL");
    SetDecimalSeparator(',');
    LoadDecimalSeparator();
    EXPECT_EQ(DecimalSeparator(), '.') << "no locale named";
}

TEST_F(DecimalSeparatorLoading, FollowsThePrecedenceOfTheLocaleVariables) {
    RequireInstalled("ru_RU.UTF-8");
    setenv("LANG", "ru_RU.UTF-8", 1);
    LoadDecimalSeparator();
    EXPECT_EQ(DecimalSeparator(), ',');

    setenv("LC_NUMERIC", "C", 1);
    LoadDecimalSeparator();
    EXPECT_EQ(DecimalSeparator(), '.');

    setenv("LC_ALL", "ru_RU.UTF-8", 1);
    LoadDecimalSeparator();
    EXPECT_EQ(DecimalSeparator(), ',');

    setenv("LC_ALL", "", 1);  // empty counts as unset
    LoadDecimalSeparator();
    EXPECT_EQ(DecimalSeparator(), '.');
}

TEST_F(DecimalSeparatorLoading, ReadsTheEnvironmentAsItIsAtEachCall) {
    RequireInstalled("ru_RU.UTF-8");
    setenv("LC_ALL", "ru_RU.UTF-8", 1);
    LoadDecimalSeparator();
    const std::string before = FormatNumber(4.7);
    setenv("LC_ALL", "C", 1);
    LoadDecimalSeparator();
    EXPECT_EQ(before, "4,7");
    EXPECT_EQ(FormatNumber(4.7), "4.7");
}

TEST_F(DecimalSeparatorLoading, NeitherLoadingNorFormattingDependsOnTheGlobalLocale) {
    RequireInstalled("ru_RU.UTF-8");
    const std::string global = std::setlocale(LC_NUMERIC, nullptr);
    setenv("LC_ALL", "ru_RU.UTF-8", 1);
    LoadDecimalSeparator();
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), global);

    // A windowing toolkit sets the global locale from the environment; the text must
    // still use the loaded separator and nothing else.
    ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr);
    SetDecimalSeparator('.');
    EXPECT_EQ(FormatNumber(1234567.5), "1234567.5");
    EXPECT_EQ(FormatNumber(2.5e-7), "2.5E-7");
    std::setlocale(LC_ALL, global.c_str());
}

}  // namespace
}  // namespace velto
