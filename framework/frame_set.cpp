#include "framework/frame_set.h"

#include "graphics/picture.h"

CFrameSet::~CFrameSet() { ReleaseFrames(); }

void CFrameSet::LoadFrames(int firstId, int lastId, int width, int height) {
  ReleaseFrames();
  borrowed = 0;
  count = lastId - firstId + 1;
  if (count > kMaxFrames) count = kMaxFrames;
  if (count < 0) count = 0;
  for (int i = 0; i < count; ++i) {
    pictures[i] = new CPicture;
    pictures[i]->Init();
    pictures[i]->Load(firstId + i, width, height);
  }
}

void CFrameSet::BorrowFrames(CPicture* const* source, int n) {
  ReleaseFrames();
  count = n < kMaxFrames ? (n > 0 ? n : 0) : kMaxFrames;
  for (int i = 0; i < count; ++i) pictures[i] = source[i];
  borrowed = 1;
}

void CFrameSet::ReleaseFrames() {
  if (borrowed) return;
  for (CPicture*& picture : pictures) {
    if (picture == nullptr) continue;
    picture->Release();
    delete picture;
    picture = nullptr;
  }
}
