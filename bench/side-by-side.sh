#!/usr/bin/env bash
# Quavrel beside two general Linux players, Audacious (its Qt window) and Qmmp, on the same
# files in the same run, the runs of the three alternating. The files are 100,000 tiny WAV files
# in 100 folders, listed in M3U files with LF and with CR LF line ends. For each player:
#   - loading the 100,000-entry M3U, every entry in the list (LF and CR LF);
#   - start-up to the first shown window, with empty settings and with a 10,000-entry list;
#   - resident memory empty and with the 100,000 entries (both players playing the list), and
#     what an entry costs Quavrel (against playing a one-entry list).
# Prints each figure (the median of the runs, every run in brackets) and its ratio against
# Audacious, and the goals.
#   bench/side-by-side.sh [--install-peers] [--runs N] [--qmmp-load] [--million]
#   --install-peers  installs Audacious and Qmmp from Debian first (apt-get, as root)
#   --qmmp-load      also times Qmmp's load; it reads every file, about 150 s per run
#   --million        also loads 1,000,000 entries (the 100,000 list ten times) in Quavrel
# The player is $QVRL, else build/release/player/qvrl. The files are made once in
# $QVRL_SIDE_DATA (default /tmp/qvrl-side-data) and kept for the next run. Starts its own X
# server and sound server (scripts/with-test-services.sh) and session bus (dbus-run-session).
#
# How each is timed (the clock starts as the command is started):
#   Quavrel   start-up: until its window is mapped (xdotool). Load: with the list as the
#             default play list, until the window's title names the first entry playing, less
#             the same with a one-entry list (both alternate); no command of the player
#             reads a list faster than its own start does.
#   Audacious start-up: until its window is mapped. Load: `audtool playlist-addurl` of the
#             list into the running player, until `audtool playlist-length` reaches the count.
#             Audacious adds entries without looking at the files.
#   Qmmp      start-up: until its window is mapped. Load (--qmmp-load): `qmmp -e` of the list,
#             until `qmmp --pl-dump` counts every entry.
# Empty settings: an empty folder for Quavrel; for the peers the folder one start and quit
# with nothing loaded leaves, so their plugin scans of a very first start are not counted.
set -euo pipefail
cd "$(dirname "$0")/.."

install_peers=0 runs=3 qmmp_load=0 million=0
args=("$@")
while [ $# -gt 0 ]; do
    case "$1" in
        --install-peers) install_peers=1 ;;
        --runs) runs="$2"; shift ;;
        --qmmp-load) qmmp_load=1 ;;
        --million) million=1 ;;
        *) echo "unknown option $1"; exit 2 ;;
    esac
    shift
done

