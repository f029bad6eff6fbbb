#pragma once

#include <stdexcept>
#include <string>

/// Raised by a socket operation that cannot start; `ErrorCode` is a socket error code.
class ESocketException : public std::runtime_error {
public:
    ESocketException(const std::string& message, int errorCode)
        : std::runtime_error(message)
        , m_errorCode(errorCode)
    {
    }
    int ErrorCode() const { return m_errorCode; }

private:
    int m_errorCode;
};
