#!/usr/bin/env python3
"""Generates the benchmark's project tree: 40 modules of 50 folders each, 21,400 files in
2,160 folders; about a third of the files match the default cleaning lists, most of them
inside Debug and Release folders (ten Debug folders hold 400 files each). With --ploche N it
makes a flat folder of N files that all match instead: each one a logged deletion. With
--nahled it makes the preview's tree instead: 50 modules of 40 folders of 9 files (8 sources
and one by-product), and in every module, beside its 40 folders, a Debug folder of 100 files:
23,000 files in 2,100 folders, 2,000 matching files and 50 matching folders.
    bench/strom.py <folder> [--ploche N | --nahled]"""
import os
import sys

koren = sys.argv[1]
os.makedirs(koren, exist_ok=True)
obsah = b"// generated\n" * 8
if len(sys.argv) > 3 and sys.argv[2] == "--ploche":
    for i in range(int(sys.argv[3])):
        with open(os.path.join(koren, f"soubor_{i}.sdf"), "wb") as f:
            f.write(obsah)
    print(f"{sys.argv[3]} matching files in one folder", file=sys.stderr)
    sys.exit(0)
souboru = shodnych = slozek = 0
if len(sys.argv) > 2 and sys.argv[2] == "--nahled":
    for m in range(50):
        modul = os.path.join(koren, f"modul_{m:02d}")
        for d in range(40):
            list_ = os.path.join(modul, f"trida_{d:02d}")
            os.makedirs(list_)
            for i in range(4):
                for pripona in ("cpp", "h"):
                    with open(os.path.join(list_, f"zdroj_{i}.{pripona}"), "wb") as f:
                        f.write(obsah)
            vedlejsi = ["projekt.aps", "projekt.ncb", "projekt.sdf", "data.db", "Thumbs.db", "ReadMe.txt"][d % 6]
            with open(os.path.join(list_, vedlejsi), "wb") as f:
                f.write(obsah)
        vystup = os.path.join(modul, "Debug")
        os.makedirs(vystup)
        for i in range(100):
            with open(os.path.join(vystup, f"soubor_{i}.obj"), "wb") as f:
                f.write(obsah * (i + 1))
    print("the preview's tree: 23000 files in 2100 folders", file=sys.stderr)
    sys.exit(0)


def soubor(cesta, shodny):
    global souboru, shodnych
    with open(cesta, "wb") as f:
        f.write(obsah)
    souboru += 1
    shodnych += shodny


def slozka(cesta):
    global slozek
    os.makedirs(cesta)
    slozek += 1


for m in range(40):
    modul = os.path.join(koren, f"modul_{m:02d}")
    slozka(modul)
    for g in range(5):
        skupina = os.path.join(modul, f"skupina_{g}")
        slozka(skupina)
        for d in range(9):
            list_ = os.path.join(skupina, f"trida_{d}")
            slozka(list_)
            for i in range(4):
                soubor(os.path.join(list_, f"zdroj_{i}.cpp"), 0)
                soubor(os.path.join(list_, f"zdroj_{i}.h"), 0)
            # One by-product per folder, by extension or by whole name, in turn.
            vedlejsi = ["projekt.aps", "projekt.ncb", "projekt.sdf", "data.db", "Thumbs.db", "ReadMe.txt"][(g * 9 + d) % 6]
            soubor(os.path.join(list_, vedlejsi), 1)
    # Build output: hundreds of files in ten Debug folders, fewer in the Release folders.
    if m < 10:
        vystup = os.path.join(modul, "Debug")
        slozka(vystup)
        for s in range(2):
            slozka(os.path.join(vystup, f"obj_{s}"))
        for i in range(400):
            podslozka = f"obj_{i % 2}" if i % 4 == 0 else ""
            soubor(os.path.join(vystup, podslozka, f"soubor_{i}.obj"), 1)
    else:
        vystup = os.path.join(modul, "Release")
        slozka(vystup)
        for s in range(2):
            slozka(os.path.join(vystup, f"obj_{s}"))
        for i in range(40):
            soubor(os.path.join(vystup, f"obj_{i % 2}", f"soubor_{i}.obj"), 1)

print(f"{souboru} files ({shodnych} matching the default lists) in {slozek} folders", file=sys.stderr)
