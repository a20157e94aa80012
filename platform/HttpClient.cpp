#include "platform/HttpClient.h"

#include <curl/curl.h>

#include <chrono>
#include <mutex>

namespace {

void globalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

using Clock = std::chrono::steady_clock;

struct Transfer {
    QByteArray body;
    QByteArray statusLine; // the last status line seen (a 100 Continue is followed by the real one)
    qint64 maxBytes = 0;
    Clock::time_point deadline;
    bool tooLarge = false;
    bool overTime = false;
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const qint64 n = qint64(size * count);
    if (t->body.size() + n > t->maxBytes) {
        t->tooLarge = true;
        return 0; // ends the transfer; nothing more is kept
    }
    t->body.append(data, qsizetype(n));
    return size * count;
}

// Called at least once a second while a transfer runs, also when no byte arrives.
int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    if (Clock::now() < t->deadline)
        return 0;
    t->overTime = true;
    return 1;
}

size_t onHeader(char* data, size_t size, size_t count, void* user) {
    const QByteArray line(data, qsizetype(size * count));
    if (line.startsWith("HTTP/"))
        static_cast<Transfer*>(user)->statusLine = line.trimmed();
    return size * count;
}

// Failures of the connection itself are worded like socket errors, so that a caller can point the
// user at a firewall. A time-out counts only while no connection was made: a server that was reached
// and then went quiet is not the firewall's doing.
bool isSocketFailure(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
        return true;
    default:
        return false;
    }
}

QString secondsText(int milliseconds) {
    return milliseconds % 1000 == 0 ? QString::number(milliseconds / 1000)
                                    : QString::number(milliseconds / 1000.0, 'f', 1);
}

QString bytesText(qint64 bytes) {
    constexpr qint64 mb = 1024 * 1024;
    return bytes >= mb && bytes % mb == 0 ? QString("%1 MB").arg(bytes / mb) : QString("%1 bytes").arg(bytes);
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
    t.maxBytes = qMax<qint64>(0, MaxAnswerBytes);
    t.deadline = Clock::now() + std::chrono::milliseconds(qMax(1, OverallTimeoutMs));
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
    // The overall limit is kept by the progress callback, which libcurl calls at least once a second,
    // so that its failure can be told apart from the stall. libcurl's own limit, a little later, is the
    // backstop.
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(qMax(1, OverallTimeoutMs)) + 2000L);
    // An answer that announces its length is refused before its body is read.
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(t.maxBytes));

    // An empty proxy and an empty no-proxy list keep the environment's proxy variables out.
    curl_easy_setopt(c, CURLOPT_PROXY, proxy.constData());
    curl_easy_setopt(c, CURLOPT_NOPROXY, "");
    curl_easy_setopt(c, CURLOPT_PROXYTYPE, long(CURLPROXY_HTTP));
    curl_easy_setopt(c, CURLOPT_PROXYPORT, long(ProxyParams.ProxyPort));
    curl_easy_setopt(c, CURLOPT_PROXYAUTH, long(CURLAUTH_BASIC));
    curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, proxyUser.isEmpty() ? nullptr : proxyUser.constData());
    curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, proxyPassword.isEmpty() ? nullptr : proxyPassword.constData());

    const auto started = Clock::now();
    const CURLcode code = curl_easy_perform(c);
    const auto elapsed = Clock::now() - started;
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    curl_off_t connectTime = 0;
    curl_easy_getinfo(c, CURLINFO_CONNECT_TIME_T, &connectTime);
    // The handle outlives these buffers: leave it pointing at nothing of ours.
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, nullptr);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, nullptr);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, nullptr);
    responseCode_ = int(status);

    if (code != CURLE_OK) {
        using Reason = EHttpError::Reason;
        const bool timedOut = code == CURLE_OPERATION_TIMEDOUT;
        if (t.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
            throw EHttpError(
                QString("The answer is larger than %1 and was not read").arg(bytesText(t.maxBytes)), 0,
                Reason::SizeLimit);
        if (t.overTime || (timedOut && elapsed >= std::chrono::milliseconds(OverallTimeoutMs)))
            throw EHttpError(QString("No complete answer within %1 s: the request was stopped")
                                 .arg(secondsText(qMax(1, OverallTimeoutMs))),
                             0, Reason::TimeLimit);
        if (timedOut && connectTime > 0)
            throw EHttpError(QString("No data for %1 s: the request was stopped")
                                 .arg(StallTimeoutSec > 0 ? StallTimeoutSec : 1),
                             0, Reason::Stalled);
        QString detail = QString::fromUtf8(errorBuffer).trimmed();
        if (detail.isEmpty())
            detail = QString::fromUtf8(curl_easy_strerror(code));
        if (timedOut || isSocketFailure(code))
            throw EHttpError(QString("Socket error # %1 %2").arg(int(code)).arg(detail), 0,
                             Reason::Connection);
        throw EHttpError(detail, 0, Reason::Other);
    }
    if (status >= 300) {
        QString line = QString::fromLatin1(t.statusLine);
        if (line.isEmpty())
            line = QString("HTTP/1.1 %1").arg(status);
        throw EHttpError(line, int(status), EHttpError::Reason::Status);
    }
    return t.body;
}
