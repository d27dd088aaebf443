#include "platform/qt/QtModalLoop.h"

#include <QTimer>

#include <vector>

namespace platform {

namespace {

// The running loops, innermost last.
std::vector<TModalLoop*>& RunningLoops() {
  static std::vector<TModalLoop*> loops;
  return loops;
}

bool Quitting = false;
int QuitCode = 0;
TModalObserver* Observer = nullptr;

}  // namespace

void TModalLoop::Run() {
  RunningLoops().push_back(this);
  while (!Done && !Quitting) Loop.exec();
  RunningLoops().pop_back();
}

void TModalLoop::End() {
  Done = true;
  Loop.exit(0);
}

void TModalLoop::Post(std::function<void()> work, int milliseconds) {
  // The loop's own event loop object is the work's context: when it goes, so does the work.
  QTimer::singleShot(milliseconds, &Loop, std::move(work));
}

TModalLoop* InnermostLoop() { return RunningLoops().empty() ? nullptr : RunningLoops().back(); }

void ExitAllLoops() {
  for (auto it = RunningLoops().rbegin(); it != RunningLoops().rend(); ++it) (*it)->Loop.exit(0);
}

void RequestQuit(int code) {
  if (!Quitting) QuitCode = code;
  Quitting = true;
  ExitAllLoops();
}

bool QuitIsPending() { return Quitting; }
int PendingQuitCode() { return QuitCode; }

void ResetQuit() {
  Quitting = false;
  QuitCode = 0;
}

void SetModalObserver(TModalObserver* observer) { Observer = observer; }

void RunModalLoop(TModalLoop& loop, const TModalWindow& modal) {
  if (Observer != nullptr) {
    loop.Post([&modal] {
      if (Observer != nullptr) Observer->ModalShown(modal);
    });
  }
  loop.Run();
  if (Observer != nullptr) Observer->ModalEnded(modal);
}

}  // namespace platform
