#pragma once
// An HTTP server on 127.0.0.1 for the life of a test (cpp-httplib, listening in a thread of its own),
// with the hostile answers tests need: an endless body, a body sent a byte at a time, and a proxy that
// asks for credentials and records what it was asked. Header-only: the test program links cpp-httplib.
#include <httplib.h>

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class LocalHttpServer {
public:
    httplib::Server http;
    int port = 0;

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

    // Answers path with a body that never ends: 64 KB chunks for as long as the client reads them.
    void serveEndless(const std::string& path) {
        http.Get(path, [this](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider(
                "application/octet-stream", [this](size_t, httplib::DataSink& sink) {
                    static const std::string chunk(64 * 1024, 'x');
                    ++chunksSent;
                    return !isStopping() && sink.write(chunk.data(), chunk.size());
                });
        });
    }

    // Answers path one byte every paceMs for as long as the client waits (at most 60 s): a server
    // that never stalls long enough for a stall time-out.
    void serveTrickle(const std::string& path, int paceMs = 50) {
        http.Get(path, [this, paceMs](const httplib::Request&, httplib::Response& res) {
            auto started =
                std::make_shared<std::chrono::steady_clock::time_point>(std::chrono::steady_clock::now());
            res.set_chunked_content_provider(
                "text/xml", [this, paceMs, started](size_t, httplib::DataSink& sink) {
                    if (std::chrono::steady_clock::now() - *started > std::chrono::seconds(60))
                        return false;
                    std::unique_lock<std::mutex> lock(mutex_);
                    wake_.wait_for(lock, std::chrono::milliseconds(paceMs), [this] { return stopping_; });
                    if (stopping_)
                        return false;
                    lock.unlock();
                    ++chunksSent;
                    return sink.write("<", 1);
                });
        });
    }

    // A plain HTTP proxy that wants user and password: every request (absolute addresses, and CONNECT
    // for https) is recorded and answered by the proxy itself, 403 for CONNECT (no tunnel is made).
    void serveProxy(const QString& user, const QString& password) {
        const std::string expected =
            "Basic " + QByteArray((user + ":" + password).toUtf8()).toBase64().toStdString();
        http.set_pre_routing_handler([this, expected](const httplib::Request& req, httplib::Response& res) {
            if (req.get_header_value("Proxy-Authorization") != expected) {
                res.status = 407;
                res.set_header("Proxy-Authenticate", "Basic realm=\"test\"");
                return httplib::Server::HandlerResponse::Handled;
            }
            {
                std::lock_guard<std::mutex> lock(mutex_);
                proxied_.push_back(req.method + " " + req.target);
            }
            if (req.method == "CONNECT")
                res.status = 403;
            else
                res.set_content("via proxy", "text/plain");
            return httplib::Server::HandlerResponse::Handled;
        });
    }
    // What the proxy was asked with the right credentials, "METHOD target", oldest first.
    std::vector<std::string> proxied() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return proxied_;
    }

    std::atomic<int> chunksSent{0};

private:
    bool isStopping() {
        std::lock_guard<std::mutex> lock(mutex_);
        return stopping_;
    }
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::vector<std::string> proxied_;
};
