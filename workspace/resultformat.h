#pragma once

// Texts and figures of the result views that need no widget: the grid captions and the
// formatting of sizes and densities.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Headers of the four measure columns of the result grid (UTF-8, as the widgets take them).
inline constexpr std::array<std::string_view, 4> MeasureCaptions = {"Nbr de blocs", "Nbr de mots",
                                                                    "Nbr d'occurences", "Densité"};

// Captions of the four single figures of the detailed view (UTF-8).
inline constexpr std::string_view SignificantCaption = "Mots clés significatif :";
inline constexpr std::string_view IgnoredCaption = "Mots clés ignorés :";
inline constexpr std::string_view SizeCaption = "Taille du fichier :";
inline constexpr std::string_view ReturnCodeCaption = "Code retour  :";
inline constexpr std::string_view PageCaption = "Page analysé :";
inline constexpr std::string_view KeywordCaption = "Mot clé analysé :";

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

// The density colour scale, index 0 (high density) to 10.
inline constexpr std::array<Rgb, 11> ColourScale = {{
    {153, 255, 102},
    {153, 255, 51},
    {204, 255, 51},
    {204, 255, 0},
    {255, 255, 0},
    {255, 204, 0},
    {255, 153, 0},
    {255, 102, 0},
    {255, 51, 0},
    {255, 0, 0},
    {249, 0, 0},
}};

// Index on the scale of a density of at least 0: (50 - d) / 5 truncated, at least 0.
int DensityColourIndex(int32_t density);

// Index on the scale of a row's share of the page's words: 10 without words, else
// (100 - words / total * 100) / 10 truncated; computed exactly.
int ShareColourIndex(int32_t words, int32_t total);

// Text drawn on a scale colour is white above index 5.
inline bool WhiteTextOn(int index) {
    return index > 5;
}

// A share in percent in general format: at most 3 significant digits, "." as separator, no
// trailing zeros (25, 33.3, 100, 4.76, 2.5). The share is words / total * 100, 0 for no total.
std::string ShareText(int32_t words, int32_t total);

// "12%", or "- %" for a density of -1.
std::string DensityText(int32_t density);

// "1023 octets" below 1024; above, the size in Ko to 3 significant digits with 2 decimals
// ("1.50 Ko", "12.10 Ko").
std::string SizeText(int32_t textLength);
