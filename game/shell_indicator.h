// The shells left, as a row of cartridges that turns into a blinking
// Reload sign when the gun is empty.
#pragma once

#include <cstdint>

class CAnimatedSprite;
class CFrameSet;
class CTileBackground;

class CShellIndicator {
 public:
  CShellIndicator() = default;
  virtual ~CShellIndicator() = default;
  CShellIndicator(const CShellIndicator&) = delete;
  CShellIndicator& operator=(const CShellIndicator&) = delete;

  // At screen (x, y), full.
  void Create(int x, int y, CTileBackground* scene, std::uint8_t capacity);
  void Fire();
  void Reload();
  // Switches between the Reload sign and its highlighted picture.
  void Blink();
  // Back to its screen position after a scroll.
  void Follow();
  void Hide();
  void Show();
  void Destroy();

  std::uint8_t shells = 0;
  std::uint8_t capacity = 0;
  CAnimatedSprite* sprite = nullptr;  // owned
  CFrameSet* frames = nullptr;        // owned
  std::int32_t x = 0;
  std::int32_t y = 0;

 private:
  CTileBackground* scene_ = nullptr;
};
