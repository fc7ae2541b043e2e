#!/usr/bin/env python3
"""Writes the fuzz targets' seed inputs into fuzz/corpus/<target>/.

Pictures and models are cut down from the generated game data (small, so that mutations stay
quick), the rest are made by hand to reach each branch of the readers: every BMP header
and pixel format the reader takes, MD2 files with named animations, top-five tables that
are full, short, long or not digits at all, scripts and command lines of every kind.
Usage: fuzz/make_seeds.py DATA_DIR   (DATA_DIR: the generated data, e.g. build/data)
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# ---- pictures --------------------------------------------------------------------------

def bmp(width, height, bits, pixels, compression=0, palette=b"", masks=b"", core=False,
        colors_used=0, top_down=False, file_header=True, pixel_offset=None):
    if core:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits,
                           compression, len(pixels), 2835, 2835, colors_used, 0)
    body = info + masks + palette
    offset = 14 + len(body) if pixel_offset is None else pixel_offset
    header = struct.pack("<2sIHHI", b"BM", 14 + len(body) + len(pixels), 0, 0, offset)
    return (header if file_header else b"") + body + pixels


def rows(width, height, bits, value):
    stride = (width * bits + 31) // 32 * 4
    return b"".join(bytes(value(x, y) % 256 for x in range(stride)) for y in range(height))


def palette(entries, size=4):
    out = b""
    for i in range(entries):
        out += bytes([i * 37 % 256, i * 91 % 256, i * 53 % 256] + [0] * (size - 3))
    return out


def crop24(path, width, height):
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    full_width = struct.unpack_from("<i", data, 18)[0]
    stride = (full_width * 3 + 3) // 4 * 4
    out_stride = (width * 3 + 3) // 4 * 4
    pixels = b""
    for y in range(height):
        row = data[offset + y * stride: offset + y * stride + width * 3]
        pixels += row + bytes(out_stride - len(row))
    return bmp(width, height, 24, pixels)


def picture_seeds(data_dir):
    textures = os.path.join(data_dir, "textures")
    write("bmp", "gruen.bmp", open(os.path.join(textures, "gruen.bmp"), "rb").read())
    write("bmp", "asph02-crop.bmp", crop24(os.path.join(textures, "asph02.bmp"), 12, 8))
    write("bmp", "menu0-crop.bmp", crop24(os.path.join(textures, "menu0.bmp"), 9, 5))
    write("bmp", "1bit.bmp", bmp(9, 2, 1, rows(9, 2, 1, lambda x, y: 0xA5 ^ y), palette=palette(2)))
    write("bmp", "4bit-odd-width.bmp",
          bmp(5, 3, 4, rows(5, 3, 4, lambda x, y: (x * 17 + y) % 256), palette=palette(16)))
    write("bmp", "8bit-few-colours.bmp",
          bmp(3, 3, 8, rows(3, 3, 8, lambda x, y: (x + y) % 4), palette=palette(4), colors_used=4))
    rle8 = bytes([3, 1, 0, 3, 2, 3, 0, 0, 0, 2, 1, 0, 2, 2, 0, 0, 0, 1])
    write("bmp", "rle8.bmp", bmp(6, 3, 8, rle8, compression=1, palette=palette(4), colors_used=4))
    rle4 = bytes([4, 0x12, 0, 3, 0x31, 0x20, 0, 0, 0, 2, 1, 0, 6, 0x23, 0, 1])
    write("bmp", "rle4.bmp", bmp(7, 3, 4, rle4, compression=2, palette=palette(4), colors_used=4))
    write("bmp", "16bit-555.bmp", bmp(3, 2, 16, rows(3, 2, 16, lambda x, y: x * 29 + y)))
    masks565 = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    write("bmp", "16bit-565-bitfields.bmp",
          bmp(3, 2, 16, rows(3, 2, 16, lambda x, y: x * 31 + y), compression=3, masks=masks565))
    # The masks are missing: the pixels start right after the 40-byte header.
    write("bmp", "16bit-bitfields-no-room-for-masks.bmp",
          bmp(2, 2, 16, rows(2, 2, 16, lambda x, y: x * 7 + y), compression=3))
    write("bmp", "32bit.bmp", bmp(2, 2, 32, rows(2, 2, 32, lambda x, y: x * 60 + y)))
    masks32 = struct.pack("<III", 0x000003FF, 0x000FFC00, 0x3FF00000)
    write("bmp", "32bit-bitfields.bmp",
          bmp(2, 2, 32, rows(2, 2, 32, lambda x, y: x * 60 + y), compression=3, masks=masks32))
    write("bmp", "core-header-24bit.bmp",
          bmp(3, 2, 24, rows(3, 2, 24, lambda x, y: x * 40 + y), core=True))
    write("bmp", "core-header-8bit.bmp",
          bmp(3, 2, 8, rows(3, 2, 8, lambda x, y: x), palette=palette(256, 3), core=True))
    write("bmp", "top-down.bmp",
          bmp(2, 3, 24, rows(2, 3, 24, lambda x, y: x * 50 + y * 9), top_down=True))
    write("bmp", "bare-dib.bmp",
          bmp(2, 2, 24, rows(2, 2, 24, lambda x, y: x + y), file_header=False))
    write("bmp", "truncated.bmp", bmp(4, 4, 24, rows(4, 4, 24, lambda x, y: x))[:70])
    write("bmp", "huge-header-tiny-file.bmp", bmp(16384, 16384, 24, bytes(64)))


# ---- models ----------------------------------------------------------------------------

MD2_HEADER = struct.Struct("<17i")


def cut_md2(path, keep_frames):
    data = open(path, "rb").read()
    h = list(MD2_HEADER.unpack_from(data))
    frame_size, frames_at = h[4], h[14]
    h[10] = keep_frames
    h[9] = 0
    h[15] = h[16] = frames_at + frame_size * keep_frames
    return MD2_HEADER.pack(*h) + data[68:frames_at + frame_size * keep_frames]


def tiny_md2(names):
    skins = b"models/texturen/tiny.bmp".ljust(64, b"\0")
    texcoords = struct.pack("<6h", 0, 0, 8, 0, 0, 8)
    triangles = struct.pack("<6h", 0, 1, 2, 0, 1, 2)
    frame_size = 40 + 3 * 4
    frames = b""
    for i, name in enumerate(names):
        frames += struct.pack("<6f", 1, 1, 1, 0, 0, i) + name.ljust(16, b"\0")
        frames += bytes([0, 0, 0, 0, 10, 0, 0, 1, 0, 10, 5, 2])
    offsets = [68, 68 + len(skins), 68 + len(skins) + len(texcoords),
               68 + len(skins) + len(texcoords) + len(triangles)]
    end = offsets[3] + len(frames)
    header = MD2_HEADER.pack(0x32504449, 8, 8, 8, frame_size, 1, 3, 3, 1, 0, len(names),
                             offsets[0], offsets[1], offsets[2], offsets[3], end, end)
    return header + skins + texcoords + triangles + frames


def model_seeds(data_dir):
    models = os.path.join(data_dir, "models")
    write("md2", "r2d2-two-frames.md2", cut_md2(os.path.join(models, "r2d2.md2"), 2))
    write("md2", "tiny-animated.md2",
          tiny_md2([b"stand01", b"stand02", b"stand03", b"run01", b"run02", b"pain1", b"x"]))
    write("md2", "tiny-one-frame.md2", tiny_md2([b"stand01"]))
    write("md2", "tiny-odd-names.md2", tiny_md2([b"", b"9", b"run99", b"run99", b"A" * 16]))
    bad = bytearray(tiny_md2([b"a01", b"a02"]))
    struct.pack_into("<i", bad, 4, 7)
    write("md2", "version-7.md2", bytes(bad))
    write("md2", "header-only.md2", tiny_md2([b"a01"])[:68])


# ---- top-five tables -------------------------------------------------------------------

def record(name, score):
    return name.ljust(7, b"\0")[:7] + b"\0" + b"%03d" % score + b"\0"


def table(entries):
    return b"".join(record(n, s) for n, s in entries)


def highscore_seeds():
    full = table([(b"Anna", 412), (b"Ben", 300), (b"Clara", 120), (b"Dirk", 45), (b"Eve", 7)])
    # Prefix: two bytes of score (taken modulo 1000), seven of name; the first byte a
    # multiple of eight also runs the file update.
    def prefix(score, name, with_file):
        high = (score >> 8) & 0xFF
        if with_file:
            high = 0
        else:
            high |= 1
        return bytes([high, score & 0xFF]) + name.ljust(7, b"\0")[:7]

    write("highscore", "full-table-top-rank", prefix(200, b"Zoe", True) + full[:0] + full)
    write("highscore", "full-table-middle", prefix(130, b"Mia", False) + full)
    write("highscore", "full-table-not-ranked", prefix(3, b"Tom", True) + full)
    write("highscore", "empty-file", prefix(50, b"Nina", True))
    write("highscore", "short-file", prefix(99, b"Ole", True) + full[:25])
    write("highscore", "long-file", prefix(250, b"Pia", True) + full + b"trailing bytes" * 3)
    write("highscore", "not-digits", prefix(10, b"Qi", True) + b"abcdefghijkl" * 5)
    write("highscore", "all-zero", prefix(0, b"Rolf", True) + bytes(60))
    write("highscore", "ties", prefix(45, b"Sam", False) + table([(b"a", 45)] * 5))


# ---- scripts and command lines ---------------------------------------------------------

def script_seeds():
    write("script", "menu-and-play.txt",
          b"2 keydown enter\n10 keydown w\n60 keyup w\n61 keydown a # strafe\n"
          b"62 keyup a\n70 keydown up\n71 keydown down\n72 keyup down\n"
          b"80 mousedown left\n81 mouseup left\n82 mousedown right\n83 mouseup middle\n"
          b"90 motion 612 384\n91 motion -2147483648 2147483647\n"
          b"95 screenshot shot.png\n99 keydown escape\n100 quit\n")
    write("script", "comments-and-blanks.txt", b"# a script\n\n   \t\n5 keydown x   # note\r\n6 quit\n")
    write("script", "bad-frame.txt", b"0 keydown w\n")
    write("script", "bad-event.txt", b"3 fly away\n")
    write("script", "long-word.txt", b"3 keydown " + b"w" * 3000 + b"\n")
    write("script", "motion-overflow.txt", b"4 motion 2147483648 0\n")
    write("script", "no-newline-at-end.txt", b"1 keydown enter\n2 quit")
    write("script", "recording.txt",
          b"name Ann%00a\n1 clock 4294967295\n2 reshape 0 100000\n3 keydown char:200\n"
          b"4 mousedown 7\n5 keydown special:101\n")


def options_seeds():
    def args(*words):
        return b"\0".join(words)

    write("options", "windowed-named", args(b"--windowed", b"--name", b"Anna"))
    write("options", "deterministic", args(b"--fixed-step", b"16.6667", b"--script", b"s.txt",
                                           b"--trace", b"t.jsonl", b"--data", b"build/data"))
    write("options", "tiny-step", args(b"--fixed-step", b"1e-300"))
    write("options", "step-not-a-number", args(b"--fixed-step", b"nan"))
    write("options", "display-for-glut", args(b"-display", b":1", b"-h"))
    write("options", "missing-value", args(b"--windowed", b"--trace"))
    write("options", "unknown-option", args(b"--bogus", b"--version"))
    write("options", "empty-name", args(b"--name", b""))
    write("options", "value-looks-like-option", args(b"--name", b"--help", b"--login-name"))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    picture_seeds(sys.argv[1])
    model_seeds(sys.argv[1])
    highscore_seeds()
    script_seeds()
    options_seeds()


if __name__ == "__main__":
    main()
