#pragma once

// What the analysis program states of itself: its product number with the maker and its
// version, which the build sets.

inline constexpr int ProductNumber = 41;
inline constexpr const char* ProductVersion = QUENBY_PRODUCT_VERSION;
