#pragma once
// Installing an update that was unpacked over the program folder, and restoring the shipped data
// files that are missing. Runs at start before the settings objects exist and works on the files.
#include <QString>

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

// Carries the user's settings into the template, makes it the settings file and creates data/ and
// data/Xml/ when data/ is missing. PrevVersion gets the [Version] Version of the old settings file
// (empty when there was none). False when the template could not be installed: the failure was shown
// and the template stays for the next start.
bool Instalacion(const ProgramFiles& Files, QString& PrevVersion);

// The migrations of values that older versions (PrevVersion, compared as text) stored differently.
void CorreccionesFormCreate(const ProgramFiles& Files, const QString& PrevVersion);

// Restores data/FileName from _install/data/ when it is missing; an existing file is never touched.
void ComprobarInstalacionFichero(const ProgramFiles& Files, const QString& FileName);
// ComprobarInstalacionFichero for each shipped data file; failures are ignored.
void ComprobarFicheros(const ProgramFiles& Files);

// The whole update at start: BackUp, Instalacion and CorreccionesFormCreate when the template exists.
void InstalarActualizacion(const ProgramFiles& Files);
