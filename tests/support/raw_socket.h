#pragma once

// The few socket calls the tests make themselves, on POSIX and on Windows (where the test HTTP
// server's library has already started Winsock).
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <thread>

namespace tessaril::testing {

#ifdef _WIN32
using SocketHandle = SOCKET;
using SocketLength = int;
inline constexpr int kNoSignal = 0;
inline void CloseSocket(SocketHandle s) {
  closesocket(s);
}
inline bool IsValidSocket(SocketHandle s) {
  return s != INVALID_SOCKET;
}
// Ends a listening socket and the thread that waits in accept on it: Winsock's shutdown does not
// wake that thread, closing the socket does.
inline void StopListener(SocketHandle listener, std::thread& waiting) {
  shutdown(listener, SD_BOTH);
  closesocket(listener);
  waiting.join();
}
#else
using SocketHandle = int;
using SocketLength = socklen_t;
inline constexpr int kNoSignal = MSG_NOSIGNAL;
inline void CloseSocket(SocketHandle s) {
  close(s);
}
inline bool IsValidSocket(SocketHandle s) {
  return s >= 0;
}
// Ends a listening socket and the thread that waits in accept on it.
inline void StopListener(SocketHandle listener, std::thread& waiting) {
  shutdown(listener, SHUT_RDWR);
  waiting.join();
  close(listener);
}
#endif

}  // namespace tessaril::testing
