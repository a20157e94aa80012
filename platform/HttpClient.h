#pragma once
// The program's one HTTP client: a blocking GET over a libcurl handle kept for the program's life, so
// that the cookies of a login reach every later request. Fixed headers, HTTP/1.1, no redirects, the
// proxy set explicitly (the environment's proxy variables are never used), connect and stall time-outs.
#include "platform/Exceptions.h"

#include <QByteArray>
#include <QString>

// A GET that did not bring a complete answer with a status below 300. Transport failures (no
// connection, time-out, dropped connection) read "Socket error # <code> <text>"; an answer with a
// status of 300 or more carries its status line, e.g. "HTTP/1.1 404 Not Found".
class EHttpError : public Exception {
public:
    EHttpError(QString message, int statusCode = 0) : Exception(std::move(message)), StatusCode(statusCode) {}
    int StatusCode; // 0 for a transport failure
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
    int ConnectTimeoutMs = 30000; // establishing the connection
    int StallTimeoutSec = 60;     // no byte received for this long ends the transfer

    // The body of a GET of an absolute http(s) address. Throws EHttpError.
    QByteArray Get(const QString& url);

    int ResponseCode() const { return responseCode_; } // of the last answer, 0 when there was none

private:
    void* curl_ = nullptr;
    int responseCode_ = 0;
};
