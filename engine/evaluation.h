// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a colour-band marking: the resistance with its unit and tolerance, or the
// reason the marking is not valid.
#pragma once

#include <optional>
#include <string>

#include "engine/band_tables.h"

namespace velto {

enum class BandMode { FourBand, FiveBand };

// The new text of the result panel (UTF-8), or nothing when the label should keep its
// text: a band the mode needs is unset, or holds a code that no list offers there.
std::optional<std::string> EvaluateBands(BandMode mode, const BandValues& bands);

}  // namespace velto
