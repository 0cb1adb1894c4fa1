#include "win32/modal_work.h"

#include <algorithm>
#include <vector>

namespace talvorne {
namespace {

// The program's windows, and so its modal work, all live on the one thread that runs its loop.
int depth = 0;
std::vector<const ModalWorkEndNotice*> notices;

}  // namespace

ModalWork::ModalWork() {
  ++depth;
}

ModalWork::~ModalWork() {
  if (--depth > 0) return;
  for (const ModalWorkEndNotice* notice : notices) {
    PostMessageW(notice->window_, notice->message_, 0, 0);
  }
}

bool ModalWork::Running() {
  return depth > 0;
}

ModalWorkEndNotice::ModalWorkEndNotice(HWND window, UINT message)
    : window_(window), message_(message) {
  notices.push_back(this);
}

ModalWorkEndNotice::~ModalWorkEndNotice() {
  notices.erase(std::remove(notices.begin(), notices.end(), this), notices.end());
}

}  // namespace talvorne
