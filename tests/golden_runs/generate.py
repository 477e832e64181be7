#!/usr/bin/env python3
"""Writes the random programs of this folder and records what the batch driver
prints for them, so that a rewritten core can be held to today's printout.

    tests/golden_runs/generate.py path/to/mirelsim-batch

Deterministic: the same seed gives the same programs. Each NNN.txt is a
program; NNN.runs lists its runs (driver arguments) with the printout stored
as the lines that differ from reference.out, and every message line.
Message lines are stored as runs: err, a tab, how many in a row, a tab, the text.
Run it only to add programs: re-recording hides a change of behaviour.

    tests/golden_runs/generate.py path/to/mirelsim-batch --long

appends the long runs to every NNN.runs that lacks them: 10,000 and 100,000
steps, steps taken back with --back, runs to a --break line, and a part's
rules with --device, so that a fast path that drifts over many steps is caught.
The runs recorded before stay as they are.

    tests/golden_runs/generate.py path/to/mirelsim-batch --next-steps

writes next_steps.out: what --explain says before each of the first 50
steps of every program, from `--steps K --explain` for K = 0 to 49, under the
teaching model and without inputs. For each program a line with its number
(000), then a line for step 0 and for every step whose text differs from the
step before: K, a tab, the text after NEXT. A step not listed says what the
one before said.

    tests/golden_runs/generate.py path/to/mirelsim-batch --next-steps 16F84A

writes next_steps.16F84A.out, the same under that part's rules.
"""

import random
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
SEED = 10
PROGRAMS = 300
STEP_COUNTS = (0, 1, 7, 50, 400)

BYTE_OPS = "SUB DEC ORA AND XOR ADD LDA CPL INC DEZ RRA RLA SPA INZ".split()
LITERAL_OPS = "SUB ORA AND XOR ADD LDA RET".split()
BIT_OPS = "RES SET JBR JBS".split()
BARE_OPS = "NOP RTS RTI SLP WDT OPTION".split()
# INDF, PCL, STATUS, FSR, the ports, PCLATH, INTCON, general registers.
REGISTERS = ["00", "02", "03", "04", "05", "06", "0A", "0B", "20", "21", "22", "2F", "7F"]


def register(rng):
    if rng.random() < 0.8:
        return rng.choice(REGISTERS)
    return f"{rng.randrange(0x80):02X}"


def destination(rng):
    return rng.choice([" W", "", " W", "", "W", " X", " H", " w", "  W"])


def address(rng, length):
    roll = rng.random()
    if roll < 0.85:
        return f"{rng.randrange(length):04X}"
    if roll < 0.93:
        return f"{rng.randrange(0x800):04X}"  # often no such line
    return rng.choice(["12", "", "0ZZ1", "00", "01234", "-001"])


def malformed(rng):
    """Texts no rule expects: unknown words, missing or broken operands."""
    return rng.choice([
        ("XYZ", "20"), ("End", ""), ("", ""), ("STA", ""), ("STA", "G0"),
        ("ADD", "3F"), ("ADD", "3FH W"), ("LDA", "H"), ("INC", "1"),
        ("SET", "03,8"), ("SET", "03,A"), ("RES", "03"), ("JBS", ",1"),
        ("CLR", "20 W"), ("RET", "12"), ("TRIS", "9"), ("SUB", "20 X"),
        ("JMPX", "0000"), ("NO", "P"), ("DEC", "2 0 W"), ("XOR", "ZZ H"),
    ])


