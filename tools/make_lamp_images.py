#!/usr/bin/env python3
"""Writes the lamp images 1.gif to 5.gif of ランプ: one lamp, 56 x 59 pixels, in the colour of its slot.

Usage: make_lamp_images.py [output folder]   (default: the data folder beside this script)
"""
import os
import struct
import sys

WIDTH, HEIGHT = 56, 59
SLOT_COLOURS = {
    1: (192, 192, 0),    # yellow
    2: (0, 192, 0),      # green
    3: (255, 0, 0),      # red
    4: (192, 0, 192),    # purple
    5: (0, 0, 255),      # blue
}
# Palette indices.
CLEAR, OUTLINE, BODY, LIGHT, SHADE, SOCKET, GROOVE, SHINE = range(8)


def palette(colour):
    r, g, b = colour
    light = tuple(min(255, c + (255 - c) // 2) for c in colour)
    shade = tuple(c * 2 // 3 for c in colour)
    return [(255, 255, 255), (48, 48, 48), (r, g, b), light, shade, (176, 176, 176), (96, 96, 96),
            (255, 255, 255)]


def draw():
    """The lamp as palette indices: a round bulb over a grooved socket."""
    px = [[CLEAR] * WIDTH for _ in range(HEIGHT)]
    cx, cy, radius = 27.5, 23.5, 22.0
    for y in range(HEIGHT):
        for x in range(WIDTH):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if d2 <= radius ** 2:
                if d2 >= (radius - 1.6) ** 2:
                    px[y][x] = OUTLINE
                elif (x - cx) + (y - cy) > radius * 0.75:
                    px[y][x] = SHADE
                else:
                    px[y][x] = BODY
    # A soft highlight, then a small shine, towards the upper left.
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if px[y][x] == BODY and ((x - 19) / 7.5) ** 2 + ((y - 15) / 5.5) ** 2 <= 1:
                px[y][x] = LIGHT
            if ((x - 17) / 3.0) ** 2 + ((y - 13) / 2.2) ** 2 <= 1:
                px[y][x] = SHINE
    # The socket below the bulb.
    for y in range(44, 58):
        for x in range(18, 38):
            if y == 57 or x in (18, 37):
                px[y][x] = OUTLINE
            elif y in (47, 51, 55):
                px[y][x] = GROOVE
            else:
                px[y][x] = SOCKET
    return px


def lzw(indices, min_code_size):
    """GIF LZW compression of a sequence of palette indices into sub-blocks."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bits, nbits = 0, 0

    def emit(code, size):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    size = min_code_size + 1
    next_code = end + 1
    emit(clear, size)
    run = ()
    for value in indices:
        candidate = run + (value,)
        if candidate in table:
            run = candidate
            continue
        emit(table[run], size)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table = {(i,): i for i in range(clear)}
            size = min_code_size + 1
            next_code = end + 1
        run = (value,)
    if run:
        emit(table[run], size)
    emit(end, size)
    if nbits:
        out.append(bits & 0xFF)
    blocks = bytearray()
    for i in range(0, len(out), 255):
        chunk = out[i:i + 255]
        blocks.append(len(chunk))
        blocks += chunk
    blocks.append(0)
    return bytes(blocks)


def gif(colour):
    pixels = [v for row in draw() for v in row]
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", WIDTH, HEIGHT, 0xF2, CLEAR, 0)   # global table of 8 colours
    for rgb in palette(colour):
        data += bytes(rgb)
    data += bytes([0x21, 0xF9, 4, 0x01, 0, 0, CLEAR, 0])           # the background is transparent
    data += b"\x2C" + struct.pack("<HHHHB", 0, 0, WIDTH, HEIGHT, 0)
    data.append(3)
    data += lzw(pixels, 3)
    data += b"\x3B"
    return bytes(data)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    for slot, colour in SLOT_COLOURS.items():
        with open(os.path.join(folder, f"{slot}.gif"), "wb") as f:
            f.write(gif(colour))


if __name__ == "__main__":
    main()
