#pragma once
// A guard for scripts of dialogs whose ending the code under test decides.

#include <gtest/gtest.h>

#include <memory>

#include "platform/Commands.h"
#include "platform/Dialog.h"
#include "platform/testing/ModalScripts.h"
#include "platform/testing/Schedule.h"

namespace testsupport {

// Fails the test and ends the dialog when a script leaves it open, so that a fault in
// the code under test cannot hang the run. It stops watching when it goes out of scope.
class TLeftOpenGuard {
public:
  TLeftOpenGuard() : Watched(std::make_shared<platform::TDialog*>(nullptr)) {}
  ~TLeftOpenGuard() { *Watched = nullptr; }
  TLeftOpenGuard(const TLeftOpenGuard&) = delete;
  TLeftOpenGuard& operator=(const TLeftOpenGuard&) = delete;

  // A script that runs `script`, then starts watching the dialog it ran in.
  platform::testing::TModalScript Guarding(platform::testing::TModalScript script) {
    return [this, script = std::move(script)](platform::testing::TModal& modal) {
      script(modal);
      *Watched = modal.Dialog();
      platform::testing::RunAfter(LeftOpenMs, [watched = Watched] {
        if (*watched && (*watched)->IsExecuting()) {
          ADD_FAILURE() << "the script left the dialog open";
          (*watched)->EndDialog(platform::IdCancel);
        }
      });
    };
  }

private:
  static constexpr int LeftOpenMs = 3000;
  std::shared_ptr<platform::TDialog*> Watched;
};

}  // namespace testsupport
