// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/form_state.h"

namespace vermo {

namespace {
Image designImage(int leftTwips, int topTwips, bool visible)
{
    Image image;
    image.Left = cmFromTwips(leftTwips);
    image.Top = cmFromTwips(topTwips);
    image.Visible = visible;
    return image;
}

Line designLine(int x1, int y1, int x2, int y2)
{
    return Line{cmFromTwips(x1), cmFromTwips(y1), cmFromTwips(x2), cmFromTwips(y2), colors::wallBlue};
}
}  // namespace

FormState::FormState()
    : lborder(designLine(285, 6789, 285, 270)),
      rborder(designLine(6792, 6789, 6792, 270)),
      dborder(designLine(278, 6795, 6783, 6795)),
      uborder(designLine(6775, 285, 268, 285)),
      poison(1, designImage(1440, 1320, false)),
      headd(designImage(3120, 3600, true)),
      headl(designImage(2760, 3360, true)),
      headr(designImage(3480, 3360, true)),
      headu(designImage(3120, 3120, true)),
      vermo(0, Circle{startCell, startCell, spriteSize, spriteSize, colors::wormGreen,
                      colors::wormGreen, true})
{
    berry.Left = cmFromTwips(3720);
    berry.Top = cmFromTwips(720);
    berry.FillColor = colors::red;
    berry.BorderColor = colors::black;
}

}  // namespace vermo
