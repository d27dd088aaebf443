#pragma once
// Message loops of our own, the quit request that ends them, and the hook through which
// a test driver hears of modal windows.
//
// Every running loop is known, so that the quit request can end them all, innermost
// first; a loop started while the request is pending returns at once. End() may be
// called from inside a nested loop: this loop then returns when control is back in it.

#include <QEventLoop>

#include <functional>
#include <string_view>

namespace platform {

class TDialog;
class TWindow;

class TModalLoop {
public:
  TModalLoop() = default;
  TModalLoop(const TModalLoop&) = delete;
  TModalLoop& operator=(const TModalLoop&) = delete;

  void Run();          // until End() or the quit request
  void End();
  bool Ended() const { return Done; }

  // Runs `work` once, after `milliseconds`, from the message processing of this loop or
  // of one nested in it. Work not run when the loop is destroyed is dropped, so it can
  // never outlive the loop or the locals of the function that runs it.
  void Post(std::function<void()> work, int milliseconds = 0);

private:
  friend void ExitAllLoops();
  QEventLoop Loop;
  bool Done = false;
};

// The innermost running loop; null when none runs.
TModalLoop* InnermostLoop();
// Ends every running loop, innermost first.
void ExitAllLoops();

// The quit request: the first request's code is kept, every running loop ends and
// later loops return at once, until ResetQuit (the start of an application's Run).
void RequestQuit(int code);
bool QuitIsPending();
int PendingQuitCode();
void ResetQuit();

// A modal window as the hook reports it.
struct TModalWindow {
  enum class TKind { Dialog, MessageBox, FontChooser };
  TKind Kind;
  QWidget* Window;            // the modal's own window
  TWindow* Owner;             // the window object that owns it; may be null
  TDialog* Dialog;            // Dialog: the dialog object; else null
  bool Exclamation;           // MessageBox: shows the exclamation icon
  std::string_view Text;      // MessageBox: its text, as the bytes it was given
  TModalLoop* Loop;           // the loop that runs it
  std::function<void()> End;  // ends it as Escape would
};

// Told of every modal window: ModalShown from inside its loop once the window is on the
// screen, ModalEnded after its loop has returned, before the window goes.
class TModalObserver {
public:
  virtual ~TModalObserver() = default;
  virtual void ModalShown(const TModalWindow& modal) = 0;
  virtual void ModalEnded(const TModalWindow& modal) = 0;
};

// The shipped programs set none; a test driver sets its own. Null removes it.
void SetModalObserver(TModalObserver* observer);

// Runs `loop` for `modal`, telling the observer, if one is set, as above.
void RunModalLoop(TModalLoop& loop, const TModalWindow& modal);

}  // namespace platform
