#pragma once
// The HTTP side of the substitute game service: routes, sessions, faults, the log and the clock
// around the world, which only knows the game.
#include "Faults.h"
#include "RequestLog.h"
#include "ServiceClock.h"
#include "Sessions.h"

#include <QByteArray>
#include <mutex>
#include <string>

class World;
namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

class Service {
public:
    Service(World& world, ServiceClock& clock, RequestLog& log, const QString& pageVersion);

    // The address the servers answer recommends (no slash at the end).
    void SetBaseUrl(const std::string& baseUrl) { baseUrl_ = baseUrl; }
    void Install(httplib::Server& server);
    // Lets stalled answers go at once; called when the service stops.
    void Stop() { faults_.Stop(); }

private:
    struct Answer {
        int status = 200;
        QByteArray body;
        std::string contentType = "text/xml";
        std::string setCookie;
    };

    void Handle(const httplib::Request& req, httplib::Response& res);
    void Control(const httplib::Request& req, httplib::Response& res);
    Answer Normal(const httplib::Request& req, const std::string& chppFile, bool withRecommendedUrl);
    Answer Chpp(const httplib::Request& req, const std::string& chppFile, bool withRecommendedUrl);
    Answer Login(const httplib::Request& req);
    Answer Servers(bool withRecommendedUrl);
    Answer ErrorDocument(int code, const QString& text);
    QByteArray FetchedDate() const;
    QByteArray VersionPage();

    World& world_;
    std::mutex worldMutex_; // the world is not made for concurrent requests
    ServiceClock& clock_;
    RequestLog& log_;
    Sessions sessions_;
    Faults faults_;
    std::mutex pageMutex_; // the version page can be changed through the control path
    QString pageVersion_;
    QByteArray pageText_; // served as it is instead of the version page when not empty
    std::string baseUrl_;
};
