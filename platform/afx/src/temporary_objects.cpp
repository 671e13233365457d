#include "temporary_objects.h"

namespace quorla::afx {
namespace {

std::vector<void (*)()>& CleanUps() {
  thread_local std::vector<void (*)()> cleanUps;
  return cleanUps;
}

}  // namespace

void RegisterTemporaryCleanUp(void (*cleanUp)()) { CleanUps().push_back(cleanUp); }

void DeleteTemporaryObjects() {
  for (auto cleanUp : CleanUps()) cleanUp();
}

}  // namespace quorla::afx
