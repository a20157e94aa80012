// The polling clock, the live pause, the replay speed and play controls, and the kit pictures.
#include "viewer/UPartidos.h"

#include "core/UGlobal.h"

#include "core/EventLookups.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "platform/IniFile.h"
#include "platform/widgets/RadioGroup.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace {

const QString LiveViewNewRequest =
    QStringLiteral("/common/chpp/chppxml.axd?file=live&version=1.4&actionType=viewNew");

// A button's picture from a file of the program folder; a missing file leaves the picture as it is.
template <class Button> void SetGlyph(Button* button, const QString& relative) {
    const QString path = AppDir + relative;
    if (QFileInfo::exists(path))
        button->setIcon(QIcon(QPixmap(path)));
}

QString PauseText() {
    return LangText(QStringLiteral("General"), QStringLiteral("Pause"), QStringLiteral("Pause"));
}

QString ContinueText() {
    return LangText(QStringLiteral("General"), QStringLiteral("Continue"), QStringLiteral("Continue"));
}

// Runs the rest of a scope on every way out.
template <class F> struct Finally {
    F f;
    ~Finally() { f(); }
};
template <class F> Finally(F) -> Finally<F>;

// The kit picture server: the [Servidor] Uniformes address, or else the server (scheme, host and
// port) of the recommended service address.
QString KitServer() {
    QString base =
        SettingsIni
            ? SettingsIni->ReadString(QStringLiteral("Servidor"), QStringLiteral("Uniformes"), QString())
                  .trimmed()
            : QString();
    if (base.isEmpty()) {
        const QUrl url(RecommendedURL.trimmed());
        if (!url.isValid() || url.host().isEmpty())
            return QString();
        base =
            url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo)
                .toString();
    }
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

bool IsLetterOrDigitAscii(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

} // namespace

