#pragma once
// Steps the window tests share: windows, files, what lists and boxes show, choices, slots and events.
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

// The windows, data module and dialogs created in the order of the program's start, the main window on
// the program folder of ExecutablePath; and all deleted again (each global null, not connected).
void CreateProgramWindows(const QString& ExecutablePath);
void DeleteProgramWindows();

QByteArray ReadFile(const QString& path);                     // empty when it cannot be read
void WriteFile(const QString& path, const QByteArray& bytes); // the folder made; a failure fails the test
QByteArray PlainPng(Qt::GlobalColor colour);                  // 16 x 16 pixels in one colour

QStringList Entries(const QComboBox* combo);
QStringList Entries(const QListWidget* list);
// Every text the widget and its children show: labels, buttons, line edits, group titles, tab captions
// and the caption row of each grid.
QStringList ShownTexts(const QWidget* root);
void Choose(QComboBox* combo, const QString& text); // selects the entry and runs the combo's OnChange

void ShowSlot(int slot);    // selects the matches window's slot tab without running its handler
void RebuildSlot(int slot); // selects the slot and rebuilds the view as a change of tab does
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

void Login(); // the demo user (code "velkaro") logged in without the connect sequence
// The user's connect: the demo user of team 250101 with the code, the match type (0 live, 1 recorded)
// and the initial load (0 my team, 1 my league, 2 the recorded list, 3 both).
void ConnectDemo(int type = 0, int load = 0, const QString& code = QStringLiteral("velkaro"));
// Moves the service's stopped clock to `when` ("2024-03-16 19:30:00").
void SetClock(const TestProgram& program, const QString& when);
void SwitchSoundsOn(); // every kind of sound on, each with its shipped file

QString MatchCell(int column, int slot); // a cell of the slot's match row
// The column's cells of rows first..last; last -1: up to the row before the table's empty last row.
QStringList Column(const TBKStringGrid& table, int column, int first = 0, int last = -1);
QString RowCells(const TBKStringGrid& table, int row, std::initializer_list<int> columns); // joined by "|"
QStringList PlayedNames(const MediaPlayerRecorder& recorder); // the files played, without folder, in order
QStringList BoxTexts(const TestProgram& program);             // every box shown while the program lived
QString LastBox(const TestProgram& program);                  // the latest box; empty when none was shown
// Every file request the service received, as the text after "file=", oldest first.
QStringList ServiceRequests(const TestProgram& program);
