#pragma once
// SIGTERM, SIGINT and SIGHUP end the run like the close box, so that the run ends
// through the program's own shutdown (the settings are written) rather than at once.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform {

// While it lives, each of the three signals runs `onSignal` from the message loop: the
// handler only writes a byte into a pipe, and the loop turns it into the call. A signal
// that the program inherited as ignored stays ignored (so that `nohup quorvel` keeps
// running when its terminal goes). The destructor puts back the handlers it replaced.
class TCloseSignals {
public:
  explicit TCloseSignals(std::function<void()> onSignal);
  ~TCloseSignals();
  TCloseSignals(const TCloseSignals&) = delete;
  TCloseSignals& operator=(const TCloseSignals&) = delete;

private:
  std::unique_ptr<QSocketNotifier> Notifier;
  std::function<void()> OnSignal;
};

}  // namespace platform
