// Up to 30 pictures, loaded from consecutive PCT ids or borrowed.
#pragma once

#include <cstdint>

class CPicture;

class CFrameSet {
 public:
  static constexpr int kMaxFrames = 30;

  CFrameSet() = default;
  ~CFrameSet();
  CFrameSet(const CFrameSet&) = delete;
  CFrameSet& operator=(const CFrameSet&) = delete;

  // Pictures firstId..lastId (at most 30), each decoded at width x height.
  void LoadFrames(int firstId, int lastId, int width, int height);
  // Uses someone else's pictures; they are never freed here.
  void BorrowFrames(CPicture* const* pictures, int n);
  // Destroys owned pictures; a borrowed set frees nothing.
  void ReleaseFrames();

  CPicture* pictures[kMaxFrames] = {};
  std::int32_t count = 0;
  std::uint8_t borrowed = 0;
};
