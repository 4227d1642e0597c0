#pragma once
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

// Converts one input as dyplom-wzory does a design: a PDF when it starts as
// one, else an SVG (through both Qt's renderer and librsvg). It must either
// be refused with an ImportError or give a template the reader accepts.
// False when that check fails.
bool designFuzzOne(const uint8_t *data, size_t size);

// Small SVG and PDF designs using the features the import handles.
std::vector<QByteArray> designSeeds();
