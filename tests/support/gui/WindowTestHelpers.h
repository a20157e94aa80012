#pragma once
// Small steps the window tests share: files of the program folder, the entries of a list, the user's
// choice in a combo box, showing a match slot, a match row and its events, and the file requests the
// substitute service received.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;
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
// The user's choice in a combo box: selects the entry and runs the combo's OnChange.
void Choose(QComboBox* combo, const QString& text);

// The demo user types the security code (a refused login empties it) and connects live with the initial load
// (item of RadioGroupCargaInicial); the polling clock is stopped again afterwards.
void ConnectDemo(int initialLoad);

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

// Every file request the service received, as the text after "file=", oldest first.
QStringList ServiceRequests(const TestProgram& program);

// The text of the latest box shown while the program lived; empty when none was.
QString LastBox(const TestProgram& program);
