// The INI reader on any file: every section and key reads, and the file written back reads the same
// values (the order of sections and keys is kept, the first occurrence still wins).
#include "fuzz/FuzzSupport.h"
#include "platform/Exceptions.h"
#include "platform/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString file = fuzz::ScratchFile("settings.ini");
    fuzz::WriteFile(file, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    IniFile ini(file);
    const QStringList sections = ini.ReadSections();
    for (const QString& section : sections) {
        for (const QString& key : ini.ReadSection(section)) {
            (void)ini.ReadInteger(section, key, 7);
            (void)ini.ReadFloat(section, key, 1.5);
            (void)ini.ReadBool(section, key, true);
        }
    }

    try {
        ini.UpdateFile();
    } catch (const EInOutError&) {
        return 0;
    }
    const IniFile again(file);
    FUZZ_CHECK(again.ReadSections() == sections);
    for (const QString& section : sections) {
        FUZZ_CHECK(again.ReadSection(section) == ini.ReadSection(section));
        for (const QString& key : ini.ReadSection(section))
            FUZZ_CHECK(again.ReadString(section, key, "\x01") == ini.ReadString(section, key, "\x02"));
    }
    return 0;
}
