#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// Each fuzz target defines fuzzOne(); libFuzzer calls it through its entry
// point, and without libFuzzer the seed driver calls it for every seed file.

// One input: whatever it holds, reading it must end in a result or an
// orderly error. A fault is a crash or a sanitizer report.
void fuzzOne(const QByteArray &input);

// Fonts and images need an application; the offscreen platform serves.
void ensureApplication();

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
