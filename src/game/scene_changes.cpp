#include "game/scene_changes.h"

#include <algorithm>
#include <tuple>

namespace vermo {

void ShownScene::takeFrom(const FormState& state)
{
    background = state.BackColor;
    sprites.clear();
    auto addDisc = [this](const Circle& c) {
        if (c.Visible)
            sprites.push_back({c.Left, c.Top, c.Width, c.Height, ShownSprite::Disc, c.FillColor,
                               c.BorderColor});
    };
    auto addPicture = [this](const Image& image, ShownSprite::Kind kind) {
        if (image.Visible && !image.Picture.empty())
            sprites.push_back({image.Left, image.Top, image.Width, image.Height, kind, 0, 0});
    };
    addDisc(state.berry);
    for (const Image& item : state.poison.elements())
        addPicture(item, ShownSprite::Poison);
    for (const Circle& segment : state.vermo.elements())
        addDisc(segment);
    addPicture(state.headu, ShownSprite::HeadUp);
    addPicture(state.headd, ShownSprite::HeadDown);
    addPicture(state.headl, ShownSprite::HeadLeft);
    addPicture(state.headr, ShownSprite::HeadRight);
    std::sort(sprites.begin(), sprites.end());
}

void spritesThatDiffer(const ShownScene& before, const ShownScene& after,
                       std::vector<ShownSprite>& out)
{
    out.clear();
    std::set_symmetric_difference(before.sprites.begin(), before.sprites.end(),
                                  after.sprites.begin(), after.sprites.end(),
                                  std::back_inserter(out));
}

}  // namespace vermo
