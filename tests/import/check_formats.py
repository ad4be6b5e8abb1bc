#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# One format's real station files through arborix-import and a whole run
# of arborix-term with --export: the values the run read (series.csv) must
# equal the source's values, read here by a reader of its own, and the
# station table's kept, dropped and estimated counts must match.
#   check_formats.py BUILD_DIR STATIONS_DIR EXAMPLES_DIR FORMAT
import csv, glob, os, re, struct, subprocess, sys, tempfile

build, stations, examples, fmt = [os.path.abspath(a) for a in sys.argv[1:4]] + [sys.argv[4]]
NA = None


def f32(x):
    return struct.unpack('f', struct.pack('f', x))[0]


def num(s):
    return float(s.replace(',', '.'))


class Expect:
    """Per station id: {year: [12 values or None]} and its counts."""
    def __init__(self):
        self.years, self.dropped, self.estimated = {}, {}, {}

    def put(self, sid, year, month, v):
        row = self.years.setdefault(sid, {}).setdefault(year, [NA] * 12)
        row[month - 1] = v

    def count(self, table, sid):
        table[sid] = table.get(sid, 0) + 1


def ghcn(files, keep_flagged=False):
    e = Expect()
    for line in open(files[0], newline='').read().splitlines():
        sid, year = line[0:11].strip(), int(line[11:15])
        for m in range(12):
            v = int(line[19 + 8 * m:24 + 8 * m])
            qc = line[25 + 8 * m:26 + 8 * m]
            if v == -9999:
                v = NA
            elif qc.strip() and not keep_flagged:
                e.count(e.dropped, sid)
                v = NA
            else:
                v = v / 100.0
            e.put(sid, year, m + 1, v)
    return e


def ukmo_reference(files):
    # The team's converted file, made from exactly these files.
    e = Expect()
    keys = [os.path.basename(f)[:-len('data.txt')] for f in sorted(files)]
    k = -1
    for line in open(os.path.join(examples, 'ukmo_tmax_layout1.txt')):
        if line[0].isalpha():
            k += 1
            continue
        vals = [float(line[4 + 5 * m:9 + 5 * m]) for m in range(12)]
        for m, v in enumerate(vals):
            e.put(keys[k], int(line[:4]), m + 1, NA if v == -99.9 else v)
    for f, key in zip(sorted(files), keys):
        for line in open(f):
            t = line.split()
            if len(t) > 2 and re.fullmatch(r'\d{4}', t[0]) and t[2].endswith('*'):
                e.count(e.estimated, key)
    return e


def climexp(files):
    e = Expect()
    f = files[0]
    sid = {'tg_hom_mnd260.txt': '260'}.get(os.path.basename(f), os.path.splitext(os.path.basename(f))[0])
    for line in open(f, encoding='latin-1'):
        t = line.split()
        if not t or line.startswith('#') or not all(re.fullmatch(r'-?\d*\.?\d+', x) for x in t):
            continue
        if len(t) == 3 and len(t[1]) == 8:      # STN YYYYMMDD value
            e.put(sid, int(t[1][:4]), int(t[1][4:6]), float(t[2]))
        elif len(t) == 3 and '.' not in t[1]:   # year month value
            e.put(sid, int(t[0]), int(t[1]), float(t[2]))
        elif len(t) == 2 and '.' in t[0]:       # fractional year
            y = float(t[0])
            e.put(sid, int(y), int((y - int(y)) * 12) + 1, float(t[1]))
        else:                                   # year and up to twelve values
            for m, x in enumerate(t[1:]):
                e.put(sid, int(t[0]), m + 1, NA if float(x) == -999.9 else float(x))
    return e


def ecad(files):
    e = Expect()
    for f in files:
        days = {}
        for line in open(f):
            p = [x.strip() for x in line.split(',')]
            if len(p) != 5 or not p[2].isdigit():
                continue
            d = p[2]
            days.setdefault((p[0], int(d[:4]), int(d[4:6])), {})[int(d[6:])] = (int(p[3]), int(p[4]))
        for (sid, y, m), got in days.items():
            n = [31, 29 if y % 4 == 0 and (y % 100 or y % 400 == 0) else 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][m - 1]
            good = [got[d][0] / 10.0 if d in got and got[d][1] == 0 else None for d in range(1, n + 1)]
            runs = ''.join('x' if g is None else '.' for g in good)
            ok = runs.count('x') < 11 and 'xxxxx' not in runs
            mean = sum(g for g in good if g is not None) / len([g for g in good if g is not None]) if ok else NA
            e.put(sid, y, m, NA if mean is NA else float('%.2f' % mean))
    return e


