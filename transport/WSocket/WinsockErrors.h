#pragma once
// The socket functions report failures with the Winsock error numbers: the system's errno
// and resolver codes are mapped onto them, and the last error is kept per thread.

namespace vantorell::transport {

// The Winsock number for an errno value; an errno without a Winsock counterpart keeps its
// value above the Winsock base (10000 + errno).
int WinsockErrorFromErrno(int errnoValue);

// The Winsock number for a getaddrinfo or getnameinfo result code.
int WinsockErrorFromResolver(int code);

// The calling thread's last socket error, as WSAGetLastError and WSASetLastError keep it.
int ThreadLastError();
void SetThreadLastError(int error);

// Records the Winsock number of the current errno for the calling thread and returns -1,
// the failure result of the socket calls.
int FailWithErrno();

}  // namespace vantorell::transport
