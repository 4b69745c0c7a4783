#pragma once

// What the rounds of an erase race came to.
struct EraseTally
{
    int faulty = 0;
    int lost = 0;          // bookings told stored and not stored
    int wronglyErased = 0; // slots erased after another workstation changed them first
    int erased = 0;        // rounds whose erase was done
    int raced = 0;         // rounds whose workstations met at the seam

    void add(bool fault, int lostNow, bool erasedWrongly, bool erasedNow, bool racedNow)
    {
        faulty += fault;
        lost += lostNow;
        wronglyErased += erasedWrongly;
        erased += erasedNow;
        raced += racedNow;
    }
};
