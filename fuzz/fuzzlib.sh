# Shared by fuzz/run-short and fuzz/run-long (sourced): builds the libFuzzer
# targets with clang into build-fuzz/ and runs one target over its seeds.
fuzz_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fuzz_build="$fuzz_top/build-fuzz"
fuzz_data="$fuzz_top/tests/data"
fuzz_cxx=${FUZZ_CXX:-clang++}

# True when clang++ (or $FUZZ_CXX) and its libFuzzer runtime are installed.
fuzz_available() {
    command -v "$fuzz_cxx" >/dev/null 2>&1 || return 1
    local probe
    probe=$(mktemp -d)
    printf 'extern "C" int LLVMFuzzerTestOneInput(const char *, unsigned long) { return 0; }\n' > "$probe/p.cpp"
    "$fuzz_cxx" -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1
    local ok=$?
    rm -rf "$probe"
    return $ok
}

fuzz_build_all() {
    local launcher=()
    command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$fuzz_top" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER="$fuzz_cxx" -DJYX_FUZZ=ON "${launcher[@]}" >/dev/null
    cmake --build "$fuzz_build" --parallel "$(nproc)"
}

fuzz_targets() {
    local f
    for f in "$fuzz_top"/fuzz/fuzz_*.cpp; do
        basename "$f" .cpp
    done
}

# The seed directories of a target: the fixture pages of its sites, or the
# small inputs under fuzz/seeds/.
fuzz_seeds() {
    local dirs=()
    case "$1" in
        fuzz_ed2ksearch) dirs=(ed2k_search) ;;
        fuzz_emule | fuzz_ed2klink) dirs=(emule) ;;
        fuzz_moviedetail | fuzz_btboard) dirs=(bt_board) ;;
        fuzz_movielisting) dirs=(movie_listing) ;;
        fuzz_netdisk) dirs=(netdisk_search) ;;
        fuzz_qvodchannel) dirs=(qvod_channel) ;;
        fuzz_qvodsearch | fuzz_qvodsearchdetail) dirs=(qvod_search) ;;
        fuzz_qvodaddresses) dirs=(qvod_channel qvod_search) ;;
        fuzz_btmovie) dirs=(bt_movies) ;;
        fuzz_magnetsites) dirs=(magnet_search resource_release) ;;
        fuzz_movieresource) dirs=(movie_resource) ;;
        fuzz_rssfeed) dirs=(rss_feed) ;;
        fuzz_torrentsearch) dirs=(torrent_search) ;;
    esac
    local d
    for d in "${dirs[@]}"; do
        echo "$fuzz_data/$d"
    done
    case "$1" in
        fuzz_inidocument | fuzz_settingsfile) echo "$fuzz_top/fuzz/seeds/ini" ;;
        fuzz_announcement) echo "$fuzz_top/fuzz/seeds/announcement" ;;
        fuzz_urlencoding | fuzz_fixedlength | fuzz_pagetext) echo "$fuzz_top/fuzz/seeds/text" ;;
        fuzz_markerscan) echo "$fuzz_top/fuzz/seeds/markerscan" ;;
        fuzz_allsearchrow) echo "$fuzz_top/fuzz/seeds/allsearch" ;;
        fuzz_definitions)
            echo "$fuzz_top/definitions"; echo "$fuzz_top/docs/examples/definitions"; echo "$fuzz_top/fuzz/seeds/definitions" ;;
        fuzz_bodydecoder) echo "$fuzz_top/fuzz/seeds/bodydecoder"; ls -d "$fuzz_data"/*/ ;;
    esac
}

# fuzz_run TARGET LIBFUZZER-OPTION...: replays the target's kept crashing
# inputs, then fuzzes from its seeds. The growing corpus stays in
# build-fuzz/corpus/TARGET; a crashing input is written to
# build-fuzz/artifacts/TARGET/. Fails when the target fails.
fuzz_run() {
    local target=$1
    shift
    local bin="$fuzz_build/fuzz/$target"
    local regressions="$fuzz_top/fuzz/regressions/${target#fuzz_}"
    if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
        "$bin" "$regressions"/* >/dev/null 2>&1 || {
            echo "$target: a kept crashing input under $regressions fails again" >&2
            "$bin" "$regressions"/* 2>&1 | tail -40 >&2
            return 1
        }
    fi
    mkdir -p "$fuzz_build/corpus/$target" "$fuzz_build/artifacts/$target"
    local seeds
    mapfile -t seeds < <(fuzz_seeds "$target")
    "$bin" -artifact_prefix="$fuzz_build/artifacts/$target/" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$@" "$fuzz_build/corpus/$target" "${seeds[@]}"
}
