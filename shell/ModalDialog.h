#pragma once
// How the program's own dialogs are shown modally. Tests put a runner in place of the real modal loop
// that acts for the user on the dialog and returns its result, so that no dialog ever waits in a test.
#include <functional>

class QDialog;

namespace ModalDialog {

// The modal result a dialog ends with when its connect succeeded ("OK") and when it was given up with
// its abort button ("abort"). Esc and closing the window end it with 0 (rejected).
constexpr int ResultOK = 1;
constexpr int ResultAbort = 3;

using Runner = std::function<int(QDialog& dialog)>;
// An empty runner restores the real modal loop.
void SetRunner(Runner runner);

// Shows the dialog modally and returns the result it ended with.
int Exec(QDialog& dialog);

} // namespace ModalDialog
