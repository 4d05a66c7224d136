#!/usr/bin/env python3
"""Points a PE executable's load-configuration directory at its _load_config_used.

GNU ld links the structure (cmake/LoadConfig.cpp) but leaves the directory entry empty, and the
loader reads the structure only through that entry. The address comes from the link map, since
the executable keeps no symbol table. Usage: LoadConfig.py <exe> <map>
"""
import re
import struct
import sys

exe_path, map_path = sys.argv[1], sys.argv[2]
with open(map_path, encoding="latin-1") as f:
    found = re.findall(r"^\s+0x([0-9a-fA-F]+)\s+_load_config_used\s*$", f.read(), re.M)
if len(found) != 1:
    sys.exit(f"{map_path}: _load_config_used is not defined once")
address = int(found[0], 16)

with open(exe_path, "rb") as f:
    image = bytearray(f.read())
pe = struct.unpack_from("<I", image, 0x3C)[0]
sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
optional = pe + 24
if struct.unpack_from("<H", image, optional)[0] != 0x20B:
    sys.exit(f"{exe_path}: not a 64-bit image")
rva = address - struct.unpack_from("<Q", image, optional + 24)[0]

# The structure's own Size field, found through the section that holds it.
for i in range(sections):
    header = optional + optional_size + 40 * i
    virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from("<4I", image, header + 8)
    if virtual_address <= rva < virtual_address + min(virtual_size, raw_size):
        size = struct.unpack_from("<I", image, raw_offset + rva - virtual_address)[0]
        break
else:
    sys.exit(f"{exe_path}: _load_config_used lies in no section")
struct.pack_into("<2I", image, optional + 112 + 8 * 10, rva, size)

# A checksum the linker wrote stays true to the file.
checksum_at = optional + 64
if struct.unpack_from("<I", image, checksum_at)[0]:
    struct.pack_into("<I", image, checksum_at, 0)
    padded = image + b"\0" * (len(image) % 2)
    total = 0
    for (word,) in struct.iter_unpack("<H", padded):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    total = (total & 0xFFFF) + (total >> 16)
    struct.pack_into("<I", image, checksum_at, total + len(image))

with open(exe_path, "wb") as f:
    f.write(image)