if [ -z "${QVRL_SIDE_INSIDE:-}" ]; then
    if [ "$install_peers" = 1 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
            audacious audacious-plugins qmmp
    fi
    for tool in audacious audtool qmmp xdotool; do
        command -v "$tool" >/dev/null || { echo "$tool is missing; run with --install-peers"; exit 2; }
    done
    QVRL_SIDE_INSIDE=1 exec scripts/with-test-services.sh dbus-run-session -- "$0" "${args[@]}"
fi

source bench/player-session.sh
qvrl="${QVRL:-build/release/player/qvrl}"
[ -x "$qvrl" ] || { echo "no qvrl at $qvrl; build the release preset or set QVRL"; exit 2; }
qvrl="$(realpath "$qvrl")"
data="${QVRL_SIDE_DATA:-/tmp/qvrl-side-data}"
count=100000
qvrl_wait_display
work=$(mktemp -d /tmp/qvrl-side-XXXXXX)
PEER_PID=""
trap 'qvrl_stop_all "$PEER_PID"; rm -rf "$work"' EXIT

now_ms() { date +%s%3N; }
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# --- The files, made once ---
make_data() {
    python3 - "$data" "$count" <<'PY'
import os, struct, sys
root, count = sys.argv[1], int(sys.argv[2])
rate, frames = 8000, 80
body = b"\0\0" * frames
fmt = struct.pack("<IHHIIHH", 16, 1, 1, rate, rate * 2, 2, 16)
wav = b"RIFF" + struct.pack("<I", 36 + len(body)) + b"WAVEfmt " + fmt + b"data" + \
    struct.pack("<I", len(body)) + body
per = count // 100
paths = []
for d in range(100):
    folder = os.path.join(root, "music", "d%03d" % d)
    os.makedirs(folder, exist_ok=True)
    for f in range(per):
        path = os.path.join(folder, "t%06d.wav" % (d * per + f))
        if not os.path.exists(path):
            with open(path, "wb") as out:
                out.write(wav)
        paths.append(path.encode())
lists = os.path.join(root, "lists")
os.makedirs(lists, exist_ok=True)
def write(name, items, end):
    with open(os.path.join(lists, name), "wb") as out:
        out.write(b"".join(p + end for p in items))
write("list-lf.m3u", paths, b"\n")
write("list-crlf.m3u", paths, b"\r\n")
write("list10k.m3u", paths[:10000], b"\r\n")
write("list1.m3u", paths[:1], b"\r\n")
write("million.m3u", paths * 10, b"\r\n")
with open(os.path.join(root, "ready"), "w") as out:
    out.write("%d\n" % count)
PY
}
if [ "$(cat "$data/ready" 2>/dev/null)" != "$count" ]; then
    echo "making $count WAV files in $data (once) ..."
    make_data
fi
lists="$data/lists"

# --- Quavrel ---
QVRL_RUN_PID=""
# quavrel_start HOME: starts the player with settings under HOME; QVRL_RUN_PID, T0 set.
quavrel_start() {
    T0=$(now_ms)
    XDG_CONFIG_HOME="$1" "$qvrl" >>"$work/qvrl.log" 2>&1 &
    QVRL_RUN_PID=$!
    QVRL_PID=$QVRL_RUN_PID  # for the EXIT trap
}
# wait_window NAME-REGEX PID: sets MS to the milliseconds since T0 until a visible window of
# that name shows (-1 when none did within 60 s, or the process ended).
# A window named like the optional third argument ends the wait at once, as a failure.
wait_window() {
    local name="$1" pid="$2" fail="${3:-}" tries=0
    MS=-1
    for _ in $(seq 20000); do
        if xdotool search --onlyvisible --name "$name" >/dev/null 2>&1; then
            MS=$(($(now_ms) - T0))
            return 0
        fi
        tries=$((tries + 1))
        if [ -n "$fail" ] && [ $((tries % 20)) = 0 ] &&
            xdotool search --onlyvisible --name "$fail" >/dev/null 2>&1; then
            return 1
        fi
        kill -0 "$pid" 2>/dev/null || return 1
        [ $(($(now_ms) - T0)) -lt 60000 ] || return 1
        sleep 0.002
    done
    return 1
}
end_pid() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
# quavrel_settings LIST DEST: settings as a first run leaves them, with LIST as the default
# play list (loop on, shuffle off).
quavrel_base="$work/q-base"
qvrl_settings "$qvrl" "$quavrel_base" "$lists/list1.m3u" 1 0 >/dev/null
quavrel_settings() {
    rm -rf "$2" && mkdir -p "$2" && cp -a "$quavrel_base/quavrel" "$2/"
    python3 - "$2/quavrel/Qvrl.ini" "$1" <<'PY'
import sys
lines = open(sys.argv[1], "rb").read().split(b"\r\n")
lines[2] = sys.argv[2].encode()
open(sys.argv[1], "wb").write(b"\r\n".join(lines))
PY
}
PLAYING='^\[ .* \] Quavrel v2\.0$'
# quavrel_title LIST: MS from launch until LIST's first entry plays (-1: it never did), and
# RSS_KB a second later.
quavrel_title() {
    quavrel_settings "$1" "$work/q-run"
    quavrel_start "$work/q-run"
    RSS_KB=0
    if ! wait_window "$PLAYING" "$QVRL_RUN_PID" '^Error$'; then
        if xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; then
            echo "Quavrel showed its error box: the list $1 loaded incompletely"
        fi
        end_pid "$QVRL_RUN_PID"
        return 0
    fi
    sleep 1
    RSS_KB=$(qvrl_rss "$QVRL_RUN_PID")
    end_pid "$QVRL_RUN_PID"
}

# --- Audacious ---
aud_running() { audtool playlist-length >/dev/null 2>&1; }
# aud_start HOME: starts Audacious (Qt) with settings under HOME; MS: its window's time.
aud_start() {
    T0=$(now_ms)
    XDG_CONFIG_HOME="$1" audacious -Q >>"$work/aud.log" 2>&1 &
    PEER_PID=$!
    wait_window '^Audacious' "$PEER_PID"
}
aud_quit() {
    audtool shutdown >/dev/null 2>&1 || true
    for _ in $(seq 200); do kill -0 "$PEER_PID" 2>/dev/null || break; sleep 0.05; done
    end_pid "$PEER_PID"
}
aud_wait_ready() { for _ in $(seq 400); do aud_running && return 0; sleep 0.05; done; return 1; }
# aud_load LIST N: MS until the running Audacious holds N entries from LIST (-1: never).
aud_load() {
    audtool playlist-clear
    local t0 n
    MS=-1
    t0=$(now_ms)
    audtool playlist-addurl "file://$1"
    for _ in $(seq 20000); do
        n=$(audtool playlist-length 2>/dev/null || echo 0)
        [ "$n" -ge "$2" ] && { MS=$(($(now_ms) - t0)); return 0; }
        sleep 0.005
    done
}
aud_empty="$work/a-empty" aud_big="$work/a-big"
mkdir -p "$aud_empty"
aud_start "$aud_empty" && aud_wait_ready && aud_quit
cp -a "$aud_empty" "$aud_big"
aud_start "$aud_big" && aud_wait_ready
aud_load "$lists/list10k.m3u" 10000
aud_quit

# --- Qmmp ---
qmmp_start() {
    T0=$(now_ms)
    HOME="$1" XDG_CONFIG_HOME="$1" qmmp >>"$work/qmmp.log" 2>&1 &
    PEER_PID=$!
    wait_window '^Qmmp' "$PEER_PID"
}
qmmp_quit() {
    HOME="$1" XDG_CONFIG_HOME="$1" qmmp --quit >/dev/null 2>&1 || true
    for _ in $(seq 200); do kill -0 "$PEER_PID" 2>/dev/null || break; sleep 0.05; done
    end_pid "$PEER_PID"
}
qmmp_entries() { HOME="$1" XDG_CONFIG_HOME="$1" qmmp --pl-dump 1 2>/dev/null | grep -c . || true; }
qm_empty="$work/m-empty" qm_big="$work/m-big"
mkdir -p "$qm_empty"
qmmp_start "$qm_empty" && sleep 1 && qmmp_quit "$qm_empty"
# Qmmp keeps its list in .qmmp/playlist.txt with each entry's title and length, and takes
# them from there at start; the 10,000 entries are written so, rather than read in 15 s.
cp -a "$qm_empty" "$qm_big"
python3 - "$qm_big/.qmmp/playlist.txt" "$lists/list10k.m3u" <<'PY'
import os, sys
paths = open(sys.argv[2], "rb").read().split(b"\r\n")[:-1]
out = [b"current_playlist=0", b"playlist=Playlist"]
for p in paths:
    out += [b"file=" + p, b"title=" + os.path.splitext(os.path.basename(p))[0], b"length=0"]
open(sys.argv[1], "wb").write(b"\n".join(out) + b"\n")
PY

# --- The runs, alternating ---
declare -A fig
add() { fig[$1]="${fig[$1]:-} $2"; }
echo "Side by side on $(nproc) cores; load before: $(cut -d' ' -f1-3 /proc/loadavg); $runs runs"
for run in $(seq "$runs"); do
    # Start-up, empty settings.
    rm -rf "$work/q-empty" && mkdir -p "$work/q-empty"
    quavrel_start "$work/q-empty"
    wait_window '^Quavrel v2\.0$' "$QVRL_RUN_PID" || true
    add q_start_empty "$MS"
    sleep 1
    add q_rss_empty "$(qvrl_rss "$QVRL_RUN_PID")"
    end_pid "$QVRL_RUN_PID"
    rm -rf "$work/a-run" && cp -a "$aud_empty" "$work/a-run"
    aud_start "$work/a-run" || true
    add a_start_empty "$MS"
    aud_wait_ready
    sleep 1
    add a_rss_empty "$(qvrl_rss "$PEER_PID")"
    for kind in crlf lf; do
        aud_load "$lists/list-$kind.m3u" $count
        add "a_load_$kind" "$MS"
        if [ "$kind" = crlf ]; then
            # Playing, as Quavrel is once its list has loaded.
            audtool playback-play >/dev/null 2>&1 || true
            sleep 1
            add a_rss_full "$(qvrl_rss "$PEER_PID")"
            audtool playback-stop >/dev/null 2>&1 || true
        fi
    done
    aud_quit
    rm -rf "$work/m-run" && cp -a "$qm_empty" "$work/m-run"
    qmmp_start "$work/m-run" || true
    add m_start_empty "$MS"
    sleep 1
    add m_rss_empty "$(qvrl_rss "$PEER_PID")"
    if [ "$qmmp_load" = 1 ]; then
        T0=$(now_ms)
        HOME="$work/m-run" XDG_CONFIG_HOME="$work/m-run" qmmp -e "$lists/list-crlf.m3u" >/dev/null 2>&1
        for _ in $(seq 100000); do
            [ "$(qmmp_entries "$work/m-run")" -ge $count ] && break
            sleep 0.5
        done
        add m_load_crlf $(($(now_ms) - T0))
        add m_rss_full "$(qvrl_rss "$PEER_PID")"
    fi
    qmmp_quit "$work/m-run"

    # Start-up with 10,000 entries.
    quavrel_settings "$lists/list10k.m3u" "$work/q-run"
    quavrel_start "$work/q-run"
    wait_window '^(\[ .* \] )?Quavrel v2\.0$' "$QVRL_RUN_PID" || true
    add q_start_10k "$MS"
    end_pid "$QVRL_RUN_PID"
    rm -rf "$work/a-run" && cp -a "$aud_big" "$work/a-run"
    aud_start "$work/a-run" || true
    add a_start_10k "$MS"
    aud_wait_ready
    aud_quit
    rm -rf "$work/m-run" && cp -a "$qm_big" "$work/m-run"
    qmmp_start "$work/m-run" || true
    add m_start_10k "$MS"
    qmmp_quit "$work/m-run"

    # Quavrel's loads: a one-entry list, then each 100,000-entry list.
    quavrel_title "$lists/list1.m3u"
    one=$MS
    add q_rss_one "$RSS_KB"
    for kind in crlf lf; do
        quavrel_title "$lists/list-$kind.m3u"
        full=$MS
        if [ "$full" -ge 0 ] && [ "$one" -ge 0 ]; then
            add "q_load_$kind" $((full - one))
            [ "$kind" = crlf ] && add q_rss_full "$RSS_KB"
        else
            add "q_load_$kind" -1
        fi
    done
    if [ "$million" = 1 ]; then
        quavrel_title "$lists/million.m3u"
        full=$MS
        add q_load_million $((full - one))
        add q_rss_million "$RSS_KB"
    fi
    echo "run $run done; load $(cut -d' ' -f1-3 /proc/loadavg)"
done

# --- The figures ---
med() { printf '%s\n' ${fig[$1]:-} | median; }
all() { echo "${fig[$1]:-}" | sed 's/^ //'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a < 0 || b <= 0) print "-"; else printf "%.2f", a / b }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
# mibs NAME: every run's figure of NAME (KiB) in MiB.
mibs() { for k in ${fig[$1]:-}; do mib "$k"; echo; done | paste -sd' '; }
verdict() { [ "$1" = 1 ] && echo meets || echo MISSES; }
le() { awk -v a="$1" -v b="$2" 'BEGIN { print (a >= 0 && a <= b) ? 1 : 0 }'; }

