// The options window's sound player and the handlers of its sound page: choosing, testing, switching
// on and off, and the durations.
#include "core/Settings.h"
#include "platform/widgets/Dialogs.h"
#include "shell/UOptions.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <exception>

namespace {

const QString kOptions = QStringLiteral("Opciones");

// The kind whose row holds the button numbered index + 1 (the buttons are numbered in the order the
// kinds were added to the program, not in the order of the rows).
constexpr SoundKind::Value kKindOfButton[SoundKind::Count] = {
    SoundKind::MiGol,      SoundKind::OtroGol, SoundKind::Ocasion, SoundKind::InicioPartido,
    SoundKind::FinPartido, SoundKind::Tarjeta, SoundKind::Lesion,  SoundKind::ContraGol};

template <typename Buttons> int ButtonIndex(const Buttons& buttons, const QObject* sender) {
    for (int i = 0; i < int(buttons.size()); ++i)
        if (buttons[i] == sender)
            return i;
    return -1;
}

// Resets the playing flag however the player leaves.
class PlayingFlag {
public:
    explicit PlayingFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~PlayingFlag() { flag_ = false; }
    PlayingFlag(const PlayingFlag&) = delete;
    PlayingFlag& operator=(const PlayingFlag&) = delete;

private:
    bool& flag_;
};

} // namespace

TFOptions::SonidoElegido TFOptions::ElegirSonido(const QString& Kind, const QString& Key,
                                                 const QString& Third, int Duration) const {
    SonidoElegido chosen;
    chosen.Duration = Duration;
    chosen.Play = true;
    auto row = [&](int kind) {
        chosen.Kind = kind;
        chosen.FileName = EditSonido[kind]->text();
        chosen.Duration = SpinEdit[kind]->value();
        chosen.Play = CheckBoxSonidosKind[kind]->isChecked();
    };
    const QString prefix = Key.left(3);

    if (Kind == QLatin1String("Test")) {
        // A test plays whatever its switches say, for the duration of the row it was started from.
        chosen.FileName = Third;
        for (int k = 0; k < SoundKind::Count; ++k) {
            if (EditSonido[k]->objectName() == Key) {
                chosen.Kind = k;
                chosen.Duration = SpinEdit[k]->value();
                break;
            }
        }
    } else if (Kind == QLatin1String("0") &&
               (Third == EditTeamID->text() || Third == EditTeamIDJuveniles->text())) {
        // The user's own goal comes first, whatever the other rows would say.
        row(SoundKind::MiGol);
    } else if (Kind == QLatin1String("0") && Third == QLatin1String("ContraGol")) {
        row(SoundKind::ContraGol);
    } else if (Kind == QLatin1String("0")) {
        row(SoundKind::OtroGol);
    } else if (Kind == QLatin1String("1")) {
        row(SoundKind::Ocasion);
    } else if (Kind == QLatin1String("20") || Kind == QLatin1String("21")) {
        row(SoundKind::Lesion);
    } else if (Kind == QLatin1String("30") || Kind == QLatin1String("31") || Kind == QLatin1String("32")) {
        row(SoundKind::Tarjeta);
    } else if (Kind == QLatin1String("5") &&
               (prefix == QLatin1String("30_") || prefix == QLatin1String("31_") ||
                prefix == QLatin1String("32_") || prefix == QLatin1String("33_"))) {
        row(SoundKind::InicioPartido);
    } else if (Kind == QLatin1String("5") && prefix == QLatin1String("599")) {
        row(SoundKind::FinPartido);
    }
    // Anything else (team events, the program's own events, other match information) is silent.
    return chosen;
}

