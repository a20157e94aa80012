#include "Sessions.h"

#include <random>

std::string Sessions::Open(int userId) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (int i = 0; i < 32; ++i)
        token += digits[random() % 16];
    std::lock_guard lock(mutex_);
    users_[token] = userId;
    return token;
}

void Sessions::Close(const std::string& token) {
    std::lock_guard lock(mutex_);
    users_.erase(token);
}

std::optional<int> Sessions::UserOf(const std::string& cookieHeader) const {
    const std::string token = TokenOf(cookieHeader);
    if (token.empty())
        return std::nullopt;
    std::lock_guard lock(mutex_);
    const auto it = users_.find(token);
    if (it == users_.end())
        return std::nullopt;
    return it->second;
}

std::string Sessions::TokenOf(const std::string& cookieHeader) {
    // "name=value; name2=value2": the first cookie of our name counts.
    const std::string key = std::string(kCookieName) + "=";
    size_t pos = 0;
    while (pos < cookieHeader.size()) {
        while (pos < cookieHeader.size() && (cookieHeader[pos] == ' ' || cookieHeader[pos] == ';'))
            ++pos;
        size_t end = cookieHeader.find(';', pos);
        if (end == std::string::npos)
            end = cookieHeader.size();
        if (cookieHeader.compare(pos, key.size(), key) == 0)
            return cookieHeader.substr(pos + key.size(), end - pos - key.size());
        pos = end;
    }
    return {};
}
