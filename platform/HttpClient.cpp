#include "platform/HttpClient.h"

#include <curl/curl.h>

#include <mutex>

namespace {

void globalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    QByteArray body;
    QByteArray statusLine; // the last status line seen (a 100 Continue is followed by the real one)
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
    static_cast<Transfer*>(user)->body.append(data, qsizetype(size * count));
    return size * count;
}

size_t onHeader(char* data, size_t size, size_t count, void* user) {
    const QByteArray line(data, qsizetype(size * count));
    if (line.startsWith("HTTP/"))
        static_cast<Transfer*>(user)->statusLine = line.trimmed();
    return size * count;
}

// Failures of the connection itself are worded like socket errors, so that a caller can point the
// user at a firewall.
bool isSocketFailure(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
        return true;
    default:
        return false;
    }
}

} // namespace

HttpClient::HttpClient() {
    globalInit();
    curl_ = curl_easy_init();
    // The in-memory cookie engine: cookies live as long as the handle, and no file is read or written.
    if (curl_)
        curl_easy_setopt(static_cast<CURL*>(curl_), CURLOPT_COOKIEFILE, "");
}

HttpClient::~HttpClient() {
    if (curl_)
        curl_easy_cleanup(static_cast<CURL*>(curl_));
}

QByteArray HttpClient::Get(const QString& url) {
    responseCode_ = 0;
    CURL* c = static_cast<CURL*>(curl_);
    if (!c)
        throw EHttpError("HTTP client not available");
    if (url.isEmpty())
        throw EHttpError("No address to request");

    static curl_slist* headers = [] {
        curl_slist* h = nullptr;
        h = curl_slist_append(h, "Content-Type: application/x-www-form-urlencoded");
        h = curl_slist_append(h, "Accept: text/html, */*");
        return h;
    }();

    Transfer t;
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    const QByteArray urlBytes = url.toUtf8();
    const QByteArray proxy = ProxyParams.ProxyServer.trimmed().toUtf8();
    const QByteArray proxyUser = ProxyParams.ProxyUsername.toUtf8();
    const QByteArray proxyPassword = ProxyParams.ProxyPassword.toUtf8();

    curl_easy_setopt(c, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Velkaro 1.26");
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(ConnectTimeoutMs));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, long(StallTimeoutSec > 0 ? StallTimeoutSec : 1));
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &t);

    // An empty proxy and an empty no-proxy list keep the environment's proxy variables out.
    curl_easy_setopt(c, CURLOPT_PROXY, proxy.constData());
    curl_easy_setopt(c, CURLOPT_NOPROXY, "");
    curl_easy_setopt(c, CURLOPT_PROXYTYPE, long(CURLPROXY_HTTP));
    curl_easy_setopt(c, CURLOPT_PROXYPORT, long(ProxyParams.ProxyPort));
    curl_easy_setopt(c, CURLOPT_PROXYAUTH, long(CURLAUTH_BASIC));
    curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, proxyUser.isEmpty() ? nullptr : proxyUser.constData());
    curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, proxyPassword.isEmpty() ? nullptr : proxyPassword.constData());

    const CURLcode code = curl_easy_perform(c);
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    // The handle outlives these buffers: leave it pointing at nothing of ours.
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, nullptr);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, nullptr);
    responseCode_ = int(status);

    if (code != CURLE_OK) {
        QString detail = QString::fromUtf8(errorBuffer).trimmed();
        if (detail.isEmpty())
            detail = QString::fromUtf8(curl_easy_strerror(code));
        if (code == CURLE_OPERATION_TIMEDOUT && detail.isEmpty())
            detail = "Timed out";
        const QString message =
            isSocketFailure(code) ? QString("Socket error # %1 %2").arg(int(code)).arg(detail) : detail;
        throw EHttpError(message, 0);
    }
    if (status >= 300) {
        QString line = QString::fromLatin1(t.statusLine);
        if (line.isEmpty())
            line = QString("HTTP/1.1 %1").arg(status);
        throw EHttpError(line, int(status));
    }
    return t.body;
}
