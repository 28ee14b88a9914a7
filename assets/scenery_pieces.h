// Where the scenery pieces stand in the world, for the asset tool that cuts
// them from the lake's foreground and for the tests that check them against
// the background tiles. The game places them at the same positions.
#pragma once

namespace assets {

struct SceneryPiece {
  int id;    // picture
  int x, y;  // world position of the top-left pixel
  int width, height;
};

inline constexpr SceneryPiece kSceneryPieces[] = {
    {261, 141, 530, 56, 36}, {262, 164, 566, 38, 28}, {263, 126, 566, 38, 28},
    {264, 124, 594, 36, 38}, {265, 160, 594, 42, 44}, {266, 139, 638, 40, 34},
    {267, 202, 590, 32, 16}, {284, 57, 9, 34, 30},    {285, 91, 9, 28, 30},
    {286, 56, 39, 38, 24},   {287, 94, 39, 38, 24},   {289, 66, 63, 34, 32},
    {290, 100, 63, 28, 32},  {291, 132, 48, 44, 12},  {292, 128, 830, 50, 34},
    {293, 108, 848, 20, 16}, {294, 108, 864, 70, 52}, {295, 108, 916, 70, 44},
    {296, 90, 922, 18, 38},  {297, 200, 237, 40, 32}, {298, 213, 336, 24, 10},
    {299, 201, 359, 32, 20}, {300, 216, 400, 14, 14}, {301, 198, 92, 42, 50},
};

// The hidden flower, which is not part of the background.
inline constexpr SceneryPiece kHiddenFlower = {302, 165, 914, 12, 10};

}  // namespace assets
