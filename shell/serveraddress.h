#pragma once

// Where the maker's server is: its base address and the folders of its scripts.

#include <string>

// Below the base address: the contact and information scripts, and the updater's scripts and
// packages.
inline constexpr const char* ServicePath = "Liaison/ZVQEL/";
inline constexpr const char* UpdatePath = "Liaison/MajLogIcieL/";

// What the programs' HTTP clients tell the maker's server of themselves.
inline constexpr const char* MakerClientAgent = "Mozilla/3.0 (compatible)";
inline constexpr const char* MakerClientAccept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";

// Base address of the maker's server, with its trailing slash: the environment variable
// QUENBY_SITE_ROOT when it is set, else the address the programs were built with.
std::string SiteRoot();
