#pragma once

// The program's text table, whose entries explain the results, and the explanations of the
// HTTP return codes. Texts are Windows-1252.

#include <array>
#include <string>
#include <vector>

inline constexpr int TextTableSize = 200;

class VariableText {
public:
    // Builds the table; the entries this program does not use stay empty.
    void BuildTextTable();

    const std::string& operator[](int entry) const { return TextTable[entry]; }

    std::array<std::string, TextTableSize> TextTable;
};

// The 38 status explanations, each written "code=explanation".
const std::vector<std::string>& StatusExplanations();

// The explanation of the first item whose part before "=" equals the code text (letter case
// ignored), or an empty text.
std::string ExplanationOf(const std::string& code);
