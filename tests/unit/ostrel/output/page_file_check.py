#!/usr/bin/env python3
"""Reads the page file that ostrel_output_test wrote for PF_N3 (n3.pgf) with
a struct reader of the record table of the format, natively, and checks its
records: # F B T H H L L L L L L G E."""
import struct
import sys

FIXED = {b'#': 20, b'B': 20, b'F': 7, b'T': 5, b'H': 21, b'L': 15, b'R': 15, b'G': 27, b'E': 3}


def records(data):
    at = 0
    while at + 3 <= len(data):
        length, kind = struct.unpack_from('<HB', data, at)
        kind = bytes([kind])
        if kind == b'\0':
            return
        assert length >= FIXED.get(kind, 3) and at + length <= len(data), f'bad record at {at}'
        body = data[at:at + length]
        yield kind, body
        if kind == b'E':
            return
        at += length


def text(body, offset):
    end = body.index(b'\0', offset)
    return body[offset:end]


def main():
    data = open(sys.argv[1] + '/n3.pgf', 'rb').read()
    recs = list(records(data))
    kinds = b''.join(k for k, _ in recs)
    assert kinds == b'#FBTHHLLLLLLGE', kinds
    number, width, height, char_width, line_height = struct.unpack_from('<BiiII', recs[0][1], 3)
    assert (number, width, height) == (1, 2479, 3508), (number, width, height)
    assert char_width > 0 and line_height > 0
    assert recs[2][1][3] == 0, 'title box sides'
    assert recs[3][1] == bytes.fromhex('0A00544354310A543200'), recs[3][1].hex()
    heads = [struct.unpack_from('<Biiii', body, 3) + (text(body, 20),) for k, body in recs if k == b'H']
    assert [h[0] for h in heads] == [0, 1] and [h[5] for h in heads] == [b'A', b'B'], heads
    assert heads[1][1] == heads[0][3] + 2, heads
    cells = [struct.unpack_from('<BHii', body, 3) + (text(body, 14),) for k, body in recs if k == b'L']
    assert [c[0] for c in cells] == [0, 1, 0, 1, 0, 1], cells
    assert [c[1] for c in cells] == [2, 0, 2, 0, 2, 0], cells
    assert [c[4] for c in cells] == [b'1', b'a', b'2', b'bb', b'3', b'ccc'], cells
    assert recs[12][1] == struct.pack('<HB', 27, ord('G')) + bytes(24)
    print('n3.pgf: records as written')


main()