void TFPartidos::CreatePanelTiempo() {
    TimerConexion = new QTimer(this);
    TimerConexion->setInterval(1000);

    auto* layout = new QHBoxLayout(PanelTiempo);
    layout->setContentsMargins(6, 4, 6, 4);
    Label9 = new QLabel(PanelTiempo);
    Label9->setTextFormat(Qt::PlainText);
    EditTiempo = new QLineEdit(PanelTiempo);
    EditTiempo->setReadOnly(true);
    EditTiempo->setFixedWidth(48);
    EditTiempo->setAlignment(Qt::AlignCenter);
    EditTiempo->setText(QStringLiteral("50"));
    ButtonTiempo = new QPushButton(PanelTiempo);
    BitBtnStop = new QPushButton(PanelTiempo);
    SetGlyph(BitBtnStop, QStringLiteral("images/ImageListDiferido_1.png"));
    layout->addWidget(Label9);
    layout->addWidget(EditTiempo);
    layout->addWidget(ButtonTiempo);
    layout->addWidget(BitBtnStop);

    // Recorded mode: the connect hides the clock panel and shows this one in its place (a sibling of
    // PanelTiempo; CreatePanelPartidos puts it below it).
    PanelVelocidad = new QFrame(PanelTiempo->parentWidget());
    PanelVelocidad->setFrameShape(QFrame::StyledPanel);
    PanelVelocidad->setObjectName(QStringLiteral("PanelVelocidad"));
    auto* speed = new QHBoxLayout(PanelVelocidad);
    speed->setContentsMargins(6, 4, 6, 4);
    TrackBarVelocidad = new QSlider(Qt::Horizontal, PanelVelocidad);
    TrackBarVelocidad->setRange(1, 4);
    TrackBarVelocidad->setValue(1);
    TrackBarVelocidad->setPageStep(1);
    TrackBarVelocidad->setTickPosition(QSlider::TicksBelow);
    TrackBarVelocidad->setFixedWidth(100);
    LabelVelocidad = new QLabel(QStringLiteral("1"), PanelVelocidad);
    LabelVelocidad->setTextFormat(Qt::PlainText);
    SpeedButton1 = new QToolButton(PanelVelocidad);
    SpeedButton1->setToolTip(QStringLiteral("1"));
    SpeedButton1->setEnabled(false);
    SetGlyph(SpeedButton1, QStringLiteral("images/Vcrplay.bmp"));
    speed->addWidget(TrackBarVelocidad);
    speed->addWidget(LabelVelocidad);
    speed->addWidget(SpeedButton1);
    speed->addStretch(1);
    layout->addStretch(1);
    PanelVelocidad->setHidden(true);

    connect(TimerConexion, &QTimer::timeout, this, [this] { TimerConexionTimer(); });
    connect(EditTiempo, &QLineEdit::textChanged, this, [this] { EditTiempoChange(); });
    connect(ButtonTiempo, &QPushButton::clicked, this, [this] { ButtonTiempoClick(); });
    connect(BitBtnStop, &QPushButton::clicked, this, [this] { BitBtnStopClick(); });
    connect(TrackBarVelocidad, &QSlider::valueChanged, this, [this] { TrackBarVelocidadChange(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
}

void TFPartidos::LeerIdiomaReloj() {
    Label9->setText(
        LangText(QStringLiteral("Matches"), QStringLiteral("UpdateData"), QStringLiteral("Update data")));
    ButtonTiempo->setText(LangText(QStringLiteral("General"), QStringLiteral("Now"), QStringLiteral("Now")));
    // The live clock runs at creation: the caption offers to pause it.
    BitBtnStop->setText(PauseText());
}

bool TFPartidos::RelojOcupado() const {
    return PollRunning || ConnectRunning || AddRunning;
}

void TFPartidos::TimerConexionTimer() {
    if (RelojOcupado())
        return;
    try {
        bool ok = false;
        int value = EditTiempo->text().toInt(&ok);
        if (!ok)
            value = 60;
        EditTiempo->setText(QString::number(value - 1));
    } catch (...) {
    }
}

void TFPartidos::EditTiempoChange() {
    if (EditTiempo->text() != QLatin1String("0"))
        return;
    if (RadioGroupTipoPartidos->ItemIndex() == 0)
        DescargaLive();
    else
        DescargaDiferido();
}

void TFPartidos::ButtonTiempoClick() {
    DescargaLive();
}

void TFPartidos::DescargaLive() {
    if (RelojOcupado())
        return; // a poll, connect or add is running and pumping messages: this one is dropped
    PollRunning = true;
    Finally done{[this] {
        TimerConexion->start();
        PollRunning = false;
        RunDeferredClockClicks();
    }};
    try {
        TimerConexion->stop();
        EditTiempo->setText(QStringLiteral("60"));
        if (VivoIncompleto)
            ReanadirPartidosVivos();
        QString result;
        BajarFicheroXML(LiveViewNewRequest, AppDir + QStringLiteral("data/Xml/live.xml"), result);
        if (result == QLatin1String("OK")) {
            EventosPartidos();
            Actualizar10Partidos(QString());
            PrevTab = TabControlPartidos->currentIndex();
            TabControlPartidosChange();
        } else {
            VivoIncompleto = true; // what this answer held may count as sent
        }
    } catch (...) {
    }
}

void TFPartidos::DescargaDiferido() {
    if (RelojOcupado())
        return;
    PollRunning = true;
    Finally done{[this] {
        TimerConexion->start();
        PollRunning = false;
        RunDeferredClockClicks();
    }};
    try {
        TimerConexion->stop();
        EditTiempo->setText(QStringLiteral("60"));
        bool ok = false;
        const int minute = ReplayMinute.toInt(&ok);
        ReplayMinute = QString::number((ok ? minute : 0) + 1);
        EventosPartidosFinalizadoActualizar(ReplayMinute);
        Actualizar10Partidos(ReplayMinute);
        PrevTab = TabControlPartidos->currentIndex();
        TabControlPartidosChange();
    } catch (...) {
    }
}

void TFPartidos::RunDeferredClockClicks() {
    // Pause and play pressed while the step ran take effect now, so the restart above does not undo them.
    const int stops = DeferredStopClicks;
    const int plays = DeferredPlayClicks;
    DeferredStopClicks = 0;
    DeferredPlayClicks = 0;
    for (int i = 0; i < stops; ++i)
        BitBtnStopClick();
    for (int i = 0; i < plays; ++i)
        SpeedButton1Click();
}

void TFPartidos::TrackBarVelocidadChange() {
    const bool wasRunning = TimerConexion->isActive();
    TimerConexion->stop();
    int interval = 1000;
    QString caption = QStringLiteral("1");
    switch (TrackBarVelocidad->value()) {
    case 2:
        interval = 500;
        caption = QStringLiteral("2");
        break;
    case 3:
        interval = 250;
        caption = QStringLiteral("4");
        break;
    case 4:
        interval = 100;
        caption = QStringLiteral("10");
        break;
    default:
        break;
    }
    TimerConexion->setInterval(interval);
    LabelVelocidad->setText(caption);
    EditTiempo->setText(QStringLiteral("60")); // the current minute starts again
    if (wasRunning)
        TimerConexion->start();
}

void TFPartidos::SpeedButton1Click() {
    if (PollRunning) {
        ++DeferredPlayClicks;
        return;
    }
    const QString hint = SpeedButton1->toolTip();
    if (hint == QLatin1String("1")) {
        SpeedButton1->setToolTip(QStringLiteral("2"));
        TimerConexion->start();
        if (ButtonAnadirPartido)
            ButtonAnadirPartido->setHidden(true); // no more adds once the replay runs
        SetGlyph(SpeedButton1, QStringLiteral("images/Vcrpause.bmp"));
    } else if (hint == QLatin1String("2")) {
        SpeedButton1->setToolTip(QStringLiteral("3"));
        TimerConexion->stop();
        SetGlyph(SpeedButton1, QStringLiteral("images/Vcrplay.bmp"));
    } else if (hint == QLatin1String("3")) {
        SpeedButton1->setToolTip(QStringLiteral("2"));
        TimerConexion->start();
        SetGlyph(SpeedButton1, QStringLiteral("images/Vcrpause.bmp"));
    }
}

void TFPartidos::BitBtnStopClick() {
    if (PollRunning) {
        ++DeferredStopClicks;
        return;
    }
    if (RelojEnMarcha) {
        TimerConexion->stop();
        RelojEnMarcha = false;
        BitBtnStop->setText(ContinueText());
        SetGlyph(BitBtnStop, QStringLiteral("images/Play.bmp"));
    } else {
        TimerConexion->start();
        RelojEnMarcha = true;
        BitBtnStop->setText(PauseText());
        SetGlyph(BitBtnStop, QStringLiteral("images/Pause.bmp"));
    }
}

void TFPartidos::DescargarUniformes(const QString& Dress, const QString& TeamID) {
    try {
        if (Dress.isEmpty() || (Dress[0] != QLatin1Char('X') && Dress[0] != QLatin1Char('Z')))
            return; // built-in kits need no pictures
        // Both go into addresses and file names.
        if (!IsDecimalDigits(TeamID))
            return;
        for (QChar c : Dress)
            if (!IsLetterOrDigitAscii(c))
                return;
        const QString stem = KitFileStem(Dress, TeamID);
        const QString local = AppDir + QStringLiteral("data/Xml/") + stem;
        if (QFileInfo::exists(local + QStringLiteral(".Shirt.gif")))
            return;
        const QString server = KitServer();
        if (server.isEmpty())
            return;
        const QString url = server + QStringLiteral("/DesignedMatchKits/") + TeamID.left(2) +
                            QLatin1Char('/') + TeamID + QLatin1Char('/') + stem;
        for (const char* part : {".Shirt.gif", ".Shorts.gif", ".Socks.gif"})
            DownloadBinaryFile(url + QLatin1String(part), local + QLatin1String(part));
    } catch (...) {
    }
}
