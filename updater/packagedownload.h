#pragma once

// The download of a package: the local name it is stored under and the length its answer
// announces.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* FallbackPackageName = "HttpTst.htm";

// The local name of a package: the document name, its extension replaced by "gif", "jpg" or
// "bmp" when the content type is exactly "image/gif", "image/jpeg" or "image/bmp";
// "HttpTst.htm" when the name is empty or is no plain file name.
std::string PackageFileNameFor(const std::string& documentName, const std::string& contentType);

// The number of the last "Content-Length" line (the header name in any letter case), or
// nothing when no line gives a decimal length.
std::optional<uint64_t> ContentLengthOf(const std::vector<std::string>& headerLines);