def berkeley(files):
    e = Expect()
    f = files[0]
    clim = None
    lines = open(f).read().splitlines()
    for i, line in enumerate(lines):
        if line.startswith('%') and len(line[1:].split()) == 12 and line[1:].split()[0] == 'Jan':
            clim = [float(x) for x in lines[i + 1][1:].split()]
    sid = '27938' if 'Data' in f else os.path.splitext(os.path.basename(f))[0]
    for line in lines:
        t = line.split()
        if line.startswith('%') or len(t) < 10:
            continue
        col = 2 if clim else 6
        v = NA if t[col] == 'NaN' else float(t[col]) + (clim[int(t[1]) - 1] if clim else 0)
        e.put(sid, int(t[0]), int(t[1]), v)
    return e


def crutem(files):
    e = Expect()
    obs = False
    for line in open(files[0]):
        if obs:
            t = line.split()
            for m in range(12):
                v = float(t[m + 1])
                if int(t[0]) < 1961 and v > -99:
                    e.count(e.dropped, '037760')
                e.put('037760', int(t[0]), m + 1, NA if v <= -99 or int(t[0]) < 1961 else v)
        obs = obs or line.strip() == 'Obs:'
    return e


def nclimdiv(files):
    e = Expect()
    for line in open(files[0]):
        for m in range(12):
            v = float(line[10 + 7 * m:17 + 7 * m])
            e.put(line[:4], int(line[6:10]), m + 1, NA if v == -9.99 else v)
    return e


def csv_long(files):
    e = Expect()
    for r in csv.DictReader(open(files[0])):
        e.put(r['station'], int(r['year']), int(r['month']), NA if r['tmax'] == 'NA' else float(r['tmax']))
    return e


def csv_wide(files):
    e = Expect()
    months = 'JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC'.split()
    for r in csv.DictReader(open(files[0])):
        for m, name in enumerate(months):
            e.put('station_belem', int(r['YEAR']), m + 1, NA if r[name] == '999.9' else float(r[name]))
    return e


S = stations
TABLE = {
    'ghcnm_v4': ([f'{S}/ghcnm_v4/ACW00011604_tavg_1961-1980.qcu_excerpt.dat'],
                 ['--inventory', f'{S}/ghcnm_v4/ghcnm.tavg.v4.0.1.20200118.qcu.inv.excerpt'], ghcn),
    'ghcnm_v3': ([f'{S}/ghcnm_v3/Texas_excerpt.qca.dat'], ['--inventory', f'{S}/ghcnm_v3/Texas.inv'], ghcn),
    'ukmo': (sorted(glob.glob(f'{S}/ukmo_historic/raw/*data.txt')), [], ukmo_reference),
    'knmi_cnt_record': ([f'{S}/knmi/climexp_cnt_record_adjusted.txt'], [], climexp),
    'knmi_solar_flux': ([f'{S}/knmi/climexp_solarradioflux_org.dat'], [], climexp),
    'knmi_sea_level': ([f'{S}/knmi/climexp_ssh_church.dat'], [], climexp),
    'knmi_cnt': ([f'{S}/knmi/tg_CNT.txt'], [], climexp),
    'knmi_hom': ([f'{S}/knmi/tg_hom_mnd260.txt'], [], climexp),
    'ecad': (sorted(glob.glob(f'{S}/eca_d/TG_*')), ['--inventory', f'{S}/eca_d/stations_excerpt.txt'], ecad),
    'berkeley_station': ([f'{S}/berkeley_earth/27938-TAVG-Data.txt'], [], berkeley),
    'berkeley_trend': ([f'{S}/berkeley_earth/united-kingdom-TAVG-Trend.txt'], [], berkeley),
    'crutem': ([f'{S}/crutem/037760.txt'], [], crutem),
    'nclimdiv': ([f'{S}/nclimdiv/climdiv-pcpnst-v1.0.0-20210805_excerpt.txt'], [], nclimdiv),
    'csv_long': ([f'{S}/csv_long/historic_station_met_excerpt_aberporth_1941-1974.csv'], [], csv_long),
    'csv_wide': ([f'{S}/csv_wide/station_belem.csv'], ['--missing', '999.9'], csv_wide),
}


