#include "transport/WSocket/PosixApi.h"

#include "transport/WSocket/AsyncSelect.h"

namespace vantorell::transport {

TWinsockApi WSocketPosixApi() {
    TWinsockApi api;
    AddPosixSocketCalls(api);
    AddPosixSocketOptions(api);
    AddPosixHostDatabase(api);
    AddAsyncCalls(api);
    api.WSAAsyncSelect = AsyncSelect;
    return api;
}

}  // namespace vantorell::transport
