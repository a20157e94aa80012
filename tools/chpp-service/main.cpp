// velkaro-service: a local stand-in for the game service, for end-to-end tests and the demo.
#include "RequestLog.h"
#include "Service.h"
#include "ServiceClock.h"
#include "ServiceOptions.h"
#include "scenario/World.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <thread>

namespace {

constexpr const char* kHost = "127.0.0.1";

void PrintError(const QString& text) {
    std::fprintf(stderr, "velkaro-service: %s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    QString error;
    const std::optional<ServiceOptions> options = ParseServiceOptions(argc, argv, error);
    if (!options) {
        PrintError(error);
        return 2;
    }
    if (options->help) {
        std::fputs(ServiceHelpText().toLocal8Bit().constData(), stdout);
        return 0;
    }

    // Termination signals are taken by one thread with sigwait; every other thread (the server's
    // workers included) inherits the blocked mask, so a signal never interrupts a request.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    World world;
    const std::optional<QDateTime> start = ParseClockText(options->start, world.DefaultStart());
    if (!start) {
        PrintError(QStringLiteral("--start: not a clock position: %1").arg(options->start));
        return 2;
    }
    ServiceClock clock(*start, options->speed);
    RequestLog log;
    if (!log.Open(options->logFile.toStdString())) {
        PrintError(QStringLiteral("cannot write the log file %1").arg(options->logFile));
        return 1;
    }

    Service service(world, clock, log, options->pageVersion);
    httplib::Server server;
    // A short keep-alive lets a stop finish soon even with an idle client connection open.
    server.set_keep_alive_timeout(1);
    // Headers and body go out in separate writes: without this each answer waits for a delayed ACK.
    server.set_tcp_nodelay(true);
    service.Install(server);

    int port = options->port;
    if (port == 0) {
        port = server.bind_to_any_port(kHost);
    } else if (!server.bind_to_port(kHost, port)) {
        port = -1;
    }
    if (port <= 0) {
        PrintError(QStringLiteral("cannot listen on %1 port %2").arg(kHost).arg(options->port));
        return 1;
    }
    service.SetBaseUrl("http://" + std::string(kHost) + ":" + std::to_string(port));
    world.SetBaseAddress(QString::fromStdString("http://" + std::string(kHost) + ":" + std::to_string(port)));
    std::printf("%d\n", port);
    std::fflush(stdout);
    std::fprintf(stderr, "velkaro-service: listening on http://%s:%d (speed %g, clock %s)\n", kHost, port,
                 options->speed,
                 start->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLocal8Bit().constData());

    std::atomic<bool> listenEnded = false;
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        if (listenEnded)
            return; // woken by main after the server ended on its own
        service.Stop();
        // stop() before the listening loop runs would be lost: wait until it does.
        while (!server.is_running() && !listenEnded)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        server.stop();
    });

    const bool listened = server.listen_after_bind();
    listenEnded = true;
    service.Stop();
    pthread_kill(stopper.native_handle(), SIGTERM); // no-op in effect when the stopper already ended
    stopper.join();
    if (!listened) {
        PrintError(QStringLiteral("the server ended with an error"));
        return 1;
    }
    std::fprintf(stderr, "velkaro-service: stopped\n");
    return 0;
}
