#!/usr/bin/env python3
"""Draws the program's icon (a blue shield with a white check mark) and writes
kvvuduv.ico with 16, 32 and 48 pixel images, 32-bit with alpha, in the classic
bitmap form every Windows version reads. Run it again after changing the
drawing: python3 draw_icon.py kvvuduv.ico"""
import struct
import sys

SUPERSAMPLE = 4


def inside_shield(x, y):
    """x, y in 0..1 across the image: a shield, flat on top, pointed below."""
    if not (0.12 <= x <= 0.88 and 0.06 <= y <= 0.95):
        return False
    if y <= 0.55:
        return True
    # The lower part narrows to a point at the bottom centre.
    half_width = 0.38 * (1 - ((y - 0.55) / 0.40) ** 1.6)
    return abs(x - 0.5) <= half_width


def near_segment(x, y, a, b, width):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2


def in_check_mark(x, y):
    return near_segment(x, y, (0.30, 0.50), (0.45, 0.66), 0.13) or near_segment(x, y, (0.45, 0.66), (0.72, 0.30), 0.13)


def pixel(px, py, size):
    """BGRA of one pixel, averaged over SUPERSAMPLE x SUPERSAMPLE points."""
    total = [0.0, 0.0, 0.0, 0.0]
    for sy in range(SUPERSAMPLE):
        for sx in range(SUPERSAMPLE):
            x = (px + (sx + 0.5) / SUPERSAMPLE) / size
            y = (py + (sy + 0.5) / SUPERSAMPLE) / size
            if not inside_shield(x, y):
                continue
            if in_check_mark(x, y):
                colour = (255, 255, 255)
            else:
                shade = 1.0 - 0.45 * y  # lighter at the top
                colour = (int(40 * shade), int(110 * shade), int(215 * shade))  # R, G, B
            total[0] += colour[2]
            total[1] += colour[1]
            total[2] += colour[0]
            total[3] += 255
    samples = SUPERSAMPLE * SUPERSAMPLE
    alpha = total[3] / samples
    if alpha == 0:
        return bytes((0, 0, 0, 0))
    covered = total[3] / 255
    return bytes((int(total[0] / covered), int(total[1] / covered), int(total[2] / covered), int(alpha)))


def icon_image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for py in range(size - 1, -1, -1):  # bottom-up
        rows.append(b"".join(pixel(px, py, size) for px in range(size)))
    mask_row = b"\x00" * (((size + 31) // 32) * 4)  # alpha does the masking
    return header + b"".join(rows) + mask_row * size


def main(path):
    sizes = (16, 32, 48)
    images = [icon_image(size) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "kvvuduv.ico")