def instruction(rng, length):
    kind = rng.choices(
        ["byte", "literal", "bit", "bank", "sta", "clr", "jump", "bare", "tris", "bad"],
        [30, 14, 10, 6, 10, 4, 10, 6, 2, 8])[0]
    if kind == "byte":
        return rng.choice(BYTE_OPS), register(rng) + destination(rng)
    if kind == "literal":
        return rng.choice(LITERAL_OPS), f"{rng.randrange(256):02X}" + rng.choice([" H", "H"])
    if kind == "bit":
        return rng.choice(BIT_OPS), f"{register(rng)},{rng.randrange(8)}"
    if kind == "bank":  # register page bits of STATUS
        return rng.choice(["SET", "RES", "SET", "JBS"]), "03," + rng.choice("56")
    if kind == "sta":
        return "STA", register(rng)
    if kind == "clr":
        return "CLR", rng.choice(["", register(rng)])
    if kind == "jump":
        return rng.choice(["JMP", "JSR", "JSR"]), address(rng, length)
    if kind == "bare":
        return rng.choice(BARE_OPS), ""
    if kind == "tris":
        return "TRIS", rng.choice("567")
    return malformed(rng)


def indirect_prelude(rng):
    """Points FSR at a register, often in another page, and fills it."""
    target = rng.choice(["20", "A0", "05", "06", "85", "86", "7F", "FF", "30"])
    return [("LDA", f"{rng.randrange(256):02X} H"), ("STA", "20"),
            ("LDA", target + " H"), ("STA", "04")]


def port_prelude(rng):
    """Port directions through page 1, then a value out on the ports."""
    return [("SET", "03,5"), ("LDA", f"{rng.randrange(256):02X} H"), ("STA", "05"),
            ("LDA", f"{rng.randrange(256):02X} H"), ("STA", "06"), ("RES", "03,5"),
            ("LDA", f"{rng.randrange(256):02X} H"), ("STA", rng.choice(["05", "06"]))]


def program(rng):
    length = rng.randrange(3, 36)
    lines = []
    if rng.random() < 0.35:
        lines += indirect_prelude(rng)
    if rng.random() < 0.3:
        lines += port_prelude(rng)
    while len(lines) < length:
        lines.append(instruction(rng, length))
    if rng.random() < 0.25:  # a call that calls itself runs past the eight stack entries
        at = rng.randrange(len(lines))
        lines[at] = ("JSR", f"{at:04X}")
    if rng.random() < 0.1:  # returns with nothing on the stack
        lines.insert(0, rng.choice([("RTS", ""), ("RET", "01 H"), ("RTI", "")]))
    text = []
    for index, (mnemonic, operand) in enumerate(lines):
        line = f"{index:04X}\t{mnemonic}\t{operand}" if operand else f"{index:04X}\t{mnemonic}"
        if rng.random() < 0.12:
            line = line.lower()
        elif rng.random() < 0.05:
            line = line.replace("\t", rng.choice(["\t ", " \t", "\t\t"]), 2)
        text.append(line)
    return "".join(line + "\r\n" for line in text)


def run(batch, arguments, path):
    done = subprocess.run([batch, *arguments, str(path)], capture_output=True, check=True)
    out, err = done.stdout.decode("latin-1"), done.stderr.decode("latin-1")
    assert err == "" or err.endswith("\n"), err
    return out, err


def repeats(messages):
    """Runs of equal messages as (count, message): a loop repeats one often."""
    runs = []
    for message in messages:
        if runs and runs[-1][1] == message:
            runs[-1][0] += 1
        else:
            runs.append([1, message])
    return runs


# A printed line longer than this is stored as its length and hash.
LONGEST_LINE_KEPT = 2000