echo
echo "Figures: median of $runs runs [each run]; load after: $(cut -d' ' -f1-3 /proc/loadavg)"
for kind in crlf lf; do
    q=$(med "q_load_$kind") a=$(med "a_load_$kind")
    goal=$(( $(le "$q" "$(awk -v a="$a" 'BEGIN { print a * 0.75 }')") && $(le "$q" 249) ))
    printf 'load 100,000 (%-4s)   Quavrel %5s ms [%s]  Audacious %5s ms [%s]  ratio %s; goal <= 0.75 and < 250 ms: %s\n' \
        "$kind" "$q" "$(all "q_load_$kind")" "$a" "$(all "a_load_$kind")" "$(ratio "$q" "$a")" "$(verdict "$goal")"
done
if [ "$qmmp_load" = 1 ]; then
    echo "load 100,000 (crlf)   Qmmp $(med m_load_crlf) ms [$(all m_load_crlf)]"
fi
for what in empty 10k; do
    q=$(med "q_start_$what") a=$(med "a_start_$what") m=$(med "m_start_$what")
    goal=$(( $(le "$q" "$(awk -v a="$a" 'BEGIN { print a * 0.8 }')") && $(le "$q" "$m") ))
    printf 'first window (%-5s) Quavrel %5s ms [%s]  Audacious %5s ms [%s]  Qmmp %5s ms [%s]  ratio %s, %s to Qmmp; goal <= 0.8 and <= Qmmp: %s\n' \
        "$what" "$q" "$(all "q_start_$what")" "$a" "$(all "a_start_$what")" "$m" "$(all "m_start_$what")" \
        "$(ratio "$q" "$a")" "$(ratio "$q" "$m")" "$(verdict "$goal")"
