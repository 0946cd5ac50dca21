// The yardstick of the instruction counts: libxml2's complete HTML parser on the same pages.
//
//     html-reference PAGE...

#include <libxml/HTMLparser.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        htmlDocPtr document = htmlReadMemory(page.data(), static_cast<int>(page.size()), argv[i], "windows-1252",
                                             HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                                                 HTML_PARSE_NONET);
        if (document == nullptr) std::fprintf(stderr, "html-reference: %s not parsed\n", argv[i]);
        xmlFreeDoc(document);
    }
    xmlCleanupParser();
    return 0;
}
