#include "support/gui/WindowTestHelpers.h"

#include "core/DataStore.h"
#include "core/UConectar.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/ModalDialog.h"
#include "shell/ProgramWindows.h"
#include "shell/UOptions.h"
#include "support/gui/TestProgram.h"
#include "viewer/UPartidos.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>
#include <gtest/gtest.h>

void CreateProgramWindows(const QString& ExecutablePath) {
    CrearVentanas(ExecutablePath);
}

void DeleteProgramWindows() {
    ModalDialog::SetRunner({});
    LiberarVentanas();
    Connected = 0;
    RecommendedURL.clear();
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

QByteArray PlainPng(Qt::GlobalColor colour) {
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png;
}

QStringList Entries(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList Entries(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

void Choose(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void ConnectDemo(int initialLoad) {
    FPartidos->EditUsuario->setText(QStringLiteral("demo"));
    FPartidos->EditPassword->setText(QStringLiteral("velkaro"));
    FPartidos->RadioGroupTipoPartidos->SetItemIndex(0);
    FPartidos->RadioGroupCargaInicial->SetItemIndex(initialLoad);
    FPartidos->BitBtnConectarClick();
    FPartidos->TimerConexion->stop();
}

void ShowSlot(int slot) {
    const QSignalBlocker blocker(FPartidos->TabControlPartidos);
    FPartidos->TabControlPartidos->setCurrentIndex(slot);
}

void RebuildSlot(int slot) {
    ShowSlot(slot);
    FPartidos->PrevTab = -1;
    FPartidos->TabControlPartidosChange();
}

void SetMatch(int slot, const QString& matchId, const QString& homeId, const QString& awayId, bool youth) {
    TBKStringGrid& m = FOptions->BKStringGrid10Partidos();
    m.SetCells(MatchColumn::MatchId, slot, matchId);
    m.SetCells(MatchColumn::HomeTeamId, slot, homeId);
    m.SetCells(MatchColumn::AwayTeamId, slot, awayId);
    m.SetCells(MatchColumn::MatchStart, slot, QStringLiteral("2024-03-16 19:00:00"));
    m.SetCells(MatchColumn::YouthFlag, slot, youth ? QStringLiteral("1") : QStringLiteral("0"));
}

void AddEvent(int slot, const TestEvent& e) {
    TBKStringGrid& t = FOptions->BKStringGridEventos(slot);
    AppendRow(t, {QString::number(t.RowCount()), e.minute, e.player, e.team, e.object, e.key, e.html, e.cls});
}

QString LastBox(const TestProgram& program) {
    return program.Boxes.Boxes.isEmpty() ? QString() : program.Boxes.Boxes.last().text;
}

QStringList ServiceRequests(const TestProgram& program) {
    QStringList out;
    for (const QString& line : program.Service->LogLines()) {
        const qsizetype at = line.indexOf(ChppPath);
        if (at >= 0)
            out << line.mid(at + ChppPath.size());
    }
    return out;
}
