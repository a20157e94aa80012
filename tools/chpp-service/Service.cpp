#include "Service.h"

#include "ServiceOptions.h"
#include "scenario/World.h"

#include <httplib.h>

namespace {

const char kChppPath[] = "/common/chpp/chppxml.axd";
const char kKitPrefix[] = "/DesignedMatchKits/";
const char kLogoPrefix[] = "/Logos/";
const char kVersionPath[] = "/html/versionqz/versionqz.htm";
const char kControlPrefix[] = "/_control/";

// Error codes of the service's error document used by the HTTP side.
constexpr int kErrorUnknown = -1;
constexpr int kErrorNotLoggedIn = 56;

std::string Param(const httplib::Request& req, const char* name) {
    return req.has_param(name) ? req.get_param_value(name) : std::string();
}

QByteArray XmlEscaped(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped().toUtf8();
}

std::string PictureType(const std::string& name) {
    const auto dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "png")
        return "image/png";
    if (ext == "jpg" || ext == "jpeg")
        return "image/jpeg";
    return "image/gif";
}

} // namespace

Service::Service(World& world, ServiceClock& clock, RequestLog& log, const QString& pageVersion)
    : world_(world), clock_(clock), log_(log), pageVersion_(pageVersion) {}

void Service::Install(httplib::Server& server) {
    server.Get(".*", [this](const httplib::Request& req, httplib::Response& res) { Handle(req, res); });
}

QByteArray Service::FetchedDate() const {
    return clock_.Now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
}

void Service::Handle(const httplib::Request& req, httplib::Response& res) {
    if (req.path.rfind(kControlPrefix, 0) == 0) {
        Control(req, res);
        return;
    }
    log_.Write(req.target.empty() ? req.path : req.target);

    const std::string chppFile = req.path == kChppPath ? Param(req, "file") : std::string();
    const std::optional<Fault> fault = faults_.Take(chppFile);
    const auto is = [&fault](FaultKind kind) { return fault && fault->kind == kind; };
    if (fault) {
        switch (fault->kind) {
        case FaultKind::Refused:
            res.set_content(RefusedText().toStdString(), "text/html");
            return;
        case FaultKind::InvalidXml:
            res.set_content(InvalidXmlText().toStdString(), "text/xml");
            return;
        case FaultKind::ErrorDoc: {
            const Answer answer = ErrorDocument(kErrorUnknown, QStringLiteral("Unknown error"));
            res.set_content(answer.body.toStdString(), answer.contentType);
            return;
        }
        case FaultKind::NotFound:
            res.status = 404;
            res.set_content("Not Found", "text/plain");
            return;
        case FaultKind::Stall:
            faults_.Stall(fault->seconds);
            break;
        default:
            break;
        }
    }

    Answer answer = Normal(req, chppFile, !is(FaultKind::NoRecommended));
    if (is(FaultKind::Garbage))
        answer.body = WithGarbage(answer.body);
    if (is(FaultKind::OldFormat))
        answer.body = WithoutActionType(answer.body);

    res.status = answer.status;
    if (!answer.setCookie.empty())
        res.set_header("Set-Cookie", answer.setCookie);
    if (is(FaultKind::Drop)) {
        // Announce the whole answer, send half of it and close the connection.
        const std::string body = answer.body.toStdString();
        const size_t half = body.size() / 2;
        res.set_content_provider(body.size(), answer.contentType,
                                 [body, half](size_t offset, size_t, httplib::DataSink& sink) {
                                     if (offset == 0 && half > 0) {
                                         sink.write(body.data(), half);
                                         return true;
                                     }
                                     return false;
                                 });
        return;
    }
    res.set_content(answer.body.toStdString(), answer.contentType);
}

void Service::Control(const httplib::Request& req, httplib::Response& res) {
    auto reply = [&res](const std::string& error) {
        res.status = error.empty() ? 200 : 400;
        res.set_content(error.empty() ? std::string("OK\n") : error + "\n", "text/plain");
    };
    const std::string what = req.path.substr(std::string(kControlPrefix).size());
    if (what == "fault") {
        const std::string countText = Param(req, "count");
        const std::string secondsText = Param(req, "seconds");
        bool countOk = true;
        bool secondsOk = true;
        const int count = countText.empty() ? 1 : QString::fromStdString(countText).toInt(&countOk);
        const int seconds = secondsText.empty() ? Faults::kDefaultStallSeconds
                                                : QString::fromStdString(secondsText).toInt(&secondsOk);
        if (!countOk || !secondsOk) {
            reply("count and seconds must be whole numbers");
            return;
        }
        reply(faults_.Queue(Param(req, "kind"), count, Param(req, "file"), seconds));
    } else if (what == "version") {
        // The version page: a version in its usual form, or a whole page of the test's own.
        std::lock_guard lock(pageMutex_);
        if (req.has_param("set")) {
            pageVersion_ = QString::fromStdString(Param(req, "set"));
            pageText_.clear();
        }
        if (req.has_param("page"))
            pageText_ = QByteArray::fromStdString(Param(req, "page"));
        reply({});
    } else if (what == "reset") {
        faults_.Reset();
        reply({});
    } else if (what == "clock") {
        if (req.has_param("set")) {
            QDateTime start;
            {
                std::lock_guard lock(worldMutex_);
                start = world_.DefaultStart();
            }
            const auto when = ParseClockText(QString::fromStdString(Param(req, "set")), start);
            if (!when) {
                reply("set: not \"YYYY-MM-DD HH:MM:SS\" nor an offset such as -10m");
                return;
            }
            clock_.Set(*when);
        }
        res.set_content(FetchedDate().toStdString() + "\n", "text/plain");
    } else {
        res.status = 404;
        res.set_content("unknown control path\n", "text/plain");
    }
}

