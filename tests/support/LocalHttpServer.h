#pragma once
// An HTTP server on 127.0.0.1 for the life of a test (cpp-httplib, a thread of its own), with the hostile
// answers tests need: a body without end, a body a byte at a time, a proxy that wants credentials.
#include <httplib.h>

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LocalHttpServer {
public:
    httplib::Server http;
    int port = 0;
    std::atomic<int> chunksSent{0}; // of the hostile answers

    void start() {
        port = http.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { http.listen_after_bind(); });
        while (!http.is_running())
            std::this_thread::yield();
    }
    QString url(const char* path) const { return QString("http://127.0.0.1:%1%2").arg(port).arg(path); }
    ~LocalHttpServer() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable()) {
            http.stop();
            thread_.join();
        }
    }

    // 64 KB chunks for as long as the client reads them; or one byte every paceMs, never quiet long
    // enough to stall.
    void serveEndless(const std::string& path) { serveChunks(path, 0, std::string(64 * 1024, 'x')); }
    void serveTrickle(const std::string& path, int paceMs) { serveChunks(path, paceMs, "<"); }

    // A plain HTTP proxy that wants user and password. What it is asked with them ("METHOD target", also
    // CONNECT for https) is recorded and answered by the proxy itself, a CONNECT with 403 (no tunnel).
    void serveProxy(const QString& user, const QString& password) {
        const std::string expected = "Basic " + (user + ":" + password).toUtf8().toBase64().toStdString();
        http.set_pre_routing_handler([this, expected](const httplib::Request& req, httplib::Response& res) {
            if (req.get_header_value("Proxy-Authorization") != expected) {
                res.status = 407;
                res.set_header("Proxy-Authenticate", "Basic realm=\"test\"");
            } else {
                std::lock_guard<std::mutex> lock(mutex_);
                proxied_.push_back(req.method + " " + req.target);
                res.status = req.method == "CONNECT" ? 403 : 200;
                res.set_content("via proxy", "text/plain");
            }
            return httplib::Server::HandlerResponse::Handled;
        });
    }
    std::vector<std::string> proxied() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return proxied_;
    }

private:
    // Sends chunk after chunk, paceMs apart, until the client goes away or the server stops (60 s at most).
    void serveChunks(const std::string& path, int paceMs, std::string chunk) {
        http.Get(path, [this, paceMs, chunk](const httplib::Request&, httplib::Response& res) {
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
            res.set_chunked_content_provider(
                "application/octet-stream", [=, this](size_t, httplib::DataSink& sink) {
                    std::unique_lock<std::mutex> lock(mutex_);
                    wake_.wait_for(lock, std::chrono::milliseconds(paceMs), [this] { return stopping_; });
                    if (stopping_ || std::chrono::steady_clock::now() > end)
                        return false;
                    lock.unlock();
                    ++chunksSent;
                    return sink.write(chunk.data(), chunk.size());
                });
        });
    }

    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::vector<std::string> proxied_;
};
