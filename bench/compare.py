#!/usr/bin/python3
"""Prints one table comparing vellumark-avatar with the floor and the peers.

    /usr/bin/python3 bench/compare.py [--build build/bench] [--runs 7]

Needs `make bench` first (vellumark-avatar, vellumark-floor and
vellumark-bench-inputs). Installs the peers from Debian when they are
missing (imagemagick, python3-pil, libvips-tools), generates the inputs, runs
every tool RUNS times on each and prints medians in milliseconds: our
command and the floor in-process (--time), Pillow and libvips in-process
(peers.py), ImageMagick as whole `convert` processes, which also pay for
process start and file I/O. "nine layout avatars" is the sum of the nine
per-picture medians. Every output is checked to be a side x side RGBA PNG
with transparent corners; a tool whose output is not gets a "!" mark.
"""

import argparse
import os
import pathlib
import platform
import shutil
import statistics
import subprocess
import sys
import time

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent
PEER_PACKAGES = ["imagemagick", "python3-pil", "libvips-tools"]
CONVERT = "/usr/bin/convert"  # Debian's ImageMagick 6, not any wrapper on PATH


def ensure_packages():
    missing = [p for p in PEER_PACKAGES if subprocess.run(
        ["dpkg-query", "-W", "-f=${Status}", p], capture_output=True, text=True
    ).stdout.find("install ok installed") < 0]
    if not missing:
        return
    sudo = [] if os.geteuid() == 0 else ["sudo"]
    print("installing from Debian:", " ".join(missing), file=sys.stderr)
    subprocess.run(sudo + ["apt-get", "update", "-qq"], check=True)
    subprocess.run(sudo + ["apt-get", "install", "-y", "-qq", "--no-install-recommends"] + missing,
                   check=True, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"),
                   stdout=subprocess.DEVNULL)


def last_number(text):
    return float(text.strip().splitlines()[-1])


def timed_command(command, runs):
    """Median of `runs` whole-process runs of `command`, or None on failure."""
    samples = []
    for _ in range(runs):
        start = time.perf_counter()
        if subprocess.run(command, capture_output=True).returncode != 0:
            return None
        samples.append((time.perf_counter() - start) * 1000)
    return statistics.median(samples)


def in_process(command):
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        print(" ".join(map(str, command)), "failed:", result.stderr.strip()[-300:],
              file=sys.stderr)
        return None
    return last_number(result.stdout)


def picture_size(path):
    from PIL import Image
    with Image.open(path) as image:
        return image.size


def output_ok(path, side):
    from PIL import Image
    try:
        with Image.open(path) as image:
            image.load()
            if image.size != (side, side) or image.mode != "RGBA":
                return False
            corners = [(0, 0), (side - 1, 0), (0, side - 1), (side - 1, side - 1)]
            return side < 10 or all(image.getpixel(c)[3] == 0 for c in corners)
    except Exception:
        return False


def run_tools(build, source, work, runs):
    """{tool: (median ms or None, output ok)} for one input file."""
    side = min(picture_size(source))
    radius = side / 2
    tools = {
        "vellumark": [build / "tools/avatar/vellumark-avatar", "--time", str(runs)],
        "floor": [build / "bench/vellumark-floor", "--time", str(runs)],
        "Pillow": ["/usr/bin/python3", HERE / "peers.py", "pillow"],
        "libvips": ["/usr/bin/python3", HERE / "peers.py", "vips"],
    }
    results = {}
    for name, command in tools.items():
        target = work / f"{source.stem}.{name}.png"
        target.unlink(missing_ok=True)
        if name in ("Pillow", "libvips"):
            median = in_process(command + [source, target, str(runs)])
        elif pathlib.Path(command[0]).exists():
            median = in_process(command + [source, target])
        else:
            median = None
        results[name] = (median, median is not None and output_ok(target, side))

    target = work / f"{source.stem}.ImageMagick.png"
    convert = [CONVERT, source, "-crop", f"{side}x{side}+0+0", "+repage", "-alpha", "set",
               "(", "-size", f"{side}x{side}", "xc:none", "+antialias", "-fill", "white",
               "-draw", f"circle {radius - 0.5},{radius - 0.5} {radius - 0.5},0", ")",
               "-compose", "DstIn", "-composite", target]
    median = timed_command(convert, runs)
    results["ImageMagick"] = (median, median is not None and output_ok(target, side))
    return results


