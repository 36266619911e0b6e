// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/band_tables.h"

#include <cstddef>

namespace velto {
namespace {

enum Colour { Silver, Gold, Black, Brown, Red, Orange, Yellow, Green, Blue, Violet, Grey, White };

// Indexed by Colour; a colour's code is its index less two.
constexpr std::array<std::uint32_t, 12> kStripes = {
    0xDEE6E7, 0xD7B01A, 0x000000, 0x800000, 0xFF0000, 0xF4AC53,
    0xFFFF00, 0x4BBD42, 0x86ADF7, 0xDC52EB, 0x808080, 0xFFFFFF,
};

// The texts are shown as they stand: the same colour is not spelt alike in every
// list, and some entries end in a blank.
constexpr std::string_view kTexts1[] = {
    "Коричневый", "Красный", "Оранжевый", "Жёлтый", "Зелёный",
    "Голубой", "Фиолетовый", "Серый", "Белый ",
};
constexpr Colour kColours1[] = {Brown, Red, Orange, Yellow, Green, Blue, Violet, Grey, White};

constexpr std::string_view kTexts2[] = {
    "Чёрный", "Коричневый", "Красный", "Оранжевый", "Желтый",
    "Зелёный", "Голубой", "Фиолетовый", "Серый", "Белый",
};
constexpr Colour kColours2[] = {Black, Brown, Red, Orange, Yellow, Green, Blue, Violet, Grey, White};

constexpr std::string_view kTexts3[] = {
    "Серебристый", "Золотистый", "Черный", "Коричневый", "Красный", "Оранжевый",
    "Жёлтый", "Зелёный", "Голубой", "Фиолетовый", "Серый", "Белый ",
};
constexpr std::string_view kTexts4[] = {
    "Серебристый", "Золотистый", "Чёрный", "Коричневый", "Красный", "Оранжевый",
    "Жёлтый", "Зелёный", "Голубой", "Фиолетовый", "Серый", "Белый ",
};
constexpr Colour kColours34[] = {Silver, Gold,   Black,  Brown,  Red,  Orange,
                                 Yellow, Green, Blue, Violet, Grey, White};

constexpr std::string_view kTexts5[] = {
    "Серебристый", "Золотистый", "Коричневый", "Красный",
    "Зелёный", "Голубой", "Фиолетовый", "Серый",
};
constexpr Colour kColours5[] = {Silver, Gold, Brown, Red, Green, Blue, Violet, Grey};

struct List {
    std::span<const std::string_view> texts;
    std::span<const Colour> colours;
};

constexpr List kLists[] = {
    {kTexts1, kColours1}, {kTexts2, kColours2}, {kTexts3, kColours34},
    {kTexts4, kColours34}, {kTexts5, kColours5},
};

constexpr bool ListsAreWhole() {
    for (const List& list : kLists)
        if (list.texts.size() != list.colours.size()) return false;
    return true;
}
static_assert(ListsAreWhole(), "every list entry needs a colour");

}  // namespace

std::optional<BandColour> LookUpPick(int band, int position) {
    if (band < 1 || band > 5 || position < 0) return std::nullopt;
    const List& list = kLists[band - 1];
    if (static_cast<std::size_t>(position) >= list.colours.size()) return std::nullopt;
    const Colour colour = list.colours[static_cast<std::size_t>(position)];
    return BandColour{static_cast<double>(colour) - 2.0, kStripes[colour]};
}

std::span<const std::string_view> ListEntries(int band) {
    if (band < 1 || band > 5) return {};
    return kLists[band - 1].texts;
}

}  // namespace velto
