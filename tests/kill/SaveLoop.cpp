// velkaro-save-loop table|settings|download FOLDER FIRST: saves one kind of the program's files until it
// is killed (KillLoop_test), "saving N" once the save is ready to start and "saved N" after it. Every
// value names its save, so that a whole file of some save is told from a torn one; downloads come from a
// server on 127.0.0.1 inside this process, whose answers say how long they are.
#include "core/BKStringGrid.h"
#include "core/UConectar.h"
#include "core/UDataModule1.h"
#include "platform/IniFile.h"

#include <QDir>
#include <atomic>
#include <httplib.h>
#include <thread>

namespace {

QString filler(int version) {
    return QString(20 + version % 40, QChar(u'a' + version % 26));
}

void announce(const char* what, int version) {
    std::printf("%s %d\n", what, version);
    std::fflush(stdout);
}

void saveTables(const QString& dir, int version) {
    const int rows = 400 + (version * 37) % 900;
    TBKStringGrid plain, scrambled;
    plain.Encryption = false;
    plain.Filename = dir + "data/Favourites.dat";
    plain.SetColCount(3);
    plain.SetRowCount(rows);
    scrambled.Filename = dir + "data/ProxyConfig.dat";
    scrambled.SetColCount(1);
    scrambled.SetRowCount(rows / 2);
    for (TBKStringGrid* grid : {&plain, &scrambled})
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int c = 0; c < grid->ColCount(); ++c)
                grid->SetCells(c, r,
                               QStringLiteral("%1:%2:%3:").arg(version).arg(r).arg(c) + filler(version));
    announce("saving", version); // the tables are ready: what follows is the save alone
    plain.SaveToFile();
    scrambled.SaveToFile();
}

void saveSettings(const QString& dir, int version) {
    IniFile ini(dir + "Velkaro.ini");
    for (const char* section : {"Opciones", "Version", "Servidor"})
        for (int k = 0; k < 300; ++k)
            ini.WriteString(section, QStringLiteral("Key%1").arg(k),
                            QStringLiteral("%1:%2:").arg(version).arg(k) + filler(version));
    announce("saving", version);
    ini.UpdateFile();
}

// A live answer whose EventCount says how many events a whole file holds.
std::string liveAnswer(int serial) {
    const int events = 200 + (serial * 53) % 800;
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<HattrickData><FileName>live.xml</FileName>"
        "<EventCount>" +
        std::to_string(events) + "</EventCount><MatchList><Match><EventList>";
    for (int i = 0; i < events; ++i)
        xml += "<Event Index=\"" + std::to_string(i) + "\"><Minute>" + std::to_string(i % 90) +
               "</Minute><EventText>Event " + std::to_string(i) + " of answer " + std::to_string(serial) +
               "</EventText></Event>";
    return xml + "</EventList></Match></MatchList></HattrickData>";
}

// A picture whose first line gives the length of the whole file.
std::string picture(int serial) {
    const std::size_t size = 20000 + std::size_t(serial * 7919) % 60000;
    std::string body = "LENGTH " + std::to_string(size) + "\n";
    body.resize(size, char('A' + serial % 26));
    return body;
}

int downloadLoop(const QString& dir, int first) {
    httplib::Server server;
    std::atomic<int> serial{first};
    server.Get("/common/chpp/chppxml.axd", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(liveAnswer(serial++), "text/xml");
    });
    server.Get("/DesignedMatchKits/kit.Shirt.gif", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(picture(serial++), "image/gif");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::yield();
    DataModule1 = new TDataModule1();
    RecommendedURL = QStringLiteral("http://127.0.0.1:%1").arg(port);
    for (int v = first;; ++v) {
        announce("saving", v);
        QString result;
        BajarFicheroXML(ChppPath + "live&version=1.4&actionType=viewNew", dir + "data/Xml/live.xml", result);
        if (result != "OK") {
            std::fprintf(stderr, "download failed: %s\n", qPrintable(result));
            std::_Exit(1); // the server thread is not waited for
        }
        DownloadBinaryFile(RecommendedURL + "/DesignedMatchKits/kit.Shirt.gif",
                           dir + "data/Xml/kit.Shirt.gif");
        announce("saved", v);
    }
}

} // namespace

int main(int argc, char** argv) {
    const QString mode = argc == 4 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode != "table" && mode != "settings" && mode != "download") {
        std::fprintf(stderr, "usage: velkaro-save-loop table|settings|download FOLDER FIRST-VERSION\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[2]) + '/';
    const int first = std::atoi(argv[3]);
    QDir().mkpath(dir + "data/Xml");
    if (mode == "download")
        return downloadLoop(dir, first);
    for (int v = first;; ++v) {
        (mode == "table" ? saveTables : saveSettings)(dir, v);
        announce("saved", v);
    }
}
