#include "Faults.h"

#include <algorithm>
#include <chrono>
#include <map>

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

// Some faults only make sense for one kind of answer; others fit every request.
bool Fits(FaultKind kind, const std::string& chppFile) {
    switch (kind) {
    case FaultKind::NoRecommended:
        return SameText(chppFile, "servers");
    case FaultKind::OldFormat:
        return SameText(chppFile, "leaguedetails") || SameText(chppFile, "leaguefixtures");
    case FaultKind::Repeat:
    case FaultKind::Disorder:
        return SameText(chppFile, "live");
    default:
        return true;
    }
}

// The ways of answering live requests, taken on their own beside the faults.
bool IsLiveMode(FaultKind kind) {
    return kind == FaultKind::Repeat || kind == FaultKind::Disorder;
}

} // namespace

std::string Faults::Queue(const std::string& kind, int count, const std::string& file, int seconds) {
    static const std::map<std::string, FaultKind> kinds = {{"refused", FaultKind::Refused},
                                                           {"garbage", FaultKind::Garbage},
                                                           {"invalidxml", FaultKind::InvalidXml},
                                                           {"errordoc", FaultKind::ErrorDoc},
                                                           {"stall", FaultKind::Stall},
                                                           {"notfound", FaultKind::NotFound},
                                                           {"drop", FaultKind::Drop},
                                                           {"norecommended", FaultKind::NoRecommended},
                                                           {"oldformat", FaultKind::OldFormat},
                                                           {"repeat", FaultKind::Repeat},
                                                           {"disorder", FaultKind::Disorder}};
    const auto it = kinds.find(kind);
    if (it == kinds.end())
        return "unknown fault kind: " + kind;
    if (count < 1 || count > kMaxCount)
        return "count must be 1 to " + std::to_string(kMaxCount);
    if (seconds < 0 || seconds > kMaxStallSeconds)
        return "seconds must be 0 to " + std::to_string(kMaxStallSeconds);
    Entry entry;
    entry.fault.kind = it->second;
    entry.fault.seconds = seconds;
    entry.remaining = count;
    entry.file = file;
    std::lock_guard lock(mutex_);
    queue_.push_back(entry);
    return {};
}

void Faults::Reset() {
    std::lock_guard lock(mutex_);
    queue_.clear();
}

std::optional<Fault> Faults::Take(const std::string& chppFile) {
    std::lock_guard lock(mutex_);
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (IsLiveMode(it->fault.kind))
            continue;
        if (!it->file.empty() && (chppFile.empty() || !SameText(it->file, chppFile)))
            continue;
        if (!Fits(it->fault.kind, chppFile))
            continue;
        const Fault fault = it->fault;
        if (--it->remaining == 0)
            queue_.erase(it);
        return fault;
    }
    return std::nullopt;
}

bool Faults::TakeLiveMode(FaultKind kind, const std::string& chppFile) {
    std::lock_guard lock(mutex_);
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (it->fault.kind != kind || !Fits(kind, chppFile))
            continue;
        if (--it->remaining == 0)
            queue_.erase(it);
        return true;
    }
    return false;
}

void Faults::Stall(int seconds) {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::seconds(seconds), [this] { return stopping_; });
}

void Faults::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
}

QByteArray RefusedText() {
    // The client recognises a refused request by this text in the answer, whatever the status.
    return "<html><head><title>Error</title></head><body>Connection refused</body></html>";
}

QByteArray InvalidXmlText() {
    // Mismatched tags; the document still ends with the closing tag, so trimming does not repair it.
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<HattrickData>\r\n"
           "  <FileName>broken.xml</FileName>\r\n  <FetchedDate>2024-01-01 00:00:00</Fetched>\r\n"
           "</HattrickData>\r\n";
}

QByteArray WithGarbage(const QByteArray& body) {
    return body + "\r\n<garbage>trailing bytes & <<not xml>> </HattrickData> more\r\n";
}

QByteArray WithoutActionType(const QByteArray& body) {
    const int start = body.indexOf("<ActionType>");
    if (start < 0)
        return body;
    const QByteArray closing = "</ActionType>";
    const int end = body.indexOf(closing, start);
    if (end < 0)
        return body;
    int from = start;
    while (from > 0 && (body[from - 1] == ' ' || body[from - 1] == '\t'))
        --from;
    if (from > 0 && body[from - 1] == '\n')
        --from;
    if (from > 0 && body[from - 1] == '\r')
        --from;
    QByteArray result = body;
    result.remove(from, end + closing.size() - from);
    return result;
}
