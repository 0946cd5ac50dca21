// morvaneupdater: brings an installed product up to date from the maker's server.
//
//     morvaneupdater PROGRAM_PATH PRODUCT_NUMBER
//
// PROGRAM_PATH is the product's executable with every space written "?"; the analysis
// program's launcher starts the updater so.

#include <string>
#include <vector>

#include "platform/application.h"
#include "updater/Unit1.h"

int main(int argc, char** argv) {
    Application application(argc, argv);
    Application::SetName(QStringLiteral("morvaneupdater"));
    const std::vector<std::string> args(argv + 1, argv + argc);
    TForm1 Form1;
    if (!Form1.FormCreate(args)) return 0;
    return application.exec();
}