done
qe=$(med q_rss_empty) qf=$(med q_rss_full) ae=$(med a_rss_empty) af=$(med a_rss_full) me=$(med m_rss_empty)
goal=$(( $(le "$qf" "$(awk -v a="$af" 'BEGIN { print a * 0.75 }')") && $(le "$qf" $((2 * qe))) ))
printf 'memory empty          Quavrel %s MiB [%s]  Audacious %s MiB [%s]  Qmmp %s MiB [%s]\n' \
    "$(mib "$qe")" "$(mibs q_rss_empty)" "$(mib "$ae")" "$(mibs a_rss_empty)" "$(mib "$me")" "$(mibs m_rss_empty)"
printf 'memory 100,000        Quavrel %s MiB [%s]  Audacious %s MiB [%s]%s  ratio %s; goal <= 0.75 and <= 2x empty: %s\n' \
    "$(mib "$qf")" "$(mibs q_rss_full)" "$(mib "$af")" "$(mibs a_rss_full)" \
    "$([ "$qmmp_load" = 1 ] && echo "  Qmmp $(mib "$(med m_rss_full)") MiB")" \
    "$(ratio "$qf" "$af")" "$(verdict "$goal")"
# Per entry: against the same program playing a one-entry list, since loading a list also
# starts playing it (the media device's buffers are no entries' cost).
qo=$(med q_rss_one)
per=$(awk -v f="$qf" -v e="$qo" -v n=$count 'BEGIN { printf "%.0f", (f - e) * 1024 / n }')
printf 'per entry             Quavrel %s bytes above the program playing one entry (%s MiB); goal <= 160: %s\n' \
    "$per" "$(mib "$qo")" "$(verdict "$(le "$per" 160)")"
if [ "$million" = 1 ]; then
    qm=$(med q_load_million) q=$(med q_load_crlf)
    printf 'load 1,000,000        Quavrel %s ms [%s], %s MiB; %sx the 100,000 load; goal <= 10x: %s\n' \
        "$qm" "$(all q_load_million)" "$(mib "$(med q_rss_million)")" "$(ratio "$qm" "$q")" \
        "$(verdict "$(le "$qm" $((10 * q)))")"
fi
