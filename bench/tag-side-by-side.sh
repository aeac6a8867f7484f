#!/usr/bin/env bash
# Reading the tags of 100,000 files (bench/make-tagged-files.sh: half FLAC, half MP3, each
# with its own tags), Quavrel beside Audacious (its Qt window), in one run, the runs of the two
# alternating. For each run:
#   Quavrel scan      the list as the default play list, an empty tag cache: from the start
#                     until every tag is read and shown;
#   Quavrel reopen    the same with the cache the scan left;
#   Quavrel no tags   the same with QVRL_TAG_SCAN=0: a load as it was before tags;
#   Audacious scan    `audtool playlist-addurl` of the list into the running player, until its
#                     scan of the files ends;
#   memory            resident memory when each scan has ended.
# "Ended" is the same for both: the moment the process's processor time last grew, once it
# has not grown for two seconds (the player paused, nothing else to do). The clock starts as
# the command is given. Prints the medians (every run in brackets) and the ratios to Audacious.
#   bench/tag-side-by-side.sh [--install-peers] [--runs N]
# The player is $QVRL, else build/release/player/qvrl. The files are made once in
# $QVRL_TAG_DATA (default /dev/shm/qvrl-tag-data). Starts its own X server and sound server
# (scripts/with-test-services.sh) and session bus.
set -euo pipefail
cd "$(dirname "$0")/.."
install_peers=0 runs=3
args=("$@")
while [ $# -gt 0 ]; do
    case "$1" in
        --install-peers) install_peers=1 ;;
        --runs) runs="$2"; shift ;;
        *) echo "unknown option $1"; exit 2 ;;
    esac
    shift
done
if [ -z "${QVRL_TAG_INSIDE:-}" ]; then
    if [ "$install_peers" = 1 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
            audacious audacious-plugins
    fi
    for tool in audacious audtool xdotool ffmpeg; do
        command -v "$tool" >/dev/null || { echo "$tool is missing; run with --install-peers"; exit 2; }
    done
    QVRL_TAG_INSIDE=1 exec scripts/with-test-services.sh dbus-run-session -- "$0" "${args[@]}"
fi

source bench/player-session.sh
qvrl="$(realpath "${QVRL:-build/release/player/qvrl}")"
[ -x "$qvrl" ] || { echo "no qvrl at $qvrl; build the release preset or set QVRL"; exit 2; }
list=$(bench/make-tagged-files.sh)
count=$(wc -l <"$list")
qvrl_wait_display
work=$(mktemp -d /tmp/qvrl-tags-XXXXXX)
PEER_PID=""
trap 'qvrl_stop_all "$PEER_PID"; rm -rf "$work"' EXIT
now_ms() { date +%s%3N; }
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# settled PID T0: MS from T0 to the last growth of PID's processor time, once it has not grown
# for 2 s (at most 300 s in all); RSS_KB then.
settled() {
    local pid="$1" t0="$2" last ticks at
    last=$(qvrl_cpu_ticks "$pid")
    at=$(now_ms)
    while [ $(($(now_ms) - at)) -lt 2000 ] && [ $(($(now_ms) - t0)) -lt 300000 ]; do
        sleep 0.02
        ticks=$(qvrl_cpu_ticks "$pid") || break
        if [ "$ticks" != "$last" ]; then
            last=$ticks
            at=$(now_ms)
        fi
    done
    MS=$((at - t0))
    RSS_KB=$(qvrl_rss "$pid")
}

# quavrel_scan CACHE_HOME [ENV...]: Quavrel with the list as its default play list and its tag
# cache under CACHE_HOME, paused as soon as it answers on the bus; MS and RSS_KB as settled.
base="$work/q-base"
qvrl_settings "$qvrl" "$base" "$list" 0 0 >/dev/null
quavrel_scan() {
    local cache="$1"
    shift
    rm -rf "$work/q-run" && cp -a "$base" "$work/q-run"
    local t0
    t0=$(now_ms)
    env XDG_CACHE_HOME="$cache" "$@" XDG_CONFIG_HOME="$work/q-run" "$qvrl" \
        >>"$work/qvrl.log" 2>&1 &
    QVRL_PID=$!
    for _ in $(seq 2000); do qvrl_has_name && break; sleep 0.01; done
    qvrl_call Pause || true
    settled "$QVRL_PID" "$t0"
    qvrl_quit >/dev/null || kill "$QVRL_PID"
}

aud_start() {
    XDG_CONFIG_HOME="$1" audacious -Q >>"$work/aud.log" 2>&1 &
    PEER_PID=$!
    for _ in $(seq 400); do audtool playlist-length >/dev/null 2>&1 && return 0; sleep 0.05; done
    return 1
}
aud_quit() {
    audtool shutdown >/dev/null 2>&1 || true
    for _ in $(seq 200); do kill -0 "$PEER_PID" 2>/dev/null || break; sleep 0.05; done
    kill "$PEER_PID" 2>/dev/null || true
    wait "$PEER_PID" 2>/dev/null || true
}
aud_empty="$work/a-empty"
mkdir -p "$aud_empty"
aud_start "$aud_empty" && aud_quit

declare -A fig
add() { fig[$1]="${fig[$1]:-} $2"; }
echo "Tags side by side on $(nproc) cores, $count files; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for run in $(seq "$runs"); do
    rm -rf "$work/cache" && mkdir -p "$work/cache"
    quavrel_scan "$work/cache"
    add q_scan "$MS"; add q_rss "$RSS_KB"
    quavrel_scan "$work/cache"
    add q_reopen "$MS"
    quavrel_scan "$work/cache-none" QVRL_TAG_SCAN=0
    add q_notags "$MS"; add q_rss_notags "$RSS_KB"

    rm -rf "$work/a-run" && cp -a "$aud_empty" "$work/a-run"
    aud_start "$work/a-run"
    t0=$(now_ms)
    audtool playlist-addurl "file://$list"
    settled "$PEER_PID" "$t0"
    add a_scan "$MS"; add a_rss "$RSS_KB"
    [ "$(audtool playlist-length)" = "$count" ] || echo "Audacious holds $(audtool playlist-length) entries"
    aud_quit
    echo "run $run done; load $(cut -d' ' -f1-3 /proc/loadavg)"
done

show() {  # show KEY TEXT UNIT
    printf '%-44s %8s %s  [%s ]\n' "$2" "$(echo ${fig[$1]} | tr ' ' '\n' | median)" "$3" "${fig[$1]}"
}
show q_scan "Quavrel: every tag read and shown" ms
show a_scan "Audacious: its scan done" ms
show q_reopen "Quavrel: reopened, tags from the cache" ms
show q_notags "Quavrel: the same load without tags" ms
show q_rss "Quavrel: resident with the tags" KiB
show q_rss_notags "Quavrel: resident without tags" KiB
show a_rss "Audacious: resident, scan done" KiB
ratio() { awk -v a="$(echo ${fig[$1]} | tr ' ' '\n' | median)" -v b="$(echo ${fig[$2]} | tr ' ' '\n' | median)" 'BEGIN { printf "%.2f", a / b }'; }
echo "scan: $(ratio q_scan a_scan)x Audacious's (goal 0.2x); reopen: $(ratio q_reopen q_notags)x the load without tags (goal 1.5x); memory: $(ratio q_rss a_rss)x Audacious's (goal 0.75x)"
