#include "shell/Install.h"

#include "core/EventsDataCheck.h"
#include "core/Settings.h"
#include "platform/Exceptions.h"
#include "platform/IniFile.h"
#include "platform/widgets/Dialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>
#include <functional>

namespace {

const QString kOptions = QStringLiteral("Opciones");
const QString kIdioma = QStringLiteral("Idioma");

QString dataDir(const ProgramFiles& f) {
    return f.Dir + QStringLiteral("data/");
}
QString installDir(const ProgramFiles& f) {
    return f.Dir + QStringLiteral("_install/data/");
}

// Copies source over target; the target is replaced only once the copy is complete.
void copyReplacing(const QString& source, const QString& target) {
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    QFile in(source);
    if (!in.copy(partial))
        throw EInOutError(QStringLiteral("Cannot copy %1 to %2: %3").arg(source, target, in.errorString()));
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(partial);
        throw EInOutError(QStringLiteral("Cannot write %1").arg(target));
    }
}

// The keys carried from the old settings file into the template, with the default each is read with.
struct CarriedKey {
    const char* key;
    const char* def;
};
constexpr CarriedKey kCarried[] = {
    {"Usuario", "0"},
    {"UsuarioID", "0"},
    {"Team", "0"},
    {"TeamID", "0"},
    {"TeamIDJuveniles", "0"},
    {"LigaID", "0"},
    {"LigaNombre", "0"},
    {"LabelInicioFecha", "0"},
    {"LabelInicioTemporada", "0"},
    {"LabelInicioSemana", "0"},
    {"Pais", "0"},
    {"Moneda", "0"},
    {"FactorMoneda", "0"},
    {"Idioma", "0"},
    {"Language", "English"},
    {"LanguageOld", "English"},
    {"Sonidos", "1"},
};

// The migrations change the settings in memory: they reach the file together with the version number,
// in one write, so that an interrupted start runs them all again.
void shiftIdioma(IniFile& settings, const std::function<int(int)>& shift) {
    settings.WriteInteger(kOptions, kIdioma, shift(settings.ReadInteger(kOptions, kIdioma, 0)));
}

// The events data table is replaced by its install copy; without one the old table stays, since a
// program without it has no event categories at all.
void renewEventsData(IniFile&, const ProgramFiles& f) {
    const QString name = QStringLiteral("EventsData.dat");
    if (QFileInfo::exists(installDir(f) + name))
        copyReplacing(installDir(f) + name, dataDir(f) + name);
}

struct Migration {
    const char* threshold;
    std::function<void(IniFile&, const ProgramFiles&)> run;
};

const Migration kMigrations[] = {
    {"0060000",
     [](IniFile& s, const ProgramFiles&) {
         shiftIdioma(s, [](int i) {
             ++i;
             if (i > 10)
                 ++i;
             if (i > 19)
                 ++i;
             return i;
         });
     }},
    {"0070000",
     [](IniFile& s, const ProgramFiles&) { shiftIdioma(s, [](int i) { return i > 10 ? i + 1 : i; }); }},
    {"0102000",
     [](IniFile& s, const ProgramFiles&) {
         shiftIdioma(s, [](int i) {
             if (i > 15)
                 ++i;
             if (i > 21)
                 ++i;
             return i;
         });
     }},
    {"0113000",
     [](IniFile& s, const ProgramFiles&) { shiftIdioma(s, [](int i) { return i > 5 ? i + 1 : i; }); }},
    {"0124000",
     [](IniFile& s, const ProgramFiles&) { shiftIdioma(s, [](int i) { return i >= 0 ? i + 1 : i; }); }},
    {"0125000",
     [](IniFile& s, const ProgramFiles&) {
         shiftIdioma(s, [](int i) {
             if (i > 19)
                 ++i;
             if (i > 4)
                 ++i;
             return i;
         });
     }},
    {"0090000",
     [](IniFile& s, const ProgramFiles&) {
         if (s.ReadString(kOptions, QStringLiteral("Pais"), QString()) == QLatin1String("Srbija i Crna Gora"))
             s.WriteString(kOptions, QStringLiteral("Pais"), QStringLiteral("Srbija"));
     }},
    {"0123000", renewEventsData},
    // Eight characters: in text order every seven-digit version up to 0126600 lies below it.
    {"01266000", renewEventsData},
};

