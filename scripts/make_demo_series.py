#!/usr/bin/env python3
"""Lays out the demo series as it is shipped on a hard disk:

    SERIES/LAUNCH/    the launcher, its catalogue SVLindex.txt (CP932), index.htm,
                      the help SorvelL.chm and SorvelL.htm (scripts/make_demo_help.py)
    SERIES/<FOLDER>/  one folder per installed program, named with its version

One catalogue entry is not installed, and one program is installed twice.
usage: make_demo_series.py OUT_DIR LAUNCHER_EXE PROGRAMS_DIR HELP_DIR
"""
import os
import shutil
import sys

CAPTION = "Sorvel 数学シリーズ"
LAST_UPDATE = "2026年12月1日 更新"
# title, ExeName field, latest version, key
CATALOGUE = [
    ("代数 I (式と計算)", "ALGEBRA1", "1.3", "algebra"),
    ("図形と証明", "Geometry", "1.1", "geometry"),
    ("計算ドリル", "KEISAN", "1.3", "drill"),
    ("関数とグラフ", "kansu", "2.2", "function"),
    ("確率と統計", "kakuritu", "1.0", "probability"),
    ("表計算で学ぶ統計", "hyoukei", "1.2", "sheet"),
]
# folder, program stem, file name as installed
INSTALLED = [
    ("ALGEBR10", "algebra1", "algebra1.exe"),
    ("ALGEBR12", "algebra1", "algebra1.exe"),
    ("GEOMET11", "geometry", "GEOMETRY.EXE"),
    ("KEISAN13", "keisan", "Keisan.exe"),
    ("KANSU_V21", "kansu", "kansu.exe"),
    ("表計算12", "hyoukei", "hyoukei.exe"),
]
INDEX_HTM = """<!DOCTYPE html>
<html lang="ja"><head><meta charset="Shift_JIS"><title>最新版ダウンロード</title></head>
<body><h1>Sorvel 数学シリーズ 最新版</h1><p>最新版はこのページからダウンロードできます。</p></body></html>
"""


HELP_FILES = ["SorvelL.chm", "SorvelL.htm"]


def main(out, launcher, programs, help_dir):
    series = os.path.join(out, "SERIES")
    if os.path.isdir(series):
        shutil.rmtree(series)
    home = os.path.join(series, "LAUNCH")
    os.makedirs(home)
    shutil.copy2(launcher, os.path.join(home, "SorvelL.exe"))
    lines = [CAPTION, LAST_UPDATE] + [",".join(entry) for entry in CATALOGUE]
    with open(os.path.join(home, "SVLindex.txt"), "wb") as f:
        f.write("\r\n".join(lines).encode("cp932") + b"\r\n")
    with open(os.path.join(home, "index.htm"), "wb") as f:
        f.write(INDEX_HTM.encode("cp932"))
    for name in HELP_FILES:
        shutil.copy2(os.path.join(help_dir, name), os.path.join(home, name))
    for folder, stem, name in INSTALLED:
        target = os.path.join(series, folder)
        os.makedirs(target, exist_ok=True)
        shutil.copy2(os.path.join(programs, stem + ".exe"), os.path.join(target, name))
    print("demo series:", home)


if __name__ == "__main__":
    main(*sys.argv[1:5])
