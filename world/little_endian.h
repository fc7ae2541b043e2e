// Little-endian numbers in the game's file formats (BMP, MD2, 3DS, WAV): the one set of
// readers and writers every decoder and writer uses, whatever the machine's own byte order.
// Depends on: nothing but the C++ library.
#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

namespace littleEndian {

// ---- Reading: p points at the number's first byte; the caller has checked it is inside -----

inline uint16_t read16(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }

inline uint32_t read32(const uint8_t* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) |
           ((uint32_t)p[3] << 24);
}

// Two's complement, as the files store signed numbers.
inline int16_t readInt16(const uint8_t* p) { return (int16_t)read16(p); }
inline int32_t readInt32(const uint8_t* p) { return (int32_t)read32(p); }

// An IEEE 754 single, bit for bit.
inline float readFloat(const uint8_t* p)
{
    uint32_t bits = read32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// ---- Writing: appended to out, or stored over four bytes already there ------------------

// The low 16 bits of v (a negative int passed in keeps its two's complement bits).
inline void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back((uint8_t)(v & 0xFF));
    out.push_back((uint8_t)((v >> 8) & 0xFF));
}

inline void store32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = (uint8_t)((v >> (8 * i)) & 0xFF);
}

inline void put32(std::vector<uint8_t>& out, uint32_t v)
{
    uint8_t bytes[4];
    store32(bytes, v);
    out.insert(out.end(), bytes, bytes + 4);
}

inline void putFloat(std::vector<uint8_t>& out, float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    put32(out, bits);
}

}  // namespace littleEndian
