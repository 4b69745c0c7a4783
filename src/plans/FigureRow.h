#pragma once

// One row of the Figure table: a mark (Parts 0 joint restriction, 1 muscle
// weakness, 2 pain) at its top left, or a paralysis overlay (Parts 3) of a
// quarter (Corner 0 right-top, 1 right-bottom, 2 left-bottom, 3 left-top,
// as seen on the picture) with X = Y = -1. Side 0 is the front figure.
struct FigureRow
{
    int Parts = 0;
    int Side = 0;
    int Corner = -1;
    int X = -1;
    int Y = -1;

    friend bool operator==(const FigureRow &, const FigureRow &) = default;
};
