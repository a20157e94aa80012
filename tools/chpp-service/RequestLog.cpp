#include "RequestLog.h"

bool RequestLog::Open(const std::string& path) {
    if (path.empty())
        return true;
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

RequestLog::~RequestLog() {
    if (file_)
        std::fclose(file_);
}

void RequestLog::Write(const std::string& line) {
    std::lock_guard lock(mutex_);
    if (!file_)
        return;
    // A line break inside a request target would split one request over two lines.
    std::string clean = line;
    for (char& c : clean)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::fputs(clean.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}
