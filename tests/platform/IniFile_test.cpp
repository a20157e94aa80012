#include "platform/Exceptions.h"
#include "platform/FileStamp.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "support/TestHelpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QByteArray kSettings =
    "; shipped settings\r\n"
    "[Opciones]\r\nUsuario=0\r\nTeam = Some Team \r\nMoneda=\r\nPais=a=b, \"c\"\r\nusuario=second\r\n\r\n"
    "[General]\r\n; the window's words\r\nCaption=Matches\r\n"
    "[opciones]\r\nIdioma=7\r\n";
} // namespace

TEST(IniFile, ReadsLikeTheInMemoryIniObject) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Velkaro.ini");
    WriteBytes(path, kSettings);
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("OPCIONES", "usuario", "def"), "0");    // case-insensitive, first key wins
    EXPECT_EQ(ini.ReadString("Opciones", "Team", ""), "Some Team");  // both sides trimmed
    EXPECT_EQ(ini.ReadString("Opciones", "Moneda", "def"), "");      // present but empty: not the default
    EXPECT_EQ(ini.ReadString("Opciones", "Pais", ""), "a=b, \"c\""); // split at the first '=', quotes kept
    EXPECT_EQ(ini.ReadString("General", "caption", ""), "Matches");
    EXPECT_EQ(ini.ReadInteger("Opciones", "Idioma", -1), -1); // in the repeated section: never found
    EXPECT_EQ(ini.ReadString("Opciones", "Missing", "def"), "def");
    EXPECT_EQ(ini.ReadString("Nowhere", "Usuario", "def"), "def");
    EXPECT_TRUE(ini.SectionExists("general") && ini.ValueExists("opciones", "MONEDA"));
    EXPECT_FALSE(ini.SectionExists("Version") || ini.ValueExists("opciones", "Idioma"));
    EXPECT_EQ(ini.ReadSections(), QStringList({"Opciones", "General", "opciones"}));
    EXPECT_EQ(ini.ReadSection("Opciones"), QStringList({"Usuario", "Team", "Moneda", "Pais", "usuario"}));
    // Integers: decimal or hexadecimal, anything else the default.
    WriteBytes(path, "[N]\nInt=42\nNeg=-7\nHex=0x1F\nBad=12a\nEmpty=\n");
    IniFile n(path);
    EXPECT_EQ(
        QList<int>({n.ReadInteger("N", "Int", 0), n.ReadInteger("N", "Neg", 0), n.ReadInteger("N", "Hex", 0),
                    n.ReadInteger("N", "Bad", 1500), n.ReadInteger("N", "Empty", 1500)}),
        QList<int>({42, -7, 31, 1500, 1500}));
}

TEST(IniFile, WritesKeepTheOrderAndReachTheFileOnUpdateOrAtOnceAndCreateIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Velkaro.ini");
    WriteBytes(path, kSettings);
    IniFile ini(path);
    ini.WriteString("opciones", "USUARIO", "player"); // changes the first key, keeps its spelling
    ini.WriteInteger("Opciones", "DuracionSonidosMiGol", 1500);
    ini.WriteFloat("Opciones", "FactorMoneda", 0.5);
    ini.WriteString("Version", "Version", "0126000");
    EXPECT_EQ(ini.ReadString("Opciones", "Usuario", ""), "player");
    EXPECT_EQ(ReadBytes(path), kSettings); // memory only until UpdateFile
    // Comments, blank lines and untouched settings stay as they were, in the file's own line endings;
    // a new key follows its section's last setting, a new section comes last after a blank line.
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(path),
              "; shipped settings\r\n"
              "[Opciones]\r\nUsuario=player\r\nTeam = Some Team \r\nMoneda=\r\nPais=a=b, \"c\"\r\n"
              "usuario=second\r\nDuracionSonidosMiGol=1500\r\nFactorMoneda=0.5\r\n\r\n"
              "[General]\r\n; the window's words\r\nCaption=Matches\r\n"
              "[opciones]\r\nIdioma=7\r\n\r\n"
              "[Version]\r\nVersion=0126000\r\n");
    // A file read and written unchanged comes back byte for byte.
    const QByteArray written = ReadBytes(path);
    IniFile(path).UpdateFile();
    EXPECT_EQ(ReadBytes(path), written);
    // A file-backed object writes at once.
    WriteBytes(path, "[Opciones]\r\nLanguage=Deutsch\r\nLanguageOld=English\r\n");
    IniFile(path, IniFile::Mode::FileBacked).WriteString("Opciones", "LanguageOld", "Deutsch");
    EXPECT_EQ(ReadBytes(path), "[Opciones]\r\nLanguage=Deutsch\r\nLanguageOld=Deutsch\r\n");
    // A missing file gives an empty object; an update creates it, or fails where no folder is.
    const QString fresh = dir.filePath("new.ini");
    IniFile created(fresh);
    EXPECT_TRUE(created.ReadSections().isEmpty());
    EXPECT_EQ(created.ReadString("Opciones", "Usuario", ""), "");
    EXPECT_EQ(created.ReadString("Version", "Version", "9999999"), "9999999");
    created.WriteString("Opciones", "Usuario", "0");
    created.UpdateFile();
    EXPECT_EQ(ReadBytes(fresh), "[Opciones]\nUsuario=0\n");
    IniFile nowhere(dir.filePath("no/such/folder/x.ini"));
    nowhere.WriteString("A", "B", "C");
    EXPECT_THROW(nowhere.UpdateFile(), EInOutError);
}

