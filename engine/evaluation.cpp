// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/evaluation.h"

#include <array>
#include <string_view>

#include "engine/number_text.h"

namespace velto {
namespace {

constexpr int kSilver = -2, kGold = -1, kBlack = 0, kOrange = 3, kYellow = 4, kWhite = 9;

// The colour code a band holds, or nothing for the unset marker or any other value
// that is not one of the twelve codes.
std::optional<int> ColourCode(double code) {
    for (int colour = kSilver; colour <= kWhite; ++colour)
        if (code == colour) return colour;
    return std::nullopt;
}

std::optional<int> Digit(double code) {
    const std::optional<int> colour = ColourCode(code);
    if (!colour || *colour < kBlack) return std::nullopt;
    return colour;
}

// Indexed by code + 2; 0.01 and 0.1 are the nearest doubles to those decimals.
constexpr std::array<double, 12> kMultipliers = {0.01, 0.1, 1.0, 1e1, 1e2, 1e3,
                                                 1e4,  1e5, 1e6, 1e7, 1e8, 1e9};

std::optional<double> Multiplier(double code) {
    const std::optional<int> colour = ColourCode(code);
    if (!colour) return std::nullopt;
    return kMultipliers[*colour + 2];
}

// Percent by code + 2; zero where the colour carries no tolerance.
constexpr std::array<double, 12> kTolerances = {10, 5, 0, 1, 2, 0, 0, 0.5, 0.25, 0.1, 0.05, 0};

std::optional<double> Tolerance(double code) {
    const std::optional<int> colour = ColourCode(code);
    if (!colour || kTolerances[*colour + 2] == 0) return std::nullopt;
    return kTolerances[*colour + 2];
}

std::optional<std::string_view> FourthBandMessage(int colour) {
    switch (colour) {
        case kBlack: return "Четвертое кольцо резистора с четырмя кольцами не может быть чёрное.";
        case kOrange: return "Четвертое кольцо резистора с четырмя кольцами не может быть оранжевое.";
        case kYellow: return "Четвертое кольцо резистора с четырмя кольцами не может быть жёлтое.";
        case kWhite: return "Четвертое кольцо резистора с четырмя кольцами не может быть белое.";
        default: return std::nullopt;
    }
}

std::optional<std::string_view> ThirdBandMessage(int colour) {
    switch (colour) {
        case kSilver: return "Третье кольцо резистора с пятью кольцами не может быть серебристое.";
        case kGold: return "Третье кольцо резистора с пятью кольцами не может быть золотистое.";
        default: return std::nullopt;
    }
}

std::string ResultText(double ohms, double tolerance) {
    std::string text;
    if (ohms >= 1000000) {
        text = FormatNumber(ohms / 1000000) + " МОм.    +/-";
    } else if (ohms >= 1000) {
        text = FormatNumber(ohms / 1000) + " кОм.    +/-";
    } else {
        text = FormatNumber(ohms) + " Ом. +/-";
    }
    return text + FormatNumber(tolerance) + "%";
}

// Bands 1 and 2 digits, band 3 multiplier, band 4 tolerance; band 5 is not looked at.
std::optional<std::string> EvaluateFourBands(const BandValues& bands) {
    const std::optional<int> first = Digit(bands[0]), second = Digit(bands[1]);
    const std::optional<double> multiplier = Multiplier(bands[2]);
    const std::optional<int> fourth = ColourCode(bands[3]);
    if (!first || !second || !multiplier || !fourth) return std::nullopt;
    if (const auto message = FourthBandMessage(*fourth)) return std::string(*message);
    const std::optional<double> tolerance = Tolerance(bands[3]);
    if (!tolerance) return std::nullopt;
    const double ohms = (bands[0] * 10 + bands[1]) * *multiplier;
    return ResultText(ohms, *tolerance);
}

// Bands 1 to 3 digits, band 4 multiplier, band 5 tolerance. A black third band is
// the digit 0 (brown, black, black, brown, brown is 1 kOhm).
std::optional<std::string> EvaluateFiveBands(const BandValues& bands) {
    const std::optional<int> third = ColourCode(bands[2]);
    const std::optional<double> multiplier = Multiplier(bands[3]);
    const std::optional<double> tolerance = Tolerance(bands[4]);
    if (!Digit(bands[0]) || !Digit(bands[1]) || !third || !multiplier || !tolerance)
        return std::nullopt;
    if (const auto message = ThirdBandMessage(*third)) return std::string(*message);
    const double ohms = (bands[2] + (bands[0] * 100 + bands[1] * 10)) * *multiplier;
    return ResultText(ohms, *tolerance);
}

}  // namespace

std::optional<std::string> EvaluateBands(BandMode mode, const BandValues& bands) {
    return mode == BandMode::FourBand ? EvaluateFourBands(bands) : EvaluateFiveBands(bands);
}

}  // namespace velto
