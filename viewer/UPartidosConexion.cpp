// TFPartidos: the connection panel. Login fields, the proxy settings and their scrambled file, the
// choice of live or recorded matches, and when the connect button may be used.
#include "viewer/UPartidos.h"

#include "core/DataStore.h"
#include "core/FirstRun.h"
#include "core/Settings.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "core/UGlobal.h"
#include "platform/widgets/RadioGroup.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr qint64 MaxProxyPort = 2000000;

QString Flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

void TFPartidos::GuardarDatos() {
    try {
        TBKStringGrid& t = BKStringGridProxy;
        t.SetCells(0, ProxyRow::ProxyEnabledRow, Flag(CheckBoxProxy->isChecked()));
        t.SetCells(0, ProxyRow::ProxyServerRow, EditProxyServer->text());
        t.SetCells(0, ProxyRow::ProxyPortRow, EditProxyPort->text());
        t.SetCells(0, ProxyRow::ProxyUserRow, EditProxyUserName->text());
        t.SetCells(0, ProxyRow::ProxyPasswordRow, EditProxyPassword->text());
        // The security code is stored only when the user asked for it.
        const bool remember = CheckBoxPassword->isChecked();
        t.SetCells(0, ProxyRow::RememberCodeRow, Flag(remember));
        t.SetCells(0, ProxyRow::SecurityCodeRow, remember ? EditPassword->text() : QString());
        SaveTableTo(t, AppDir);
    } catch (...) {
        // A settings file that cannot be written must not stop a connect or a close.
    }
}

void TFPartidos::CompletarProxy() {
    try {
        LoadTableFrom(BKStringGridProxy, AppDir);
    } catch (...) {
        return; // no usable file: the controls keep their initial state
    }
    try {
        const TBKStringGrid& t = BKStringGridProxy;
        // Only "0" turns the proxy off; any other value, empty included, turns it on.
        CheckBoxProxy->setChecked(t.Cells(0, ProxyRow::ProxyEnabledRow) != QLatin1String("0"));
        CheckBoxProxyClick();
        EditProxyServer->setText(t.Cells(0, ProxyRow::ProxyServerRow));
        EditProxyPort->setText(t.Cells(0, ProxyRow::ProxyPortRow));
        EditProxyUserName->setText(t.Cells(0, ProxyRow::ProxyUserRow));
        EditProxyPassword->setText(t.Cells(0, ProxyRow::ProxyPasswordRow));
        // The code first: checking the box saves the controls again, and must find the code there.
        if (t.Cells(0, ProxyRow::RememberCodeRow) == QLatin1String("1")) {
            EditPassword->setText(t.Cells(0, ProxyRow::SecurityCodeRow));
            CheckBoxPassword->setChecked(true);
        } else {
            CheckBoxPassword->setChecked(false);
            EditPassword->clear();
        }
    } catch (...) {
    }
}

void TFPartidos::CheckBoxProxyClick() {
    const bool on = CheckBoxProxy->isChecked();
    for (QLineEdit* edit : {EditProxyServer, EditProxyPort, EditProxyUserName, EditProxyPassword})
        edit->setEnabled(on);
}

QChar TFPartidos::EditProxyPortKeyPress(QChar Key) {
    return FilterNumericKey(EditProxyPort->text(), Key, MaxProxyPort);
}

void TFPartidos::EditUsuarioChange() {
    BitBtnConectar->setEnabled(!EditUsuario->text().isEmpty() && !EditPassword->text().isEmpty());
}

bool TFPartidos::EditPasswordKeyPress(QChar Key) {
    if (Key != QChar(13) || !BitBtnConectar->isEnabled())
        return false;
    BitBtnConectar->setFocus();
    BitBtnConectarClick();
    return true;
}

void TFPartidos::CheckBoxPasswordClick() {
    GuardarDatos();
}

void TFPartidos::RadioGroupTipoPartidosClick() {
    // The initial-load choice exists only for live matches.
    RadioGroupCargaInicial->setHidden(RadioGroupTipoPartidos->ItemIndex() != 0);
}

void TFPartidos::FormClose() {
    GuardarDatos();
    if (DataModule1) {
        QString result;
        ConexionLogout(result);
    }
}

HttpProxyParams TFPartidos::ProxyParamsFromControls() const {
    return ProxyParamsFrom(CheckBoxProxy->isChecked(), EditProxyServer->text(), EditProxyPort->text(),
                           EditProxyUserName->text(), EditProxyPassword->text());
}

bool TFPartidos::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == EditPassword && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        EditPasswordKeyPress(QChar(13));
        return true; // with the button disabled the key does nothing
    }
    if (watched == EditProxyPort) {
        // Only keys that type a character are filtered; editing keys and shortcuts pass.
        const QString text = key->text();
        if (text.size() == 1 && (text[0] == QChar(8) || (text[0] >= QChar(32) && text[0] != QChar(127))))
            return EditProxyPortKeyPress(text[0]).isNull();
    }
    return QWidget::eventFilter(watched, event);
}
