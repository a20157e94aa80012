#include "platform/widgets/Dialogs.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

namespace {

Dialogs::BoxHook& boxHook() {
    static Dialogs::BoxHook hook;
    return hook;
}

Dialogs::SleepHook& sleepHook() {
    static Dialogs::SleepHook hook;
    return hook;
}

QMessageBox::StandardButton standardOf(Dialogs::Button button) {
    using B = Dialogs::Button;
    switch (button) {
    case B::Ok:
        return QMessageBox::Ok;
    case B::Cancel:
        return QMessageBox::Cancel;
    case B::Yes:
        return QMessageBox::Yes;
    case B::No:
        return QMessageBox::No;
    case B::Abort:
        return QMessageBox::Abort;
    case B::Retry:
        return QMessageBox::Retry;
    case B::Ignore:
        return QMessageBox::Ignore;
    case B::None:
        break;
    }
    return QMessageBox::NoButton;
}

Dialogs::Button buttonOf(int standard) {
    using B = Dialogs::Button;
    switch (standard) {
    case QMessageBox::Ok:
        return B::Ok;
    case QMessageBox::Cancel:
        return B::Cancel;
    case QMessageBox::Yes:
        return B::Yes;
    case QMessageBox::No:
        return B::No;
    case QMessageBox::Abort:
        return B::Abort;
    case QMessageBox::Retry:
        return B::Retry;
    case QMessageBox::Ignore:
        return B::Ignore;
    default:
        return B::None;
    }
}

QMessageBox::Icon iconOf(Dialogs::Kind kind) {
    switch (kind) {
    case Dialogs::Kind::Information:
        return QMessageBox::Information;
    case Dialogs::Kind::Warning:
        return QMessageBox::Warning;
    case Dialogs::Kind::Error:
        return QMessageBox::Critical;
    case Dialogs::Kind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

namespace Dialogs {

Button MessageBox(const Box& box) {
    if (boxHook())
        return boxHook()(box);
    QMessageBox dialog(iconOf(box.kind), box.title.isEmpty() ? QApplication::applicationName() : box.title,
                       box.text, QMessageBox::NoButton, QApplication::activeWindow());
    dialog.setTextFormat(Qt::PlainText); // a message may carry what the game service sent
    const QVector<Button> buttons = box.buttons.isEmpty() ? QVector<Button>{Button::Ok} : box.buttons;
    for (Button button : buttons)
        dialog.addButton(standardOf(button));
    dialog.setDefaultButton(standardOf(buttons.first()));
    dialog.exec();
    QAbstractButton* clicked = dialog.clickedButton();
    return clicked ? buttonOf(dialog.standardButton(clicked)) : Button::None;
}

void SetBoxHook(BoxHook hook) {
    boxHook() = std::move(hook);
}

void Sleep(int Milliseconds) {
    if (sleepHook()) {
        sleepHook()(Milliseconds);
        return;
    }
    if (Milliseconds <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(Milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void SetSleepHook(SleepHook hook) {
    sleepHook() = std::move(hook);
}

Recorder::Recorder(QVector<Button> answers) : answers_(std::move(answers)) {
    SetBoxHook([this](const Box& box) {
        Boxes.append(box);
        if (!answers_.isEmpty())
            return answers_.takeFirst();
        return box.buttons.isEmpty() ? Button::Ok : box.buttons.first();
    });
    SetSleepHook([this](int milliseconds) { Sleeps.append(milliseconds); });
}

Recorder::~Recorder() {
    SetBoxHook({});
    SetSleepHook({});
}

} // namespace Dialogs

void ShowMessage(const QString& Text) {
    Dialogs::MessageBox({Dialogs::Kind::Information, QString(), Text, {Dialogs::Button::Ok}});
}
