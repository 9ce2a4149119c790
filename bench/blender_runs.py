"""What the comparisons with Blender share: running a whole program under
/usr/bin/time, and starting Blender so that its own Python works."""
import os
import shutil
import statistics
import subprocess
import sys
from dataclasses import dataclass


@dataclass
class Measurement:
    seconds: float
    mebibytes: float
    stderr: str


def measured(command, scratch, output, env=None):
    """Wall time and peak resident memory of one whole run that writes
    `output`; a run that fails or writes nothing ends the comparison."""
    report = os.path.join(scratch, "time.txt")
    if os.path.exists(output):
        os.remove(output)
    result = subprocess.run(["/usr/bin/time", "-f", "%e %M", "-o", report] + command,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, env=env)
    if result.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(command), result.stderr[-2000:]))
    # Blender reports some failures (a script error, a failed import) only
    # by not writing the file.
    if not os.path.exists(output):
        sys.exit("nothing written by: %s\n%s\n%s" % (" ".join(command), result.stdout[-2000:], result.stderr[-2000:]))
    with open(report) as times:
        seconds, kilobytes = times.read().split()[-2:]
    return Measurement(float(seconds), int(kilobytes) / 1024, result.stderr)


def medians(measurements):
    """Median wall seconds and median peak MiB."""
    return (statistics.median(m.seconds for m in measurements),
            statistics.median(m.mebibytes for m in measurements))


def blender_program(script_name):
    program = shutil.which("blender")
    if program is None:
        sys.exit("%s: Blender is not installed (apt-get install blender python3-numpy)" % script_name)
    return program


def blender_environment(environment=None):
    """The environment to start Blender in. Blender's built-in Python takes
    its home from the first python3.N program on PATH; started from a
    pyenv or virtualenv Python, which puts its own first, Blender would load
    that Python's standard library and miss the system's packages (NumPy,
    which its glTF importer needs). So Blender gets the system's default
    search path and none of the variables that redirect Python."""
    environment = dict(os.environ if environment is None else environment)
    for name in list(environment):
        if name.startswith(("PYTHON", "PYENV", "_PYENV", "VIRTUAL_ENV", "CONDA")):
            del environment[name]
    environment["PATH"] = os.defpath
    return environment
