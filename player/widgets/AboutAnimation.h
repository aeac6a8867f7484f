#pragma once

// Where the About window's moving parts stand, in pixels of the window's client area.
struct AboutRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

struct AboutLayout {
    AboutRect Panel1;  // the title bar
    AboutRect Label1;
    AboutRect MMLabel1;  // the author's name
    AboutRect Build;     // the version
    AboutRect Label2;    // "Report Bugs/Suggestions to"
    AboutRect MMLabel2;  // the author's e-mail address
    AboutRect BitBtn1;   // "O K"; never moves, MMLabel1 stops above it
};

// One step of the About window's entrance animation, for a window `outerWidth` pixels wide
// (frame included). Each part moves until its own condition fails and then rests; positions
// are never reset, so once everything rests every later step changes nothing. Returns whether
// anything moved.
bool AboutAnimationStep(AboutLayout& layout, int outerWidth);
