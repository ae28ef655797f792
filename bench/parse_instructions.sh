#!/bin/sh
# Instruction counts (callgrind) of one parse of each page parser at 1000 and
# 10000 items: a noise-free check that 10x the items costs at most 11x.
#   bench/parse_instructions.sh [build/bench/jyx_bench]
set -eu
bench=${1:-build/bench/jyx_bench}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
printf '%-18s %14s %14s %8s %10s\n' parser "Ir@1000" "Ir@10000" ratio "Ir/byte"
for name in netdisk emule_listing ed2k_search torrent_search rss_feed magnet_search resource_release \
            movie_resource movie_listing bt_board bt_movie_list qvod_channel qvod_result; do
    for items in 1000 10000; do
        # A tiny minimum time: the benchmark runs its parse exactly once.
        valgrind --tool=callgrind --callgrind-out-file="$out/$name.$items" "$bench" \
            --benchmark_filter="BM_Page/$name/$items\$" --benchmark_min_time=0.000000001 >/dev/null 2>&1
        callgrind_annotate --inclusive=yes --threshold=100 "$out/$name.$items" 2>/dev/null \
            | grep -v '=>' | grep 'Function_handler<long long (QString const&)' | grep -m1 '_M_invoke' \
            | awk '{gsub(",", "", $1); print $1}' \
            > "$out/$name.$items.ir"
    done
    small=$(cat "$out/$name.1000.ir")
    large=$(cat "$out/$name.10000.ir")
    # 1000 items of 2000 bytes each
    awk -v n="$name" -v s="$small" -v l="$large" \
        'BEGIN { printf "%-18s %14d %14d %8.2f %10.2f\n", n, s, l, l / s, s / 2000000 }'
done
