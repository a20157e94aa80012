#pragma once
// Small steps the window tests share: files of the program folder, the entries of a list, the user's
// choice in a combo box, showing a match slot, a match row and its events, and the file requests the
// substitute service received.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <initializer_list>

class MediaPlayerRecorder;
class QComboBox;
class QListWidget;
class QWidget;
class TBKStringGrid;
class TestProgram;

// The program's windows, data module and dialogs created in the order of the program's start, the
// main window on the program folder of ExecutablePath; and all of them deleted again (each global
// back to null, not connected).
void CreateProgramWindows(const QString& ExecutablePath);
void DeleteProgramWindows();

// The file's bytes; empty when it cannot be read.
QByteArray ReadFile(const QString& path);
// Writes the bytes, creating the folder; a failure is a test failure.
void WriteFile(const QString& path, const QByteArray& bytes);
// A PNG picture of 16 x 16 pixels in one colour.
QByteArray PlainPng(Qt::GlobalColor colour);

QStringList Entries(const QComboBox* combo);
QStringList Entries(const QListWidget* list);
// Every text the widget and its children show: labels, buttons, line edits, group titles, tab captions
// and the caption row of each grid.
QStringList ShownTexts(const QWidget* root);
// The user's choice in a combo box: selects the entry and runs the combo's OnChange.
void Choose(QComboBox* combo, const QString& text);

// Selects the matches window's slot tab without running its handler.
void ShowSlot(int slot);
// Selects the slot and rebuilds the view as a change of tab does.
void RebuildSlot(int slot);

// Fills the slot's match row with the IDs, the kick-off 2024-03-16 19:00:00 and the youth flag.
void SetMatch(int slot, const QString& matchId, const QString& homeId, const QString& awayId,
              bool youth = false);

struct TestEvent {
    QString team;
    QString key; // "<type>_<variant>"
    QString html = QString();
    QString cls = QString();
    QString minute = QStringLiteral("0");
    QString player = QStringLiteral("0");
    QString object = QStringLiteral("0");
};
// Appends the event to the slot's live table; its number is its position in the table.
void AddEvent(int slot, const TestEvent& event);

// Logs in as the demo user (code "velkaro") without the connect sequence.
void Login();
// The user's connect: the demo user of team 250101 with the code, the match type (0 live, 1 recorded)
// and the initial load (0 my team, 1 my league, 2 the recorded list, 3 both).
void ConnectDemo(int type = 0, int load = 0, const QString& code = QStringLiteral("velkaro"));
// Moves the service's stopped clock to `when` ("2024-03-16 19:30:00").
void SetClock(const TestProgram& program, const QString& when);
// Every kind of sound on, each with its shipped file.
void SwitchSoundsOn();
// A cell of the slot's match row.
QString MatchCell(int column, int slot);
// The column's cells of rows first..last; last -1: up to the row before the table's empty last row.
QStringList Column(const TBKStringGrid& table, int column, int first = 0, int last = -1);
// The row's cells of the given columns, joined by "|".
QString RowCells(const TBKStringGrid& table, int row, std::initializer_list<int> columns);
// The names (without folder) of the files played, in order.
QStringList PlayedNames(const MediaPlayerRecorder& recorder);
// The texts of every box shown while the program lived.
QStringList BoxTexts(const TestProgram& program);

// Every file request the service received, as the text after "file=", oldest first.
QStringList ServiceRequests(const TestProgram& program);

// The text of the latest box shown while the program lived; empty when none was.
QString LastBox(const TestProgram& program);
