#!/usr/bin/env python3
"""Draws Tavik's bundled pictures: the skin's view and page backgrounds and
the program icon. Pure Python, so the output is the same everywhere; the
generated files are committed and this script is only run to change them.

    scripts/make-pictures.py            # writes data/Skin/*.bmp|gif, data/icons/*.png|svg
"""
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def hexrgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


# ---------------------------------------------------------------- shapes
def inside_polygon(x, y, points):
    hit = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def inside_rounded(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def render(width, height, background, layers, samples=4):
    """layers: (colour, test(x, y) in 0..1 units) drawn in order, antialiased."""
    rows = []
    step = 1.0 / samples
    for py in range(height):
        row = []
        for px in range(width):
            colour = [0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) * step) / width
                    y = (py + (sy + 0.5) * step) / height
                    c = background(x, y)
                    for layer_colour, test in layers:
                        if test(x, y):
                            c = layer_colour
                    for k in range(3):
                        colour[k] += c[k]
            n = samples * samples
            row.append(tuple(round(v / n) for v in colour))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- writers
def write_bmp(path, rows):
    """An 8-bit BMP with RLE8 compression when the picture has at most 256
    colours (the window reads it at every repaint: a small file decodes
    fast), else a plain 24-bit one."""
    height, width = len(rows), len(rows[0])
    palette = sorted({pixel for row in rows for pixel in row})
    if len(palette) > 256:
        stride = (width * 3 + 3) & ~3
        pixels = bytearray()
        for row in reversed(rows):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            pixels += line + bytes(stride - len(line))
        header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels),
                           2835, 2835, 0, 0)
        with open(path, 'wb') as f:
            f.write(header + info + pixels)
        return
    index = {colour: i for i, colour in enumerate(palette)}
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        x = 0
        while x < width:
            run = 1
            while x + run < width and run < 255 and row[x + run] == row[x]:
                run += 1
            pixels += bytes((run, index[row[x]]))
            x += run
        pixels += b'\x00\x00'  # end of line
    pixels += b'\x00\x01'  # end of bitmap
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 54 + len(table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 1, len(pixels), 2835, 2835,
                       len(palette), 0)
    with open(path, 'wb') as f:
        f.write(header + info + table + pixels)


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(bytes(raw), 9)))
        f.write(chunk(b'IEND', b''))


def lzw(indices, min_code_size):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bits, nbits = bytearray(), 0, 0
    code_size = min_code_size + 1

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += code_size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    next_code = end + 1
    emit(clear)
    current = (indices[0],)
    for index in indices[1:]:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << code_size) and code_size < 12:
                code_size += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            next_code = end + 1
            code_size = min_code_size + 1
        current = (index,)
    emit(table[current])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, rows):
    height, width = len(rows), len(rows[0])
    palette = sorted({p for row in rows for p in row})
    if len(palette) > 256:
        raise SystemExit('%s: %d colours, at most 256 fit' % (path, len(palette)))
    size_bits = max(1, (len(palette) - 1).bit_length())
    palette += [(0, 0, 0)] * ((1 << size_bits) - len(palette))
    lookup = {p: i for i, p in enumerate(palette)}
    indices = [lookup[p] for row in rows for p in row]
    min_code_size = max(2, size_bits)
    data = lzw(indices, min_code_size)
    blocks = b''.join(bytes((len(data[i:i + 255]),)) + data[i:i + 255] for i in range(0, len(data), 255))
    with open(path, 'wb') as f:
        f.write(b'GIF89a' + struct.pack('<HHBBB', width, height, 0x80 | (size_bits - 1), 0, 0))
        f.write(b''.join(bytes(p) for p in palette))
        f.write(b',' + struct.pack('<HHHHB', 0, 0, width, height, 0))
        f.write(bytes((min_code_size,)) + blocks + b'\x00;')


# ---------------------------------------------------------------- pictures
def view_background():
    """640x480: a soft band behind the search controls, a calm field below."""
    top, band, line, field = hexrgb('#dbe5f0'), hexrgb('#eaf0f7'), hexrgb('#9db3cc'), hexrgb('#f3f6fa')
    w, h = 640, 480
    rows = []
    for y in range(h):
        if y < 92:
            c = mix(top, band, y / 91)
        elif y < 94:
            c = line
        else:
            c = mix(field, hexrgb('#e7eef6'), (y - 94) / (h - 95))
        rows.append([c] * w)
    return rows


