#pragma once
// The request log that tests read: one line per request, written when the request arrives.
#include <cstdio>
#include <mutex>
#include <string>

class RequestLog {
public:
    // Opens (truncates) `path`; an empty path logs nothing. Returns false when the file cannot be opened.
    bool Open(const std::string& path);
    ~RequestLog();

    void Write(const std::string& line);

private:
    std::mutex mutex_;
    std::FILE* file_ = nullptr;
};
