// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the program writes a number: up to 15 significant digits, the user's
// decimal separator, fixed notation for everyday magnitudes and scientific otherwise.
#pragma once

#include <string>

namespace velto {

// The text of `value`: at most 23 bytes, using the process-wide decimal separator.
std::string FormatNumber(double value);

// The process-wide decimal separator ('.' until one is set or loaded).
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// Takes the separator from the numeric locale that LC_ALL, LC_NUMERIC or LANG names
// right now; '.' when that locale is unavailable or its separator is not one ASCII byte.
// The process's own C locale is left alone.
void LoadDecimalSeparator();

}  // namespace velto
