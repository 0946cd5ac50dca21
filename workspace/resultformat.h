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

// "12%", or "- %" for a density of -1.
std::string DensityText(int32_t density);

// "1023 octets" below 1024; above, the size in Ko to 3 significant digits with 2 decimals
// ("1.50 Ko", "12.10 Ko").
std::string SizeText(int32_t textLength);
