#!/usr/bin/python3
"""Compiles every translation unit of a built tree against the headers of the
newest Qt 6 that Debian has (Debian 13's qt6-base-dev, Qt 6.8), syntax only,
with warnings as errors, deprecations included: a deprecated or removed API
shows here before it stops the Windows runner, which builds with Qt 6.8,
while Debian 12 here has only Qt 6.4.

    cmake/newest-qt-check.py BUILD_FOLDER

BUILD_FOLDER is a configured and built tree (build.sh's build/): its
compile_commands.json gives each translation unit's command, which is run
again with Qt's folders swapped for the newer ones. The moc's output is made
afresh by that Qt's own moc, for the 6.4 moc's output is not what a 6.8 build
compiles; that moc needs Debian 13's C and C++ runtime, which it is given
beside it through their dynamic loader, never on the system.

The packages come from Debian's archive with `apt-get download` through a
private list, so the machine's own apt sources and package cache stay as they
are, and are unpacked with `dpkg-deb -x` into a cache folder, never
installed: NIC_NEWEST_QT_CACHE, else ~/.cache/nic-decoder/newest-qt.
"""

import concurrent.futures
import json
import os
import pathlib
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

RELEASE = "trixie"
# Qt's headers and its moc; the moc's C and C++ runtime.
PACKAGES = ["qt6-base-dev", "qt6-base-dev-tools", "libc6", "libstdc++6", "libgcc-s1"]
MULTIARCH = "x86_64-linux-gnu"
# Where Debian keeps Qt 6's headers and mkspecs: the folders swapped.
QT_FOLDERS = (f"/usr/include/{MULTIARCH}/qt6", f"/usr/lib/{MULTIARCH}/qt6")
OLDEST_QT = (6, 8)


def cache_folder():
    if os.environ.get("NIC_NEWEST_QT_CACHE"):
        return pathlib.Path(os.environ["NIC_NEWEST_QT_CACHE"])
    base = os.environ.get("XDG_CACHE_HOME") or os.path.expanduser("~/.cache")
    return pathlib.Path(base) / "nic-decoder" / "newest-qt"


def fetch(cache):
    """Downloads and unpacks the packages once; the root they are unpacked in."""
    root = cache / "root"
    if (cache / "done").exists():
        return root
    print(f"Fetching Qt's headers and moc from Debian {RELEASE} into {cache}")
    shutil.rmtree(root, ignore_errors=True)
    root.mkdir(parents=True)
    with tempfile.TemporaryDirectory() as state:
        state = pathlib.Path(state)
        (state / "lists" / "partial").mkdir(parents=True)
        (state / "cache" / "archives" / "partial").mkdir(parents=True)
        # Beside the lists, not among them: apt-get update removes what it does not know there.
        (state / "sources.list").write_text(
            "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] "
            f"http://deb.debian.org/debian {RELEASE} main\n")
        apt = ["apt-get", "-q", "-o", "APT::Sandbox::User=root", "-o", "APT::Architecture=amd64",
               "-o", f"Dir::Etc::SourceList={state / 'sources.list'}", "-o", "Dir::Etc::SourceParts=/dev/null",
               "-o", f"Dir::State::Lists={state / 'lists'}", "-o", f"Dir::Cache={state / 'cache'}",
               "-o", "Dir::State::status=/dev/null"]
        subprocess.run(apt + ["update"], check=True, stdout=subprocess.DEVNULL)
        debs = state / "debs"
        debs.mkdir()
        subprocess.run(apt + ["download"] + PACKAGES, check=True, cwd=debs, stdout=subprocess.DEVNULL)
        for deb in sorted(debs.glob("*.deb")):
            subprocess.run(["dpkg-deb", "-x", str(deb), str(root)], check=True)
        (cache / "packages").write_text("".join(deb.name + "\n" for deb in sorted(debs.glob("*.deb"))))
    (cache / "done").touch()
    return root


class NewestQt:
    def __init__(self, root):
        self.root = root
        libs = [root / "usr" / "lib" / MULTIARCH, pathlib.Path("/usr/lib") / MULTIARCH]
        self.moc = [str(root / "usr" / "lib64" / "ld-linux-x86-64.so.2"), "--library-path",
                    ":".join(map(str, libs)), str(root / "usr" / "lib" / "qt6" / "libexec" / "moc")]

    def folder(self, path):
        """The newer Qt's copy of one of Qt's folders, None where it has none;
        any other folder as it is."""
        if not path.startswith(QT_FOLDERS):
            return path
        swapped = str(self.root) + path
        return swapped if os.path.isdir(swapped) else None

    def version(self):
        out = subprocess.run(self.moc + ["--version"], check=True, capture_output=True, text=True).stdout
        return tuple(int(part) for part in re.search(r"(\d+)\.(\d+)\.(\d+)", out).groups())


def run_moc(qt, info, source, output):
    """The moc's output for one file, as AUTOMOC asks for it, by the newer moc."""
    command = qt.moc + ["--include", info["MOC_PREDEFS_FILE"]]
    for folder in info["MOC_INCLUDES"]:
        swapped = qt.folder(folder)
        if swapped:
            command.append("-I" + swapped)
    command += ["-D" + name for name in info["MOC_DEFINITIONS"]]
    command += info["MOC_OPTIONS"] + ["-o", str(output), source]
    output.parent.mkdir(parents=True, exist_ok=True)
    result = subprocess.run(command, capture_output=True, text=True)
    return None if result.returncode == 0 else f"moc {source}:\n{result.stderr}"


