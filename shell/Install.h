#pragma once
// Installing an update that was unpacked over the program folder, and restoring the shipped data
// files that are missing. Runs at start before the settings objects exist and works on the files.
#include <QString>

#include <functional>

// The files of one program folder, named after its executable.
struct ProgramFiles {
    QString Dir;      // the program folder, ending in "/"
    QString Settings; // the executable's path with extension ".ini"
    QString Template; // the executable's path with extension ".inn": present after an update was unpacked

    static ProgramFiles OfExecutable(const QString& executablePath);
};

// Copies the settings file and the files of data/ into backup/ (emptied of files first). Runs only
// when data/ exists. A failure shows "Error. " + its text and ends the backup.
void BackUp(const ProgramFiles& Files);

// Carries the user's settings into the template, runs the migrations of CorreccionesFormCreate on it,
// makes it the settings file and creates data/ and data/Xml/ when data/ is missing. The migrations and
// the template's version number reach the settings file in one atomic write, and the template goes
// only after it: a start interrupted anywhere before leaves the old settings and the template, and the
// next start installs it again. PrevVersion gets the [Version] Version of the old settings file (empty
// when there was none). False when the template could not be installed: the failure was shown and the
// template stays for the next start.
bool Instalacion(const ProgramFiles& Files, QString& PrevVersion);

// The migrations of values that older versions (PrevVersion, compared as text) stored differently, on
// the settings file as it is (one write for all of them).
void CorreccionesFormCreate(const ProgramFiles& Files, const QString& PrevVersion);

// For tests of an interrupted installation: called after each migration (with its threshold) and after
// the new settings file is in place ("settings"). A hook that throws something other than a
// std::exception stops the installation there, as a killed process would.
using InstallStepHook = std::function<void(const QString& Step)>;
void SetInstallStepHook(InstallStepHook Hook);

// Restores data/FileName from _install/data/ when it is missing; an existing file is never touched.
void ComprobarInstalacionFichero(const ProgramFiles& Files, const QString& FileName);
// ComprobarInstalacionFichero for each shipped data file; failures are ignored.
void ComprobarFicheros(const ProgramFiles& Files);

// The whole update at start: BackUp and Instalacion (with the migrations) when the template exists.
void InstalarActualizacion(const ProgramFiles& Files);

// Removes what interrupted saves left: "<file>.XXXXXX" (six letters or digits after a file's own
// extension) and "<file>.part", in the program folder, data/, data/Xml/ and its team folders, and
// backup/. Returns how many files went. Runs at start, before anything is saved.
int BorrarTemporales(const ProgramFiles& Files);

// data/EventsData.dat that cannot be read or has not the table's shape is replaced by its install copy
// (when that one is sound), the damaged file kept beside it as "EventsData.dat.bad".
enum class EventsDataState {
    Sound,
    Restored,          // it was damaged and the install copy replaced it
    DamagedWithoutCopy // damaged, and no sound install copy: it stays as it is
};
EventsDataState RepararEventsData(const ProgramFiles& Files);
// The message that tells the user about a repair, in the user's language ("" when it was sound).
QString EventsDataStateText(EventsDataState State);