def fnv1a(text):
    value = 0xCBF29CE484222325
    for byte in text.encode("latin-1"):
        value = ((value ^ byte) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return value


def record(batch, path, cases, reference):
    blocks = []
    for arguments in cases:
        out, err = run(batch, arguments, path)
        lines = out.split("\n")
        block = ["run " + " ".join(arguments), f"lines {len(lines)}"]
        for index, line in enumerate(lines):
            if len(line) > LONGEST_LINE_KEPT:  # a stack that grew without bound
                block.append(f"{index}\thash\t{len(line)}\t{fnv1a(line):016x}")
            elif index >= len(reference) or line != reference[index]:
                block.append(f"{index}\t{line}")
        block += [f"err\t{count}\t{message}" for count, message in repeats(err.split("\n")[:-1])]
        blocks.append("\n".join(block) + "\n")
    return "".join(blocks)


LONG_SEED = 11
LONG_MARK = "run --steps 10000"


def long_cases(rng, inputs, length):
    """Long runs of one program, with the inputs its short runs tick."""
    cases = [["--steps", "10000", *inputs], ["--steps", "100000", *inputs]]
    cases.append(["--steps", str(rng.choice([10000, 20000])), "--back",
                  str(rng.choice([1, 37, 4000, 20000])), *inputs])
    breaks = sorted(rng.sample(range(length), min(length, rng.choice([1, 1, 2]))))
    arguments = ["--steps", "100000"]
    for line in breaks:
        arguments += ["--break", str(line)]
    cases.append(arguments + inputs)
    if rng.random() < 0.3:
        part = rng.choice(["16F84A", "16F628A", "16F877A"])
        cases.append(["--device", part, "--steps", "10000", *inputs])
    return cases


def append_long(batch):
    rng = random.Random(LONG_SEED)
    reference = (HERE / "reference.out").read_bytes().decode("latin-1").split("\n")
    for number in range(PROGRAMS):
        path = HERE / f"{number:03d}.txt"
        runs_path = HERE / f"{number:03d}.runs"
        recorded = runs_path.read_bytes().decode("latin-1")
        first = recorded.split("\n", 1)[0].split(" ")
        inputs = first[first.index("--inputs"):] if "--inputs" in first else []
        length = path.read_bytes().count(b"\n")
        cases = long_cases(rng, inputs, length)
        if LONG_MARK in recorded:
            continue
        runs_path.write_bytes((recorded + record(batch, path, cases, reference))
                              .encode("latin-1"))


NEXT_STEPS = 50


def next_step(batch, path, steps, device):
    out, _ = run(batch, ["--steps", str(steps), "--explain"] + device, path)
    last = out.split("\n")[-2]
    assert last.startswith("NEXT "), last
    return last[len("NEXT "):]


def write_next_steps(batch, part=None):
    device = ["--device", part] if part else []
    blocks = []
    for number in range(PROGRAMS):
        path = HERE / f"{number:03d}.txt"
        block = [f"{number:03d}"]
        before = None
        for steps in range(NEXT_STEPS):
            text = next_step(batch, path, steps, device)
            if text != before:
                block.append(f"{steps}\t{text}")
            before = text
        blocks.append("\n".join(block) + "\n")
    name = f"next_steps.{part}.out" if part else "next_steps.out"
    (HERE / name).write_bytes("".join(blocks).encode("latin-1"))


def main():
    batch = sys.argv[1]
    if sys.argv[2:] == ["--long"]:
        append_long(batch)
        return
    if sys.argv[2:3] == ["--next-steps"]:
        write_next_steps(batch, sys.argv[3] if len(sys.argv) > 3 else None)
        return
    rng = random.Random(SEED)
    blank = HERE / "blank.txt"
    blank.write_bytes(b"0000\tNOP\r\n")
    reference_text, _ = run(batch, ["--steps", "0"], blank)
    blank.unlink()
    (HERE / "reference.out").write_bytes(reference_text.encode("latin-1"))
    reference = reference_text.split("\n")
    for number in range(PROGRAMS):
        path = HERE / f"{number:03d}.txt"
        path.write_bytes(program(rng).encode("latin-1"))
        inputs = []
        if rng.random() < 0.5:
            inputs = ["--inputs", f"{rng.randrange(256):02X}", f"{rng.randrange(256):02x}"]
        cases = [["--steps", str(steps), *inputs] for steps in STEP_COUNTS]
        (HERE / f"{number:03d}.runs").write_bytes(
            record(batch, path, cases, reference).encode("latin-1"))


if __name__ == "__main__":
    main()
