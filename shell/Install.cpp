#include "shell/Install.h"

#include "platform/Exceptions.h"
#include "platform/IniFile.h"
#include "platform/widgets/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

void shiftIdioma(const ProgramFiles& f, const std::function<int(int)>& shift) {
    IniFile ini(f.Settings, IniFile::Mode::FileBacked);
    ini.WriteInteger(kOptions, kIdioma, shift(ini.ReadInteger(kOptions, kIdioma, 0)));
}

// The events data table is replaced by its install copy; without one the old table stays, since a
// program without it has no event categories at all.
void renewEventsData(const ProgramFiles& f) {
    const QString name = QStringLiteral("EventsData.dat");
    if (QFileInfo::exists(installDir(f) + name))
        copyReplacing(installDir(f) + name, dataDir(f) + name);
}

struct Migration {
    const char* threshold;
    std::function<void(const ProgramFiles&)> run;
};

const Migration kMigrations[] = {
    {"0060000",
     [](const ProgramFiles& f) {
         shiftIdioma(f, [](int i) {
             ++i;
             if (i > 10)
                 ++i;
             if (i > 19)
                 ++i;
             return i;
         });
     }},
    {"0070000", [](const ProgramFiles& f) { shiftIdioma(f, [](int i) { return i > 10 ? i + 1 : i; }); }},
    {"0102000",
     [](const ProgramFiles& f) {
         shiftIdioma(f, [](int i) {
             if (i > 15)
                 ++i;
             if (i > 21)
                 ++i;
             return i;
         });
     }},
    {"0113000", [](const ProgramFiles& f) { shiftIdioma(f, [](int i) { return i > 5 ? i + 1 : i; }); }},
    {"0124000", [](const ProgramFiles& f) { shiftIdioma(f, [](int i) { return i >= 0 ? i + 1 : i; }); }},
    {"0125000",
     [](const ProgramFiles& f) {
         shiftIdioma(f, [](int i) {
             if (i > 19)
                 ++i;
             if (i > 4)
                 ++i;
             return i;
         });
     }},
    {"0090000",
     [](const ProgramFiles& f) {
         IniFile ini(f.Settings, IniFile::Mode::FileBacked);
         if (ini.ReadString(kOptions, QStringLiteral("Pais"), QString()) ==
             QLatin1String("Srbija i Crna Gora"))
             ini.WriteString(kOptions, QStringLiteral("Pais"), QStringLiteral("Srbija"));
     }},
    {"0123000", renewEventsData},
    // Eight characters: in text order every seven-digit version up to 0126600 lies below it.
    {"01266000", renewEventsData},
};

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
    try {
        if (QFileInfo(Files.Settings).isFile()) {
            const IniFile old(Files.Settings);
            PrevVersion = old.ReadString(QStringLiteral("Version"), QStringLiteral("Version"), QString());
            IniFile merged(Files.Template);
            for (const CarriedKey& carried : kCarried) {
                const QString key = QString::fromLatin1(carried.key);
                merged.WriteString(kOptions, key,
                                   old.ReadString(kOptions, key, QString::fromLatin1(carried.def)));
            }
            merged.UpdateFile();
        }
        // The rename replaces the old settings file in one step, so no moment is left without one.
        if (std::rename(QFile::encodeName(Files.Template).constData(),
                        QFile::encodeName(Files.Settings).constData()) != 0)
            throw EInOutError(QStringLiteral("Cannot rename %1 to %2").arg(Files.Template, Files.Settings));
        installed = true;
    } catch (const std::exception& e) {
        ShowMessage(QStringLiteral("Error. ") + errorText(e));
    }
    if (!QFileInfo(dataDir(Files)).isDir()) {
        if (!QDir().mkdir(dataDir(Files)) || !QDir().mkdir(dataDir(Files) + QStringLiteral("Xml")))
            ShowMessage(QStringLiteral("Error. Directories creation"));
    }
    return installed;
}

void CorreccionesFormCreate(const ProgramFiles& Files, const QString& PrevVersion) {
    for (const Migration& migration : kMigrations) {
        // Ordinal text order: an empty version is below every threshold.
        if (!(PrevVersion < QLatin1String(migration.threshold)))
            continue;
        try {
            migration.run(Files);
        } catch (const std::exception&) {
            // A migration that fails is skipped; the others still run.
        }
    }
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
    QString prevVersion;
    // Migrations of a template that was not installed would run again at the next start.
    if (!Instalacion(Files, prevVersion))
        return;
    try {
        CorreccionesFormCreate(Files, prevVersion);
    } catch (const std::exception& e) {
        ShowMessage(QStringLiteral("Error. ") + errorText(e));
    }
}
