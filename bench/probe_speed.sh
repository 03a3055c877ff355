#!/usr/bin/env bash
# Times kestrune-probe over 5,000 small MP3 files (a third CBR, a third VBR, a third with
# ID3v1 and ID3v2 tags) against the plain read loop of bench/floor_read.c over the same
# files, in one run, and prints the ratio. Target: at most 1.5.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-bench"
files="$build/probe-files"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRUNE_BUILD_BENCH=ON \
    -DKESTRUNE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target kestrune-probe bench_floor_read >/dev/null

if [ ! -f "$files/f4999.mp3" ]; then
    rm -rf "$files" && mkdir -p "$files"
    "$root/scripts/make-tone" "$files/tone.wav" 1
    lame --quiet -b 128 "$files/tone.wav" "$files/t0.mp3"
    lame --quiet -V 5 "$files/tone.wav" "$files/t1.mp3"
    LC_ALL=C.UTF-8 lame --quiet -b 128 --add-id3v2 --tt "Песня" --ta "Исполнитель" \
        --tl "Альбом" --ty 2024 --tg 17 "$files/tone.wav" "$files/t2.mp3"
    for i in $(seq 0 4999); do cp "$files/t$((i % 3)).mp3" "$files/f$i.mp3"; done
    rm -f "$files"/t?.mp3 "$files/tone.wav"
fi
list="$build/probe-files.txt"
ls -1 "$files"/f*.mp3 >"$list"

# Warm the cache, then take the best of five runs of each, alternating.
"$build/bench/bench_floor_read" <"$list" >/dev/null
xargs -a "$list" "$build/src/app/kestrune-probe" >/dev/null
best_floor=999999 best_probe=999999
for _ in 1 2 3 4 5; do
    t0=$(date +%s%N); "$build/bench/bench_floor_read" <"$list" >/dev/null; t1=$(date +%s%N)
    xargs -a "$list" "$build/src/app/kestrune-probe" >/dev/null; t2=$(date +%s%N)
    floor=$(( (t1 - t0) / 1000 )); probe=$(( (t2 - t1) / 1000 ))
    (( floor < best_floor )) && best_floor=$floor
    (( probe < best_probe )) && best_probe=$probe
done
echo "floor read loop: $((best_floor / 5000)) us/file"
echo "kestrune-probe:  $((best_probe / 5000)) us/file"
python3 -c "print(f'ratio probe/floor: {$best_probe / $best_floor:.2f} (target <= 1.5)')"
