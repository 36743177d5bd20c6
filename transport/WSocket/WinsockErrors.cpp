#include "transport/WSocket/WinsockErrors.h"

#include <netdb.h>

#include <cerrno>

#include "transport/WSocket/WinsockTypes.h"

namespace vantorell::transport {
namespace {

thread_local int lastError = 0;

}  // namespace

int WinsockErrorFromErrno(int errnoValue) {
    switch (errnoValue) {
        case 0:
            return 0;
        case EINTR:
            return WSAEINTR;
        case EBADF:
            return WSAENOTSOCK;  // a closed or foreign handle is no socket
        case EACCES:
        case EPERM:
            return WSAEACCES;
        case EFAULT:
            return WSAEFAULT;
        case EINVAL:
            return WSAEINVAL;
        case EMFILE:
        case ENFILE:
            return WSAEMFILE;
        case EAGAIN:
            return WSAEWOULDBLOCK;
        case EINPROGRESS:
            return WSAEINPROGRESS;
        case EALREADY:
            return WSAEALREADY;
        case ENOTSOCK:
            return WSAENOTSOCK;
        case EDESTADDRREQ:
            return WSAEDESTADDRREQ;
        case EMSGSIZE:
            return WSAEMSGSIZE;
        case EPROTOTYPE:
            return WSAEPROTOTYPE;
        case ENOPROTOOPT:
            return WSAENOPROTOOPT;
        case EPROTONOSUPPORT:
            return WSAEPROTONOSUPPORT;
        case ESOCKTNOSUPPORT:
            return WSAESOCKTNOSUPPORT;
        case EOPNOTSUPP:
            return WSAEOPNOTSUPP;
        case EPFNOSUPPORT:
            return WSAEPFNOSUPPORT;
        case EAFNOSUPPORT:
            return WSAEAFNOSUPPORT;
        case EADDRINUSE:
            return WSAEADDRINUSE;
        case EADDRNOTAVAIL:
            return WSAEADDRNOTAVAIL;
        case ENETDOWN:
            return WSAENETDOWN;
        case ENETUNREACH:
            return WSAENETUNREACH;
        case ENETRESET:
            return WSAENETRESET;
        case ECONNABORTED:
            return WSAECONNABORTED;
        // A send to a connection the peer has gone from: Winsock reports the reset.
        case EPIPE:
        case ECONNRESET:
            return WSAECONNRESET;
        case ENOMEM:
        case ENOBUFS:
            return WSAENOBUFS;
        case EISCONN:
            return WSAEISCONN;
        case ENOTCONN:
            return WSAENOTCONN;
        case ESHUTDOWN:
            return WSAESHUTDOWN;
        case ETOOMANYREFS:
            return WSAETOOMANYREFS;
        case ETIMEDOUT:
            return WSAETIMEDOUT;
        case ECONNREFUSED:
            return WSAECONNREFUSED;
        case ELOOP:
            return WSAELOOP;
        case ENAMETOOLONG:
            return WSAENAMETOOLONG;
        case EHOSTDOWN:
            return WSAEHOSTDOWN;
        case EHOSTUNREACH:
            return WSAEHOSTUNREACH;
        case ENOTEMPTY:
            return WSAENOTEMPTY;
        case EUSERS:
            return WSAEUSERS;
        case EDQUOT:
            return WSAEDQUOT;
        case ESTALE:
            return WSAESTALE;
        case EREMOTE:
            return WSAEREMOTE;
        default:
            return 10000 + errnoValue;
    }
}

int WinsockErrorFromResolver(int code) {
    switch (code) {
        case 0:
            return 0;
        case EAI_NONAME:
            return WSAHOST_NOT_FOUND;
        case EAI_AGAIN:
            return WSATRY_AGAIN;
        case EAI_NODATA:
        case EAI_ADDRFAMILY:
            return WSANO_DATA;
        case EAI_MEMORY:
            return WSAENOBUFS;
        case EAI_SYSTEM:
            return WinsockErrorFromErrno(errno);
        default:
            return WSANO_RECOVERY;
    }
}

int ThreadLastError() {
    return lastError;
}

void SetThreadLastError(int error) {
    lastError = error;
}

int FailWithErrno() {
    lastError = WinsockErrorFromErrno(errno);
    return -1;
}

}  // namespace vantorell::transport
