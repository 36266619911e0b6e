// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/number_text.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <locale.h>

namespace velto {
namespace {

char g_separator = '.';

// A magnitude as significant digits: value = d1.d2d3... x 10^exponent.
struct Decimal {
    char digits[18];
    int count;
    int exponent;
};

// Reads to_chars' scientific text: "d", or "d.ddd", then "e+xx" or "e-xxx". Digits
// past the last one read as zeros.
Decimal ParseScientific(const char* text, const char* end) {
    Decimal decimal;
    std::memset(decimal.digits, '0', sizeof decimal.digits);
    const char* e = end[-4] == 'e' ? end - 4 : end - 5;
    decimal.digits[0] = text[0];
    decimal.count = e == text + 1 ? 1 : static_cast<int>(e - text) - 1;
    std::memcpy(decimal.digits + 1, text + 2, static_cast<std::size_t>(decimal.count - 1));
    int exponent = (e[2] - '0') * 10 + (e[3] - '0');
    if (e + 5 == end) exponent = exponent * 10 + (e[4] - '0');
    decimal.exponent = e[1] == '-' ? -exponent : exponent;
    return decimal;
}

Decimal EighteenDigits(double magnitude) {
    char text[32];
    const char* end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 17).ptr;
    return ParseScientific(text, end);
}

// Whether the 18 significant digits of `magnitude`, rounded to nearest, have a 16th digit
// of 5 or more. The shortest digits that read back as the value are much cheaper to get,
// and they lie within half an ulp of it. Half an ulp is 2^-53 x 2^k for the value
// m x 2^k (1 <= m < 2), which in units of the 16th digit of d.ddd x 10^n is
// 2^-53 x 10^15 x d.ddd / m < 0.1111 x (d + 1) / m. Unless the 16th and 17th digits lie
// that close to 50, they settle the question as the 18 digits would; otherwise, and for
// subnormals, `decimal` becomes the 18 digits themselves.
bool SixteenthDigitRoundsUp(double magnitude, Decimal& decimal) {
    char text[32];
    const char* end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
    decimal = ParseScientific(text, end);
    if (magnitude >= DBL_MIN) {
        if (decimal.count <= 15) return false;
        int exponent2 = 0;
        const double m = 2 * std::frexp(magnitude, &exponent2);
        // In tenths of a unit, with a tenth to spare.
        const int reach = static_cast<int>(1.111 * (decimal.digits[0] - '0' + 1) / m) + 2;
        const int tail = (decimal.digits[15] - '0') * 10 + (decimal.digits[16] - '0');
        if (tail < 50 - reach) return false;
        if (tail > 50 + reach) return true;
    }
    decimal = EighteenDigits(magnitude);
    return decimal.digits[15] >= '5';
}

// Writes a power of ten: a minus sign when negative, no plus sign, no leading zeros.
char* WriteExponent(char* out, int exponent) {
    if (exponent < 0) {
        *out++ = '-';
        exponent = -exponent;
    }
    return std::to_chars(out, out + 4, exponent).ptr;
}

const char* LocaleNameFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* name = std::getenv(variable);
        if (name != nullptr && *name != '\0') return name;
    }
    return "C";
}

}  // namespace

std::string FormatNumber(double value) {
    if (std::isnan(value)) return "NAN";
    if (value == 0.0) return "0";

    char text[24];
    text[0] = '-';
    char* out = text + (value < 0.0);
    if (std::isinf(value)) {
        std::memcpy(out, "INF", 3);
        return std::string(text, out + 3);
    }

    // 18 significant digits rounded to nearest, cut to 15 by the 16th digit, half up.
    Decimal decimal;
    const bool roundUp = SixteenthDigitRoundsUp(std::fabs(value), decimal);
    char* digits = decimal.digits;
    int count = std::min(decimal.count, 15);
    int E = decimal.exponent + 1;  // value = 0.d1d2... x 10^E
    digits[14] = static_cast<char>(digits[14] + roundUp);
    for (int i = 14; digits[i] > '9'; --i) {  // carry
        digits[i] = '0';
        if (i == 0) {
            digits[0] = '1';
            ++E;
            break;
        }
        ++digits[i - 1];
    }
    while (count > 1 && digits[count - 1] == '0') --count;

    if (E >= -3 && E <= 15) {
        if (E <= 0) {
            *out++ = '0';
            *out++ = g_separator;
            std::memset(out, '0', static_cast<std::size_t>(-E));
            out += -E;
            std::memcpy(out, digits, static_cast<std::size_t>(count));
            out += count;
        } else if (count <= E) {
            std::memcpy(out, digits, static_cast<std::size_t>(count));
            out += count;
            std::memset(out, '0', static_cast<std::size_t>(E - count));
            out += E - count;
        } else {
            std::memcpy(out, digits, static_cast<std::size_t>(E));
            out += E;
            *out++ = g_separator;
            std::memcpy(out, digits + E, static_cast<std::size_t>(count - E));
            out += count - E;
        }
    } else {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = g_separator;
            std::memcpy(out, digits + 1, static_cast<std::size_t>(count - 1));
            out += count - 1;
        }
        *out++ = 'E';
        out = WriteExponent(out, E - 1);
    }
    return std::string(text, out);
}

char DecimalSeparator() { return g_separator; }

void SetDecimalSeparator(char separator) { g_separator = separator; }

void LoadDecimalSeparator() {
    g_separator = '.';
    locale_t locale = newlocale(LC_NUMERIC_MASK, LocaleNameFromEnvironment(), locale_t{});
    if (locale == locale_t{}) return;
    const char* point = nl_langinfo_l(RADIXCHAR, locale);
    if (point != nullptr && point[0] != '\0' && point[1] == '\0' &&
        static_cast<unsigned char>(point[0]) < 0x80)
        g_separator = point[0];
    freelocale(locale);
}

}  // namespace velto
