#include "cli/analyserreport.h"

#include <cstdio>

#include "engine/windows1252.h"
#include "workspace/resultformat.h"

namespace {

std::string JsonString(const std::string& windows1252) {
    std::string out = "\"";
    for (const char c : Windows1252ToUtf8(windows1252)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A CSV field: quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// Spaces that pad UTF-8 text to a width counted in characters.
std::string Padding(std::string_view text, size_t width) {
    size_t chars = 0;
    for (const char c : text) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return std::string(width > chars ? width - chars : 0, ' ');
}

std::string PadLeft(std::string_view text, size_t width) {
    return Padding(text, width) + std::string(text);
}

std::string PadRight(std::string_view text, size_t width) {
    return std::string(text) + Padding(text, width);
}

}  // namespace

std::string TextReport(const RunStore& store, const std::string& keyword) {
    constexpr size_t kLabelWidth = 10;
    constexpr size_t kColumnWidth = 18;
    std::string out;
    for (int p = 0; p < store.UrlCount(); ++p) {
        const PageFigures& figures = store.Pages[p].Figures;
        if (p > 0) out += "\n";
        out += std::string(PageCaption) + " " + Windows1252ToUtf8(store.RunUrls[p]) + "\n";
        out += std::string(KeywordCaption) + " " + Windows1252ToUtf8(keyword) + "\n\n";
        out += PadRight("", kLabelWidth);
        for (const std::string_view caption : MeasureCaptions) out += PadLeft(caption, kColumnWidth);
        out += "\n";
        for (int row = 1; row <= DisplayRowCount; ++row) {
            const ElementStats& s = figures.Rows[row];
            out += PadRight(ElementRows[row].Label, kLabelWidth);
            out += PadLeft(std::to_string(s.Blocks), kColumnWidth);
            out += PadLeft(std::to_string(s.Words), kColumnWidth);
            out += PadLeft(std::to_string(s.Occurrences), kColumnWidth);
            out += PadLeft(DensityText(s.Density), kColumnWidth);
            out += "\n";
        }
        out += "\n";
        out +=
            std::string(SignificantCaption) + " " + std::to_string(figures.Summary.SignificantWords) + "\n";
        out += std::string(IgnoredCaption) + " " + std::to_string(figures.Summary.IgnoredWords) + "\n";
        out += std::string(SizeCaption) + " " + SizeText(figures.Summary.TextLength) + "\n";
        out += std::string(ReturnCodeCaption) + " " + std::to_string(figures.Summary.StatusCode) + "\n";
        if (!store.Pages[p].Error.empty())
            out += "Erreur : " + Windows1252ToUtf8(store.Pages[p].Error) + "\n";
    }
    return out;
}

std::string JsonReport(const RunStore& store, const std::string& keyword, bool removeAccents) {
    std::string out = "{\"keyword\": " + JsonString(keyword) +
                      ", \"remove_accents\": " + (removeAccents ? "true" : "false") + ", \"pages\": [";
    for (int p = 0; p < store.UrlCount(); ++p) {
        const PageResult& page = store.Pages[p];
        const PageSummary& summary = page.Figures.Summary;
        if (p > 0) out += ", ";
        out += "{\"address\": " + JsonString(store.RunUrls[p]);
        out += ", \"status_code\": " + std::to_string(summary.StatusCode);
        out += ", \"error\": " + (page.Error.empty() ? std::string("null") : JsonString(page.Error));
        out += ", \"truncated\": " + std::string(page.Truncated ? "true" : "false");
        out += ", \"text_length\": " + std::to_string(summary.TextLength);
        out += ", \"significant_words\": " + std::to_string(summary.SignificantWords);
        out += ", \"ignored_words\": " + std::to_string(summary.IgnoredWords);
        out += ", \"rows\": [";
        for (int row = 1; row <= DisplayRowCount; ++row) {
            const ElementStats& s = page.Figures.Rows[row];
            if (row > 1) out += ", ";
            out += "{\"label\": " + JsonString(ElementRows[row].Label);
            out += ", \"blocks\": " + std::to_string(s.Blocks);
            out += ", \"words\": " + std::to_string(s.Words);
            out += ", \"occurrences\": " + std::to_string(s.Occurrences);
            out += ", \"density\": " + std::to_string(s.Density) + "}";
        }
        out += "]}";
    }
    return out + "]}\n";
}

std::string CsvReport(const RunStore& store) {
    std::string out = "address,status,label,blocks,words,occurrences,density\r\n";
    for (int p = 0; p < store.UrlCount(); ++p) {
        const PageFigures& figures = store.Pages[p].Figures;
        const std::string page = CsvField(Windows1252ToUtf8(store.RunUrls[p])) + "," +
                                 std::to_string(figures.Summary.StatusCode) + ",";
        for (int row = 1; row <= DisplayRowCount; ++row) {
            const ElementStats& s = figures.Rows[row];
            out += page + ElementRows[row].Label + "," + std::to_string(s.Blocks) + "," +
                   std::to_string(s.Words) + "," + std::to_string(s.Occurrences) + "," +
                   (s.Density < 0 ? "" : std::to_string(s.Density)) + "\r\n";
        }
    }
    return out;
}
