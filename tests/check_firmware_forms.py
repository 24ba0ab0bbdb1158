#!/usr/bin/python3
"""quorvelin-trame's firmware forms read back by independent tools, under a French locale:

- dt and de assembled by gpasm for the PIC16F628: the RETLW table returns the sentence's
  bytes, and gpasm's EEPROM data are byte for byte our hex form's (both read by srec_cat);
- our hex form, written with -o, loaded by gpsim into a simulated 16F628: its EEPROM holds
  the sentence and its CR LF;
- the c form compiled by the system's C compiler, printing the sentence back;
- the output the same under fr_FR.UTF-8 and C, and the messages French under C.

Usage: check_firmware_forms.py QUORVELIN_TRAME
"""
import os
import re
import subprocess
import sys
import tempfile

PROGRAM = sys.argv[1]
POSITION = ["46.714322", "5.643542"]
SENTENCE = b"$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12\r\n"
FRENCH = dict(os.environ, LC_ALL="fr_FR.UTF-8", LANG="fr_FR.UTF-8")
failures = []


def trame(*arguments, env=FRENCH):
    return subprocess.run([PROGRAM, *arguments], env=env, capture_output=True, check=False)


def check(condition, what):
    print(("ok:   " if condition else "FAIL: ") + what)
    if not condition:
        failures.append(what)


def eeprom_bytes(hex_file, work):
    """The data EEPROM's bytes of a PIC16 hex file: one a word from 0x4200, read by srec_cat."""
    binary = os.path.join(work, os.path.basename(hex_file) + ".bin")
    subprocess.run(["srec_cat", hex_file, "-intel", "-crop", "0x4200", "0x4300", "-offset",
                    "-0x4200", "-o", binary, "-binary"], check=True)
    with open(binary, "rb") as file:
        return file.read()[0::2]


def assemble(source, work, name):
    path = os.path.join(work, name)
    with open(path + ".asm", "wb") as file:
        file.write(source + b"        end\n")
    subprocess.run(["gpasm", "-p", "p16f628", "-o", path + ".hex", path + ".asm"], check=True)
    return path + ".hex"


with tempfile.TemporaryDirectory() as work:
    english = trame(*POSITION, env=dict(os.environ, LC_ALL="C", LANG="C"))
    check(trame(*POSITION).stdout == english.stdout == SENTENCE[:-2] + b"\n",
          "the sentence, the same under fr_FR.UTF-8 and C")
    refusal = trame("91", "5", env=dict(os.environ, LC_ALL="C"))
    check(refusal.returncode == 2 and refusal.stdout == b"" and
          "Formes acceptées" in refusal.stderr.decode("utf-8"), "French refusal under C")

    ours = os.path.join(work, "ours.hex")
    written = trame("--format", "hex", "-o", ours, *POSITION)
    check(written.returncode == 0 and written.stdout == b"", "hex written with -o")
    check(eeprom_bytes(ours, work)[:len(SENTENCE)] == SENTENCE, "our hex holds the sentence")

    de = assemble(trame("--format", "de", *POSITION).stdout, work, "de")
    check(eeprom_bytes(de, work) == eeprom_bytes(ours, work), "gpasm's de EEPROM equals our hex")

    # A computed jump into the table: each RETLW (0x34xx) returns one byte.
    dt = assemble(b"        addwf   0x02, f\n" + trame("--format", "dt", *POSITION).stdout,
                  work, "dt")
    program = os.path.join(work, "dt.bin")
    subprocess.run(["srec_cat", dt, "-intel", "-o", program, "-binary"], check=True)
    with open(program, "rb") as file:
        words = file.read()[2:2 + 2 * len(SENTENCE)]
    check(words[1::2] == b"\x34" * len(SENTENCE) and words[0::2] == SENTENCE,
          "gpasm's dt table returns the sentence")

    script = os.path.join(work, "dump.stc")
    with open(script, "w", encoding="ascii") as file:
        file.write(f"load {ours}\ndump e\nquit\n")
    dump = subprocess.run(["gpsim", "-p", "p16f628", "-i", "-c", script], capture_output=True,
                          text=True, timeout=60, check=False).stdout
    rows = re.findall(r"^00[0-7]0: +((?:[0-9a-f]{2} ){16})", dump, re.MULTILINE)
    simulated = bytes(int(b, 16) for row in rows for b in row.split())
    check(len(simulated) == 128 and simulated[:len(SENTENCE)] == SENTENCE and
          not any(simulated[len(SENTENCE):]), "gpsim's 16F628 EEPROM holds the sentence")

    source = os.path.join(work, "trame.c")
    with open(source, "wb") as file:
        file.write(b"#include <stdio.h>\n" + trame("--format", "c", *POSITION).stdout +
                   b"int main(void) { return fwrite(trame, 1, TRAME_OCTETS, stdout) != "
                   b"TRAME_OCTETS || sizeof trame != TRAME_OCTETS + 1; }\n")
    binary = os.path.join(work, "trame")
    subprocess.run(["cc", "-std=c99", "-Wall", "-Wextra", "-pedantic", "-Werror", "-o", binary,
                    source], check=True)
    check(subprocess.run([binary], capture_output=True, check=True).stdout == SENTENCE,
          "the c form compiles and prints the sentence back")

sys.exit("\n".join(failures) if failures else 0)
