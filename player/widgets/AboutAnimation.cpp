#include "AboutAnimation.h"

bool AboutAnimationStep(AboutLayout& layout, int outerWidth) {
    const int w = outerWidth;
    bool moved = false;

    // 1. Once the version has arrived, the title bar grows from its centre to the window's width.
    if (layout.Build.Left < w - layout.Build.Width - 20 && layout.Panel1.Width < w) {
        layout.Panel1.Left -= 2;
        layout.Panel1.Width += 4;
        moved = true;
    }
    // 2. Label1 travels right until it has passed the right margin.
    if (layout.Label1.Left <= w - layout.Label1.Width - 20) {
        layout.Label1.Left += 6;
        moved = true;
    }
    // 3. The author's name drops until it stands just above "O K".
    if (layout.MMLabel1.Top <= layout.BitBtn1.Top - 32) {
        layout.MMLabel1.Top += 6;
        moved = true;
    }
    // 4. The version comes in from the right.
    if (layout.Build.Left >= w - layout.Build.Width - 20) {
        layout.Build.Left -= 6;
        moved = true;
    }
    // 5. "Report Bugs/Suggestions to" comes in from the left.
    if (layout.Label2.Left <= 20) {
        layout.Label2.Left += 6;
        moved = true;
    }
    // 6. The e-mail address comes in from the right.
    if (layout.MMLabel2.Left >= w - layout.MMLabel2.Width - 20) {
        layout.MMLabel2.Left -= 6;
        moved = true;
    }
    return moved;
}
