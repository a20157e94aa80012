#pragma once
// The program's modal boxes and its sleeper. Every window shows its messages through these, so that
// tests can install a recorder: no test ever waits on a modal box or sleeps for real.
#include <QString>
#include <QVector>
#include <functional>

namespace Dialogs {

enum class Kind { Information, Warning, Error, Confirmation };
enum class Button { None, Ok, Cancel, Yes, No, Abort, Retry, Ignore };

// One box as it would be shown.
struct Box {
    Kind kind = Kind::Information;
    QString title; // empty: the application's title
    QString text;
    QVector<Button> buttons; // in the order shown; the first one is the default
};

// Shows the box modally and returns the button chosen (Button::None when the box was closed
// without a choice, e.g. with Esc and no Cancel button).
Button MessageBox(const Box& box);

// A box that only replaces the real one: it gets the box and answers for the user.
using BoxHook = std::function<Button(const Box& box)>;
// An empty hook restores the real boxes.
void SetBoxHook(BoxHook hook);

// Waits Milliseconds while the window messages go on being processed.
void Sleep(int Milliseconds);
using SleepHook = std::function<void(int milliseconds)>;
void SetSleepHook(SleepHook hook); // empty: the real sleeper

// Collects every box and sleep while it lives and answers each box with the next of the given
// answers (the box's first button when they run out). Restores the real ones when it goes.
class Recorder {
public:
    explicit Recorder(QVector<Button> answers = {});
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    QVector<Box> Boxes;
    QVector<int> Sleeps;

private:
    QVector<Button> answers_;
};

} // namespace Dialogs

// A plain message with an OK button.
void ShowMessage(const QString& Text);
