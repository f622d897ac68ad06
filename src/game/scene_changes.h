#pragma once

#include <cstdint>
#include <tuple>
#include <vector>

#include "game/form_state.h"

namespace vermo {

// One thing the playfield shows: where, how big, and what it looks like.
struct ShownSprite {
    enum Kind : std::uint8_t { Disc, Poison, HeadUp, HeadDown, HeadLeft, HeadRight };
    float Left, Top, Width, Height;
    Kind kind;
    Color fill, border;  // discs only

    auto key() const { return std::tie(Left, Top, Width, Height, kind, fill, border); }
    bool operator<(const ShownSprite& other) const { return key() < other.key(); }
    bool operator==(const ShownSprite& other) const { return key() == other.key(); }
};

// What the playfield shows at one moment, as a sorted list, so that two
// moments can be compared cheaply: a tick of a long worm moves every
// segment's index but changes only the cells of the head and the old tail.
struct ShownScene {
    Color background = colors::black;
    std::vector<ShownSprite> sprites;

    // Fills the scene from the window's state, reusing its memory.
    void takeFrom(const FormState& state);
};

// The sprites that are in one scene and not in the other (as many times
// as they differ): exactly the boxes that must be painted again.
void spritesThatDiffer(const ShownScene& before, const ShownScene& after,
                       std::vector<ShownSprite>& out);

}  // namespace vermo
