// A JPEG walked segment by segment, by their lengths. stb_image 2.27 (the
// one Debian ships) writes past its Huffman tables when a table's code
// counts add up to more than 256: its JPEG reader is only ever given files
// whose tables are checked here first, and the size comes from here alone.
#pragma once

#include <cstdint>
#include <span>

#include "checker/picture_decoder.h"

namespace mapio::checker {

// The size from the frame header, any kind of it; the segments before it
// are skipped by their lengths, through small reads.
HeaderRead ReadJpegSize(PictureBytes& bytes, std::uint32_t& width, std::uint32_t& height);

// Whether every Huffman table in the whole file is one a decoder can
// build: each class and slot a JPEG may have, at most 256 codes.
bool JpegTablesSound(std::span<const char> file);

}  // namespace mapio::checker