def remake_moc_output(qt, build, shadow, compiled):
    """Every moc output of the build made again by the newer moc into the
    same place under shadow; the mocs_compilation.cpp files copied beside
    them. Only targets still built count (compiled: the files of the compile
    commands): a target gone from the tree leaves its folder behind. Gives
    the failures."""
    jobs = []
    for info_file in build.rglob("AutogenInfo.json"):
        info = json.loads(info_file.read_text())
        if info["MOC_COMPILATION_FILE"] not in compiled:
            continue
        autogen = pathlib.Path(info["BUILD_DIR"])
        into = shadow / autogen.relative_to(build)
        by_output = {header[2]: header[0] for header in info["HEADERS"] if header[2]}
        compilation = pathlib.Path(info["MOC_COMPILATION_FILE"])
        if compilation.exists():
            into.mkdir(parents=True, exist_ok=True)
            shutil.copy(compilation, into / compilation.name)
            for included in re.findall(r'^#include "([^"]+)"', compilation.read_text(), re.M):
                jobs.append((info, by_output[included], into / included))
        include = pathlib.Path(info["INCLUDE_DIR"])
        sources = {pathlib.Path(source[0]).stem: source[0] for source in info["SOURCES"]}
        headers = {pathlib.Path(header[0]).stem: header[0] for header in info["HEADERS"]}
        for generated in include.rglob("*") if include.is_dir() else []:
            target = into / "include" / generated.relative_to(include)
            if generated.suffix == ".moc":
                jobs.append((info, sources[generated.stem], target))
            elif generated.name.startswith("moc_") and generated.suffix == ".cpp":
                jobs.append((info, headers[generated.stem[len("moc_"):]], target))
            elif generated.is_file() and not generated.name.endswith(".d"):
                target.parent.mkdir(parents=True, exist_ok=True)
                shutil.copy(generated, target)
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        failures = [f for f in pool.map(lambda job: run_moc(qt, *job), jobs) if f]
    return len(jobs), failures


def syntax_only(qt, build, shadow, entry):
    """One compile command, against the newer Qt and the newer moc's output,
    syntax only; the failure's text, or None."""
    words = shlex.split(entry["command"])
    command = [words[0]]
    autogen = re.compile(r"^(" + re.escape(str(build)) + r"/.*_autogen/)")

    def moved(path):
        # The newer moc's output is read from the shadow tree, where it is;
        # Qt's headers from the newer Qt.
        if autogen.match(path):
            remade = shadow / os.path.relpath(path, build)
            return str(remade) if remade.exists() else path
        return qt.folder(path)

    skip_next = False
    pending_option = None
    for word in words[1:]:
        if skip_next:
            skip_next = False
            continue
        if word in ("-o", "-MT", "-MF", "-MQ"):
            skip_next = True
            continue
        if word in ("-c", "-MD", "-MMD"):
            continue
        if pending_option:
            path = moved(word)
            if path:
                command += [pending_option, path]
            pending_option = None
            continue
        if word in ("-I", "-isystem", "-iquote", "-include"):
            pending_option = word
            continue
        option = next((o for o in ("-isystem", "-iquote", "-I") if word.startswith(o) and len(word) > len(o)), None)
        if option:
            path = moved(word[len(option):])
            if path:
                command.append(option + path)
            continue
        if word == entry["file"]:
            word = moved(word)
        command.append(word)
    command += ["-fsyntax-only", "-Werror", "-Wdeprecated-declarations"]
    result = subprocess.run(command, cwd=entry["directory"], capture_output=True, text=True)
    if result.returncode == 0:
        return None
    return f"{entry['file']}:\n{result.stderr}"


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: newest-qt-check.py BUILD_FOLDER")
    build = pathlib.Path(sys.argv[1]).resolve()
    commands = build / "compile_commands.json"
    if not commands.exists():
        sys.exit(f"{commands} is missing: configure and build {build} first")
    qt = NewestQt(fetch(cache_folder()))
    version = qt.version()
    if version[:2] < OLDEST_QT:
        sys.exit(f"Debian {RELEASE} gave Qt {'.'.join(map(str, version))}, older than expected")
    shadow = build / "newest-qt"
    shutil.rmtree(shadow, ignore_errors=True)
    # Not every target is built by default (the picture drawer is not).
    entries = [e for e in json.loads(commands.read_text()) if os.path.exists(e["file"])]
    qt_name = "Qt " + ".".join(map(str, version))
    mocs, failures = remake_moc_output(qt, build, shadow, {e["file"] for e in entries})
    if failures:
        print("\n".join(failures), file=sys.stderr)
        sys.exit(f"{qt_name}'s moc failed on {len(failures)} of {mocs} files")
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        failures = [f for f in pool.map(lambda e: syntax_only(qt, build, shadow, e), entries) if f]
    if failures:
        print("\n".join(failures), file=sys.stderr)
        sys.exit(f"{len(failures)} of {len(entries)} translation units fail against {qt_name}'s headers")
    print(f"{len(entries)} translation units compile against {qt_name}'s headers without a warning; "
          f"the {mocs} moc outputs among them made by its own moc")


if __name__ == "__main__":
    main()
