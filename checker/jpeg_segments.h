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

// A decoder goes through every block of a scan's components once per scan:
// a file of a few bytes a scan and hundreds of thousands of scans takes
// minutes. A picture may have at most this many scans, and they may cover
// at most this many blocks in all (128 scans of the largest picture
// decoded, ten times what encoders write).
inline constexpr std::size_t kMaxJpegScans = 1000;
inline constexpr std::uint64_t kMaxJpegScanBlocks = std::uint64_t{1} << 26;

enum class JpegWalk : std::uint8_t {
  Sound,
  BadTables,     // a Huffman table no decoder can build
  TooManyScans,  // more scans, or more blocks in them, than allowed above
};

// The whole file walked before a decoder is given it: every Huffman table
// must be one a decoder can build (each class and slot a JPEG may have, at
// most 256 codes), and the scans must stay within their budget.
JpegWalk WalkJpeg(std::span<const char> file);

}  // namespace mapio::checker
