#include "platform/qt/QtSignals.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::array<int, 3> CloseSignals = {SIGTERM, SIGINT, SIGHUP};

// Made once per process and kept: a handler may still run while a notifier goes.
int SignalPipe[2] = {-1, -1};

// The handlers replaced, to put back; a signal left alone has none here.
std::array<struct sigaction, CloseSignals.size()> Replaced{};
std::array<bool, CloseSignals.size()> Installed{};

void WriteSignalByte(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(SignalPipe[1], &byte, 1);
}

}  // namespace

TCloseSignals::TCloseSignals(std::function<void()> onSignal) : OnSignal(std::move(onSignal)) {
  if (SignalPipe[0] < 0 && pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  Notifier = std::make_unique<QSocketNotifier>(SignalPipe[0], QSocketNotifier::Read);
  QObject::connect(Notifier.get(), &QSocketNotifier::activated, Notifier.get(), [this] {
    char bytes[16];
    while (read(SignalPipe[0], bytes, sizeof bytes) > 0) {
    }
    if (OnSignal) OnSignal();
  });
  for (std::size_t i = 0; i < CloseSignals.size(); ++i) {
    struct sigaction previous {};
    sigaction(CloseSignals[i], nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = WriteSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    Installed[i] = sigaction(CloseSignals[i], &action, &Replaced[i]) == 0;
  }
}

TCloseSignals::~TCloseSignals() {
  for (std::size_t i = 0; i < CloseSignals.size(); ++i) {
    if (Installed[i]) sigaction(CloseSignals[i], &Replaced[i], nullptr);
    Installed[i] = false;
  }
}

}  // namespace platform
