#!/usr/bin/env python3
"""Runs every measurement of scripts/bench inside one X server and prints the table.

Each figure is printed beside its reference and the ratio figure / reference. The
frame times of the game and of the reference scene are both taken from the same
swap-counting shim (the time between successive buffer swaps), in alternating
rounds, so machine load hits both alike.

usage: measure.py BUILD_DIR SHARED_BENCH_DIR [--quick]
"""
import json
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

BUILD = os.path.abspath(sys.argv[1])
SHARED = os.path.abspath(sys.argv[2])
QUICK = "--quick" in sys.argv[3:]
ROUNDS = 2 if QUICK else 3
SECONDS = 2 if QUICK else 4
PLAY_SECONDS = 60 if QUICK else 600  # game time: 10 minutes of play

REF = os.path.join(BUILD, "bench", "reference-scene")
SHIM = os.path.join(BUILD, "bench", "swapcount.so")
PERF = os.path.join(BUILD, "bench", "quorbels_perf")
RULES = os.path.join(BUILD, "bench", "quorbels_bench")
ENV = dict(os.environ, SDL_AUDIODRIVER="dummy", QUORBELS_DATA=os.path.join(BUILD, "data"))


def percentile(values, p):
    s = sorted(values)
    return s[min(len(s) - 1, int(p * (len(s) - 1) + 0.5))] if s else float("nan")


def swap_times(cmd, cwd=None, stop_after=None, timeout=120):
    """Runs cmd under the swap shim; returns (start, [monotonic swap times])."""
    log = tempfile.NamedTemporaryFile(prefix="swaps-", suffix=".log", delete=False).name
    env = dict(ENV, LD_PRELOAD=SHIM, SWAPLOG=log)
    start = time.monotonic()
    proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    out = ""
    if stop_after is None:
        out = proc.stdout.read()
    else:
        deadline = start + timeout
        while time.monotonic() < deadline and proc.poll() is None:
            with open(log) as f:
                if sum(1 for line in f if not line.startswith("#")) >= stop_after:
                    break
            time.sleep(0.1)
        proc.send_signal(signal.SIGTERM)
    # wait4 gives the child's peak resident memory along with its end.
    _, _, usage = os.wait4(proc.pid, 0)
    proc.returncode = 0
    global LAST_PEAK_MB
    LAST_PEAK_MB = usage.ru_maxrss / 1024.0
    global LAST_CPU_S
    LAST_CPU_S = usage.ru_utime + usage.ru_stime
    with open(log) as f:
        times = [float(line) for line in f if line.strip() and not line.startswith("#")]
    os.unlink(log)
    return start, times, out


LAST_PEAK_MB = 0.0
LAST_CPU_S = 0.0
# Swaps before the measured frames: the reference's first frames. The probe says
# when its measured frames start (after its loading screen and warm-up frames).
REF_SKIP = 5


def probe_frames_ms(times, out):
    """Frame times of the probe's measured frames: the swaps from its measure_from."""
    start = float(out.split("measure_from=")[1].split()[0])
    measured = [t for t in times if t >= start]
    return frame_ms(measured, 0)


def frame_ms(times, skip):
    return [(b - a) * 1000.0 for a, b in zip(times[skip:], times[skip + 1:])]


def row(name, value, unit, ref, ref_name):
    ratio = value / ref if ref else float("nan")
    print(f"| {name} | {value:,.2f} {unit} | {ref:,.2f} {unit} ({ref_name}) | {ratio:.2f} |")


def rules():
    out = subprocess.run([RULES, "--benchmark_filter=BM_GameTickBusyArcade", "--benchmark_format=json",
                          "--benchmark_min_time=" + ("0.5" if QUICK else "2")],
                         env=ENV, capture_output=True, text=True, check=True).stdout
    return json.loads(out)["benchmarks"][0]["items_per_second"]


def busy_and_screens():
    ref_frames, game_frames, probe_lines, ref_cpu, game_cpu = [], [], [], [], []
    for _ in range(ROUNDS):
        _, t, _ = swap_times([REF, "bcat", str(SECONDS)])
        ref_frames += frame_ms(t, REF_SKIP)
        # The reference's whole CPU time (its start-up included) over its frames.
        ref_cpu.append(LAST_CPU_S * 1000.0 / max(1, len(t)))
        _, t, out = swap_times([PERF, "screen", "busy", str(SECONDS)])
        game_frames += probe_frames_ms(t, out)
        probe_lines.append(out.strip())
        game_cpu.append(float(out.split("cpu_ms_per_frame=")[1].split()[0]))
    screens = {}
    for name in ("title", "map", "shop"):
        _, t, out = swap_times([PERF, "screen", name, str(SECONDS)])
        screens[name] = (statistics.median(probe_frames_ms(t, out)), out.strip())
    return ref_frames, game_frames, probe_lines, screens, statistics.median(ref_cpu), statistics.median(game_cpu)


def startup():
    """Program start to the first title frame on screen, with the full data set: the
    probe's start mode runs the game's own start (options, window with the
    multisample re-open, loading screen, first title frame) and reports the time
    from just before it was started to that frame's swap. The reference's figure
    is its first swap, seen by the swap shim."""
    game_times, ref_times, ref_peaks = [], [], []
    for _ in range(ROUNDS):
        t0 = time.monotonic()
        out = subprocess.run([PERF, "startup", repr(t0)], env=ENV, capture_output=True, text=True,
                             check=True).stdout
        fields = dict(kv.split("=", 1) for kv in out.split()[1:])
        game_times.append(float(fields["first_title_frame_ms"]) / 1000.0)
        start, t, _ = swap_times([REF, "bcat", "1"])
        if t:
            ref_times.append(t[0] - start)
        ref_peaks.append(LAST_PEAK_MB)
    return statistics.median(game_times), statistics.median(ref_times), max(ref_peaks)


