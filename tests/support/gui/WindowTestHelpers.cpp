#include "support/gui/WindowTestHelpers.h"

#include "core/UConectar.h"
#include "platform/widgets/RadioGroup.h"
#include "shell/ModalDialog.h"
#include "shell/ProgramWindows.h"
#include "shell/UOptions.h"
#include "support/TestHelpers.h"
#include "support/gui/TestProgram.h"
#include "viewer/UPartidos.h"

#include <QBuffer>
#include <QTableView>

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
    return ReadBytes(path);
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
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return buffer.data();
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

QStringList ShownTexts(const QWidget* root) {
    QStringList texts;
    for (const QWidget* w : root->findChildren<const QWidget*>()) {
        if (auto* label = qobject_cast<const QLabel*>(w))
            texts << label->text();
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << button->text();
        else if (auto* edit = qobject_cast<const QLineEdit*>(w))
            texts << edit->text();
        else if (auto* group = qobject_cast<const QGroupBox*>(w))
            texts << group->title();
        else if (auto* tabs = qobject_cast<const QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        else if (auto* grid = qobject_cast<const QTableView*>(w))
            for (int c = 0; grid->model() && c < grid->model()->columnCount(); ++c)
                texts << grid->model()->index(0, c).data().toString();
    }
    return texts;
}

void Choose(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
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
    m.SetCells(MatchColumn::YouthFlag, slot, QString::number(int(youth)));
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

void Login() {
    QString result;
    ConexionLogin(QStringLiteral("demo"), QStringLiteral("velkaro"), result);
    ASSERT_EQ(result, QStringLiteral("OK"));
}
void ConnectDemo(int type, int load, const QString& code) {
    FOptions->EditTeamID->setText(QStringLiteral("250101"));
    FPartidos->EditUsuario->setText(QStringLiteral("demo"));
    FPartidos->EditPassword->setText(code);
    FPartidos->RadioGroupTipoPartidos->SetItemIndex(type);
    FPartidos->RadioGroupCargaInicial->SetItemIndex(load);
    FPartidos->BitBtnConectarClick();
}

void SetClock(const TestProgram& program, const QString& when) {
    ASSERT_FALSE(
        program.Service->Control("/_control/clock?set=" + QString(when).replace(' ', "%20")).isEmpty());
}

void SwitchSoundsOn() {
    FOptions->CheckBoxSonidos->setChecked(true);
    for (int k = 0; k < SoundKind::Count; ++k) {
        FOptions->CheckBoxSonidosKind[k]->setChecked(true);
        FOptions->EditSonido[k]->setText(AppDir + SoundKind::DefaultFile(k));
    }
}

QString MatchCell(int column, int slot) {
    return FOptions->BKStringGrid10Partidos().Cells(column, slot);
}
QStringList Column(const TBKStringGrid& table, int column, int first, int last) {
    QStringList cells;
    for (int r = first; r <= (last < 0 ? table.RowCount() - 2 : last) && r < table.RowCount(); ++r)
        cells << table.Cells(column, r);
    return cells;
}
QString RowCells(const TBKStringGrid& table, int row, std::initializer_list<int> columns) {
    QStringList cells;
    for (const int column : columns)
        cells << table.Cells(column, row);
    return cells.join('|');
}

QStringList PlayedNames(const MediaPlayerRecorder& recorder) {
    QStringList names;
    for (const QString& file : recorder.Played())
        names << file.section(QLatin1Char('/'), -1);
    return names;
}
QStringList BoxTexts(const TestProgram& program) {
    QStringList texts;
    for (const auto& box : program.Boxes.Boxes)
        texts << box.text;
    return texts;
}