def page_background():
    """160x120: a faint open book for the entry page's bottom right corner."""
    white, page, edge, text = (255, 255, 255), hexrgb('#f1f5fa'), hexrgb('#d5e0ec'), hexrgb('#e2e9f2')
    left = [(0.10, 0.30), (0.49, 0.38), (0.49, 0.90), (0.10, 0.82)]
    right = [(0.51, 0.38), (0.90, 0.30), (0.90, 0.82), (0.51, 0.90)]
    layers = [(edge, lambda x, y: inside_polygon(x, y, [(p[0] - 0.02, p[1] + 0.03) for p in left])),
              (edge, lambda x, y: inside_polygon(x, y, [(p[0] + 0.02, p[1] + 0.03) for p in right])),
              (page, lambda x, y: inside_polygon(x, y, left)),
              (page, lambda x, y: inside_polygon(x, y, right))]
    for i in range(5):
        dy = 0.46 + i * 0.08
        layers.append((text, lambda x, y, dy=dy: 0.15 < x < 0.44 and abs(y - (dy + (x - 0.10) * 0.2)) < 0.012))
        layers.append((text, lambda x, y, dy=dy: 0.56 < x < 0.85 and abs(y - (dy + (0.90 - x) * 0.2)) < 0.012))
    rows = render(160, 120, lambda x, y: white, layers, samples=1)
    return rows


def icon(size):
    blue, deep, paper, ink = hexrgb('#2f6db3'), hexrgb('#1a4f8b'), hexrgb('#fbfcfe'), hexrgb('#9db3cc')
    clear = (0, 0, 0, 0)
    left = [(0.18, 0.30), (0.49, 0.36), (0.49, 0.80), (0.18, 0.74)]
    right = [(0.51, 0.36), (0.82, 0.30), (0.82, 0.74), (0.51, 0.80)]
    layers = [('tile', lambda x, y: inside_rounded(x, y, 0.04, 0.04, 0.96, 0.96, 0.18)),
              ('paper', lambda x, y: inside_polygon(x, y, left) or inside_polygon(x, y, right))]
    if size >= 32:
        for i in range(4):
            dy = 0.44 + i * 0.08
            layers.append(('ink', lambda x, y, dy=dy: 0.23 < x < 0.45 and abs(y - dy - (x - 0.18) * 0.19) < 0.014))
            layers.append(('ink', lambda x, y, dy=dy: 0.55 < x < 0.77 and abs(y - dy - (0.82 - x) * 0.19) < 0.014))
    samples = 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    c = clear
                    for name, test in layers:
                        if test(x, y):
                            c = {'tile': mix(blue, deep, y) + (255,), 'paper': paper + (255,),
                                 'ink': ink + (255,)}[name]
                    for k in range(3):
                        acc[k] += c[k] * c[3] / 255
                    acc[3] += c[3]
            n = samples * samples
            alpha = acc[3] / n
            rgb = tuple(round(acc[k] / n * 255 / alpha) if alpha else 0 for k in range(3))
            row.append(rgb + (round(alpha),))
        rows.append(row)
    return rows


def icon_svg():
    """The icon of icon() as scalable vector art, in the same geometry."""
    u = lambda v: '%g' % round(v * 128, 2)
    pts = lambda poly: ' '.join('%s,%s' % (u(x), u(y)) for x, y in poly)
    left = [(0.18, 0.30), (0.49, 0.36), (0.49, 0.80), (0.18, 0.74)]
    right = [(0.51, 0.36), (0.82, 0.30), (0.82, 0.74), (0.51, 0.80)]
    lines = []
    for i in range(4):
        dy = 0.44 + i * 0.08
        for x0, x1, f in ((0.23, 0.45, lambda x: (x - 0.18) * 0.19),
                          (0.55, 0.77, lambda x: (0.82 - x) * 0.19)):
            lines.append('    <line x1="%s" y1="%s" x2="%s" y2="%s"/>'
                         % (u(x0), u(dy + f(x0)), u(x1), u(dy + f(x1))))
    return '\n'.join([
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<!-- Tavik\'s icon, drawn by scripts/make-pictures.py. -->',
        '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 128 128">',
        '  <defs>',
        '    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">',
        '      <stop offset="0" stop-color="#2f6db3"/>',
        '      <stop offset="1" stop-color="#1a4f8b"/>',
        '    </linearGradient>',
        '  </defs>',
        '  <rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="url(#tile)"/>'
        % (u(0.04), u(0.04), u(0.92), u(0.92), u(0.18)),
        '  <polygon points="%s" fill="#fbfcfe"/>' % pts(left),
        '  <polygon points="%s" fill="#fbfcfe"/>' % pts(right),
        '  <g stroke="#9db3cc" stroke-width="%s">' % u(0.028),
    ] + lines + ['  </g>', '</svg>', ''])


def main():
    skin = os.path.join(ROOT, 'data', 'Skin')
    icons = os.path.join(ROOT, 'data', 'icons')
    os.makedirs(icons, exist_ok=True)
    write_bmp(os.path.join(skin, 'BGImg.bmp'), view_background())
    write_gif(os.path.join(skin, 'BGHtml.gif'), page_background())
    for size in (16, 32, 48, 128):
        write_png(os.path.join(icons, 'tavik-%d.png' % size), icon(size))
    with open(os.path.join(icons, 'tavik.svg'), 'w') as svg:
        svg.write(icon_svg())


if __name__ == '__main__':
    main()
