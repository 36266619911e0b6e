// SPDX-License-Identifier: GPL-3.0-or-later
// The colour tables behind the five band lists: what each entry reads, the code it
// stores and the colour its stripe is painted in.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace velto {

// The code of a band whose list has never had an entry picked.
inline constexpr double BandUnset = -111.0;

// The five band codes; [0] is band 1.
using BandValues = std::array<double, 5>;

// What one list entry stands for: its colour code and its stripe colour as 0xRRGGBB.
struct BandColour {
    double code;
    std::uint32_t stripe;
};

// The colour of entry `position` (from 0) in the list of band 1..5; nothing for a
// position outside the list (-1 among them) or a band outside 1..5.
std::optional<BandColour> LookUpPick(int band, int position);

// The entry texts of band 1..5's list, UTF-8, in list order; empty for another band.
std::span<const std::string_view> ListEntries(int band);

}  // namespace velto
