// The fixed foreground of the world (branches, grass, parts of a house),
// between the far and the near ducks, with the hidden flower.
#pragma once

#include <cstdint>

class CImage;
class CSprite;
class CTileBackground;

class CScenery {
 public:
  static constexpr int kPieces = 25;
  static constexpr int kFlower = 24;  // the last piece

  CScenery() = default;
  virtual ~CScenery() = default;
  CScenery(const CScenery&) = delete;
  CScenery& operator=(const CScenery&) = delete;

  // Loads the pieces and puts them on the scene.
  void Create(CTileBackground* scene);
  // Takes the flower away.
  void ShootFlower();
  void Hide();
  // Puts the pieces back; a flower once shot stays away.
  void Show();
  void Destroy();

  CSprite* sprites[kPieces] = {};  // owned
  CImage* images[kPieces] = {};    // owned
  std::uint8_t flowerShot = 0;

 private:
  CTileBackground* scene_ = nullptr;
};