def run(files, args):
    """Imports the files and runs the answers; returns (stations rows, {series: {year: [12]}})."""
    work = tempfile.mkdtemp()
    imp = subprocess.run([f'{build}/arborix-import', *files, *args, '-o', 'data.txt'], cwd=work,
                         capture_output=True, text=True, timeout=60)
    assert imp.returncode == 0, imp.stderr
    with open(f'{work}/data.txt.answers.txt') as answers:
        term = subprocess.run([f'{build}/arborix-term', '--export', 'exp'], cwd=work, stdin=answers,
                              capture_output=True, text=True, timeout=120)
    assert term.returncode == 0 and 'ERROR READING LINE' not in term.stdout, term.stdout[-2000:]
    rows = list(csv.DictReader(open(f'{work}/data.txt.stations.csv', encoding='utf-8')))
    read = {}
    # series.csv is wide: series, year, then the twelve months' columns
    for r in csv.reader(list(open(f'{work}/exp/series.csv', encoding='utf-8', errors='replace'))[1:]):
        read.setdefault(int(r[0]), {})[int(r[1])] = [NA if v == 'NA' else f32(float(v)) for v in r[2:]]
    return rows, read, imp.stdout


def check(rows, read, e):
    bad = []
    for r in rows:
        sid, k = r['id'], int(r['series'])
        want = e.years[sid]
        kept = {y: v for y, v in want.items() if any(x is not NA for x in v)}
        first, last = min(kept), max(kept)
        if (int(r['first_year']), int(r['last_year'])) != (first, last):
            bad.append(f'{sid}: years {r["first_year"]}-{r["last_year"]}, expected {first}-{last}')
        for y in range(first, last + 1):
            w = [NA if x is NA else f32(x) for x in want.get(y, [NA] * 12)]
            if read[k].get(y) != w:
                bad.append(f'{sid} {y}: read {read[k].get(y)}, expected {w}')
        n = sum(x is not NA for v in kept.values() for x in v)
        for col, have in (('months_kept', n), ('months_dropped', e.dropped.get(sid, 0)),
                          ('months_estimated', e.estimated.get(sid, 0))):
            if int(r[col]) != have:
                bad.append(f'{sid}: {col} {r[col]}, expected {have}')
    if len(rows) != len(e.years):
        bad.append(f'{len(rows)} stations written, {len(e.years)} in the files')
    return bad


def planted():
    """Real GHCN lines with a year taken out, a flagged value and a -9999
    touching the element; the run must see each at its own year."""
    src = open(f'{S}/ghcnm_v4/ACW00011604_tavg_1961-1980.qcu_excerpt.dat').read().splitlines()
    lines = [l for l in src if l[11:15] != '1965']                # an absent year
    i = next(n for n, l in enumerate(lines) if l[11:15] == '1970')
    lines[i] = lines[i][:19] + '-9999' + lines[i][24:]          # touches TAVG
    j = next(n for n, l in enumerate(lines) if l[11:15] == '1975')
    lines[j] = lines[j][:25 + 8 * 5] + 'O' + lines[j][26 + 8 * 5:]  # June flagged
    work = tempfile.mkdtemp()
    path = f'{work}/planted.dat'
    open(path, 'w').write('\n'.join(lines) + '\n')
    assert 'TAVG-9999' in open(path).read()
    rows, read, _ = run([path], [])
    e = ghcn([path])
    bad = check(rows, read, e)
    s = read[1]
    if s[1965] != [NA] * 12 or s[1970][0] is not NA or s[1975][5] is not NA or rows[0]['months_dropped'] != '1':
        bad.append('planted: absent year, -9999 or flagged value not where they belong')
    if s[1966][0] != f32(int(src[5][19:24]) / 100):
        bad.append('planted: 1966 shifted')
    return bad


if fmt == 'ghcn_planted':
    problems = planted()
else:
    files, args, reader = TABLE[fmt]
    rows, read, report = run(files, args)
    problems = check(rows, read, reader(files))
    print(report, end='')
for p in problems[:20]:
    print(p)
sys.exit(1 if problems else 0)