def machine_description():
    model = "unknown"
    for line in pathlib.Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            model = line.split(":", 1)[1].strip()
            break
    memory = pathlib.Path("/proc/meminfo").read_text().splitlines()[0].split()[1]
    return (f"{model}, {os.cpu_count()} cores, {int(memory) // 1024 // 1024} GiB, "
            f"{platform.system()} {platform.release()}")


def versions():
    from PIL import __version__ as pillow
    sys.path.insert(0, str(HERE))
    import peers
    vips = peers.Vips().version()
    magick = subprocess.run([CONVERT, "-version"], capture_output=True, text=True).stdout
    magick = magick.splitlines()[0].split()[2] if magick else "?"
    return f"Pillow {pillow}, libvips {vips}, ImageMagick {magick}"


def cell(result):
    median, ok = result
    if median is None:
        return "n/a"
    return f"{median:.1f}" + ("" if ok else " !")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=str(ROOT / "build/bench"))
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    build = pathlib.Path(args.build).resolve()

    ensure_packages()
    work = build / "compare"
    work.mkdir(parents=True, exist_ok=True)
    subprocess.run([build / "bench/vellumark-bench-inputs", work], check=True,
                   stdout=subprocess.DEVNULL)
    layout = work / "layout"
    layout.mkdir(exist_ok=True)
    for n in range(1, 10):
        shutil.copy(ROOT / f"app/assets/avatar{n}.jpg", layout)

    cases = [(name, [work / name]) for name in
             ("photo-640x640.jpg", "photo-1920x1080.jpg", "photo-4032x3024.jpg",
              "alpha-1024x768.png")]
    cases.append(("nine layout avatars", sorted(layout.glob("avatar*.jpg"))))

    load_before = os.getloadavg()
    rows = []
    for label, sources in cases:
        per_source = [run_tools(build, source, work, args.runs) for source in sources]
        combined = {}
        for tool in per_source[0]:
            medians = [r[tool][0] for r in per_source]
            combined[tool] = (None if None in medians else sum(medians),
                              all(r[tool][1] for r in per_source))
        rows.append((label, combined))
        print(f"done: {label}", file=sys.stderr)
    load_after = os.getloadavg()

    print(f"Machine: {machine_description()}")
    print(f"Peers: {versions()}")
    print(f"Load average (1, 5, 15 min) before: {load_before[0]:.2f} {load_before[1]:.2f} "
          f"{load_before[2]:.2f}, after: {load_after[0]:.2f} {load_after[1]:.2f} "
          f"{load_after[2]:.2f}; medians of {args.runs} runs, milliseconds")
    print()
    print("| input | vellumark-avatar | floor | Pillow | libvips | ImageMagick (CLI) "
          "| vellumark / floor | fastest peer / vellumark |")
    print("|---|---|---|---|---|---|---|---|")
    for label, r in rows:
        ours = r["vellumark"][0]
        floor = r["floor"][0]
        peers_medians = [r[t][0] for t in ("Pillow", "libvips", "ImageMagick") if r[t][0]]
        to_floor = f"{ours / floor:.2f}" if ours and floor else "n/a"
        to_peer = f"{min(peers_medians) / ours:.2f}" if ours and peers_medians else "n/a"
        print(f"| {label} | {cell(r['vellumark'])} | {cell(r['floor'])} | {cell(r['Pillow'])} "
              f"| {cell(r['libvips'])} | {cell(r['ImageMagick'])} | {to_floor} | {to_peer} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