void TFOptions::EjecutarSonido(const QString& Kind, const QString& Key, const QString& Third, int Duration) {
    // While a sound plays the window goes on processing messages; a test clicked meanwhile would cut
    // the playing sound short, so it is ignored.
    if (sonando_)
        return;
    try {
        if (Kind != QLatin1String("Test") && !CheckBoxSonidos->isChecked())
            return;
        const SonidoElegido chosen = ElegirSonido(Kind, Key, Third, Duration);
        if (chosen.FileName.isEmpty() || !chosen.Play || !QFileInfo(chosen.FileName).isFile())
            return;
        const PlayingFlag playing(sonando_);
        if (!MediaPlayer1.Open(chosen.FileName))
            return;
        if (!MediaPlayer1.Play()) {
            // No audio output, or a file the player cannot play: nothing to wait for.
            MediaPlayer1.Close();
            return;
        }
        QCoreApplication::processEvents();
        // The sound is cut off after its duration: a burst of events plays one sound after the other.
        Dialogs::Sleep(chosen.Duration);
        MediaPlayer1.Close();
    } catch (...) {
        // A file the player cannot open or play stays silent; nothing is shown.
        MediaPlayer1.Close();
    }
}

void TFOptions::SpeedSonido1Click(QObject* Sender) {
    const int button = ButtonIndex(SpeedSonido, Sender);
    const int kind = button < 0 ? int(SoundKind::MiGol) : int(kKindOfButton[button]);
    const QString title = LangText(QStringLiteral("Options"), QStringLiteral("Sounds"), QString());
    const QString filter = QStringLiteral("Wav files (*.wav);;Mp3 files (*.mp3)");
    const QString file = OpenDialog1 ? OpenDialog1(title, filter)
                                     : QFileDialog::getOpenFileName(this, title, QString(), filter);
    if (file.isEmpty())
        return;
    EditSonido[kind]->setText(file);
    GuardarDatos();
    EditSonido[kind]->selectAll();
}

void TFOptions::SpeedTest1Click(QObject* Sender) {
    const int button = ButtonIndex(SpeedTest, Sender);
    if (button < 0)
        return;
    const QLineEdit* edit = EditSonido[kKindOfButton[button]];
    EjecutarSonido(QStringLiteral("Test"), edit->objectName(), edit->text(), DefaultSoundDuration);
}

void TFOptions::CheckBoxSonidosClick(QCheckBox* Sender) {
    if (LoadingOptions != 1 && SettingsIni) {
        auto flag = [](const QCheckBox* box) {
            return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        };
        SettingsIni->WriteString(kOptions, QStringLiteral("Sonidos"), flag(CheckBoxSonidos));
        for (int k = 0; k < SoundKind::Count; ++k)
            SettingsIni->WriteString(kOptions, QStringLiteral("Sonidos") + SoundKind::Name(k),
                                     flag(CheckBoxSonidosKind[k]));
        try {
            SettingsIni->UpdateFile();
        } catch (const std::exception&) {
            // The switches stay in memory and reach the disk with the next write.
        }
    }
    if (Sender == CheckBoxSonidos) {
        for (QCheckBox* box : CheckBoxSonidosKind)
            box->setEnabled(CheckBoxSonidos->isChecked());
    }
}

void TFOptions::SpinEditMiGolChange(QObject* /*Sender*/) {
    // Durations stay in memory; the file follows with the next write of the settings.
    if (LoadingOptions == 1 || !SettingsIni)
        return;
    for (int k = 0; k < SoundKind::Count; ++k) {
        try {
            SettingsIni->WriteInteger(kOptions, QStringLiteral("DuracionSonidos") + SoundKind::Name(k),
                                      SpinEdit[k]->value());
        } catch (const std::exception&) {
            // A duration that cannot be read keeps its stored value.
        }
    }
}

void TFOptions::ConnectSoundHandlers() {
    for (QToolButton* button : SpeedSonido)
        connect(button, &QToolButton::clicked, this, [this, button] { SpeedSonido1Click(button); });
    for (QToolButton* button : SpeedTest)
        connect(button, &QToolButton::clicked, this, [this, button] { SpeedTest1Click(button); });
    // A duration's handler runs also when code sets the value (LoadingOptions keeps the loading from
    // writing).
    for (QSpinBox* spin : SpinEdit)
        connect(spin, &QSpinBox::valueChanged, this, [this, spin](int) { SpinEditMiGolChange(spin); });
}
