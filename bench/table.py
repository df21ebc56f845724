#!/usr/bin/env python3
"""Prints the benchmark results (Google Benchmark JSON files) as one Markdown
table: our figure, the stock-Qt figure where there is one, their ratio, the
target and whether it is met. Of repeated runs the fastest counts."""
import json
import sys

SIZES = (1000, 10000, 100000, 1000000)


def load(paths):
    best = {}
    contexts = []
    for path in paths:
        with open(path) as file:
            data = json.load(file)
        contexts.append(data["context"])
        for run in data["benchmarks"]:
            if run.get("run_type") != "iteration" or run.get("error_occurred"):
                continue
            key = "/".join(run["name"].split("/")[:2])
            scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
            run["seconds"] = run["real_time"] * scale
            if key not in best or run["seconds"] < best[key]["seconds"]:
                best[key] = run
    return best, contexts


def duration(seconds):
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6)):
        if seconds >= scale:
            return f"{seconds / scale:.3g} {unit}"
    return f"{seconds / 1e-9:.3g} ns"


def verdict(checks):
    return "yes" if all(checks) else "**no**"


def main(paths):
    runs, contexts = load(paths)
    rows = []

    def compare(path, name, limit, ratio_limit, stock_name=None, ours_name="Reelkit"):
        ours, stock = runs.get(f"{name}/{ours_name}"), runs.get((stock_name or name) + "/StockQt")
        if not ours or not stock:
            return
        ratio = ours["seconds"] / stock["seconds"]
        rows.append([path, "", duration(ours["seconds"]), "", duration(stock["seconds"]),
                     f"{ratio:.2f}×", f"≤ {duration(limit)}, ≤ {ratio_limit}× stock",
                     verdict([ours["seconds"] <= limit, ratio <= ratio_limit])])

    def grow(path, name, target_size, limit, flat=False, ratio_limit=None):
        per_entry = {}
        for size in SIZES:
            run = runs.get(f"{name}/{size}")
            if not run:
                continue
            per_entry[size] = run["seconds"] / size
            targets, checks, stock_time, ratio = [], [], "", ""
            stock = runs.get(f"{name}Stock/{size}")
            if stock and ratio_limit:
                stock_time = duration(stock["seconds"])
                ratio = run["seconds"] / stock["seconds"]
                targets.append(f"≤ {ratio_limit}× stock")
                checks.append(ratio <= ratio_limit)
                ratio = f"{ratio:.2f}×"
            if size == target_size and limit:
                targets.append(f"≤ {duration(limit)}")
                checks.append(run["seconds"] <= limit)
            if size == target_size:
                if flat and min(SIZES) in per_entry:
                    growth = per_entry[size] / per_entry[min(SIZES)]
                    targets.append(f"per call flat (×{growth:.1f} from {min(SIZES):,})")
                    checks.append(growth <= 2)
            rows.append([path, f"{size:,}", duration(run["seconds"]),
                         duration(per_entry[size]), stock_time, ratio, "; ".join(targets),
                         verdict(checks) if checks else ""])

    def hidden(path, name, ratio_limit):
        shown, hidden = runs.get(name + "/Visible"), runs.get(name + "/Hidden")
        if not shown or not hidden:
            return
        ratio = hidden["seconds"] / shown["seconds"]
        rows.append([path, "", duration(hidden["seconds"]), "", "", f"{ratio:.3f}× shown",
                     f"≤ {ratio_limit}× shown ({duration(shown['seconds'])})",
                     verdict([ratio <= ratio_limit])])

    def cpu(path, name, limit, stock_name=None):
        run, stock = runs.get(name), runs.get(stock_name or "")
        if run:
            share = run["gui_cpu_percent"]
            stock_share = f"{stock['gui_cpu_percent']:.2f} %" if stock else ""
            ratio = f"{share / stock['gui_cpu_percent']:.1f}×" if stock else ""
            rows.append([path, "", f"{share:.2f} % of a core", "", stock_share, ratio,
                         f"< {limit} %", verdict([share < limit])])

    def alone(path, name, limit):
        run = runs.get(name)
        if run:
            rows.append([path, "", duration(run["seconds"]), "", "", "", f"≤ {duration(limit)}",
                         verdict([run["seconds"] <= limit])])

    compare("position update while playing", "PositionUpdate", 1e-3, 1.0)
    compare("position update while playing, from the GUI thread", "PositionUpdateGui", 1e-3, 1.0)
    compare("position update while playing, 60 chapters and a loop shown", "PositionUpdate", 1e-3,
            1.0, ours_name="ReelkitMarked")
    hidden("position report to a hidden panel (10 s steps)", "PanelReport", 0.1)
    cpu("GUI thread at 60 position reports/s for 10 s, panel shown", "PlaybackCpu/Visible", 1,
        "PlaybackCpu/StockQt")
    cpu("GUI thread at 60 position reports/s for 10 s, panel hidden", "PlaybackCpu/Hidden", 0.05)
    alone("hover preview on the sample clip, first picture (keyframe)", "Preview/First", 0.1)
    alone("hover preview on the sample clip, exact frame after it", "Preview/Exact", 0.25)
    alone("hover preview on the sample clip, from the cache on disk", "Preview/Cached", 0.016)
    compare("playlist row painting (40-row viewport), repainting the same rows", "RowPaint",
            4e-3, 1)
    compare("playlist row painting (40-row viewport), scrolling 100,000 rows a page at a time",
            "RowScroll", 4e-3, 1)
    compare("playlist row painting (40-row viewport), scrolling 1,000,000 rows (stock: 100,000)",
            "RowScroll1M", 4e-3, 1, "RowScroll")
    grow("loading a saved list (Deserialize)", "Load", 1000000, 1.0)
    grow("media information arriving (SetFileInfo per file)", "MediaInfo", 1000000, None, True)
    grow("saving (Serialize + text)", "Save", 1000000, 1.0)
    grow("deleting (select all, DeleteSelectedFiles)", "DeleteSelected", 100000, 2.0,
         ratio_limit=1)
    grow("clearing (Clear)", "Clear", 1000000, 0.1)
    for size in SIZES:
        run = runs.get(f"Memory/{size}")
        if run:
            resident = run["resident_bytes_per_entry"]
            rows.append(["memory per entry beyond the path text (resident)", f"{size:,}",
                         f"{resident:.0f} B", f"heap {run['heap_bytes_per_entry']:.0f} B", "", "",
                         "≤ 200 B" if size == 1000000 else "",
                         verdict([resident <= 200]) if size == 1000000 else ""])

    header = ["path", "entries", "ours", "per entry", "stock Qt", "ratio", "target", "met"]
    print("| " + " | ".join(header) + " |")
    print("|" + "---|" * len(header))
    for row in rows:
        print("| " + " | ".join(row) + " |")
    if contexts:
        started = min(context["date"] for context in contexts)
        busiest = max(context.get("load_avg", [0])[0] for context in contexts)
        print(f"\nRun {started}; highest one-minute load average at the start of a run: "
              f"{busiest:.2f}.")

if __name__ == "__main__":
    main(sys.argv[1:])
