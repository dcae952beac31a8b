#!/usr/bin/env python3
"""Prints the summary table of one benchmark run: medians, ratios and the targets.

    summary.py BENCH_JSON PEER_JSON FIRST_START_JSONL [LARGE_LOG_START_JSONL [IDLE_JSONL [IDLE_EMPTY_JSONL]]]"""
import json
import re
import statistics
import sys

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def medians(path):
    """run_name -> the median aggregate of a Google Benchmark JSON output."""
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    out = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median" or (b.get("run_type") == "iteration" and b["run_name"] not in out):
            b = dict(b)
            b["ms"] = b["real_time"] * TO_MS[b["time_unit"]]
            b["cpu_ms"] = b["cpu_time"] * TO_MS[b["time_unit"]]
            name = re.sub(r"/(min_time|iterations):[^/]*", "", b["run_name"])
            name = re.sub(r"/(process_time|real_time)", "", name)
            out[name] = b
    return out


def find(results, prefix):
    for name, b in results.items():
        if name == prefix or name.startswith(prefix + "/"):
            return b
    return None


SCALE_PLAYS = (1000, 10000, 32766, 100000)


def scaling_table(bench):
    """[(refresh, [ms per play at each size])] from the BM_Scale/<refresh>/plays:<n> benchmarks: processor
    time of the whole process, which a machine shared with other work disturbs far less than wall-clock time."""
    names = []
    for name in bench:
        m = re.match(r"BM_Scale/([^/]+)/plays:(\d+)$", name)
        if m and m.group(1) not in names:
            names.append(m.group(1))
    table = []
    for what in names:
        per_play = []
        for n in SCALE_PLAYS:
            b = bench.get(f"BM_Scale/{what}/plays:{n}")
            per_play.append(b["cpu_ms"] / n if b else float("nan"))
        table.append((what, per_play))
    return table


def json_lines(path):
    with open(path, encoding="utf-8") as f:
        return [json.loads(line) for line in f if line.strip().startswith("{")]


