# The start-up diploma with a few Polish texts, built byte by byte from the
# record table, independently of the C++ codec.
import struct, sys

def short_string(text, capacity):
    data = text.encode('cp1250')[:capacity]
    return bytes([len(data)]) + data + bytes(capacity - len(data))

def block(face, size, colour, style, left, top):
    return (short_string(face, 100) + bytes(3) + struct.pack('<iIB', size, colour, style)
            + bytes(3) + struct.pack('<ii', left, top))

body = ['za wzorowe wyniki w nauce', 'i wzorowe zachowanie', '', 'Łódź, 20 czerwca', '', '']
record = (block('Times New Roman', 48, 0, 0, 80, 60)
          + block('Times New Roman', 26, 0, 0, 50, 120)
          + struct.pack('<i', 1)
          + block('Times New Roman', 26, 0, 0, 50, 100)
          + short_string('DYPLOM UZNANIA', 30)
          + short_string('Małgorzata Żółkiewska', 50)
          + b''.join(short_string(line, 100) for line in body))
assert len(record) == 1064
with open(sys.argv[1], 'wb') as out:
    out.write(record)