InstallStepHook& stepHook() {
    static InstallStepHook hook;
    return hook;
}

void stepDone(const QString& step) {
    if (stepHook())
        stepHook()(step);
}

// Every migration whose threshold lies above PrevVersion (ordinal text order: an empty version is below
// every threshold), on the settings held in memory. A migration that fails is skipped.
void applyMigrations(IniFile& settings, const ProgramFiles& files, const QString& prevVersion) {
    for (const Migration& migration : kMigrations) {
        if (!(prevVersion < QLatin1String(migration.threshold)))
            continue;
        try {
            migration.run(settings, files);
        } catch (const std::exception&) {
        }
        stepDone(QLatin1String(migration.threshold));
    }
}

QString errorText(const std::exception& e) {
    if (const auto* own = dynamic_cast<const Exception*>(&e))
        return own->Message;
    return QString::fromLocal8Bit(e.what());
}

} // namespace

ProgramFiles ProgramFiles::OfExecutable(const QString& executablePath) {
    const QFileInfo exe(executablePath);
    ProgramFiles files;
    files.Dir = exe.absolutePath() + QLatin1Char('/');
    QString base = exe.fileName();
    const int dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        base.truncate(dot);
    files.Settings = files.Dir + base + QStringLiteral(".ini");
    files.Template = files.Dir + base + QStringLiteral(".inn");
    return files;
}

