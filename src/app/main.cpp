// The tavik program: the dictionary window.
#include <wx/app.h>

#include "app/command_line.h"
#include "app/tavik_app.h"

wxIMPLEMENT_APP_NO_MAIN(tavik::CTavikApp);

int main(int argc, char** argv) {
    if (const auto status = tavik::HandleStartCommandLine(
            std::vector<std::string>(argv + 1, argv + argc), stdout, stderr))
        return *status;
    return wxEntry(argc, argv);
}
