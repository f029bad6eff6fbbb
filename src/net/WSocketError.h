#pragma once

#include <string>

/// Socket error codes are the standard Windows Sockets numbers, which the messages and
/// reason texts of the program quote ("Connection refused (Error #10061)").
namespace WSocketError {
constexpr int WouldBlock = 10035;
constexpr int InvalidArgument = 10022;
constexpr int NotASocket = 10038;
constexpr int ConnectionAborted = 10053;
constexpr int ConnectionReset = 10054;
constexpr int ConnectionRefused = 10061;
constexpr int NotConnected = 10057;
constexpr int TimedOut = 10060;
constexpr int HostNotFound = 11001;
/// Not a Windows Sockets number: the TLS handshake or the server's certificate failed.
constexpr int TlsFailed = 12001;

/// The code for a POSIX errno value; values without a counterpart are returned as they are.
int FromErrno(int errnoValue);
/// The code for a getaddrinfo(3) result.
int FromAddrInfoError(int gaiError);
}

std::string WSocketErrorDesc(int code);
/// The description with its number, as reasons quote it: "Connection refused (Error #10061)".
std::string WSocketErrorWithCode(int code);