TEST(IniFile, ReadsUtf8WithOrWithoutMarkAndFallsBackToWindows1252) {
    QTemporaryDir dir;
    for (const auto& [bytes, name] :
         {std::pair{QByteArray("\xEF\xBB\xBF[General]\r\nName=Espa\xC3\xB1ol\r\n"), "Español"},
          {QString::fromUtf8("[General]\nName=Български\n").toUtf8(), "Български"}}) {
        WriteBytes(dir.filePath("x.lng"), bytes);
        EXPECT_EQ(IniFile(dir.filePath("x.lng")).ReadString("General", "Name", ""), QString::fromUtf8(name));
    }
    const QString old = dir.filePath("old.ini");
    WriteBytes(old, "[Opciones]\r\nLanguage=Espa\xF1ol\r\nMoneda=\x80uro\r\n");
    IniFile ini(old);
    EXPECT_EQ(ini.ReadString("Opciones", "Language", ""), QString::fromUtf8("Español"));
    EXPECT_EQ(ini.ReadString("Opciones", "Moneda", ""), QString::fromUtf8("€uro"));
    ini.UpdateFile(); // written back as UTF-8
    EXPECT_EQ(ReadBytes(old), "[Opciones]\r\nLanguage=Espa\xC3\xB1ol\r\nMoneda=\xE2\x82\xACuro\r\n");
}

// Only the file's own mark is dropped: a text beginning with one keeps it. Not UTF-8 (also a cut-off
// sequence): Windows-1252.
TEST(TextFile, DecodesAndSplitsLines) {
    // clang-format off
    ExpectAll({{TextFile::Decode("\xEF\xBB\xBF" "abc"), "abc"},
               {TextFile::Decode("\xEF\xBB\xBF\xEF\xBB\xBF" "abc"), QString(QChar(0xFEFF)) + "abc"},
               {TextFile::Decode("caf\xC3\xA9"), QString::fromUtf8("café")},
               {TextFile::Decode("caf\xE9 \x93q\x94 \x81"), QString::fromUtf8("café “q” \xC2\x81")},
               {TextFile::Decode("\xC3"), QString::fromUtf8("Ã")}});
    // clang-format on
    QTemporaryDir dir;
    const QString path = dir.filePath("lines.txt");
    // clang-format off
    const std::pair<QByteArray, QStringList> cases[] = {
        {"a\r\nb\r\n", {"a", "b"}}, {"a\nb", {"a", "b"}}, {"a\rb\r\n\r\n", {"a", "b", ""}}, {"", {}},
        {"\r\n", {""}}, {"x\r\n\r\n\r\n", {"x", "", ""}}};
    // clang-format on
    for (const auto& [bytes, lines] : cases) {
        WriteBytes(path, bytes);
        EXPECT_EQ(TextFile::ReadLines(path), lines) << bytes.toStdString();
    }
    EXPECT_THROW(TextFile::ReadLines(dir.filePath("missing.txt")), EInOutError);
    EXPECT_THROW(TextFile::Read(dir.filePath("missing.txt")), EInOutError);
    TextFile::WriteAtomic(path, "new\r\n");
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    EXPECT_THROW(TextFile::WriteAtomic(dir.filePath("no/dir/f.txt"), "x"), EInOutError);
}

// A file saved again the program's way (same size, through a renamed temporary file) never passes
// for the state that was stamped; an untouched file keeps its stamp.
TEST(FileStamp, TellsAFileSavedAgainFromTheOneStamped) {
    QTemporaryDir dir;
    const QString path = dir.filePath("live.xml");
    EXPECT_FALSE(FileStamp::Of(path).Exists);
    TextFile::WriteAtomic(path, "<a>1</a>");
    const FileStamp first = FileStamp::Of(path);
    EXPECT_TRUE(first.Exists);
    EXPECT_EQ(first.Size, 8);
    EXPECT_EQ(first, FileStamp::Of(path));
    TextFile::WriteAtomic(path, "<a>2</a>");
    EXPECT_NE(first, FileStamp::Of(path));
}
