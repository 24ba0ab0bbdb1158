#!/usr/bin/python3
"""quorvelin-trame's output read by the programs users feed it to.

timestamp: --port --timestamp on a socat pseudo-terminal pair, read by gpsd 3.22 (gpsd -N -n -b,
then gpspipe -w) and by pynmea2: gpsd reports the time and warns of no date, pynmea2 reads a
datetime within a second of the clock, and every other field is the beacon's. The same run
without --timestamp shows what it cures: gpsd's warning and no time.

gpx: --batch --format gpx checked against the GPX 1.1 schema (the elements the file uses) with
xmllint, and read back by GPSBabel and gpxpy: every waypoint, named, at the position its
sentence carries, computed here with exact fractions.

Usage: check_field_programs.py QUORVELIN_TRAME timestamp|gpx
"""
import csv
import datetime
import io
import json
import os
import select
import socket
import subprocess
import sys
import tempfile
import time
from fractions import Fraction

MILLISECOND = datetime.timedelta(milliseconds=1)
BEACON = "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12"


def serial_pair(folder):
    """A socat pseudo-terminal pair: what is written to folder/a comes out of folder/b."""
    socat = subprocess.Popen(["socat", f"pty,raw,echo=0,link={folder}/a",
                              f"pty,raw,echo=0,link={folder}/b"])
    for _ in range(500):
        if os.path.exists(f"{folder}/b"):
            break
        time.sleep(0.01)
    return socat


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def gpsd_run(trame, stamped):
    """gpsd's TPV reports and log while quorvelin-trame sends three sentences, and the clock
    before and after the sending."""
    with tempfile.TemporaryDirectory() as folder:
        socat = serial_pair(folder)
        port = free_port()
        gpsd = subprocess.Popen(["gpsd", "-N", "-n", "-b", "-D", "1", "-S", str(port),
                                 f"{folder}/b"], stderr=subprocess.PIPE, text=True)
        time.sleep(1)
        pipe = subprocess.Popen(["gpspipe", "-w", f"localhost:{port}"], stdout=subprocess.PIPE,
                                text=True)
        time.sleep(0.5)
        start = datetime.datetime.now(datetime.timezone.utc)
        subprocess.run([trame, "--port", f"{folder}/a", "--count", "3", "--interval", "0.5"]
                       + (["--timestamp"] if stamped else []) + ["46.714322", "5.643542"],
                       check=True, capture_output=True)
        end = datetime.datetime.now(datetime.timezone.utc)
        time.sleep(1)
        for process in (pipe, gpsd, socat):
            process.terminate()
        reports = [json.loads(line) for line in pipe.communicate()[0].splitlines()]
        log = gpsd.communicate()[1]
        socat.wait()
    return [r for r in reports if r.get("class") == "TPV"], log, start, end


def check_gpsd(trame):
    failures = []
    for stamped in (True, False):
        tpv, log, start, end = gpsd_run(trame, stamped)
        times = [datetime.datetime.fromisoformat(r["time"].replace("Z", "+00:00"))
                 for r in tpv if "time" in r]
        warned = "merge_ddmmyy(000000)" in log
        if len(tpv) != 3:
            failures.append(f"gpsd (stamped: {stamped}) made {len(tpv)} TPV reports, not 3")
        if stamped and (len(times) != len(tpv) or warned or times != sorted(set(times)) or
                        any(not start - MILLISECOND <= t <= end for t in times)):
            failures.append(f"gpsd: times {times}, sent from {start} to {end}; log: {log}")
        if not stamped and (times or not warned):
            failures.append(f"the beacon's own sentence gave gpsd times {times} or no warning")
    return failures


def lines_arriving(reader, count):
    """The first `count` lines that come out of the port, each with the clock as it came."""
    arrivals, pending = [], b""
    deadline = time.monotonic() + 10
    while len(arrivals) < count and select.select([reader], [], [], deadline - time.monotonic())[0]:
        pending += os.read(reader, 4096)
        now = datetime.datetime.now(datetime.timezone.utc)
        *complete, pending = pending.split(b"\r\n")
        arrivals += [(line.decode(), now) for line in complete]
    return arrivals


