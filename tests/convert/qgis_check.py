#!/usr/bin/python3
"""QGIS's own bookmark manager reads what corbelwick-convert writes, and the converter reads what
QGIS writes: every name, group, extent and reference system compared.

    /usr/bin/python3 tests/convert/qgis_check.py CONVERTER            the check
    /usr/bin/python3 tests/convert/qgis_check.py CONVERTER --speed N  times against QGIS's import

Exits 77 (skipped) where QGIS's Python bindings (Debian's python3-qgis) are missing. Runs
headless (QT_QPA_PLATFORM=offscreen) and needs no network.
"""

import json
import os
import subprocess
import sys
import tempfile
import time

SKIPPED = 77

# Bookmarks in the systems users have, with names an XML writer must escape.
BOOKMARKS = [
    ("Parks", "Riverside", [498000.125, 5200000.5, 502500.75, 5204000], "EPSG:26910"),
    ("Parks", 'Say "when" & <stop>', [0.1, 0.2, 0.3, 0.4], "EPSG:26910"),
    ("Coast", "Harbour", [12.87, 55.52, 13.16, 55.62], "EPSG:4326"),
    ("Coast", "Tiles", [-20037508.342789244, -1e6, 1e6, 2e6], "EPSG:3857"),
    ("Grid", "Ben Nevis \u00e9", [216000, 771000, 217500, 772000], "EPSG:27700"),
    ("Grid", "Lambert", [651000.5, 6861000, 652000, 6862000.25], "EPSG:2154"),
    ("", "No group", [500000, 6500000, 510000, 6510000], "EPSG:32633"),
]


def convert(converter, *arguments):
    result = subprocess.run([converter, *arguments], capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit(f"corbelwick-convert {' '.join(arguments)} failed: {result.stderr}")


def start_qgis():
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    try:
        from qgis.core import QgsApplication
    except ImportError:
        print("skipped: QGIS's Python bindings (python3-qgis) are not installed")
        sys.exit(SKIPPED)
    app = QgsApplication([], False)
    app.initQgis()
    return app


def new_manager():
    from qgis.core import QgsBookmarkManager, QgsProject

    QgsProject.instance().clear()
    return QgsBookmarkManager.createProjectBasedManager(QgsProject.instance())


def check(converter, work):
    from qgis.core import (QgsBookmark, QgsBookmarkManager, QgsCoordinateReferenceSystem,
                           QgsRectangle, QgsReferencedRectangle)

    failures = []
    # Our GeoJSON carries each bookmark's own extent and system; QGIS XML keeps both.
    features = [{"type": "Feature", "bbox": [0, 0, 0, 0], "geometry": None,
                 "properties": {"name": n, "group": g, "extent": e, "crs": crs}}
                for g, n, e, crs in BOOKMARKS]
    source = os.path.join(work, "source.geojson")
    with open(source, "w", encoding="utf-8") as f:
        json.dump({"type": "FeatureCollection", "features": features}, f)
    ours = os.path.join(work, "ours.xml")
    convert(converter, source, ours)

    manager = new_manager()
    if not manager.importFromFile(ours):
        return [f"QGIS did not import {ours}"]
    imported = manager.bookmarks()
    if len(imported) != len(BOOKMARKS):
        failures.append(f"QGIS imported {len(imported)} bookmarks of {len(BOOKMARKS)}")
    for (group, name, extent, crs), bookmark in zip(BOOKMARKS, imported):
        r = bookmark.extent()
        got = (bookmark.group(), bookmark.name(),
               [r.xMinimum(), r.yMinimum(), r.xMaximum(), r.yMaximum()], r.crs().authid())
        if got != (group, name, extent, crs):
            failures.append(f"QGIS read {got}, written {(group, name, extent, crs)}")

    # QGIS's own export, with bookmarks made in QGIS, read back by the converter.
    made = QgsBookmark()
    made.setName("Made in QGIS")
    made.setGroup("QGIS")
    made.setExtent(QgsReferencedRectangle(QgsRectangle(-3.25, 50.5, -3, 50.75),
                                          QgsCoordinateReferenceSystem("EPSG:4326")))
    manager.addBookmark(made)
    theirs = os.path.join(work, "theirs.xml")
    QgsBookmarkManager.exportToFile(theirs, [manager])
    back = os.path.join(work, "back.geojson")
    convert(converter, theirs, back)
    with open(back, encoding="utf-8") as f:
        read = [(p["group"], p["name"], p["extent"], p["crs"])
                for p in (feature["properties"] for feature in json.load(f)["features"])]
    expected = [(g, n, e, crs) for g, n, e, crs in BOOKMARKS]
    expected.append(("QGIS", "Made in QGIS", [-3.25, 50.5, -3, 50.75], "EPSG:4326"))
    if read != expected:
        failures.append(f"the converter read QGIS's export as {read}, expected {expected}")

    # And into a list, in one system.
    convert(converter, theirs, os.path.join(work, "back.bmk"), "--crs", "EPSG:4326")
    return failures


def speed(converter, work, count):
    lines = ['"Bookmarks_v2.0"' + ',"Bookmarks_v2.0"' * 9]
    for i in range(count):
        group = f"Group {i * 100 // count}"
        if i % max(1, count // 100) == 0:
            lines.append(f'"{group}"' + ',"ud2s88oew"' * 9)
        x, y = 400000 + (i % 1000) * 100, 5000000 + (i // 1000) * 100
        lines.append(f'"{group}","Bookmark {i}",{x}.5,{y}.25,{x + 2500}.75,{y + 1800},,,,')
    source = os.path.join(work, "speed.bmk")
    with open(source, "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")
    xml, back = os.path.join(work, "speed.xml"), os.path.join(work, "back.bmk")
    start = time.perf_counter()
    convert(converter, source, xml, "--crs", "EPSG:26910")
    convert(converter, xml, back)
    ours = time.perf_counter() - start
    manager = new_manager()
    start = time.perf_counter()
    manager.importFromFile(xml)
    theirs = time.perf_counter() - start
    print(f"{count} bookmarks: the converter .bmk -> .xml -> .bmk {ours:.2f} s; "
          f"QGIS's import of the .xml {theirs:.2f} s ({theirs / ours:.1f} times as long)")


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    converter = os.path.abspath(sys.argv[1])
    app = start_qgis()
    with tempfile.TemporaryDirectory() as work:
        if len(sys.argv) == 4 and sys.argv[2] == "--speed":
            speed(converter, work, int(sys.argv[3]))
            failures = []
        else:
            failures = check(converter, work)
    app.exitQgis()
    for failure in failures:
        print(failure)
    if not failures:
        print("QGIS and the converter agree")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
