#pragma once

// How report objects are drawn: the scale and offset that map page units
// onto the canvas (the page drawer's target rectangle), and whether the
// drawing is the printed form. Objects apply the scale and offset as a
// transform of the painter, so that a memo lays out the same lines at every
// zoom and on every device.
struct TrpDrawContext
{
    double ScaleX = 1.0;
    double ScaleY = 1.0;
    double OffsX = 0.0;
    double OffsY = 0.0;
    // Printed form (preview and printer). Otherwise an object without a
    // fill colour is drawn white.
    bool Printing = true;
};
