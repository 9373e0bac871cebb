#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "base/dpiscale.h"
#include "base/settings.h"
#include "base/user32.h"
#include "dialogs/options.h"

namespace {

// The colour chooser's 16 custom colours, kept for the run so that colours
// the user mixes and adds are there again the next time. Filled on the
// first use with the background and text colours being edited at that
// moment and white in the other slots.
struct Custom {
    COLORREF colours[16];
    bool filled;
};
Custom CustomColors;

static_assert(sizeof(CHOOSECOLORA) == 36, "colour chooser record of 36 bytes");
}  // namespace

int PickFont(HWND owner, LOGFONTW* logfont, COLORREF* colour)
{
    // The chooser reads and gives sizes at the system's DPI; the program
    // keeps them at 96.
    const int dpi = static_cast<int>(DpiOf(NULL));
    LOGFONTW shown = *logfont;
    shown.lfHeight = ScaleLength(logfont->lfHeight, dpi, BASE_DPI);
    shown.lfWidth = ScaleLength(logfont->lfWidth, dpi, BASE_DPI);
    CHOOSEFONTW choice;
    memset(&choice, 0, sizeof choice);
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = owner;
    choice.lpLogFont = &shown;
    // Screen fonts that exist, started from the font being edited, with the
    // effects part, which also offers the text colour.
    choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_FORCEFONTEXIST;
    choice.rgbColors = *colour;
    choice.nFontType = SCREEN_FONTTYPE;
    if (!ChooseFontW(&choice))
        return -1;
    *logfont = shown;
    logfont->lfHeight = ScaleLength(shown.lfHeight, BASE_DPI, dpi);
    logfont->lfWidth = ScaleLength(shown.lfWidth, BASE_DPI, dpi);
    *colour = choice.rgbColors;
    return 0;
}

int PickColor(HWND owner, COLORREF* colour)
{
    // The colours in use are the ones a user most often wants to go back to
    // or to match.
    if (!CustomColors.filled) {
        for (COLORREF& c : CustomColors.colours)
            c = RGB(255, 255, 255);
        CustomColors.colours[0] = Options.edited->BackColor;
        CustomColors.colours[1] = Options.edited->FontColor;
        CustomColors.filled = true;
    }
    CHOOSECOLORA choice;
    memset(&choice, 0, sizeof choice);
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = owner;
    choice.rgbResult = *colour;
    choice.lpCustColors = CustomColors.colours;
    choice.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&choice))
        return -1;
    *colour = choice.rgbResult;
    return 0;
}
