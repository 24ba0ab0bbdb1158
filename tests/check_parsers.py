#!/usr/bin/python3
"""Feeds composed sentences to two independent NMEA readers, gpsd's gpsdecode and pynmea2.

Each must accept every checksum; pynmea2 must decode the position we meant (to 1e-4 minute),
and the sentences whose fields the composer lays out wrongly by design (a degree text of the
wrong width) must be refused by their position fields, never by their checksum. What
quorvelin-trame --check remarks of the fixed date 000000 and mode 0 must hold for both readers.

Usage: check_parsers.py COMPOSE_CLI
"""
import datetime
import subprocess
import sys

import pynmea2

# latDeg, latMin, latSec, latPos, longDeg, longMin, longSec, longPos, well formed?
CASES = [
    ("46", "00", "00.00", "N", "05", "00", "00.00", "E", True),
    ("46", "42", "51.56", "N", "05", "38", "36.75", "E", True),
    ("33", "51", "35.9", "S", "70", "40", "12.3", "W", True),
    ("00", "00", "00.00", "S", "00", "00", "00.00", "W", True),
    ("89", "59", "59.99", "N", "99", "59", "59.99", "E", True),
    ("0", "0", "7.5", "N", "0", "0", "3", "W", True),  # "0" is corrected to "00"
    ("12", "34", "abc", "S", "56", "07", "51,56", "E", True),  # unreadable seconds are 0
    ("5", "00", "00.00", "N", "05", "00", "00.00", "E", False),  # one-character degrees
    ("046", "00", "00.00", "N", "105", "00", "00.00", "E", False),  # three-character degrees
    ("46", "", "00.00", "N", "05", "00", "00.00", "E", False),  # empty minutes
]


def meant(degrees, minutes, seconds, hemisphere, negative):
    """The position in decimal degrees, with the seconds cut to four decimals of a minute."""
    try:
        value = float(seconds.replace(" ", ""))
    except ValueError:
        value = float(seconds.split(",")[0]) if seconds[:1].isdigit() else 0.0
    fraction = int(value / 60 * 10000) / 10000
    position = int(degrees) + (int(minutes) + fraction) / 60
    return -position if hemisphere == negative else position


def pynmea2_position(sentence):
    """The decoded position, or None when a position field is not well formed."""
    message = pynmea2.parse(sentence, check=True)  # raises ChecksumError on a bad checksum
    if message.lat_dir not in ("N", "S") or message.lon_dir not in ("E", "W"):
        return None
    if len(message.lat.split(".")[0]) != 4 or len(message.lon.split(".")[0]) != 5:
        return None
    return message.latitude, message.longitude


def gpsdecode_accepts(sentence):
    """Whether gpsdecode takes the sentence as an NMEA packet (it drops bad checksums)."""
    run = subprocess.run(["gpsdecode", "-D", "2"], input=sentence + "\r\n", capture_output=True,
                         text=True, check=False)
    return sentence in run.stdout and "bad checksum" not in run.stderr


def with_checksum(body):
    checksum = 0
    for character in body:
        checksum ^= ord(character)
    return f"${body}*{checksum:02X}"


def gpsd_rmc(sentence):
    """gpsd's debug lines on the sentence: the fields it took, and whether it set the time."""
    run = subprocess.run(["gpsdecode", "-D", "7"], input=sentence + "\r\n", capture_output=True,
                         text=True, check=False)
    fields = [line.split("RMC: ", 1)[1] for line in run.stderr.splitlines() if " RMC: " in line]
    return fields[0] if fields else None, "registers fractional time" in run.stderr


def placeholder_remarks(sentence):
    """The failures of --check's remarks on the beacon's date 000000 and mode 0."""
    failures = []
    rmc, time_set = gpsd_rmc(sentence)
    if rmc is None or time_set or "ddmmyy=000000" not in rmc:
        failures.append(f"gpsd took a time or no RMC from {sentence}: {rmc}")
    letter_a, _ = gpsd_rmc(with_checksum(sentence[1:-4] + "A"))
    if rmc is None or letter_a is None or rmc.split("status=")[1] != letter_a.split("status=")[1]:
        failures.append(f"gpsd reads mode 0 otherwise than A: {rmc} / {letter_a}")
    message = pynmea2.parse(sentence, check=True)
    if isinstance(message.datestamp, datetime.date) or len(message.fields) > 11:
        failures.append(f"pynmea2 read a date {message.datestamp} or the mode of {sentence}")
    return failures


def main():
    compose = sys.argv[1]
    lines = "".join("\t".join(case[:8]) + "\n" for case in CASES)
    sentences = subprocess.run([compose], input=lines, capture_output=True, text=True,
                               check=True).stdout.splitlines()
    failures = []
    for case, sentence in zip(CASES, sentences, strict=True):
        well_formed = case[8]
        if not gpsdecode_accepts(sentence):
            failures.append(f"gpsdecode refused {sentence}")
        broken = sentence[:-2] + ("00" if sentence[-2:] != "00" else "01")
        if gpsdecode_accepts(broken):
            failures.append(f"gpsdecode took a wrong checksum: {broken}")
        try:
            position = pynmea2_position(sentence)
        except pynmea2.ChecksumError:
            failures.append(f"pynmea2 refused the checksum of {sentence}")
            continue
        except (pynmea2.ParseError, ValueError):
            position = None
        if not well_formed:
            if position is not None:
                failures.append(f"malformed fields read as a position: {sentence} -> {position}")
            continue
        expected = (meant(*case[0:4], "S"), meant(*case[4:8], "W"))
        if position is None or any(abs(got - want) * 60 > 1e-4 for got, want in zip(position, expected)):
            failures.append(f"{sentence}: pynmea2 read {position}, meant {expected}")
        try:
            pynmea2.parse(broken, check=True)
            failures.append(f"pynmea2 took a wrong checksum: {broken}")
        except pynmea2.ChecksumError:
            pass
    remarks = placeholder_remarks(sentences[1])
    for failure in failures + remarks:
        print("FAIL:", failure)
    failed = sum(1 for sentence in sentences if any(sentence[:-3] in f for f in failures))
    print(f"{len(CASES) - failed} passed, {failed} failed")
    return 1 if failures or remarks else 0


if __name__ == "__main__":
    sys.exit(main())
