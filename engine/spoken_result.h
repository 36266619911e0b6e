// SPDX-License-Identifier: GPL-3.0-or-later
// The result panel's text as a screen reader's voice should say it.
#pragma once

#include <string>
#include <string_view>

namespace velto {

// `shown`, a text of the result panel (UTF-8), in words: a value's unit and "+/-" said
// in full, the unit and "процент" agreeing with their numbers ("2,7 килоома, допуск
// плюс-минус 1 процент"); a message as it is; a blank as nothing.
std::string SpokenResult(std::string_view shown);

}  // namespace velto