def main():
    bench = medians(sys.argv[1])
    with open(sys.argv[2], encoding="utf-8") as f:
        peer = json.loads(f.read().strip().splitlines()[-1])
    with open(sys.argv[3], encoding="utf-8") as f:
        starts = [json.loads(line) for line in f if line.strip().startswith("{")]

    rows = []
    verdicts = []

    def row(what, value, unit, target="", ok=None):
        mark = "" if ok is None else ("ok" if ok else "MISSED")
        rows.append((what, f"{value:,.2f} {unit}" if isinstance(value, float) else f"{value} {unit}", target, mark))
        if ok is not None:
            verdicts.append(ok)

    read = find(bench, "BM_ReadPlayLog")
    read_ms = read["ms"]
    peer_ms = peer["median_s"] * 1e3
    row("log read: readPlayLog, 32,766 records", read_ms, "ms")
    row("  records per second", read["records_per_s"], "/s")
    row("  MB per second", read["MB_per_s"], "MB/s")
    for name, label in (("BM_ReadTextLines", "  line by line, for damaged files: read + decode"),
                        ("BM_ParsePlayLog", "  line by line, for damaged files: split + convert")):
        b = find(bench, name)
        if b:
            row(label, b["ms"], "ms")
    row("peer: Python 3 csv + cp932, same file", peer_ms, "ms")
    row("ratio ours/peer (wall-clock time)", read_ms / peer_ms, "", "<= 0.10", read_ms / peer_ms <= 0.10)
    row("speed-up over the peer (wall-clock)", peer_ms / read_ms, "x", ">= 10x", None)
    if "cpu_median_s" in peer:
        peer_cpu = peer["cpu_median_s"] * 1e3
        row("log read, processor time (all threads)", read["cpu_ms"], "ms")
        row("peer, processor time", peer_cpu, "ms")
        cpu_ratio = peer_cpu / read["cpu_ms"]
        row("speed-up over the peer (processor time)", cpu_ratio, "x", ">= 10x", cpu_ratio >= 10)

    panels = [
        ("BM_MainPanel", "main panel (computeDay)"),
        ("BM_AllGraphs", "all graphs (SHOW_RENTAI)"),
        ("BM_Range/all0_key1_weekday2:0", "range: all (open)"),
        ("BM_Range/all0_key1_weekday2:1", "range: key 抜"),
        ("BM_Range/all0_key1_weekday2:2", "range: weekday 水"),
        ("BM_SortFill", "sort view fill (SHOW_ICHIRAN)"),
        ("BM_SortButton/button:0", "sort button 1 on the filled list"),
        ("BM_SortButton/button:1", "sort button 2 on the filled list"),
        ("BM_SortButton/button:2", "sort button 3 on the filled list"),
        ("BM_SortButton/button:3", "sort button 4 on the filled list"),
        ("BM_Totals/time0_count1_both2:0", "totals: time"),
        ("BM_Totals/time0_count1_both2:1", "totals: count"),
        ("BM_Totals/time0_count1_both2:2", "totals: both"),
        ("BM_Calendar", "calendar (fill)"),
        ("BM_WeeklyScores", "weekly scores (a history of 5,000 plays)"),
        ("BM_DiaryList", "diary list (READ_MEMO_LIST)"),
        ("BM_EditList", "edit list (READ_HEN_LIST)"),
    ]
    for name, label in panels:
        b = bench.get(name)
        if not b:
            continue
        ok = b["ms"] <= 5 * read_ms and b["ms"] < 100
        row(f"{'' if 'sort button' in label else 'refresh from file: '}{label}", b["ms"], "ms", f"<= 5x read ({b['ms'] / read_ms:.1f}x), < 100 ms", ok)
    for name, b in sorted(bench.items()):
        if name.startswith("BM_PanelButton/"):
            row(f"panel button, widgets included: {name.split('/')[1]}", b["ms"], "ms", "<= 50 ms", b["ms"] <= 50)

    warm = find(bench, "BM_StartupFirstPaint")
    if warm:
        row("start-up to first paint, in-process repeat", warm["ms"], "ms", "< 300 ms", warm["ms"] < 300)
    if starts:
        cold = statistics.median(s["startup_first_paint_ms"] for s in starts)
        row(f"start-up to first paint, fresh process ({len(starts)} runs)", cold, "ms", "< 300 ms", cold < 300)
        mem = statistics.median(s["peak_rss_mb"] for s in starts)
        row("peak memory after every panel once", mem, "MB", "<= 64 MB", mem <= 64)
        for name in starts[0]["panel_button_ms"]:
            first = statistics.median(s["panel_button_ms"][name] for s in starts)
            row(f"first opening in a fresh process: {name}", first, "ms", "<= 60 ms", first <= 60)
    game = find(bench, "BM_OpenGameWindow")
    if game:
        row("open game window 抜かな (5,000 history lines)", game["ms"], "ms")
    hist = find(bench, "BM_GameHistoryShowAll")
    if hist:
        row("history list of 5,000 plays (showAll)", hist["ms"], "ms")
    timers = find(bench, "BM_EngineTimers")
    if timers:
        for key, label, nominal in (("display_0_1s", "0.1 s elapsed display", 100),
                                    ("clock_1s", "1 s clock", 1000),
                                    ("feedback_0_15s", "0.15 s feedback", 150)):
            row(f"timer lateness, {label}: mean", timers[f"{key}_mean_ms"], "ms")
            worst = timers[f"{key}_worst_ms"]
            row(f"timer lateness, {label}: worst", worst, "ms", "< 50% of interval", worst < nominal / 2)

    large = []
    if len(sys.argv) > 4:
        with open(sys.argv[4], encoding="utf-8") as f:
            large = [json.loads(line) for line in f if line.strip().startswith("{")]
    for s in large:
        row(f"fresh start at {s['plays']:,} plays: first paint", s["startup_first_paint_ms"], "ms")
        slowest = max(s["panel_button_ms"], key=s["panel_button_ms"].get)
        row(f"  slowest first opening ({slowest})", s["panel_button_ms"][slowest], "ms")
        row("  peak memory after every panel once", s["peak_rss_mb"], "MB")

    idle = json_lines(sys.argv[5]) if len(sys.argv) > 5 else []
    if idle:
        rss = statistics.median(s["rss_3s_after_start_mb"] for s in idle)
        row(f"resident memory 3 s after start-up, {idle[0]['plays']:,.0f} plays", rss, "MB", "<= 50 MB", rss <= 50)
    for s in json_lines(sys.argv[6]) if len(sys.argv) > 6 else []:
        row("  the same with an empty log", s["rss_3s_after_start_mb"], "MB")

    scaling = scaling_table(bench)
    if scaling:
        for what, per_play in scaling:
            growth = per_play[-1] / per_play[1] if per_play[1] > 0 else float("inf")
            row(f"scaling: {what}, per play at 100,000 / at 10,000", growth, "x", "<= 1.5x", growth <= 1.5)

    width = max(len(r[0]) for r in rows)
    print()
    print(f"{'figure (medians)':<{width}}  {'value':>16}  {'target':<34} result")
    print("-" * (width + 60))
    for what, value, target, mark in rows:
        print(f"{what:<{width}}  {value:>16}  {target:<34} {mark}")
    if scaling:
        print()
        print("processor time per play (microseconds; medians) at " + ", ".join(f"{n:,}" for n in SCALE_PLAYS) + " plays")
        print(f"{'refresh from file':<16}" + "".join(f"{n:>10,}" for n in SCALE_PLAYS) + "  100,000 / 10,000")
        for what, per_play in scaling:
            print(f"{what:<16}" + "".join(f"{v * 1e3:>10.3f}" for v in per_play) + f"  {per_play[-1] / per_play[1]:.2f}x")
    print()
    print(f"{sum(verdicts)} of {len(verdicts)} targets met")
    return 0


if __name__ == "__main__":
    sys.exit(main())