Service::Answer Service::Normal(const httplib::Request& req, const std::string& chppFile,
                                bool withRecommendedUrl) {
    if (req.path == kChppPath)
        return Chpp(req, chppFile, withRecommendedUrl);

    Answer answer;
    if (req.path.rfind(kLogoPrefix, 0) == 0) {
        const std::string name = req.path.substr(std::string(kLogoPrefix).size());
        {
            std::lock_guard lock(worldMutex_);
            answer.body = world_.LogoPicture(QString::fromStdString(name));
        }
        answer.contentType = "image/png";
        if (answer.body.isEmpty()) {
            answer.status = 404;
            answer.body = "Not Found";
            answer.contentType = "text/plain";
        }
        return answer;
    }
    if (req.path.rfind(kKitPrefix, 0) == 0) {
        const std::string name = req.path.substr(std::string(kKitPrefix).size());
        {
            std::lock_guard lock(worldMutex_);
            answer.body = world_.KitPicture(QString::fromStdString(name));
        }
        answer.contentType = PictureType(name);
        if (answer.body.isEmpty()) {
            answer.status = 404;
            answer.body = "Not Found";
            answer.contentType = "text/plain";
        }
        return answer;
    }
    if (req.path == kVersionPath) {
        answer.contentType = "text/html";
        answer.body = VersionPage();
        return answer;
    }
    answer.status = 404;
    answer.body = "Not Found";
    answer.contentType = "text/plain";
    return answer;
}

QByteArray Service::VersionPage() {
    std::lock_guard lock(pageMutex_);
    if (!pageText_.isEmpty())
        return pageText_;
    // The reader takes the body's HTML and cuts at its first "=": nothing before it may hold one.
    return "<html><head><title>Velkaro</title></head><body>Version=" + pageVersion_.toUtf8() +
           "</body></html>";
}

Service::Answer Service::Chpp(const httplib::Request& req, const std::string& chppFile,
                              bool withRecommendedUrl) {
    if (chppFile == "servers")
        return Servers(withRecommendedUrl);
    if (chppFile == "login")
        return Login(req);

    const std::optional<int> user = sessions_.UserOf(req.get_header_value("Cookie"));
    if (!user)
        return ErrorDocument(kErrorNotLoggedIn, QStringLiteral("Not logged in"));

    QMap<QString, QString> params;
    for (const auto& [key, value] : req.params) {
        const QString name = QString::fromStdString(key);
        if (!params.contains(name)) // the first of a repeated parameter counts
            params.insert(name, QString::fromStdString(value));
    }
    const QDateTime now = clock_.Now();
    LiveAnswerMode liveMode;
    liveMode.repeat = faults_.TakeLiveMode(FaultKind::Repeat, chppFile);
    liveMode.disorder = faults_.TakeLiveMode(FaultKind::Disorder, chppFile);
    WorldAnswer worldAnswer;
    {
        std::lock_guard lock(worldMutex_);
        worldAnswer = world_.Answer(*user, QString::fromStdString(chppFile), params, now, liveMode);
    }
    Answer answer;
    answer.status = worldAnswer.status;
    answer.body = worldAnswer.body;
    answer.contentType = worldAnswer.contentType.toStdString();
    return answer;
}

Service::Answer Service::Servers(bool withRecommendedUrl) {
    Answer answer;
    answer.body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<HattrickData>\r\n"
                  "  <FileName>servers.xml</FileName>\r\n  <Version>1.0</Version>\r\n"
                  "  <UserID>0</UserID>\r\n  <FetchedDate>" +
                  FetchedDate() + "</FetchedDate>\r\n";
    if (withRecommendedUrl)
        answer.body += "  <RecommendedURL>" + XmlEscaped(baseUrl_) + "</RecommendedURL>\r\n";
    answer.body += "</HattrickData>\r\n";
    return answer;
}

Service::Answer Service::Login(const httplib::Request& req) {
    const std::string action = Param(req, "actionType");
    int result = 1;
    int userId = 0;
    Answer answer;
    if (action == "login") {
        std::optional<int> user;
        {
            std::lock_guard lock(worldMutex_);
            user = world_.Login(QString::fromStdString(Param(req, "loginname")),
                                QString::fromStdString(Param(req, "readonlypassword")));
        }
        if (user) {
            result = 0;
            userId = *user;
            answer.setCookie =
                std::string(Sessions::kCookieName) + "=" + sessions_.Open(*user) + "; path=/; HttpOnly";
        }
    } else if (action == "logout") {
        // Logging out of no session (or an ended one) is no error: the user is logged out either way.
        const std::string cookie = req.get_header_value("Cookie");
        userId = sessions_.UserOf(cookie).value_or(0);
        sessions_.Close(Sessions::TokenOf(cookie));
        result = 0;
        answer.setCookie = std::string(Sessions::kCookieName) + "=; path=/; Max-Age=0";
    } else {
        return ErrorDocument(kErrorUnknown, QStringLiteral("Unknown actionType"));
    }
    answer.body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<HattrickData>\r\n"
                  "  <FileName>login.xml</FileName>\r\n  <Version>1.0</Version>\r\n  <UserID>" +
                  QByteArray::number(userId) + "</UserID>\r\n  <FetchedDate>" + FetchedDate() +
                  "</FetchedDate>\r\n  <LoginResult>" + QByteArray::number(result) +
                  "</LoginResult>\r\n</HattrickData>\r\n";
    return answer;
}

Service::Answer Service::ErrorDocument(int code, const QString& text) {
    Answer answer;
    std::lock_guard lock(worldMutex_);
    answer.body = world_.ErrorDocument(code, text);
    return answer;
}