def idle_cpu():
    """CPU time of the whole process per wall-clock second in the game's own message
    loop: the idle title screen, the level map and the busiest field running, with
    frame pacing (as the game runs) and with --no-pacing (frames back to back)."""
    figures = {}
    for name in ("title", "map", "play"):
        for pacing in (1, 0):
            out = subprocess.run([PERF, "loop", name, str(SECONDS), str(pacing)], env=ENV, capture_output=True,
                                 text=True, check=True).stdout.strip()
            figures[(name, pacing)] = (dict(kv.split("=", 1) for kv in out.split()[1:]), out)
    return figures


def play():
    out = subprocess.run([PERF, "play", str(PLAY_SECONDS)], env=ENV, capture_output=True, text=True,
                         check=True).stdout.strip()
    return dict(kv.split("=", 1) for kv in out.split()[1:]), out


def main():
    renderer = subprocess.run(["glxinfo", "-B"], capture_output=True, text=True).stdout if shutil.which("glxinfo") else ""
    print(f"date: {time.strftime('%Y-%m-%d %H:%M %Z')}")
    print(f"machine: {os.uname().nodename}, {os.cpu_count()} cores, load average "
          f"{' '.join(f'{x:.2f}' for x in os.getloadavg())}")
    for line in renderer.splitlines():
        if "renderer string" in line:
            print("renderer:" + line.split(":", 1)[1])
    print(f"rounds: {ROUNDS} x {SECONDS} s per screen, alternating with the reference scene\n")

    ticks = rules()
    ref_frames, game_frames, probe_lines, screens, ref_cpu, game_cpu = busy_and_screens()
    cpu = idle_cpu()
    start_game, start_ref, ref_peak_mb = startup()
    play_figures, play_line = play()

    ref_med, ref_p95 = statistics.median(ref_frames), percentile(ref_frames, 0.95)
    med, p95 = statistics.median(game_frames), percentile(game_frames, 0.95)
    print("| figure | game | reference | ratio |")
    print("|---|---|---|---|")
    row("rule ticks per second, busiest arcade field", ticks, "/s", 1_000_000, "goal")
    print(f"| one tick, share of its 10 ms budget | {100.0 / ticks * 100:.5f} % | 0.01000 % (goal) | "
          f"{(100.0 / ticks * 100) / 0.01:.2f} |")
    row("busiest game screen, median frame", med, "ms", ref_med, "reference scene")
    row("busiest game screen, 95th percentile frame", p95, "ms", ref_p95, "reference scene")
    row("busiest game screen, CPU time per frame (all threads)", game_cpu, "ms", ref_cpu, "reference scene")
    row("busiest game screen, frames per second", 1000.0 / med, "fps", 100, "goal")
    for name, label in (("title", "title screen"), ("map", "level map, 55 spots"), ("shop", "shop")):
        row(f"{label}, median frame", screens[name][0], "ms", ref_med, "reference scene")
    for (name, pacing), (fields, _) in cpu.items():
        label = {"title": "idle title screen", "map": "level map", "play": "play, busiest field"}[name]
        paced = "paced" if pacing else "--no-pacing"
        goal, goal_name = (0.35, "goal") if name != "play" and pacing else (1.0, "one core")
        print(f"| CPU per wall-clock second, {label}, {paced} ({float(fields['fps']):.0f} fps) | "
              f"{float(fields['cpu_per_wall_second']):.3f} cores | {goal:.2f} cores ({goal_name}) | "
              f"{float(fields['cpu_per_wall_second']) / goal:.2f} |")
    row("start to first title frame", start_game * 1000, "ms", start_ref * 1000, "reference first frame")
    row("start to first title frame, against the goal", start_game * 1000, "ms", 300, "goal")
    row("peak resident memory after loading", float(play_figures["peak_after_load_mb"]), "MB", 120, "goal")
    row("peak resident memory after loading, against the reference scene",
        float(play_figures["peak_after_load_mb"]), "MB", ref_peak_mb, "reference scene")
    row(f"peak resident memory after {PLAY_SECONDS // 60} min of play",
        float(play_figures["peak_after_play_mb"]), "MB", 130, "goal")
    print(f"| resident growth during play | {int(play_figures['rss_growth_during_play_kb'])} kB | 0 kB (goal) | - |")
    print(f"| resident growth during play, after its first fifth | "
          f"{int(play_figures['rss_growth_after_first_fifth_kb'])} kB | 0 kB (goal) | - |")
    print(f"| heap allocations per tick during play | {float(play_figures['allocs_per_tick']):.4f} | 0 (goal) | - |")
    print(f"| heap allocations per game frame during play | {float(play_figures['allocs_per_frame']):.4f} | 0 (goal) | - |")
    print(f"| heap allocations per menu frame during play | {float(play_figures['allocs_per_menu_frame']):.4f} | 0 (goal) | - |")
    print("\nprobe lines (the program's own clock):")
    for line in probe_lines + [screens[n][1] for n in ("title", "map", "shop")] + [c[1] for c in cpu.values()] + [
            play_line]:
        print("  " + line)


main()
