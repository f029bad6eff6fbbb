#pragma once

#include <stdexcept>
#include <string>

/// Raised by the blocking HTTP calls: 1 busy, 2 nothing to post, 4 line too long, or the
/// request's `StatusCode` (400 and over; 404 for every transport failure) with its reason.
class EHttpException : public std::runtime_error {
public:
    EHttpException(const std::string& message, int errorCode)
        : std::runtime_error(message)
        , m_errorCode(errorCode)
    {
    }
    int ErrorCode() const { return m_errorCode; }

private:
    int m_errorCode;
};
