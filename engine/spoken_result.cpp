// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/spoken_result.h"

namespace velto {
namespace {

// A noun's forms after a number: after 1 (21, 31...), after 2 to 4 (22...) and after a
// fraction, after the rest (5 to 20, 25...).
struct Forms {
    std::string_view one, few, many;
};

struct Unit {
    std::string_view shown;  // as the panel writes it, from the blank before it to "+/-"
    Forms forms;
};

constexpr Unit kUnits[] = {
    {" Ом. +/-", {"ом", "ома", "ом"}},
    {" кОм.    +/-", {"килоом", "килоома", "килоом"}},
    {" МОм.    +/-", {"мегаом", "мегаома", "мегаом"}},
};
constexpr Forms kPercent = {"процент", "процента", "процентов"};

std::string_view Agreeing(std::string_view number, const Forms& forms) {
    if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos) return forms.few;
    const int last = number.back() - '0';
    const bool teens = number.size() > 1 && number[number.size() - 2] == '1';
    if (teens || last == 0 || last >= 5) return forms.many;
    return last == 1 ? forms.one : forms.few;
}

}  // namespace

std::string SpokenResult(std::string_view shown) {
    if (shown.find_first_not_of(' ') == std::string_view::npos) return {};
    for (const Unit& unit : kUnits) {
        const auto at = shown.find(unit.shown);
        if (at == std::string_view::npos || shown.back() != '%') continue;
        const std::string_view number = shown.substr(0, at);
        const std::size_t from = at + unit.shown.size();
        const std::string_view tolerance = shown.substr(from, shown.size() - 1 - from);
        std::string words(number);
        words.append(" ").append(Agreeing(number, unit.forms)).append(", допуск плюс-минус ");
        words.append(tolerance).append(" ").append(Agreeing(tolerance, kPercent));
        return words;
    }
    return std::string(shown);
}

}  // namespace velto