void BackUp(const ProgramFiles& Files) {
    if (!QFileInfo(dataDir(Files)).isDir())
        return;
    try {
        const QString backup = Files.Dir + QStringLiteral("backup/");
        QDir backupDir(backup);
        if (backupDir.exists()) {
            for (const QFileInfo& entry :
                 backupDir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
                if (!QFile::remove(entry.absoluteFilePath()))
                    throw EInOutError(QStringLiteral("Cannot delete ") + entry.absoluteFilePath());
            }
        } else if (!QDir().mkpath(backup)) {
            throw EInOutError(QStringLiteral("Cannot create ") + backup);
        }
        if (QFileInfo::exists(Files.Settings))
            copyReplacing(Files.Settings, backup + QFileInfo(Files.Settings).fileName());
        for (const QFileInfo& entry :
             QDir(dataDir(Files)).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
            copyReplacing(entry.absoluteFilePath(), backup + entry.fileName());
    } catch (const std::exception& e) {
        ShowMessage(QStringLiteral("Error. ") + errorText(e));
    }
}

bool Instalacion(const ProgramFiles& Files, QString& PrevVersion) {
    PrevVersion.clear();
    bool installed = false;
    // The new settings are made beside the old ones: the template with the user's settings carried into
    // it and every migration run on it. They replace the old file in one rename, version number and
    // migrations together; until then the old file and the template stay as they were, and a start
    // that was interrupted installs the template again from the beginning.
    const QString staging = Files.Settings + QStringLiteral(".part");
    // The data folder first: the events-table migrations write into it.
    if (!QFileInfo(dataDir(Files)).isDir()) {
        if (!QDir().mkdir(dataDir(Files)) || !QDir().mkdir(dataDir(Files) + QStringLiteral("Xml")))
            ShowMessage(QStringLiteral("Error. Directories creation"));
    }
    try {
        QFile::remove(staging);
        if (!QFile::copy(Files.Template, staging))
            throw EInOutError(QStringLiteral("Cannot read %1").arg(Files.Template));
        IniFile merged(staging);
        if (QFileInfo(Files.Settings).isFile()) {
            const IniFile old(Files.Settings);
            PrevVersion = old.ReadString(QStringLiteral("Version"), QStringLiteral("Version"), QString());
            for (const CarriedKey& carried : kCarried) {
                const QString key = QString::fromLatin1(carried.key);
                merged.WriteString(kOptions, key,
                                   old.ReadString(kOptions, key, QString::fromLatin1(carried.def)));
            }
        }
        applyMigrations(merged, Files, PrevVersion);
        merged.UpdateFile();
        if (std::rename(QFile::encodeName(staging).constData(),
                        QFile::encodeName(Files.Settings).constData()) != 0)
            throw EInOutError(QStringLiteral("Cannot rename %1 to %2").arg(staging, Files.Settings));
        installed = true;
        stepDone(QStringLiteral("settings"));
        QFile::remove(Files.Template);
    } catch (const std::exception& e) {
        QFile::remove(staging);
        ShowMessage(QStringLiteral("Error. ") + errorText(e));
    }
    return installed;
}

void CorreccionesFormCreate(const ProgramFiles& Files, const QString& PrevVersion) {
    IniFile settings(Files.Settings);
    applyMigrations(settings, Files, PrevVersion);
    try {
        settings.UpdateFile();
    } catch (const std::exception&) {
    }
}

void SetInstallStepHook(InstallStepHook Hook) {
    stepHook() = std::move(Hook);
}

void ComprobarInstalacionFichero(const ProgramFiles& Files, const QString& FileName) {
    const QString target = dataDir(Files) + FileName;
    const QString source = installDir(Files) + FileName;
    if (QFileInfo::exists(target) || !QFileInfo::exists(source))
        return;
    QDir().mkpath(dataDir(Files));
    copyReplacing(source, target);
}

void ComprobarFicheros(const ProgramFiles& Files) {
    for (const char* name :
         {"EventsData.dat", "Favourites.dat", "RecordedList.dat", "ProxyConfig.dat", "Sounds.dat"}) {
        try {
            ComprobarInstalacionFichero(Files, QString::fromLatin1(name));
        } catch (const std::exception&) {
            // A file that cannot be restored stays missing; the options window loads what it can.
        }
    }
}

void InstalarActualizacion(const ProgramFiles& Files) {
    if (!QFileInfo::exists(Files.Template))
        return;
    BackUp(Files);
    // The migrations run inside the installation, on the new settings before they are written.
    QString prevVersion;
    Instalacion(Files, prevVersion);
}

int BorrarTemporales(const ProgramFiles& Files) {
    // A save writes "<file>.XXXXXX" and renames it over the file; a copy writes "<file>.part".
    static const QRegularExpression leftover(
        QStringLiteral("^.+\\.(ini|inn|dat|xml|gif|png|jpg|ico|bmp)\\.([A-Za-z0-9]{6}|part)$"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList folders = {Files.Dir, dataDir(Files), dataDir(Files) + QStringLiteral("Xml/"),
                           Files.Dir + QStringLiteral("backup/")};
    for (const QFileInfo& team :
         QDir(dataDir(Files) + QStringLiteral("Xml")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        folders << team.absoluteFilePath() + QLatin1Char('/');
    int removed = 0;
    for (const QString& folder : folders)
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
            if (leftover.match(file.fileName()).hasMatch() && QFile::remove(file.absoluteFilePath()))
                ++removed;
    return removed;
}

EventsDataState RepararEventsData(const ProgramFiles& Files) {
    const QString name = QStringLiteral("EventsData.dat");
    const QString target = dataDir(Files) + name;
    // A missing file is restored by ComprobarFicheros; an existing one is checked here.
    if (!QFileInfo::exists(target) || EventsDataFileIsSound(Files.Dir))
        return EventsDataState::Sound;
    if (!EventsDataFileIsSound(Files.Dir + QStringLiteral("_install/")))
        return EventsDataState::DamagedWithoutCopy;
    try {
        const QString bad = target + QStringLiteral(".bad");
        QFile::remove(bad);
        if (!QFile::copy(target, bad))
            throw EInOutError(QStringLiteral("Cannot keep ") + bad);
        copyReplacing(installDir(Files) + name, target);
    } catch (const std::exception&) {
        return EventsDataState::DamagedWithoutCopy;
    }
    return EventsDataState::Restored;
}

QString EventsDataStateText(EventsDataState State) {
    switch (State) {
    case EventsDataState::Sound:
        return QString();
    case EventsDataState::Restored:
        return LangText(
            QStringLiteral("Main"), QStringLiteral("MessageEventsDataRestored"),
            QStringLiteral("The events table data/EventsData.dat was damaged and has been replaced "
                           "by the installed copy. The damaged file was kept as "
                           "data/EventsData.dat.bad."));
    case EventsDataState::DamagedWithoutCopy:
        return LangText(QStringLiteral("Main"), QStringLiteral("MessageEventsDataDamaged"),
                        QStringLiteral("The events table data/EventsData.dat is damaged and there is no "
                                       "installed copy to replace it: goals, cards and sounds will not be "
                                       "recognised. Install the program again."));
    }
    return QString();
}