def check_pynmea2(trame):
    import pynmea2

    failures = []
    with tempfile.TemporaryDirectory() as folder:
        socat = serial_pair(folder)
        reader = os.open(f"{folder}/b", os.O_RDONLY | os.O_NOCTTY)
        # Far enough apart that a clock read once would be a second late by the third.
        run = subprocess.Popen([trame, "--port", f"{folder}/a", "--timestamp", "--count", "3",
                                "--interval", "0.6", "46.714322", "5.643542"],
                               stderr=subprocess.DEVNULL)
        arrivals = lines_arriving(reader, 3)
        run.wait()
        os.close(reader)
        socat.terminate()
        socat.wait()
    if len(arrivals) != 3:
        failures.append(f"{len(arrivals)} sentences came, not 3")
    beacon = BEACON[:-3].split(",")
    for line, came in arrivals:
        message = pynmea2.parse(line, check=True)  # raises ChecksumError on a wrong one
        stamp = message.datetime.replace(tzinfo=datetime.timezone.utc)
        fields = line[:-3].split(",")
        others = [f for i, f in enumerate(fields) if i not in (1, 9)]
        if not 0 <= (came - stamp).total_seconds() < 1 or others != [
                f for i, f in enumerate(beacon) if i not in (1, 9)]:
            failures.append(f"pynmea2 read {stamp} in {line}, which came at {came}")
    return failures


# Each line of the batch and the name its waypoint takes. More than 20 points, some the same.
LINES = [
    ("maison;46.714322 5.643542", "maison"),
    ("maison;46.714322 5.643542", "maison"),  # the same twice: both kept
    ('"Relais; col & <sud>";45 10.5 N 5 43.25 E', "Relais; col & <sud>"),
    ("Été;-33.8688 151.2093", "Été"),
    (b"\xc9glise \x80;40.7128N 74.0060O", "Église €"),  # Windows-1252
    ("46 5", "6"),  # unnamed: its line number
    ("", None),
    ("pôle;90 180", "pôle"),
    ("antipode;-90 -180", "antipode"),
    ("0 -0.00001", "10"),
    ("45.99999999999998 5", "11"),
    ("presque;0.5 179.99999999999999", "presque"),
    ("ctrl\x01;1 1", "ctrl\ufffd"),
] + [(f"balise {i:02};{44 + i / 7:.6f} {-3 + i / 3:.5f}", f"balise {i:02}") for i in range(12)]


def exact(field, letter):
    """The degrees a ddmm.mmmm field carries, as an exact fraction."""
    point = field.index(".")
    value = int(field[:point - 2]) + Fraction(field[point - 2:]) / 60
    return -value if letter in "SW" else value


def seven_decimals(value):
    """The exact value rounded to seven decimals, a negative one as its opposite's."""
    units = (abs(value) * 10**7 + Fraction(1, 2)).__floor__()
    sign = "-" if value < 0 and units else ""
    return f"{sign}{units // 10**7}.{units % 10**7:07}"


SCHEMA = """<?xml version="1.0" encoding="UTF-8"?>
<!-- The elements of GPX 1.1 (topografix.com/GPX/1/1/gpx.xsd) that the file uses, as they are there. -->
<xsd:schema xmlns:xsd="http://www.w3.org/2001/XMLSchema"
    xmlns="http://www.topografix.com/GPX/1/1" targetNamespace="http://www.topografix.com/GPX/1/1"
    elementFormDefault="qualified">
  <xsd:element name="gpx" type="gpxType"/>
  <xsd:complexType name="gpxType">
    <xsd:sequence>
      <xsd:element name="wpt" type="wptType" minOccurs="0" maxOccurs="unbounded"/>
    </xsd:sequence>
    <xsd:attribute name="version" type="xsd:string" use="required" fixed="1.1"/>
    <xsd:attribute name="creator" type="xsd:string" use="required"/>
  </xsd:complexType>
  <xsd:complexType name="wptType">
    <xsd:sequence>
      <xsd:element name="name" type="xsd:string" minOccurs="0"/>
      <xsd:element name="desc" type="xsd:string" minOccurs="0"/>
    </xsd:sequence>
    <xsd:attribute name="lat" type="latitudeType" use="required"/>
    <xsd:attribute name="lon" type="longitudeType" use="required"/>
  </xsd:complexType>
  <xsd:simpleType name="latitudeType">
    <xsd:restriction base="xsd:decimal">
      <xsd:minInclusive value="-90.0"/>
      <xsd:maxInclusive value="90.0"/>
    </xsd:restriction>
  </xsd:simpleType>
  <xsd:simpleType name="longitudeType">
    <xsd:restriction base="xsd:decimal">
      <xsd:minInclusive value="-180.0"/>
      <xsd:maxExclusive value="180.0"/>
    </xsd:restriction>
  </xsd:simpleType>
</xsd:schema>
"""


