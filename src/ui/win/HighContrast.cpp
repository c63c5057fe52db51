#include "ui/win/HighContrast.h"

namespace ui {

namespace {
int forced = -1;
}  // namespace

void ForceHighContrastForTests(int on) { forced = on; }

bool HighContrastOn() {
    if (forced >= 0) return forced != 0;
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace ui
