#pragma once
// The program's one HTTP client: a blocking GET over a libcurl handle kept for the program's life, so
// that the cookies of a login reach every later request. Fixed headers, HTTP/1.1, no redirects, the
// proxy set explicitly (the environment's proxy variables are never used), connect and stall time-outs,
// an overall time limit per request and a size limit per answer.
#include "platform/Exceptions.h"

#include <QByteArray>
#include <QString>

// A GET that did not bring a complete answer with a status below 300. Connection failures (no
// connection, a dropped one) read "Socket error # <code> <text>"; an answer with a status of 300 or
// more carries its status line, e.g. "HTTP/1.1 404 Not Found"; the limits have messages of their own
// that say which limit ended the request.
class EHttpError : public Exception {
public:
    enum class Reason {
        Connection, // refused, not reachable, dropped: worded as a socket error
        Status,     // an answer with a status of 300 or more
        Stalled,    // no data for StallTimeoutSec
        TimeLimit,  // no complete answer within OverallTimeoutMs
        SizeLimit,  // an answer larger than MaxAnswerBytes
        Other,
    };
    EHttpError(QString message, int statusCode = 0, Reason reason = Reason::Other)
        : Exception(std::move(message)), StatusCode(statusCode), Why(reason) {}
    int StatusCode; // 0 for a transport failure
    Reason Why;
};

struct HttpProxyParams {
    QString ProxyServer; // empty: no proxy
    int ProxyPort = 0;
    QString ProxyUsername;
    QString ProxyPassword;
};

class HttpClient {
public:
    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    HttpProxyParams ProxyParams;
    int ConnectTimeoutMs = 20000; // establishing the connection
    int StallTimeoutSec = 20;     // no byte received for this long ends the transfer
    // The whole request, from connecting to the last byte: a server that sends its answer a few bytes at
    // a time cannot hold the window longer than this.
    int OverallTimeoutMs = 30000;
    // The largest answer kept. The largest real answer, the live file of ten long matches, is 2 to 3 MB;
    // reading an answer costs a few times its size, so this keeps every read far below 150 MB. A longer
    // answer is dropped as soon as it passes the limit.
    static constexpr qint64 DefaultMaxAnswerBytes = 8LL * 1024 * 1024;
    qint64 MaxAnswerBytes = DefaultMaxAnswerBytes;

    // The body of a GET of an absolute http(s) address. Throws EHttpError.
    QByteArray Get(const QString& url);

    int ResponseCode() const { return responseCode_; } // of the last answer, 0 when there was none

private:
    void* curl_ = nullptr;
    int responseCode_ = 0;
};
