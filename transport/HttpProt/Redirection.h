#pragma once
// Following a "location" field: the new target of the request, worked out from the
// field's value and where the request went so far.

#include <string>

#include "transport/HttpProt/HttpTarget.h"

namespace vantorell::transport {

enum class TRedirect {
    Followed,     // Where names the new target
    OtherServer,  // followed, to another server than before
    Unsupported,  // a scheme this client does not speak, or no host: not followed
};

// Value: an absolute "http://" URL, a path from the root ("/..."), or a path relative to
// the folder of the current one. Where.User and Where.Pass become the credentials of an
// absolute URL that carries both, and are emptied otherwise.
TRedirect HttpFollowLocation(THttpWhere& Where, const std::string& Value, bool ViaProxy);

}  // namespace vantorell::transport
