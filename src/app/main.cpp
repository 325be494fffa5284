// The tavik program: the dictionary window.
#include "app/tavik_app.h"

wxIMPLEMENT_APP(tavik::CTavikApp);
