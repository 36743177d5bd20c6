#pragma once
// The file name proposed for a fetched document.

#include <string>

namespace vantorell::transport {

// The last segment of a request path without its query, at most 255 bytes; "document.htm"
// when the path names a folder, nothing, "." or "..".
std::string AdjustDocName(const std::string& Path);

// Replaces what follows the last "." of Name by Ext, or appends "." and Ext.
void ReplaceExt(std::string& Name, const std::string& Ext);

}  // namespace vantorell::transport
