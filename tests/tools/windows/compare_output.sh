#!/usr/bin/env bash
# The Windows tool under Wine must write the same bytes as the Linux tool, on standard output
# and in its files, for the commands that read and write pictures and archives.
# Usage: compare_output.sh LINUX_TOOL WINDOWS_TOOL WINE_SCRIPT WINE_STATE
set -euo pipefail
linux_tool=$1 windows_tool=$2 wine_script=$3 wine_state=$4

if [[ ! -x "$linux_tool" ]]; then
    echo "no Linux tool at $linux_tool to compare with; build the default preset first"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Inputs: a stock archive of the stand-in installation, a face picture with soft alpha, and a
# small BMP whose rows need padding.
"$linux_tool" make-demo-install prefix --edition zv --blank >/dev/null
find prefix -iname 'KAO_S.q06' -exec cp {} KAO_S.q06 \;
python3 - <<'PY'
import struct, zlib
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
w, h = 64, 64
raw = b"".join(b"\0" + bytes(v for x in range(w) for v in (x * 4, y * 4, 255 - x * 2, (x + y) * 2))
               for y in range(h))
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
       chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))
open("face.png", "wb").write(png)
w, h = 5, 3
rows = []
for y in range(h):
    r = bytearray()
    for x in range(w):
        r += bytes((x * 50, y * 80, 200 - x * 30))
    r += b"\0" * ((4 - len(r) % 4) % 4)
    rows.append(bytes(r))
pixels = b"".join(rows)
header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
open("picture.bmp", "wb").write(header + info + pixels)
PY

failed=0
# Runs one command with both tools, each writing into its own folder, and compares.
compare() {
    local name=$1
    shift
    mkdir -p "linux-$name" "windows-$name"
    local status=0
    (cd "linux-$name" && "$linux_tool" "$@" >stdout 2>stderr) || status=$?
    echo "$status" >"linux-$name/status"
    status=0
    (cd "windows-$name" && "$wine_script" run "$wine_state" "$windows_tool" "$@" \
        >stdout 2>stderr) || status=$?
    echo "$status" >"windows-$name/status"
    if ! diff -r "linux-$name" "windows-$name" >/dev/null; then
        echo "FAIL $name: the tools differ"
        diff -r "linux-$name" "windows-$name" | head -n 20 || true
        failed=1
    else
        echo "ok   $name"
    fi
}

compare archive-info archive info ../KAO_S.q06
compare g1t-encode g1t encode ../face.png face.g1t --format BGRA8
compare g1t-encode-levels g1t encode ../face.png face.g1t --format RGBA8 --levels 3
cp linux-g1t-encode/face.g1t face.g1t
cp linux-g1t-encode-levels/face.g1t levels.g1t
compare g1t-info g1t info ../face.g1t
compare g1t-decode g1t decode ../face.g1t decoded.png
compare g1t-decode-level g1t decode ../levels.g1t level.png --level 2
compare picture-decode picture decode ../picture.bmp picture.png
exit $failed
