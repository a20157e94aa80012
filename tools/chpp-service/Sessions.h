#pragma once
// Logged-in sessions, keyed by the value of the session cookie.
#include <map>
#include <mutex>
#include <optional>
#include <string>

class Sessions {
public:
    static constexpr const char* kCookieName = "chppsession";

    // A new session of `userId`; returns its cookie value (32 random hexadecimal digits).
    std::string Open(int userId);
    void Close(const std::string& token);
    // The user of the session named by a "Cookie" request header, if it names a live one.
    std::optional<int> UserOf(const std::string& cookieHeader) const;
    // The session token carried by a "Cookie" header ("" when none).
    static std::string TokenOf(const std::string& cookieHeader);

private:
    mutable std::mutex mutex_;
    std::map<std::string, int> users_;
};
