#pragma once
// The program's exceptions: each carries only a message, as the windows show it.
#include <QString>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(QString message) : Message(std::move(message)), utf8_(Message.toStdString()) {}
    const char* what() const noexcept override { return utf8_.c_str(); }
    QString Message;

private:
    std::string utf8_;
};

// A file that cannot be opened, read or written.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// A text that does not convert to the number or form asked for.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};
