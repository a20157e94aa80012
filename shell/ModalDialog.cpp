#include "shell/ModalDialog.h"

#include <QDialog>

namespace {

ModalDialog::Runner& CurrentRunner() {
    static ModalDialog::Runner runner;
    return runner;
}

} // namespace

void ModalDialog::SetRunner(Runner runner) {
    CurrentRunner() = std::move(runner);
}

int ModalDialog::Exec(QDialog& dialog) {
    if (const Runner& runner = CurrentRunner())
        return runner(dialog);
    return dialog.exec();
}
