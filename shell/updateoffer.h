#pragma once

// The launcher's update check: the request, what its reply offers, the offer page written
// for the HTML view, and how the updater is started.

#include <string>
#include <vector>

inline constexpr const char* UpdateCheckScript = "update/updateproduit.php";
inline constexpr const char* OfferPageName = "maj.htm";

struct UpdateOffer {
    bool offered = false;
    bool major = false;
    std::vector<std::string> lines;  // the offer page, one entry per line
};

// Body of the check: "produit=41&version=0.6".
std::string UpdateCheckBody();

// What a check reply offers: a line count of 0 offers nothing; otherwise the major flag and
// that many lines, each descrambled from 2 × key1 × key2 + 41, then one more field that is
// read and not used. A reply shorter than the fields it announces offers nothing.
UpdateOffer ReadUpdateOffer(const std::string& reply);

// The offer page: "<html>", the lines, "</html>", each ended by CR LF.
std::string OfferPageText(const UpdateOffer& offer);

// The updater's file in the program's folder (which ends with its separator):
// "morvaneupdater", with ".exe" on Windows.
std::string UpdaterFile(const std::string& programDir);

// The updater's parameters: the running program's full path with every space written "?",
// a space, and the product number.
std::string UpdaterParameters(const std::string& programPath);
