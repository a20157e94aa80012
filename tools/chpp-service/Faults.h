#pragma once
// Faults that tests ask for: queued by the control path, each taken by the next request it fits.
#include <QByteArray>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

enum class FaultKind {
    Refused,
    Garbage,
    InvalidXml,
    ErrorDoc,
    Stall,
    NotFound,
    Drop,
    NoRecommended,
    OldFormat,
    // Not failures but the ways the game may answer live requests: every event so far again, or the
    // events out of order. They come on top of any other fault.
    Repeat,
    Disorder
};

struct Fault {
    FaultKind kind = FaultKind::Refused;
    int seconds = 0; // stall only
};

class Faults {
public:
    static constexpr int kDefaultStallSeconds = 10;
    static constexpr int kMaxStallSeconds = 120;
    static constexpr int kMaxCount = 1000;

    // Queues `count` requests' worth of the fault named `kind`, for CHPP requests of file kind
    // `file` only when it is not empty. Returns "" or the reason the request was refused.
    std::string Queue(const std::string& kind, int count, const std::string& file, int seconds);
    void Reset();

    // The fault for a request: `chppFile` is the file kind of a CHPP request, "" for other paths.
    // Repeat and Disorder are never taken here.
    std::optional<Fault> Take(const std::string& chppFile);
    // Takes one request's worth of Repeat or Disorder, when one is queued for the request.
    bool TakeLiveMode(FaultKind kind, const std::string& chppFile);

    // Waits up to `seconds`, or until Stop.
    void Stall(int seconds);
    // Ends every stall now and every later one at once (the service is stopping).
    void Stop();

private:
    struct Entry {
        Fault fault;
        int remaining = 0;
        std::string file;
    };
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::deque<Entry> queue_;
};

// The answers and changes of the faults.
QByteArray RefusedText();
QByteArray InvalidXmlText();
QByteArray WithGarbage(const QByteArray& body);
// Removes the first ActionType element (and the line break before it) from a document.
QByteArray WithoutActionType(const QByteArray& body);
