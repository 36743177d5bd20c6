#pragma once
// The asynchronous select: network events of a socket posted as messages to a hidden
// window, with Winsock's re-enabling rules:
// - a read notice is not repeated until the next receive; it comes again after that
//   receive while data is still waiting;
// - a write notice comes once the socket is connected (or adopted connected, or is a
//   datagram socket), and after that only when a send would block or was short, as soon
//   as the socket can take data again;
// - an accept notice is not repeated until the next accept;
// - a connect notice comes once, when the connection is made or has failed;
// - a close notice comes once, when the peer has closed or reset the connection and all
//   data before it has been read.
// The notices are QSocketNotifier events of the thread that asked for them. A notice posted
// for an earlier registration (before the socket was closed or asked again) is dropped.

#include "transport/WSocket/WinsockTypes.h"

namespace vantorell::transport {

// The WSAAsyncSelect entry: asks for the events in lEvent, posted to hWnd as wMsg, and
// makes the socket non-blocking; wMsg 0 or lEvent 0 stops the notices.
int AsyncSelect(TSocket s, HWND hWnd, unsigned wMsg, long lEvent);

// What the socket calls tell the select about.
void SelectNoteRecv(TSocket s);
void SelectNoteSendBlocked(TSocket s);
void SelectNoteAccept(TSocket s);
// A non-blocking connect started (error 0) or failed at once (its Winsock error, which
// then arrives as the connect notice, as Winsock reports it).
void SelectNoteConnect(TSocket s, int error);
void SelectForget(TSocket s);

}  // namespace vantorell::transport