def check_gpx(trame):
    import gpxpy

    batch = b"\n".join(line if isinstance(line, bytes) else line.encode() for line, _ in LINES)
    sentences = subprocess.run([trame, "--batch", "-"], input=batch, capture_output=True,
                               check=True).stdout.decode("utf-8", "replace").splitlines()
    sentences = [s[s.index("$"):] for s in sentences]
    names = [name for _, name in LINES if name is not None]
    # What the beacon reports, and the latitude and longitude as the file must write them.
    wanted = []
    for sentence in sentences:
        fields = sentence.split(",")
        lat, lon = exact(fields[3], fields[4]), exact(fields[5], fields[6])
        lon = -lon if lon == 180 else lon  # the same meridian, as GPX allows it
        wanted.append((lat, lon, seven_decimals(lat), seven_decimals(lon)))
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        gpx = f"{folder}/balises.gpx"
        subprocess.run([trame, "--batch", "-", "--format", "gpx", "-o", gpx], input=batch,
                       check=True)
        with open(f"{folder}/gpx.xsd", "w", encoding="utf-8") as schema:
            schema.write(SCHEMA)
        lint = subprocess.run(["xmllint", "--noout", "--schema", f"{folder}/gpx.xsd", gpx],
                              capture_output=True, text=True, check=False)
        if lint.returncode != 0:
            failures.append(f"xmllint: {lint.stderr}")
        with open(gpx, encoding="utf-8") as file:
            text = file.read()
            parsed = gpxpy.parse(text)
        babel = subprocess.run(["gpsbabel", "-i", "gpx", "-f", gpx, "-o", "unicsv", "-F", "-"],
                               capture_output=True, text=True, check=True).stdout
    rows = list(csv.DictReader(io.StringIO(babel)))
    points = parsed.waypoints
    if not parsed.creator.startswith("quorvelin-trame "):
        failures.append(f"creator {parsed.creator}")
    if not len(names) == len(sentences) == len(points) == len(rows) > 20:
        failures.append(f"{len(names)} names, {len(sentences)} sentences, {len(points)} gpxpy "
                        f"waypoints, {len(rows)} GPSBabel rows")
    for name, sentence, (lat, lon, lat_text, lon_text), point, row in zip(
            names, sentences, wanted, points, rows):
        if f'<wpt lat="{lat_text}" lon="{lon_text}">' not in text:
            failures.append(f"{name}: not at lat={lat_text} lon={lon_text}")
        gpxpy_got = (point.name, point.description, point.time)
        if gpxpy_got != (name, sentence, None) or (point.latitude, point.longitude) != (
                float(lat_text), float(lon_text)):
            failures.append(f"gpxpy read {gpxpy_got} at {point.latitude} {point.longitude}")
        # GPSBabel writes six decimals: the exact position to within half a millionth.
        babel_got = (row["Name"], row["Description"])
        if babel_got != (name, sentence) or any(abs(Fraction(row[key]) - value) > Fraction(
                51, 10**8) for key, value in (("Latitude", lat), ("Longitude", lon))):
            failures.append(f"GPSBabel read {row}, not {name} at {float(lat)} {float(lon)}")
    return failures


def main():
    trame, part = sys.argv[1], sys.argv[2]
    checks = {"timestamp": [check_gpsd, check_pynmea2], "gpx": [check_gpx]}[part]
    failed = 0
    for check in checks:
        failures = check(trame)
        for failure in failures:
            print("FAIL:", failure)
        failed += bool(failures)
    print(f"{len(checks) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
