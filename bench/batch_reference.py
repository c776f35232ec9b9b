#!/usr/bin/env python3
"""The least a programming client can do for one radio of a batch, with the standard library only:
ask the radio who it is, read it, write the image given, read it back and compare, as four sessions
on one serial device (38400 baud, 8N1, raw). bench_batch.sh times it beside orx740-cli batch.

  batch_reference.py DEVICE IMAGE_TO_WRITE
Exit status 0 when the radio holds the image afterwards, 1 otherwise.
"""
import os
import select
import sys
import termios
import tty

# The transferred ranges of the radio's memory, inclusive, in 16-byte blocks.
RANGES = [(0x00000, 0x00C7F), (0x02000, 0x0277F), (0x04000, 0x04C7F), (0x06000, 0x06C7F),
          (0x08000, 0x08C7F), (0x0A000, 0x0A9FF), (0x0C000, 0x0C9FF), (0x0E000, 0x0E9FF),
          (0x10000, 0x107FF), (0x12000, 0x1264F), (0x14000, 0x1464F), (0x16000, 0x1614F),
          (0x16200, 0x1633F), (0x16400, 0x1646F), (0x18000, 0x1814F), (0x1C000, 0x1C18F),
          (0x20000, 0x201FF), (0x22000, 0x2208F), (0x22100, 0x2216F)]
BLOCKS = [a for first, last in RANGES for a in range(first, last + 1, 16)]


class Line:
    def __init__(self, device):
        self.fd = os.open(device, os.O_RDWR | os.O_NOCTTY)
        tty.setraw(self.fd)
        attributes = termios.tcgetattr(self.fd)
        attributes[4] = attributes[5] = termios.B38400
        termios.tcsetattr(self.fd, termios.TCSANOW, attributes)

    def exchange(self, frame, length):
        """Sends a frame and returns the reply of `length` bytes (1 s to come, or an error)."""
        os.write(self.fd, frame)
        reply = b""
        while len(reply) < length:
            if not select.select([self.fd], [], [], 1.0)[0]:
                raise TimeoutError(f"no reply to {frame[:1]!r}")
            reply += os.read(self.fd, length - len(reply))
        return reply

    def session(self, body):
        if self.exchange(b"PROGRAM", 3) != b"KZ\x06":
            raise ValueError("no handshake")
        if self.exchange(b"\x02", 16)[:1] != b"I":
            raise ValueError("no identification")
        result = body()
        if self.exchange(b"END", 1) != b"\x06":
            raise ValueError("END not acknowledged")
        return result

    def read(self):
        memory = {}
        for address in BLOCKS:
            reply = self.exchange(b"R" + address.to_bytes(4, "big") + b"\x10", 24)
            if reply[0] != 0x57 or int.from_bytes(reply[1:5], "big") != address or \
                    reply[22] != sum(reply[1:22]) % 256 or reply[23] != 0x06:
                raise ValueError(f"bad data frame for {address:#x}")
            memory[address] = reply[6:22]
        return memory

    def write(self, image):
        for address in BLOCKS:
            body = address.to_bytes(4, "big") + b"\x10" + image[address:address + 16]
            if self.exchange(b"W" + body + bytes([sum(body) % 256, 0x06]), 1) != b"\x06":
                raise ValueError(f"block {address:#x} not acknowledged")


def main():
    line = Line(sys.argv[1])
    with open(sys.argv[2], "rb") as file:
        image = file.read()
    line.session(lambda: None)
    line.session(line.read)
    line.session(lambda: line.write(image))
    back = line.session(line.read)
    return 0 if all(back[a] == image[a:a + 16] for a in BLOCKS) else 1


if __name__ == "__main__":
    sys.exit(main())
