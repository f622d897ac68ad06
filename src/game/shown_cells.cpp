// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shown_cells.h"

#include <cmath>

namespace vermo {

namespace {

enum SpriteKind : std::uint64_t { Disc = 1, Poison, HeadUp, HeadDown, HeadLeft, HeadRight };

// A well-spread fingerprint, so that sums of different sets of sprites on
// one cell practically never agree.
std::uint64_t fingerprint(std::uint64_t kind, Color fill, Color border)
{
    std::uint64_t z = kind * 0x9E3779B97F4A7C15ull ^ (std::uint64_t{fill} << 24) ^ border;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

void ShownCells::add(float left, float top, float width, float height, std::uint64_t look)
{
    const float column = left / cellStep;
    const float row = top / cellStep;
    const bool aligned = column == std::floor(column) && row == std::floor(row) && column >= 0
                      && row >= 0 && column < span && row < span && width == spriteSize
                      && height == spriteSize;
    if (!aligned) {
        onGrid_ = false;
        return;
    }
    Cell& cell = cells_[static_cast<std::size_t>(row) * span + static_cast<std::size_t>(column)];
    ++cell.sprites;
    cell.looks += look;
}

void ShownCells::takeFrom(const FormState& state)
{
    background_ = state.BackColor;
    onGrid_ = true;
    cells_.fill(Cell{});
    auto addDisc = [this](const Circle& c) {
        if (c.Visible)
            add(c.Left, c.Top, c.Width, c.Height, fingerprint(Disc, c.FillColor, c.BorderColor));
    };
    auto addPicture = [this](const Image& image, SpriteKind kind) {
        if (image.Visible && !image.Picture.empty())
            add(image.Left, image.Top, image.Width, image.Height, fingerprint(kind, 0, 0));
    };
    addDisc(state.berry);
    for (const Image& item : state.poison.elements())
        addPicture(item, Poison);
    for (const Circle& segment : state.vermo.elements())
        addDisc(segment);
    addPicture(state.headu, HeadUp);
    addPicture(state.headd, HeadDown);
    addPicture(state.headl, HeadLeft);
    addPicture(state.headr, HeadRight);
}

bool ShownCells::changedSince(const ShownCells& before, std::vector<Position>& changed) const
{
    changed.clear();
    if (!onGrid_ || !before.onGrid_ || background_ != before.background_)
        return false;
    for (int row = 0; row < span; ++row)
        for (int column = 0; column < span; ++column) {
            const std::size_t at = static_cast<std::size_t>(row * span + column);
            if (!(cells_[at] == before.cells_[at]))
                changed.push_back({column, row});
        }
    return true;
}

}  // namespace vermo
